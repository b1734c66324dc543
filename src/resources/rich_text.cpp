// Plain-text views of a rich-text document and its normal form.

#include "resources/rich_text.h"

namespace kestrin {

std::string RichParagraph::PlainText() const {
    std::string text;
    for (const TextRun& run : Runs) text += run.Text;
    return text;
}

std::string CRichText::PlainText() const {
    std::string text;
    for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += Paragraphs[i].PlainText();
    }
    return text;
}

CRichText CRichText::FromPlainText(const std::string& text, const TextFormat& format) {
    CRichText document;
    if (text.empty()) return document;
    std::string line;
    auto endLine = [&] {
        RichParagraph paragraph;
        if (!line.empty()) paragraph.Runs.push_back({line, format});
        document.Paragraphs.push_back(std::move(paragraph));
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endLine();
        } else {
            line += c;
        }
    }
    // A final line break adds no empty paragraph.
    if (!line.empty()) endLine();
    return document;
}

void CRichText::Normalize() {
    for (RichParagraph& paragraph : Paragraphs) {
        std::vector<TextRun> runs;
        for (TextRun& run : paragraph.Runs) {
            if (run.Text.empty()) continue;
            if (!runs.empty() && runs.back().Format == run.Format) {
                runs.back().Text += run.Text;
            } else {
                runs.push_back(std::move(run));
            }
        }
        paragraph.Runs = std::move(runs);
    }
}

}  // namespace kestrin
