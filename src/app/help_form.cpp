// THelpForm: the game information window, its commands, the
// snapshot and the close question; and the one window of the run.

#include "app/help_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <algorithm>

#include "app/color_value.h"
#include "app/help_form_icons.h"
#include "app/rich_text_bridge.h"
#include "app/text_convert.h"
#include "app/window_placement.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "resources/rtf_reader.h"
#include "resources/rtf_writer.h"
#include "storage/game.h"

namespace kestrin {

namespace {

const QString kRichTextFilter = QStringLiteral("Rich Text Files (*.rtf);;All Files (*)");

QString FileDialog(QWidget* parent, const QString& proposal, bool save) {
    QFileDialog dialog(parent, QString(), QString(), kRichTextFilter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    if (!proposal.isEmpty()) dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

QString SizeText(double points) {
    return QString::number(points, 'g', 6);
}

constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

}  // namespace

HelpFormDialogs DefaultHelpFormDialogs() {
    HelpFormDialogs dialogs;
    dialogs.OpenFile = [](QWidget* parent, const QString& proposal) { return FileDialog(parent, proposal, false); };
    dialogs.SaveFile = [](QWidget* parent, const QString& proposal) { return FileDialog(parent, proposal, true); };
    dialogs.ChooseColor = [](QWidget* parent, const QColor& current) -> std::optional<QColor> {
        QColor color = QColorDialog::getColor(current, parent);
        if (!color.isValid()) return std::nullopt;
        return color;
    };
    dialogs.ChooseFont = [](QWidget* parent, const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        QFont font = QFontDialog::getFont(&ok, current, parent);
        if (!ok) return std::nullopt;
        return font;
    };
    dialogs.InputText = [](QWidget* parent, const QString& caption, const QString& prompt,
                           const QString& proposal) -> std::optional<QString> {
        bool ok = false;
        QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, proposal, &ok);
        if (!ok) return std::nullopt;
        return text;
    };
    dialogs.Print = [](QWidget* parent, const QTextDocument& document) {
        QPrinter printer;
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() == QDialog::Accepted) document.print(&printer);
    };
    return dialogs;
}

THelpForm::THelpForm(Game& game, QWidget* parent)
    : QMainWindow(parent, Qt::Window), mGame(game), mDialogs(DefaultHelpFormDialogs()) {
    setObjectName(QStringLiteral("THelpForm"));
    setWindowTitle(QStringLiteral("Game Information"));
    mEditor = new QTextEdit(this);
    mEditor->setObjectName(QStringLiteral("Editor"));
    mEditor->setAcceptRichText(true);
    QFont defaultFont(QString::fromLatin1(kDefaultFontName));
    defaultFont.setPointSizeF(kDefaultFontSize);
    mEditor->document()->setDefaultFont(defaultFont);
    setCentralWidget(mEditor);

    BuildActions();
    BuildMenus();
    BuildToolBar();

    connect(mEditor, &QTextEdit::textChanged, this, &THelpForm::TextChanged);
    connect(mEditor, &QTextEdit::currentCharFormatChanged, this, &THelpForm::UpdateControls);
    connect(mEditor, &QTextEdit::cursorPositionChanged, this, &THelpForm::UpdateControls);
    connect(mEditor, &QTextEdit::selectionChanged, this, &THelpForm::UpdateControls);
    connect(mEditor, &QTextEdit::undoAvailable, this, &THelpForm::UpdateControls);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &THelpForm::UpdateControls);

    resize(640, 460);
    ShowGameText();
}

THelpForm::~THelpForm() = default;

QAction* THelpForm::Action(const char* name, const QString& text, const char* icon) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    if (icon) action->setIcon(HelpFormIcon(icon));
    return action;
}

void THelpForm::BuildActions() {
    mLoad = Action("Loadfromafile1", QStringLiteral("&Load from a file..."), "open");
    mSave = Action("Savetoafile1", QStringLiteral("&Save to a file..."), "save");
    mPrint = Action("Print1", QStringLiteral("&Print..."), "print");
    mPrint->setShortcut(QKeySequence::Print);
    mCloseSaving = Action("Closesavingchanges1", QStringLiteral("&Close saving changes"), "ok");
    mUndo = Action("Undo1", QStringLiteral("&Undo"));
    mUndo->setShortcut(QKeySequence::Undo);
    mCut = Action("Cut1", QStringLiteral("Cu&t"), "cut");
    mCut->setShortcut(QKeySequence::Cut);
    mCopy = Action("Copy1", QStringLiteral("&Copy"), "copy");
    mCopy->setShortcut(QKeySequence::Copy);
    mPaste = Action("Paste1", QStringLiteral("&Paste"), "paste");
    mPaste->setShortcut(QKeySequence::Paste);
    mSelectAll = Action("Selectall1", QStringLiteral("Select &All"));
    mSelectAll->setShortcut(QKeySequence::SelectAll);
    mGotoLine = Action("Gotoline1", QStringLiteral("&Goto Line..."));
    mGotoLine->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    mFont = Action("Font1", QStringLiteral("&Font..."));
    mBold = Action("Bold1", QStringLiteral("&Bold"), "bold");
    mBold->setShortcut(QKeySequence::Bold);
    mItalic = Action("Italic1", QStringLiteral("&Italic"), "italic");
    mItalic->setShortcut(QKeySequence::Italic);
    mUnderline = Action("Underline1", QStringLiteral("&Underline"), "underline");
    mUnderline->setShortcut(QKeySequence::Underline);
    mColor = Action("Color1", QStringLiteral("&Color..."), "color");
    mBackColor = Action("BackgroundColor1", QStringLiteral("Background C&olor..."), "backcolor");
    mMimic = Action("MimicMainForm1", QStringLiteral("&Mimic Main Form"));
    mAlignLeft = Action("Alignleft1", QStringLiteral("Align &Left"), "left");
    mAlignCenter = Action("Aligncenter1", QStringLiteral("Align C&enter"), "center");
    mAlignRight = Action("Alignright1", QStringLiteral("Align &Right"), "right");
    mBullets = Action("Bulletedlist1", QStringLiteral("Bulleted &List"), "bullets");
    for (QAction* a : {mBold, mItalic, mUnderline, mMimic, mAlignLeft, mAlignCenter, mAlignRight, mBullets})
        a->setCheckable(true);

    connect(mLoad, &QAction::triggered, this, &THelpForm::LoadFromFile);
    connect(mSave, &QAction::triggered, this, &THelpForm::SaveToFile);
    connect(mPrint, &QAction::triggered, this, [this] { mDialogs.Print(this, *mEditor->document()); });
    connect(mCloseSaving, &QAction::triggered, this, &THelpForm::CloseSavingChanges);
    connect(mUndo, &QAction::triggered, mEditor, &QTextEdit::undo);
    connect(mCut, &QAction::triggered, mEditor, &QTextEdit::cut);
    connect(mCopy, &QAction::triggered, mEditor, &QTextEdit::copy);
    connect(mPaste, &QAction::triggered, mEditor, &QTextEdit::paste);
    connect(mSelectAll, &QAction::triggered, mEditor, &QTextEdit::selectAll);
    connect(mGotoLine, &QAction::triggered, this, &THelpForm::GotoLine);
    connect(mFont, &QAction::triggered, this, &THelpForm::ChooseFont);
    connect(mBold, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        MergeFormat(format);
    });
    connect(mItalic, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        MergeFormat(format);
    });
    connect(mUnderline, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        MergeFormat(format);
    });
    connect(mColor, &QAction::triggered, this, &THelpForm::ChooseTextColor);
    connect(mBackColor, &QAction::triggered, this, &THelpForm::ChooseBackgroundColor);
    connect(mMimic, &QAction::triggered, this, [this](bool on) {
        mGame.Information.MimicMainForm = on;
        // The flag is saved with the information, so the game has changed.
        mGame.SetChangedFlag(ChangedFlag::Information, true);
    });
    connect(mAlignLeft, &QAction::triggered, this, [this] { SetAlignment(Qt::AlignLeft); });
    connect(mAlignCenter, &QAction::triggered, this, [this] { SetAlignment(Qt::AlignHCenter); });
    connect(mAlignRight, &QAction::triggered, this, [this] { SetAlignment(Qt::AlignRight); });
    connect(mBullets, &QAction::triggered, this, &THelpForm::ToggleBullets);
}

void THelpForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    file->addAction(mLoad);
    file->addAction(mSave);
    file->addSeparator();
    file->addAction(mPrint);
    file->addSeparator();
    file->addAction(mCloseSaving);
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->addAction(mUndo);
    edit->addSeparator();
    edit->addAction(mCut);
    edit->addAction(mCopy);
    edit->addAction(mPaste);
    edit->addSeparator();
    edit->addAction(mSelectAll);
    edit->addAction(mGotoLine);
    QMenu* format = bar->addMenu(QStringLiteral("F&ormat"));
    format->setObjectName(QStringLiteral("Format1"));
    format->addAction(mFont);
    format->addAction(mBold);
    format->addAction(mItalic);
    format->addAction(mUnderline);
    format->addAction(mColor);
    format->addSeparator();
    format->addAction(mAlignLeft);
    format->addAction(mAlignCenter);
    format->addAction(mAlignRight);
    format->addAction(mBullets);
    format->addSeparator();
    format->addAction(mBackColor);
    format->addAction(mMimic);
}

void THelpForm::BuildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Tools"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    auto add = [bar](QAction* action, const char* name) {
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(QLatin1String(name));
    };
    add(mCloseSaving, "OKButton");
    bar->addSeparator();
    add(mPrint, "PrintBtn");
    bar->addSeparator();
    add(mCut, "CutButton");
    add(mCopy, "CopyButton");
    add(mPaste, "PasteButton");
    bar->addSeparator();

    mFontName = new QComboBox(bar);
    mFontName->setObjectName(QStringLiteral("FontName"));
    mFontName->setEditable(true);
    mFontName->setInsertPolicy(QComboBox::NoInsert);
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    mFontName->addItems(families);
    mFontName->setMinimumContentsLength(14);
    bar->addWidget(mFontName);

    mFontSize = new QComboBox(bar);
    mFontSize->setObjectName(QStringLiteral("FontSize"));
    mFontSize->setEditable(true);
    mFontSize->setInsertPolicy(QComboBox::NoInsert);
    mFontSize->lineEdit()->setObjectName(QStringLiteral("FontSizeStr"));
    for (int size : kFontSizes) mFontSize->addItem(QString::number(size));
    mFontSize->setEditText(SizeText(kDefaultFontSize));
    mFontSize->setMinimumContentsLength(3);
    bar->addWidget(mFontSize);
    bar->addSeparator();

    add(mBold, "BoldButton");
    add(mItalic, "ItalicButton");
    add(mUnderline, "UnderlineButton");
    add(mColor, "ColorButton");
    bar->addSeparator();
    add(mAlignLeft, "LeftAlign");
    add(mAlignCenter, "CenterAlign");
    add(mAlignRight, "RightAlign");
    add(mBullets, "BulletsButton");
    bar->addSeparator();
    add(mBackColor, "BackColorBtn");

    connect(mFontName, &QComboBox::textActivated, this, [this](const QString& family) {
        if (family.isEmpty()) return;
        QTextCharFormat format;
        format.setFontFamilies(QStringList{family});
        MergeFormat(format);
    });
    connect(mFontSize, &QComboBox::textActivated, this, [this](const QString& text) {
        bool ok = false;
        const double points = text.trimmed().toDouble(&ok);
        if (!ok || points <= 0 || points > 1638) return;
        QTextCharFormat format;
        format.setFontPointSize(points);
        MergeFormat(format);
    });
}

void THelpForm::ShowGameText() {
    mUpdating = true;
    PutRichText(mGame.Information.Text, *mEditor->document());
    mUpdating = false;
    mShownText = mGame.Information.Text;
    ShowBackground();
    mMimic->setChecked(mGame.Information.MimicMainForm);
    UpdateControls();
}

void THelpForm::ShowBackground() {
    QPalette palette = mEditor->palette();
    palette.setColor(QPalette::Base, ToQColor(mGame.Information.BackColor));
    mEditor->setPalette(palette);
}

void THelpForm::TextChanged() {
    if (mUpdating) return;
    mEdited = true;
    mGame.Information.Text = TakeRichText(*mEditor->document());
    mShownText = mGame.Information.Text;
    mGame.SetChangedFlag(ChangedFlag::Information, true);
}

void THelpForm::UpdateControls() {
    const QTextCursor cursor = mEditor->textCursor();
    const TextFormat format = FromQtFormat(mEditor->currentCharFormat(), *mEditor->document());
    mBold->setChecked(format.Bold);
    mItalic->setChecked(format.Italic);
    mUnderline->setChecked(format.Underline);
    const QString family = FromWindowsText(format.FontName);
    if (mFontName->currentText() != family) mFontName->setEditText(family);
    const QString size = SizeText(format.Size);
    if (mFontSize->currentText() != size) mFontSize->setEditText(size);

    mBullets->setChecked(cursor.currentList() != nullptr);
    const Qt::Alignment alignment = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    mAlignCenter->setChecked(alignment & Qt::AlignHCenter);
    mAlignRight->setChecked((alignment & (Qt::AlignRight | Qt::AlignTrailing)) != 0);
    mAlignLeft->setChecked(!mAlignCenter->isChecked() && !mAlignRight->isChecked());

    mCut->setEnabled(cursor.hasSelection());
    mCopy->setEnabled(cursor.hasSelection());
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    mPaste->setEnabled(clipboard && clipboard->hasText());
    mUndo->setEnabled(mEditor->document()->isUndoAvailable());
    mEditor->ensureCursorVisible();
}

void THelpForm::MergeFormat(const QTextCharFormat& format) {
    mEditor->mergeCurrentCharFormat(format);
    mEditor->setFocus();
    UpdateControls();
}

void THelpForm::SetAlignment(Qt::Alignment alignment) {
    mEditor->setAlignment(alignment);
    UpdateControls();
}

void THelpForm::ToggleBullets(bool on) {
    QTextCursor cursor = mEditor->textCursor();
    cursor.beginEditBlock();
    if (on) {
        if (!cursor.currentList()) {
            QTextListFormat format;
            format.setStyle(QTextListFormat::ListDisc);
            format.setIndent(1);
            cursor.createList(format);
        }
    } else {
        const QTextDocument* document = mEditor->document();
        QTextBlock block = document->findBlock(cursor.selectionStart());
        const QTextBlock last = document->findBlock(cursor.selectionEnd());
        while (block.isValid()) {
            if (QTextList* list = block.textList()) {
                list->remove(block);
                QTextCursor blockCursor(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                blockCursor.setBlockFormat(format);
            }
            if (block == last) break;
            block = block.next();
        }
    }
    cursor.endEditBlock();
    UpdateControls();
}

void THelpForm::EditGameInformation() {
    // A new or loaded game brings its own text; otherwise the editor keeps
    // its caret and undo history.
    if (!(mGame.Information.Text == mShownText)) ShowGameText();
    ShowBackground();
    mMimic->setChecked(mGame.Information.MimicMainForm);
    mSnapshot = Snapshot{mGame.Information.Text, mGame.Information.BackColor};
    mEdited = false;
    CenterOnFirstShow(this, parentWidget());
    show();
    raise();
    activateWindow();
}

void THelpForm::HideWindow() { hide(); }

void THelpForm::CloseSavingChanges() {
    mClosingSavingChanges = true;
    close();
    mClosingSavingChanges = false;
}

void THelpForm::closeEvent(QCloseEvent* event) {
    if (!mClosingSavingChanges && mEdited) {
        switch (AskYesNoCancel(kSaveInformationQuestion)) {
        case Answer::Cancel:
            event->ignore();
            return;
        case Answer::No:
            // The changed flag the edits set stays set.
            if (mSnapshot) {
                mGame.Information.Text = mSnapshot->text;
                mGame.Information.BackColor = mSnapshot->backColor;
                ShowGameText();
            }
            break;
        case Answer::Yes: break;
        }
    }
    mSnapshot.reset();
    mEdited = false;
    event->accept();
}

bool THelpForm::event(QEvent* event) {
    // A game loaded while the window was open brings its own text.
    if (event->type() == QEvent::WindowActivate && !(mGame.Information.Text == mShownText)) ShowGameText();
    return QMainWindow::event(event);
}

void THelpForm::LoadFromFile() {
    const QString file = mDialogs.OpenFile(this, mFileName);
    if (file.isEmpty()) return;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(PathFromQt(file));
    } catch (const FileError& error) {
        ShowMessage(error.what());
        return;
    }
    mFileName = file;
    const CRichText text = ReadRtf(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    mUpdating = true;
    PutRichText(text, *mEditor->document());
    mUpdating = false;
    TextChanged();
    UpdateControls();
}

void THelpForm::SaveToFile() {
    const QString file = mDialogs.SaveFile(this, mFileName);
    if (file.isEmpty()) return;
    // Always rich text, whatever the name: loading takes it back with its formatting.
    const std::string bytes = WriteRtf(TakeRichText(*mEditor->document()));
    try {
        WriteFileAtomically(PathFromQt(file), bytes.data(), bytes.size());
    } catch (const FileError& error) {
        ShowMessage(error.what());
        return;
    }
    mFileName = file;
}

void THelpForm::GotoLine() {
    const QTextCursor cursor = mEditor->textCursor();
    const std::optional<QString> answer =
        mDialogs.InputText(this, QStringLiteral("Goto Line"), QStringLiteral("line number:"),
                           QString::number(cursor.blockNumber() + 1));
    if (!answer) return;
    bool ok = false;
    const int line = answer->trimmed().toInt(&ok);
    if (!ok) return;
    const QTextDocument* document = mEditor->document();
    const QTextBlock block = document->findBlockByNumber(std::clamp(line, 1, document->blockCount()) - 1);
    QTextCursor moved(block);
    mEditor->setTextCursor(moved);
    mEditor->setFocus();
    UpdateControls();
}

void THelpForm::ChooseTextColor() {
    const QColor current = ToQColor(FromQtFormat(mEditor->currentCharFormat(), *mEditor->document()).Color);
    const std::optional<QColor> color = mDialogs.ChooseColor(this, current);
    if (!color) return;
    QTextCharFormat format;
    format.setForeground(*color);
    MergeFormat(format);
}

void THelpForm::ChooseBackgroundColor() {
    const std::optional<QColor> color = mDialogs.ChooseColor(this, ToQColor(mGame.Information.BackColor));
    if (!color) return;
    mGame.Information.BackColor = FromQColor(*color);
    ShowBackground();
    mEdited = true;
    mGame.SetChangedFlag(ChangedFlag::Information, true);
}

void THelpForm::ChooseFont() {
    const QTextCharFormat current = mEditor->currentCharFormat();
    const TextFormat model = FromQtFormat(current, *mEditor->document());
    QFont font(FromWindowsText(model.FontName));
    font.setPointSizeF(model.Size);
    font.setBold(model.Bold);
    font.setItalic(model.Italic);
    font.setUnderline(model.Underline);
    const std::optional<QFont> chosen = mDialogs.ChooseFont(this, font);
    if (!chosen) return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{chosen->family()});
    if (chosen->pointSizeF() > 0) format.setFontPointSize(chosen->pointSizeF());
    format.setFontWeight(chosen->bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chosen->italic());
    format.setFontUnderline(chosen->underline());
    MergeFormat(format);
}

// The one window of the run.

namespace {
QPointer<THelpForm> gHelpForm;
}

void CreateHelpForm(Game& game, QWidget* parent) {
    if (!gHelpForm) gHelpForm = new THelpForm(game, parent);
}

THelpForm* HelpForm() { return gHelpForm.data(); }

void EditGameInformation() {
    if (gHelpForm) gHelpForm->EditGameInformation();
}

void HideHelpForm() {
    if (gHelpForm) gHelpForm->HideWindow();
}

void DestroyHelpForm() { delete gHelpForm.data(); }

}  // namespace kestrin
