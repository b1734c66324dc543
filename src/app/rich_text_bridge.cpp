// The rich-text model on a QTextDocument and back.

#include "app/rich_text_bridge.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <cmath>

#include "app/color_value.h"

namespace kestrin {

namespace {

// Unicode of the bytes 0x80..0x9F; the five bytes without a character keep
// their own code so they survive a round trip.
constexpr char16_t kWindowsHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The paragraph break inside a block that the model keeps as '\n'.
constexpr char16_t kLineSeparator = 0x2028;

QTextBlockFormat BlockFormat(ParagraphAlignment alignment) {
    QTextBlockFormat format;
    switch (alignment) {
    case ParagraphAlignment::Left: format.setAlignment(Qt::AlignLeft); break;
    case ParagraphAlignment::Center: format.setAlignment(Qt::AlignHCenter); break;
    case ParagraphAlignment::Right: format.setAlignment(Qt::AlignRight); break;
    case ParagraphAlignment::Justify: format.setAlignment(Qt::AlignJustify); break;
    }
    return format;
}

ParagraphAlignment AlignmentOf(const QTextBlockFormat& format) {
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignJustify) return ParagraphAlignment::Justify;
    if (horizontal & Qt::AlignHCenter) return ParagraphAlignment::Center;
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing)) {
        // Trailing is right only in a left-to-right layout.
        if ((horizontal & Qt::AlignRight) || format.layoutDirection() != Qt::RightToLeft)
            return ParagraphAlignment::Right;
    }
    return ParagraphAlignment::Left;
}

QTextListFormat BulletFormat() {
    QTextListFormat format;
    format.setStyle(QTextListFormat::ListDisc);
    format.setIndent(1);
    return format;
}

}  // namespace

QString FromWindowsText(const std::string& text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') result += QChar(kLineSeparator);
        else if (c >= 0x80 && c < 0xA0) result += QChar(kWindowsHigh[c - 0x80]);
        else result += QChar(c);
    }
    return result;
}

std::string ToWindowsText(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t code : text.toUcs4()) {
        if (code == kLineSeparator || code == QChar::ParagraphSeparator || code == '\n' || code == '\r') {
            result += '\n';
        } else if (code == QChar::ObjectReplacementCharacter) {
            // Pictures and other objects have no place in the model.
        } else if (code < 0x80 || (code >= 0xA0 && code < 0x100)) {
            result += static_cast<char>(code);
        } else {
            const auto* found = std::find(std::begin(kWindowsHigh), std::end(kWindowsHigh), code);
            result += found != std::end(kWindowsHigh) ? static_cast<char>(0x80 + (found - std::begin(kWindowsHigh)))
                                                      : '?';
        }
    }
    return result;
}

QTextCharFormat ToQtFormat(const TextFormat& format) {
    QTextCharFormat result;
    result.setFontFamilies(QStringList{FromWindowsText(format.FontName)});
    result.setFontPointSize(format.Size > 0 ? format.Size : kDefaultFontSize);
    result.setForeground(ToQColor(format.Color & 0xFFFFFF));
    result.setFontWeight(format.Bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.Italic);
    result.setFontUnderline(format.Underline);
    return result;
}

TextFormat FromQtFormat(const QTextCharFormat& format, const QTextDocument& document) {
    const QFont& defaultFont = document.defaultFont();
    TextFormat result;
    QString family;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty()) family = families.first();
    if (family.isEmpty()) family = defaultFont.family();
    result.FontName = ToWindowsText(family);

    double points = defaultFont.pointSizeF();
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        points = format.fontPointSize();
    } else if (format.hasProperty(QTextFormat::FontPixelSize)) {
        points = format.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    }
    if (!(points > 0)) points = kDefaultFontSize;
    // Sizes are kept in half points, within what the writer can store.
    result.Size = std::clamp(std::round(points * 2) / 2, 0.5, 1638.0);

    if (format.foreground().style() != Qt::NoBrush) result.Color = FromQColor(format.foreground().color());
    result.Bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                              : defaultFont.weight() >= QFont::DemiBold;
    result.Italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    result.Underline = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                               format.hasProperty(QTextFormat::FontUnderline)
                           ? format.fontUnderline()
                           : defaultFont.underline();
    return result;
}

void PutRichText(const CRichText& text, QTextDocument& document) {
    document.clear();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    QTextList* list = nullptr;
    bool first = true;
    for (const RichParagraph& paragraph : text.Paragraphs) {
        const QTextBlockFormat blockFormat = BlockFormat(paragraph.Alignment);
        const QTextCharFormat blockCharFormat =
            paragraph.Runs.empty() ? QTextCharFormat() : ToQtFormat(paragraph.Runs.front().Format);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(blockCharFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, blockCharFormat);
        }
        if (paragraph.Bullet) {
            // Neighbouring bullet paragraphs form one list.
            if (list) list->add(cursor.block());
            else list = cursor.createList(BulletFormat());
        } else {
            list = nullptr;
        }
        for (const TextRun& run : paragraph.Runs) {
            if (!run.Text.empty()) cursor.insertText(FromWindowsText(run.Text), ToQtFormat(run.Format));
        }
    }
    document.setUndoRedoEnabled(true);
    document.setModified(false);
}

CRichText TakeRichText(const QTextDocument& document) {
    CRichText result;
    if (document.blockCount() == 1 && document.firstBlock().length() <= 1) return result;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        RichParagraph paragraph;
        paragraph.Alignment = AlignmentOf(block.blockFormat());
        paragraph.Bullet = block.textList() != nullptr;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            std::string runText = ToWindowsText(fragment.text());
            if (runText.empty()) continue;
            paragraph.Runs.push_back({std::move(runText), FromQtFormat(fragment.charFormat(), document)});
        }
        result.Paragraphs.push_back(std::move(paragraph));
    }
    result.Normalize();
    return result;
}

}  // namespace kestrin
