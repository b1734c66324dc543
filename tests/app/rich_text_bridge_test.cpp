// The rich-text model on a QTextDocument and back, and through our RTF.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "app/color_value.h"
#include "app/rich_text_bridge.h"
#include "resources/rtf_reader.h"
#include "resources/rtf_writer.h"

namespace kestrin {
namespace {

TextFormat Format(const char* font, double size, std::int32_t color, bool bold, bool italic, bool underline) {
    TextFormat format;
    format.FontName = font;
    format.Size = size;
    format.Color = color;
    format.Bold = bold;
    format.Italic = italic;
    format.Underline = underline;
    return format;
}

// Every feature of the model: fonts, half-point sizes, colours, the three
// styles, four alignments, bullets next to each other and apart, tabs, line
// breaks, 8-bit characters, empty paragraphs.
CRichText Sample() {
    CRichText text;
    const TextFormat plain;
    const TextFormat title = Format("Times New Roman", 20, 0x0000FF, true, false, false);
    const TextFormat fancy = Format("Courier New", 10.5, 0x123456, false, true, true);
    text.Paragraphs.push_back({ParagraphAlignment::Center, false, {{"My Game", title}}});
    text.Paragraphs.push_back({ParagraphAlignment::Left, false, {}});
    text.Paragraphs.push_back(
        {ParagraphAlignment::Justify, false, {{"Use\tthe ", plain}, {"arrow keys", fancy}, {"\nto move.", plain}}});
    text.Paragraphs.push_back({ParagraphAlignment::Left, true, {{"first \x93quoted\x94", plain}}});
    text.Paragraphs.push_back({ParagraphAlignment::Right, true, {{"caf\xe9 \x80 \x95", fancy}}});
    text.Paragraphs.push_back({ParagraphAlignment::Left, false, {{"between", plain}}});
    text.Paragraphs.push_back({ParagraphAlignment::Left, true, {{"alone", title}}});
    return text;
}

TEST(RichTextBridge, ModelComesBackFromTheDocumentUnchanged) {
    const CRichText sample = Sample();
    QTextDocument document;
    PutRichText(sample, document);
    EXPECT_EQ(document.blockCount(), 7);
    EXPECT_TRUE(TakeRichText(document) == sample);

    // What Qt shows: the list structure and the formats.
    const QTextBlock title = document.firstBlock();
    EXPECT_EQ(title.text(), QStringLiteral("My Game"));
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat titleFormat = title.begin().fragment().charFormat();
    EXPECT_EQ(titleFormat.fontWeight(), QFont::Bold);
    EXPECT_EQ(titleFormat.fontPointSize(), 20.0);
    EXPECT_EQ(titleFormat.foreground().color(), QColor(255, 0, 0));
    const QTextBlock bullet1 = document.findBlockByNumber(3), bullet2 = document.findBlockByNumber(4);
    ASSERT_NE(bullet1.textList(), nullptr);
    EXPECT_EQ(bullet1.textList(), bullet2.textList());
    EXPECT_EQ(document.findBlockByNumber(5).textList(), nullptr);
    EXPECT_NE(document.findBlockByNumber(6).textList(), bullet1.textList());
    EXPECT_EQ(bullet2.text(), QString::fromUtf8("caf\u00e9 \u20ac \u2022"));
    EXPECT_EQ(bullet1.text(), QString::fromUtf8("first \u201cquoted\u201d"));

    // And the same through our RTF.
    EXPECT_TRUE(ReadRtf(WriteRtf(TakeRichText(document))) == sample);
}

TEST(RichTextBridge, EmptyDocumentAndWhatQtBringsIn) {
    QTextDocument document;
    EXPECT_TRUE(TakeRichText(document).Empty());
    PutRichText(CRichText(), document);
    EXPECT_TRUE(TakeRichText(document).Empty());

    // Text typed without a format takes the document's default font; what
    // has no 8-bit character becomes '?', pasted pictures vanish.
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
    QTextCursor cursor(&document);
    cursor.insertText(QString::fromUtf8("a\u4e2db"));
    cursor.insertImage(QImage(2, 2, QImage::Format_RGB32));
    cursor.insertHtml(QStringLiteral("<b>bold</b><span style=\"font-size:16px\">px</span>"));
    const CRichText text = TakeRichText(document);
    ASSERT_EQ(text.Paragraphs.size(), 1u);
    const auto& runs = text.Paragraphs[0].Runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].Text, "a?b");
    EXPECT_TRUE(runs[0].Format == TextFormat{});
    EXPECT_EQ(runs[1].Text, "bold");
    EXPECT_TRUE(runs[1].Format.Bold);
    EXPECT_EQ(runs[2].Text, "px");
    EXPECT_EQ(runs[2].Format.Size, 12.0);  // 16 pixels at 96 per inch
}

TEST(RichTextBridge, SystemColoursShowAsThePalette) {
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(FromQColor(QColor(255, 0, 0).toHsv()), 0x0000FF);  // a chooser may answer in HSV
    // The information background is a palette colour, not black.
    EXPECT_EQ(ToQColor(static_cast<std::int32_t>(0xFF000018u)),
              QGuiApplication::palette().color(QPalette::ToolTipBase));
}

}  // namespace
}  // namespace kestrin
