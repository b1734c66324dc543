// The shared part of the script and code editors.

#include "code_editors/code_editor_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/text_convert.h"
#include "code_editors/code_edit.h"
#include "code_editors/code_highlighter.h"
#include "code_editors/find_dialogs.h"
#include "editors/editor_dialogs.h"
#include "language/check_error.h"
#include "language/checker.h"
#include "language/code_text.h"
#include "language/code_words.h"
#include "language/function_help.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"

namespace kestrin {

TCodeEditorFrame::TCodeEditorFrame(const NameResolver& names, bool scriptEditor, QWidget* parent)
    : QWidget(parent), mNames(names) {
    setObjectName(QStringLiteral("CodeEditorFrame"));
    auto* tools = new QWidget(this);
    tools->setObjectName(QStringLiteral("ToolBar"));
    mToolRow = new QHBoxLayout(tools);
    mToolRow->setContentsMargins(2, 2, 2, 2);
    mToolRow->setSpacing(2);
    auto addButton = [&](const char* name, const QString& caption, const QString& tip,
                         QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        auto* button = new QToolButton(tools);
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setToolTip(tip);
        button->setAutoRaise(true);
        if (icon != QStyle::SP_CustomBase) {
            button->setIcon(style()->standardIcon(icon));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        mToolRow->addWidget(button);
        return button;
    };
    QToolButton* ok = addButton("OKBtn", QStringLiteral("OK"), QStringLiteral("Close, keeping the changes"),
                                QStyle::SP_DialogApplyButton);
    (void)ok;
    mToolRow->addSpacing(8);
    QToolButton* undo = addButton("UndoBtn", QStringLiteral("Undo"), QStringLiteral("Undo (Ctrl+Z)"));
    QToolButton* redo = addButton("RedoBtn", QStringLiteral("Redo"), QStringLiteral("Redo (Ctrl+Shift+Z)"));
    mToolRow->addSpacing(8);
    QToolButton* cut = addButton("CutBtn", QStringLiteral("Cut"), QStringLiteral("Cut (Ctrl+X)"));
    QToolButton* copy = addButton("CopyBtn", QStringLiteral("Copy"), QStringLiteral("Copy (Ctrl+C)"));
    QToolButton* paste = addButton("PasteBtn", QStringLiteral("Paste"), QStringLiteral("Paste (Ctrl+V)"));
    mToolRow->addSpacing(8);
    QToolButton* find = addButton("FindBtn", QStringLiteral("Find"), QStringLiteral("Find (Ctrl+F)"));
    QToolButton* replace = addButton("ReplaceBtn", QStringLiteral("Replace"), QStringLiteral("Replace (Ctrl+R)"));
    QToolButton* gotoLine = addButton("GotoLineBtn", QStringLiteral("Go to"), QStringLiteral("Go to line (Ctrl+L)"));
    QToolButton* check = addButton("CheckBtn", QStringLiteral("Check"), QStringLiteral("Check the code"));
    mToolRow->addSpacing(8);
    mToolRow->addStretch();

    mText = new TMyRichEdit(names, this);
    mText->MaxLength = kMaxEditedCodeLength;
    mText->setContextMenuPolicy(Qt::CustomContextMenu);
    mHelpList = new QListWidget(this);
    mHelpList->setObjectName(QStringLiteral("HelpList"));
    mHelpSplitter = new QSplitter(Qt::Vertical, this);
    mHelpSplitter->setObjectName(QStringLiteral("HelpSplitter"));
    mHelpSplitter->addWidget(mText);
    mHelpSplitter->addWidget(mHelpList);
    mHelpSplitter->setStretchFactor(0, 1);
    mHelpSplitter->setStretchFactor(1, 0);
    mHelpSplitter->setSizes({400, 70});

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        mPanels[i] = new QLabel(this);
        mPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (i < 2) status->addWidget(mPanels[i]);
        else status->addWidget(mPanels[i], 1);
    }
    mPanels[0]->setMinimumWidth(120);
    mPanels[1]->setMinimumWidth(40);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(mHelpSplitter, 1);
    layout->addWidget(status);

    mTimer = new QTimer(this);
    mTimer->setObjectName(QStringLiteral("Timer1"));
    mTimer->setInterval(100);
    connect(mTimer, &QTimer::timeout, this, &TCodeEditorFrame::FollowPreferences);
    mTimer->start();

    connect(undo, &QToolButton::clicked, this, [this] { mText->Undo(); mText->setFocus(); });
    connect(redo, &QToolButton::clicked, this, [this] { mText->Redo(); mText->setFocus(); });
    connect(cut, &QToolButton::clicked, mText, &QPlainTextEdit::cut);
    connect(copy, &QToolButton::clicked, mText, &QPlainTextEdit::copy);
    connect(paste, &QToolButton::clicked, mText, &QPlainTextEdit::paste);
    connect(find, &QToolButton::clicked, this, &TCodeEditorFrame::FindCommand);
    connect(replace, &QToolButton::clicked, this, &TCodeEditorFrame::ReplaceCommand);
    connect(gotoLine, &QToolButton::clicked, this, &TCodeEditorFrame::GotoLineCommand);
    connect(check, &QToolButton::clicked, this, &TCodeEditorFrame::Check);
    connect(mText, &TMyRichEdit::CodeChanged, this, &TCodeEditorFrame::TextChanged);
    connect(mText, &QPlainTextEdit::cursorPositionChanged, this, &TCodeEditorFrame::SelectionChanged);
    connect(mText, &QPlainTextEdit::selectionChanged, this, &TCodeEditorFrame::SelectionChanged);
    connect(mText, &TMyRichEdit::StateChanged, this, [this] {
        UpdateButtons();
        mPanels[1]->setText(mText->InsertMode() ? QStringLiteral("INS") : QStringLiteral("OVR"));
    });
    connect(mText, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowMenu(mText->mapToGlobal(at)); });
    connect(mHelpList, &QListWidget::itemDoubleClicked, this, [this] { InsertFromHelp(); });
    QClipboard* clipboard = QApplication::clipboard();
    auto clipboardChanged = [this, clipboard] {
        const QMimeData* data = clipboard->mimeData();
        mClipboardHasText = data && data->hasText();
        UpdateButtons();
    };
    connect(clipboard, &QClipboard::dataChanged, this, clipboardChanged);
    clipboardChanged();

    BuildMenu(scriptEditor);
    ApplySettings();
    setMinimumSize(500, 200);
}

TCodeEditorFrame::~TCodeEditorFrame() {
    disconnect(mText, nullptr, this, nullptr);
    CloseDialogs();
}

QToolButton* TCodeEditorFrame::Button(const char* name) const {
    return findChild<QToolButton*>(QLatin1String(name));
}

void TCodeEditorFrame::AddRowBelowTools(QWidget* row) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, row);
}

void TCodeEditorFrame::BuildMenu(bool scriptEditor) {
    mEditMenu = new QMenu(this);
    mEditMenu->setObjectName(QStringLiteral("EditMenu"));
    auto add = [&](const char* name, const QString& caption, const QKeySequence& key, auto work) {
        QAction* action = mEditMenu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(action);
        }
        connect(action, &QAction::triggered, this, work);
        return action;
    };
    add("Undo1", QStringLiteral("&Undo"), QKeySequence(QStringLiteral("Ctrl+Z")), [this] { mText->Undo(); });
    add("Redo1", QStringLiteral("&Redo"), QKeySequence(QStringLiteral("Ctrl+Shift+Z")), [this] { mText->Redo(); });
    mEditMenu->addSeparator();
    add("Cut1", QStringLiteral("Cu&t"), QKeySequence(QStringLiteral("Ctrl+X")), [this] { mText->cut(); });
    add("Copy1", QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C")), [this] { mText->copy(); });
    add("Paste1", QStringLiteral("&Paste"), QKeySequence(QStringLiteral("Ctrl+V")), [this] { mText->paste(); });
    add("Delete1", QStringLiteral("&Delete"), QKeySequence(QStringLiteral("Ctrl+D")),
        [this] { mText->textCursor().removeSelectedText(); });
    add("SelectAll1", QStringLiteral("Select &All"), QKeySequence(QStringLiteral("Ctrl+A")),
        [this] { mText->selectAll(); });
    mEditMenu->addSeparator();
    add("GotoLine1", QStringLiteral("&Go to Line..."), QKeySequence(QStringLiteral("Ctrl+L")),
        [this] { GotoLineCommand(); });
    add("Find1", QStringLiteral("&Find..."), QKeySequence(QStringLiteral("Ctrl+F")), [this] { FindCommand(); });
    add("Replace1", QStringLiteral("R&eplace..."), QKeySequence(QStringLiteral("Ctrl+R")),
        [this] { ReplaceCommand(); });
    add("SearchAgain1", QStringLiteral("&Search Again"), QKeySequence(Qt::Key_F3), [this] { SearchAgain(); });
    mEditMenu->addSeparator();
    add("LoadfromFile1", QStringLiteral("&Load from File..."), QKeySequence(), [this] { LoadFromFile(); });
    add("SavetoFile1", QStringLiteral("Sa&ve to File..."), QKeySequence(), [this] { SaveToFile(); });
    add("Print1", QStringLiteral("&Print..."), QKeySequence(), [this] { Print(); });
    if (scriptEditor) {
        mEditMenu->addSeparator();
        add("ResourceProperties1", QStringLiteral("Resource Pr&operties"), QKeySequence(Qt::Key_F4), [this] {
            if (ResourceProperties) ResourceProperties();
        });
    }
    QAction* color = add("ColorCode1", QStringLiteral("Color C&ode"), QKeySequence(Qt::Key_F12), [this] { ToggleColor(); });
    color->setCheckable(true);
    // Insert the selected help line.
    auto* insert = new QAction(this);
    insert->setObjectName(QStringLiteral("InsertHelp"));
    insert->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    insert->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(insert, &QAction::triggered, this, [this] { InsertFromHelp(); });
    addAction(insert);
}

void TCodeEditorFrame::ShowMenu(const QPoint& at) {
    auto enable = [&](const char* name, bool on) {
        if (auto* action = mEditMenu->findChild<QAction*>(QLatin1String(name))) action->setEnabled(on);
    };
    const bool selected = mText->textCursor().hasSelection();
    enable("Undo1", mText->CanUndo());
    enable("Redo1", mText->CanRedo());
    enable("Copy1", selected);
    enable("Cut1", selected);
    enable("Delete1", selected);
    enable("Paste1", mClipboardHasText);
    if (auto* color = mEditMenu->findChild<QAction*>(QStringLiteral("ColorCode1"))) color->setChecked(mColorSwitch);
    RunNested([&] { mEditMenu->exec(at); });
}

bool TCodeEditorFrame::RunNested(const std::function<void()>& work) {
    if (Nested) return Nested(work);
    work();
    return true;
}

void TCodeEditorFrame::SetCodeMode(bool on) {
    mCodeMode = on;
    if (QToolButton* check = Button("CheckBtn")) check->setVisible(on);
    ApplyColoring();
}

void TCodeEditorFrame::ApplyColoring() { mText->Highlighter().SetEnabled(mColorSwitch && mCodeMode); }

void TCodeEditorFrame::ApplySettings() {
    const Preferences& p = Prefs();
    const QString fontName = ToQt(p.FontName);
    // Compared with the font asked for, not the one the system found: a
    // missing font must not reset undo on every tick.
    if (fontName != mRequestedFontName || p.FontSize != mRequestedFontSize) {
        mRequestedFontName = fontName;
        mRequestedFontSize = p.FontSize;
        QFont font(fontName, std::max(p.FontSize, 1));
        font.setStyleHint(QFont::Monospace);
        BusyScope busy(*this);
        mText->SetFont(font);
    }
    mText->AutoIndent = p.AutomaticIndent;
    mText->BackspaceUnindent = p.AutomaticIndent;
    mText->SmartTabs = p.SmartTabs;
    mText->SetGroupUndo(p.GroupUndo);
    mText->SetUndoSize(p.UndoValue);
    mText->SetTabSize(p.IndentValue);
}

void TCodeEditorFrame::LoadCode(const std::string& code) {
    ApplySettings();
    mColorSwitch = mLastColorPreference = Prefs().ColorCode;
    mText->Highlighter().SetColors(Prefs().Colors);
    {
        BusyScope busy(*this);
        // Switched before the text goes in, so it is coloured once.
        ApplyColoring();
        mText->SetCode(code);
        mText->moveCursor(QTextCursor::Start);
        mText->ScrollTo(0);
        mText->ResetUndo();
    }
    mHelpList->clear();
    for (const std::string& line : FunctionHelpList()) mHelpList->addItem(ToQt(line));
    mHelpList->setVisible(Prefs().FunctionHelp);
    SelectionChanged();
    UpdateButtons();
}

QString TCodeEditorFrame::Panel(int index) const { return mPanels[index]->text(); }

void TCodeEditorFrame::TextChanged() {
    if (Busy()) return;
    UpdateButtons();
    if (Edited) Edited();
}

void TCodeEditorFrame::SelectionChanged() {
    if (Busy()) return;
    mPanels[0]->setText(QString::asprintf("%4d/%d: %3d", mText->CaretLine() + 1, mText->document()->blockCount(),
                                          mText->CaretColumn() + 1));
    mPanels[1]->setText(mText->InsertMode() ? QStringLiteral("INS") : QStringLiteral("OVR"));
    UpdateButtons();
    SyncHelp();
}

void TCodeEditorFrame::UpdateButtons() {
    const bool selected = mText->textCursor().hasSelection();
    auto enable = [&](const char* name, bool on) {
        if (QToolButton* button = Button(name)) button->setEnabled(on);
    };
    enable("CopyBtn", selected);
    enable("CutBtn", selected);
    enable("PasteBtn", mClipboardHasText);
    enable("UndoBtn", mText->CanUndo());
    enable("RedoBtn", mText->CanRedo());
}

void TCodeEditorFrame::SyncHelp() {
    mHelpList->setVisible(Prefs().FunctionHelp);
    if (!Prefs().FunctionHelp) return;
    const int row = FirstLineStartingWith(FunctionHelpList(), mText->WordAtCaret());
    if (row < 0 || row >= mHelpList->count()) return;
    mHelpList->setCurrentRow(row);
    // The chosen line second from the top.
    mHelpList->scrollToItem(mHelpList->item(row), QAbstractItemView::PositionAtTop);
    if (row > 0) mHelpList->scrollToItem(mHelpList->item(row - 1), QAbstractItemView::PositionAtTop);
}

void TCodeEditorFrame::InsertFromHelp() {
    QListWidgetItem* item = mHelpList->currentItem();
    if (!item) return;
    const std::string line = FromQt(item->text());
    const std::string name(LeadingName(line));
    if (name.empty()) return;
    int start = 0, length = 0;
    mText->WordAtCaret(&start, &length);
    mText->ReplaceRange(start, start + length, name, start + static_cast<int>(name.size()), 0);
    SelectionChanged();
    mText->setFocus();
}

void TCodeEditorFrame::Check() {
    if (CheckCode(mText->Code(), mNames)) {
        mPanels[2]->clear();
        return;
    }
    const CheckErrorRecord& error = CheckError();
    mPanels[2]->setText(ToQt(" ERROR at line " + std::to_string(error.ErrorLine) + " pos " +
                             std::to_string(error.ErrorPos) + ": " + error.ErrorMessage));
    mText->SelectLine(error.ErrorLine - 1);
    mText->setFocus();
}

void TCodeEditorFrame::GotoLineCommand() {
    std::int32_t line = mText->CaretLine() + 1;
    bool ok = false;
    if (!RunNested([&] { ok = AskValue("Goto Line", "Line:", line); }) || !ok) return;
    mText->setFocus();
    mText->GotoLine(line - 1);
}

TFindDialog* TCodeEditorFrame::FindDialog() {
    if (!mFindDialog) {
        mFindDialog = new TFindDialog(this, false);
        connect(mFindDialog, &TFindDialog::FindNext, this, &TCodeEditorFrame::SearchAgain);
    }
    return mFindDialog;
}

TFindDialog* TCodeEditorFrame::ReplaceDialog() {
    if (!mReplaceDialog) {
        mReplaceDialog = new TFindDialog(this, true);
        connect(mReplaceDialog, &TFindDialog::FindNext, this, [this] {
            FindDialog()->SetFindText(mReplaceDialog->FindText());
            FindDialog()->SetOptions(mReplaceDialog->Options());
            SearchAgain();
        });
        connect(mReplaceDialog, &TFindDialog::Replace, this, &TCodeEditorFrame::ReplaceOnce);
        connect(mReplaceDialog, &TFindDialog::ReplaceAll, this, &TCodeEditorFrame::ReplaceAll);
    }
    return mReplaceDialog;
}

void TCodeEditorFrame::FindCommand() {
    const QTextCursor cursor = mText->textCursor();
    if (cursor.hasSelection()) FindDialog()->SetFindText(FromQt(cursor.selectedText()));
    FindDialog()->show();
    FindDialog()->raise();
    FindDialog()->activateWindow();
}

void TCodeEditorFrame::ReplaceCommand() {
    const QTextCursor cursor = mText->textCursor();
    if (cursor.hasSelection()) ReplaceDialog()->SetFindText(FromQt(cursor.selectedText()));
    ReplaceDialog()->show();
    ReplaceDialog()->raise();
    ReplaceDialog()->activateWindow();
}

void TCodeEditorFrame::SearchAgain() {
    const std::string what = FindDialog()->FindText();
    if (what.empty()) return;
    std::shared_ptr<const std::string> text = mText->EditText();
    const SearchOptions options = FindDialog()->Options();
    const int found = FindWrapping(*text, what, mText->textCursor().selectionEnd(), options);
    if (found < 0) {
        RunNested([&] { ShowMessage(kSearchStringPrefix + what + kNotFoundSuffix); });
    } else {
        QTextCursor cursor(mText->document());
        cursor.setPosition(found);
        cursor.setPosition(found + static_cast<int>(what.size()), QTextCursor::KeepAnchor);
        mText->setTextCursor(cursor);
    }
    mText->setFocus();
    mText->ensureCursorVisible();
}

void TCodeEditorFrame::ReplaceOnce() {
    const std::string what = ReplaceDialog()->FindText();
    if (what.empty()) return;
    std::shared_ptr<const std::string> text = mText->EditText();
    const int found = FindWrapping(*text, what, mText->textCursor().selectionStart(), ReplaceDialog()->Options());
    if (found < 0) {
        RunNested([&] { ShowMessage(kSearchStringPrefix + what + kNotFoundSuffix); });
        return;
    }
    const std::string with = ReplaceDialog()->ReplaceText();
    mText->ReplaceRange(found, found + static_cast<int>(what.size()), with, found + static_cast<int>(with.size()), 0);
    mText->setFocus();
}

void TCodeEditorFrame::ReplaceAll() {
    const std::string what = ReplaceDialog()->FindText();
    if (what.empty()) return;
    ReplaceAllResult result =
        ReplaceAllInText(*mText->EditText(), what, ReplaceDialog()->ReplaceText(), ReplaceDialog()->Options());
    if (result.count > 0) mText->ReplaceAllText(result.text);
}

void TCodeEditorFrame::LoadFromFile() {
    FileDialogSpec spec;
    spec.objectName = "OpenDialog1";
    spec.title = "Load from File";
    spec.filter = "Text files (*.txt);;All files (*)";
    spec.mustExist = true;
    spec.proposedName = mFileName;
    std::optional<std::string> file;
    if (!RunNested([&] { file = UsedEditorDialogs().ChooseFile(spec); }) || !file) return;
    mFileName = *file;
    std::string content;
    try {
        content = ReadFileText(*file);
    } catch (const FileError& error) {
        RunNested([&] { ShowMessage(error.what()); });
        return;
    }
    // One step that undo can take back, and an edit like any other.
    mText->ReplaceAllText(CodeToEditText(content));
    mText->setFocus();
}

void TCodeEditorFrame::SaveToFile() {
    FileDialogSpec spec;
    spec.objectName = "SaveDialog1";
    spec.title = "Save to File";
    spec.filter = "Text files (*.txt);;All files (*)";
    spec.defaultExtension = "txt";
    spec.save = true;
    spec.proposedName = mFileName;
    std::optional<std::string> file;
    if (!RunNested([&] { file = UsedEditorDialogs().ChooseFile(spec); }) || !file) return;
    mFileName = *file;
    const std::string code = mText->Code();
    try {
        WriteFileAtomically(*file, code.data(), code.size());
    } catch (const FileError& error) {
        RunNested([&] { ShowMessage(error.what()); });
    }
}

void TCodeEditorFrame::Print() {
    QPrinter printer;
    bool accepted = false;
    if (!RunNested([&] {
            QPrintDialog dialog(&printer, this);
            dialog.setObjectName(QStringLiteral("PrintDialog1"));
            accepted = dialog.exec() == QDialog::Accepted;
        }) ||
        !accepted)
        return;
    mText->print(&printer);
}

void TCodeEditorFrame::ToggleColor() {
    mColorSwitch = !mColorSwitch;
    ApplyColoring();
}

void TCodeEditorFrame::Recolor() {
    mText->Highlighter().SetColors(Prefs().Colors);
    if (mText->Highlighter().Enabled()) mText->Highlighter().rehighlight();
}

void TCodeEditorFrame::FollowPreferences() {
    ApplySettings();
    if (Prefs().ColorCode != mLastColorPreference) {
        mLastColorPreference = mColorSwitch = Prefs().ColorCode;
        ApplyColoring();
    }
    mText->Highlighter().SetColors(Prefs().Colors);
    mHelpList->setVisible(Prefs().FunctionHelp);
    UpdateButtons();
    mPanels[1]->setText(mText->InsertMode() ? QStringLiteral("INS") : QStringLiteral("OVR"));
}

void TCodeEditorFrame::CloseDialogs() {
    if (mFindDialog) mFindDialog->hide();
    if (mReplaceDialog) mReplaceDialog->hide();
}

void TCodeEditorFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mText->ensureCursorVisible();
}

}  // namespace kestrin
