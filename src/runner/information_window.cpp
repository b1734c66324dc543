// The game information window of the runner.

#include "runner/information_window.h"

#include <QPalette>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextListFormat>
#include <QVBoxLayout>

#include "resources/game_information.h"

namespace kestrin::runner {

namespace {

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A colour value with the high byte 0xFF names a system colour by its index.
bool IsSystemColor(std::int32_t value) { return (static_cast<std::uint32_t>(value) >> 24) == 0xFF; }

QColor ToColor(std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

// The palette's counterpart of a system colour; the information background
// (index 24) is the tooltip's.
QColor SystemColor(std::int32_t value, const QPalette& palette) {
    switch (static_cast<std::uint32_t>(value) & 0xFF) {
        case 24: return palette.color(QPalette::ToolTipBase);
        case 23: return palette.color(QPalette::ToolTipText);
        case 5: return palette.color(QPalette::Base);
        case 15: return palette.color(QPalette::Button);
        default: return palette.color(QPalette::Text);
    }
}

Qt::Alignment ToAlignment(ParagraphAlignment alignment) {
    switch (alignment) {
        case ParagraphAlignment::Center: return Qt::AlignHCenter;
        case ParagraphAlignment::Right: return Qt::AlignRight;
        case ParagraphAlignment::Justify: return Qt::AlignJustify;
        case ParagraphAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

}  // namespace

void FillDocument(const CRichText& text, QTextDocument& document) {
    document.clear();
    QTextCursor cursor(&document);
    QPalette palette;
    bool first = true;
    for (const auto& paragraph : text.Paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(ToAlignment(paragraph.Alignment));
        if (first) cursor.setBlockFormat(block);
        else cursor.insertBlock(block);
        first = false;
        if (paragraph.Bullet) {
            QTextListFormat list;
            list.setStyle(QTextListFormat::ListDisc);
            cursor.createList(list);
        }
        for (const auto& run : paragraph.Runs) {
            QTextCharFormat format;
            format.setFontFamilies({Latin1(run.Format.FontName)});
            if (run.Format.Size > 0) format.setFontPointSize(run.Format.Size);
            format.setFontWeight(run.Format.Bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.Format.Italic);
            format.setFontUnderline(run.Format.Underline);
            format.setForeground(IsSystemColor(run.Format.Color) ? SystemColor(run.Format.Color, palette)
                                                                 : ToColor(run.Format.Color));
            QString part = Latin1(run.Text);
            part.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
            cursor.insertText(part, format);
        }
    }
}

InformationWindow::InformationWindow(const CGameInformation& information, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Game Information"));
    resize(600, 400);
    auto* view = new QTextEdit(this);
    view->setReadOnly(true);
    FillDocument(information.Text, *view->document());
    QPalette palette = view->palette();
    QColor background = IsSystemColor(information.BackColor) ? SystemColor(information.BackColor, palette)
                                                              : ToColor(information.BackColor);
    palette.setColor(QPalette::Base, background);
    view->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

}  // namespace kestrin::runner
