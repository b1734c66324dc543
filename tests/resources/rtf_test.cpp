// The rich-text model against its RTF reader and writer: round trips of
// formatted text, documents written by other programs, and broken input.

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/random_source.h"
#include "resources/rtf_reader.h"
#include "resources/rtf_writer.h"

namespace kestrin {
namespace {

TextFormat Format(std::string font, double size, std::int32_t color, bool bold = false, bool italic = false,
                  bool underline = false) {
    return TextFormat{std::move(font), size, color, bold, italic, underline};
}

RichParagraph Paragraph(std::vector<TextRun> runs, ParagraphAlignment alignment = ParagraphAlignment::Left,
                        bool bullet = false) {
    return RichParagraph{alignment, bullet, std::move(runs)};
}

std::string Sample(const std::string& name) { return ReadFileText(std::string(KESTRIN_TEST_DATA) + "/" + name); }

struct RoundTripCase {
    const char* name;
    CRichText document;
};

std::vector<RoundTripCase> RoundTripCases() {
    const TextFormat plain;
    return {
        {"empty", CRichText{}},
        {"one plain line", CRichText{{Paragraph({{"Hello, world", plain}})}}},
        {"styles and colours",
         CRichText{{Paragraph({{"bold ", Format("Arial", 12, 0, true)},
                               {"italic red ", Format("Arial", 12, 0x0000FF, false, true)},
                               {"underlined blue", Format("Arial", 12, 0xFF0000, false, false, true)},
                               {" all three", Format("Arial", 12, 0x123456, true, true, true)}})}}},
        {"fonts and sizes",
         CRichText{{Paragraph({{"big", Format("Times New Roman", 28, 0)},
                               {"half", Format("Courier New", 10.5, 0)},
                               {"tiny", Format("Arial", 0.5, 0)}})}}},
        {"alignments and bullets",
         CRichText{{Paragraph({{"left", plain}}, ParagraphAlignment::Left),
                    Paragraph({{"centre", plain}}, ParagraphAlignment::Center),
                    Paragraph({{"right", plain}}, ParagraphAlignment::Right, true),
                    Paragraph({{"justified", plain}}, ParagraphAlignment::Justify, true),
                    Paragraph({{"plain again", plain}})}}},
        {"empty paragraphs keep their place",
         CRichText{{Paragraph({}), Paragraph({{"middle", plain}}, ParagraphAlignment::Center), Paragraph({}),
                    Paragraph({}, ParagraphAlignment::Right, true)}}},
        {"characters that RTF escapes",
         CRichText{{Paragraph({{"a\\b{c}d\te\nf \xE9\xFC\x80\x95 ;:", plain},
                               {" {font}", Format("Odd;Name", 12, 0)}})}}},
    };
}

TEST(RtfTest, FormattedTextSurvivesARoundTrip) {
    for (RoundTripCase& test : RoundTripCases()) {
        const std::string rtf = WriteRtf(test.document);
        CRichText read = ReadRtf(rtf);
        CRichText expected = test.document;
        // Font names cannot hold the table separator.
        for (RichParagraph& paragraph : expected.Paragraphs) {
            for (TextRun& run : paragraph.Runs) {
                if (run.Format.FontName == "Odd;Name") run.Format.FontName = "OddName";
            }
        }
        EXPECT_EQ(read, expected) << test.name << "\n" << rtf;
    }
}

TEST(RtfTest, WrittenRtfIsPlainAsciiWithBalancedGroups) {
    for (RoundTripCase& test : RoundTripCases()) {
        const std::string rtf = WriteRtf(test.document);
        EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u) << test.name;
        int depth = 0;
        bool ended = false;
        for (std::size_t i = 0; i < rtf.size(); ++i) {
            const auto c = static_cast<unsigned char>(rtf[i]);
            ASSERT_LT(c, 0x80) << test.name;
            ASSERT_FALSE(ended && c != '\r' && c != '\n') << test.name << ": text after the document";
            if (c == '\\') {
                ++i;  // an escaped brace or backslash
            } else if (c == '{') {
                ++depth;
            } else if (c == '}') {
                ASSERT_GT(depth, 0) << test.name;
                ended = --depth == 0;
            }
        }
        EXPECT_TRUE(ended) << test.name;
    }
}

TEST(RtfTest, ReadsAWordPadDocument) {
    const CRichText document = ReadRtf(Sample("wordpad_sample.rtf"));
    ASSERT_EQ(document.Paragraphs.size(), 5u);
    const auto& title = document.Paragraphs[0];
    EXPECT_EQ(title.Alignment, ParagraphAlignment::Center);
    ASSERT_EQ(title.Runs.size(), 1u);
    EXPECT_EQ(title.Runs[0], (TextRun{"My Game", Format("Arial", 16, 0, true)}));

    const auto& colours = document.Paragraphs[1];
    EXPECT_EQ(colours.Alignment, ParagraphAlignment::Left);
    ASSERT_EQ(colours.Runs.size(), 5u);
    EXPECT_EQ(colours.Runs[0], (TextRun{"Red ", Format("Arial", 10, 0x0000FF)}));
    EXPECT_EQ(colours.Runs[1], (TextRun{"blue", Format("Arial", 10, 0xFF0000, false, true)}));
    EXPECT_EQ(colours.Runs[2], (TextRun{" and ", Format("Arial", 10, 0)}));
    EXPECT_EQ(colours.Runs[3], (TextRun{"underlined", Format("Arial", 10, 0, false, false, true)}));
    EXPECT_EQ(colours.Runs[4].Text, ".");

    for (int i : {2, 3}) {
        EXPECT_TRUE(document.Paragraphs[i].Bullet) << i;
        ASSERT_EQ(document.Paragraphs[i].Runs.size(), 1u);
        EXPECT_EQ(document.Paragraphs[i].Runs[0].Format.FontName, "Times New Roman");
    }
    EXPECT_EQ(document.Paragraphs[2].PlainText(), "First point");
    EXPECT_EQ(document.Paragraphs[3].PlainText(), "Second point");
    // The picture is dropped, the text around it stays.
    EXPECT_EQ(document.Paragraphs[4].Alignment, ParagraphAlignment::Right);
    EXPECT_FALSE(document.Paragraphs[4].Bullet);
    EXPECT_EQ(document.Paragraphs[4].PlainText(), "Caf\xE9 done");
}

TEST(RtfTest, ReadsAWordDocument) {
    const CRichText document = ReadRtf(Sample("word_sample.rtf"));
    ASSERT_EQ(document.Paragraphs.size(), 4u) << document.PlainText();
    EXPECT_EQ(document.Paragraphs[0].Alignment, ParagraphAlignment::Center);
    ASSERT_EQ(document.Paragraphs[0].Runs.size(), 1u);
    EXPECT_EQ(document.Paragraphs[0].Runs[0], (TextRun{"Title line", Format("Calibri", 14, 0, true)}));
    // Unicode with its fallback, and a field of which only the result counts.
    EXPECT_EQ(document.Paragraphs[1].PlainText(), "Price: 5\x80 \x93quoted\x94 a link.");
    const TextRun& link = document.Paragraphs[1].Runs[1];
    EXPECT_EQ(link.Text, "a link");
    EXPECT_EQ(link.Format.Color, 0xFF0000);
    EXPECT_TRUE(link.Format.Underline);
    // A list item of a list table is a bullet; its list text is not content.
    EXPECT_TRUE(document.Paragraphs[2].Bullet);
    ASSERT_EQ(document.Paragraphs[2].Runs.size(), 1u);
    EXPECT_EQ(document.Paragraphs[2].Runs[0], (TextRun{"green item", Format("Calibri", 11, 0x008000, false, true)}));
    EXPECT_EQ(document.Paragraphs[3].Alignment, ParagraphAlignment::Justify);
    EXPECT_FALSE(document.Paragraphs[3].Bullet);
    EXPECT_EQ(document.Paragraphs[3].PlainText(), "Hidden end\tx");
    EXPECT_EQ(document.Paragraphs[3].Runs[0].Format.FontName, "Times New Roman");
}

TEST(RtfTest, ReadsALibreOfficeDocument) {
    const CRichText document = ReadRtf(Sample("libreoffice_sample.rtf"));
    ASSERT_EQ(document.Paragraphs.size(), 3u) << document.PlainText();
    EXPECT_EQ(document.Paragraphs[0].Alignment, ParagraphAlignment::Right);
    ASSERT_EQ(document.Paragraphs[0].Runs.size(), 1u);
    EXPECT_EQ(document.Paragraphs[0].Runs[0],
              (TextRun{"Right and red", Format("Liberation Sans", 12, 201 | (33 << 8) | (30 << 16), true)}));
    EXPECT_EQ(document.Paragraphs[1].PlainText(), "Na\xEFve text with {braces} and a backslash \\.");
    EXPECT_EQ(document.Paragraphs[1].Runs[0].Format.FontName, "Liberation Serif");
    ASSERT_EQ(document.Paragraphs[2].Runs.size(), 2u);
    EXPECT_EQ(document.Paragraphs[2].Runs[0], (TextRun{"Small ", Format("Liberation Serif", 10.5, 0)}));
    EXPECT_EQ(document.Paragraphs[2].Runs[1], (TextRun{"italic", Format("Liberation Serif", 10.5, 0, false, true)}));
}

TEST(RtfTest, TextThatIsNotRtfIsReadAsPlainLines) {
    const CRichText document = ReadRtf("first\r\nsecond\n\nfourth\r\n");
    ASSERT_EQ(document.Paragraphs.size(), 4u);
    EXPECT_EQ(document.PlainText(), "first\r\nsecond\r\n\r\nfourth");
    EXPECT_EQ(document.Paragraphs[0].Runs[0].Format, TextFormat{});
    EXPECT_TRUE(ReadRtf("").Empty());
}

TEST(RtfTest, BrokenRtfNeverCrashes) {
    std::vector<std::string> inputs = {Sample("wordpad_sample.rtf"), Sample("word_sample.rtf"),
                                       Sample("libreoffice_sample.rtf"),
                                       WriteRtf(RoundTripCases()[4].document)};
    RandomSource random(20261209);
    const std::string specials = "{}\\'*;0123456789-abuc ";
    for (int round = 0; round < 2000; ++round) {
        std::string text = inputs[random.Next(static_cast<int>(inputs.size()))];
        const int edits = 1 + random.Next(8);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = static_cast<std::size_t>(random.Next(static_cast<int>(text.size())));
            switch (random.Next(4)) {
                case 0: text.resize(at); break;
                case 1: text[at] = static_cast<char>(random.NextByte()); break;
                case 2: text.insert(at, 1, specials[random.Next(static_cast<int>(specials.size()))]); break;
                default: text.erase(at, 1 + random.Next(20)); break;
            }
        }
        CRichText document = ReadRtf(text);
        for (const RichParagraph& paragraph : document.Paragraphs) {
            for (const TextRun& run : paragraph.Runs) ASSERT_FALSE(run.Text.empty());
        }
    }
    // Extremes no word processor writes.
    const std::string extremes[] = {
        "{\\rtf1 " + std::string(200000, '{') + "deep" + std::string(5, '}'),
        "{\\rtf1 \\fs99999999999999 \\u-99999999999 \\uc99999 \\cf77777777 x\\f-5 y}",
        "{\\rtf1 \\bin999999999 abc}",
        "{\\rtf1 \\" + std::string(100000, 'a') + "1 tail}",
        "{\\rtf1 \\'", "{\\rtf1 \\'4", "{\\rtf1 \\u", "{\\rtf1 {\\fonttbl{\\f0 Arial",
        "{\\rtf1 {\\colortbl \\red300\\green-4;} \\cf1 x}", "}}}}{\\rtf1 x", "{\\rtf1 x}}}} trailing {\\b y}",
    };
    for (const std::string& text : extremes) {
        CRichText document = ReadRtf(text);
        (void)document;
    }
    EXPECT_EQ(ReadRtf("{\\rtf1 {\\colortbl ;\\red300\\green-4;} \\cf1 x}").Paragraphs.at(0).Runs.back().Format.Color,
              255);
    EXPECT_EQ(ReadRtf("{\\rtf1 x}}}} trailing {\\b y}").PlainText(), "x");
    EXPECT_EQ(ReadRtf("{\\rtf1 \\'4").PlainText(), "4");
    // Braces nested beyond any real document still pair up.
    EXPECT_EQ(ReadRtf("{\\rtf1 " + std::string(5000, '{') + "a" + std::string(5000, '}') + "b} c").PlainText(), "ab");
}

}  // namespace
}  // namespace kestrin
