// TScriptInfoForm and ScriptInfoWindows: showing, opening, saving and
// printing the lines of the project listings.

#include "app/script_info_form.h"

#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/color_value.h"
#include "app/text_convert.h"
#include "language/game_names.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "resources/rich_text.h"
#include "resources/rtf_writer.h"
#include "storage/game.h"

namespace kestrin {

namespace {

constexpr const char* kListingFont = "Courier New";
constexpr int kListingFontSize = 10;

bool HasTextExtension(const std::string& fileName) { return LowerFileExt(fileName) == ".txt"; }

}  // namespace

std::string InfoLinesAsText(const std::vector<InfoLine>& lines) {
    std::string text;
    for (const InfoLine& line : lines) {
        text += line.text;
        text += "\r\n";
    }
    return text;
}

std::string InfoLinesAsRtf(const std::vector<InfoLine>& lines) {
    CRichText document;
    TextFormat format;
    format.FontName = kListingFont;
    format.Size = kListingFontSize;
    for (const InfoLine& line : lines) {
        format.Color = line.color;
        RichParagraph paragraph;
        paragraph.Runs.push_back(TextRun{line.text, format});
        document.Paragraphs.push_back(std::move(paragraph));
    }
    return WriteRtf(document);
}

bool SaveInfoLines(const std::vector<InfoLine>& lines, const std::string& fileName) {
    std::string content = HasTextExtension(fileName) ? InfoLinesAsText(lines) : InfoLinesAsRtf(lines);
    try {
        WriteFileAtomically(fileName, content.data(), content.size());
    } catch (const FileError& error) {
        ShowMessage(error.what());
        return false;
    }
    return true;
}

InfoLineSource GameInfoLines(Game& game) {
    return [&game](InfoType type, const std::string& searchText) {
        // Indexed afresh for each listing, so renames since the last one count.
        GameNames names(game);
        return ComputeInfoLines(type, names, Prefs().Colors, searchText);
    };
}

InfoLineOpener OpenGameInfoLine(Game& game) {
    return [&game](const InfoLine& line) {
        if (line.kind < 1 || line.kind > kResourceKindCount) return;
        auto kind = static_cast<ResourceKind>(line.kind - 1);
        if (kind == ResourceKind::Script) {
            game.Scripts().OpenResourceAtLine(line.index, line.lineNumber);
        } else if (ResourceListBase* list = game.ListOf(kind)) {
            list->OpenResource(line.index);
        }
    };
}

TScriptInfoForm::TScriptInfoForm(InfoType type, std::string searchText, InfoLineSource source,
                                 InfoLineOpener opener, QWidget* parent)
    : QWidget(parent),
      mType(type),
      mSearchText(std::move(searchText)),
      mSource(std::move(source)),
      mOpener(std::move(opener)) {
    setObjectName(QStringLiteral("TScriptInfoForm"));
    setWindowTitle(ToQt(InfoCaption(mType, mSearchText)));

    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* refresh = tools->addAction(style()->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Refresh"));
    refresh->setObjectName(QStringLiteral("RefreshBtn"));
    refresh->setToolTip(QStringLiteral("Recompute the list"));
    QAction* save = tools->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save"));
    save->setObjectName(QStringLiteral("SaveBtn"));
    save->setToolTip(QStringLiteral("Save the list as rich text or plain text"));
    QAction* print = tools->addAction(style()->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("PrintBtn"));
    print->setToolTip(QStringLiteral("Print the list"));
    connect(refresh, &QAction::triggered, this, &TScriptInfoForm::Refresh);
    connect(save, &QAction::triggered, this, &TScriptInfoForm::AskSaveFile);
    connect(print, &QAction::triggered, this, &TScriptInfoForm::AskPrint);

    mText = new QTextEdit(this);
    mText->setObjectName(QStringLiteral("InfoText"));
    mText->setReadOnly(true);
    mText->setUndoRedoEnabled(false);
    mText->setLineWrapMode(QTextEdit::NoWrap);
    // A read-only edit still shows its caret on request; the click picks the
    // line under it.
    mText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    mText->setFont(QFont(QLatin1String(kListingFont), kListingFontSize));
    mText->viewport()->installEventFilter(this);

    mStatus = new QLabel(ToQt(InfoStatusText(mType)), this);
    mStatus->setObjectName(QStringLiteral("StatusLabel"));
    mStatus->setContentsMargins(4, 2, 4, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(mText, 1);
    layout->addWidget(mStatus);
    resize(480, 360);

    Refresh();
}

void TScriptInfoForm::Refresh() {
    SetLines(mSource ? mSource(mType, mSearchText) : std::vector<InfoLine>());
}

void TScriptInfoForm::SetLines(std::vector<InfoLine> lines) {
    if (lines.size() > static_cast<std::size_t>(kMaxInfoLines)) lines.resize(kMaxInfoLines);
    mLines = std::move(lines);

    mText->clear();
    QTextCursor cursor(mText->document());
    cursor.beginEditBlock();
    QTextCharFormat format;
    for (std::size_t i = 0; i < mLines.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        format.setForeground(ToQColor(mLines[i].color));
        cursor.insertText(ToQt(mLines[i].text), format);
    }
    cursor.endEditBlock();
    mText->moveCursor(QTextCursor::Start);
}

void TScriptInfoForm::OpenLine(int row) {
    if (row < 0 || row >= static_cast<int>(mLines.size())) return;
    const InfoLine& line = mLines[static_cast<std::size_t>(row)];
    if (line.kind < 0 || !mOpener) return;
    mOpener(line);
}

bool TScriptInfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mText->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            QTextCursor cursor = mText->cursorForPosition(mouse->position().toPoint());
            mText->setTextCursor(cursor);
            // The window may be closed by what the line opens; keep the row.
            int row = cursor.blockNumber();
            QPointer<TScriptInfoForm> alive(this);
            OpenLine(row);
            if (!alive) return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TScriptInfoForm::SaveToFile(const QString& fileName) { return SaveInfoLines(mLines, PathFromQt(fileName)); }

void TScriptInfoForm::PrintTo(QPrinter& printer) { mText->document()->print(&printer); }

void TScriptInfoForm::AskSaveFile() {
    QFileDialog dialog(this, QStringLiteral("Save Listing"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Rich Text Files (*.rtf)"), QStringLiteral("Text Files (*.txt)")});
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QLatin1String("*.txt")) ? QStringLiteral("txt")
                                                                         : QStringLiteral("rtf"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    SaveToFile(dialog.selectedFiles().constFirst());
}

void TScriptInfoForm::AskPrint() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

ScriptInfoWindows::ScriptInfoWindows(InfoLineSource source, InfoLineOpener opener, QMdiArea* area)
    : mSource(std::move(source)), mOpener(std::move(opener)), mArea(area) {}

TScriptInfoForm* ScriptInfoWindows::WindowOf(InfoType type) const {
    if (type == InfoType::SearchScripts) return nullptr;
    for (const auto& window : mWindows)
        if (window && window->Type() == type) return window;
    return nullptr;
}

std::vector<TScriptInfoForm*> ScriptInfoWindows::OpenWindows() const {
    std::vector<TScriptInfoForm*> open;
    for (const auto& window : mWindows)
        if (window) open.push_back(window);
    return open;
}

TScriptInfoForm* ScriptInfoWindows::Show(InfoType type, const std::string& searchText) {
    if (TScriptInfoForm* open = WindowOf(type)) {
        open->Refresh();
        BringToFront(open);
        return open;
    }
    mWindows.erase(std::remove_if(mWindows.begin(), mWindows.end(), [](const auto& w) { return w.isNull(); }),
                   mWindows.end());
    auto* form = new TScriptInfoForm(type, searchText, mSource, mOpener);
    form->setAttribute(Qt::WA_DeleteOnClose);
    if (mArea) {
        QMdiSubWindow* sub = mArea->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(form->style()->standardIcon(QStyle::SP_FileDialogContentsView));
        // The area sizes a new child to its smallest; a listing wants room.
        sub->resize(480, 400);
    }
    mWindows.emplace_back(form);
    BringToFront(form);
    return form;
}

void ScriptInfoWindows::CloseAll() {
    for (TScriptInfoForm* form : OpenWindows()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
            sub->close();
        else
            form->close();
    }
}

void ScriptInfoWindows::BringToFront(TScriptInfoForm* form) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        if (sub->isMinimized()) sub->showNormal();
        sub->show();
        if (mArea) mArea->setActiveSubWindow(sub);
        sub->raise();
        return;
    }
    if (form->isMinimized()) form->showNormal();
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace kestrin
