// Colouring blocks of a code edit control.

#include "code_editors/code_highlighter.h"

#include <QTextDocument>

#include "platform/preferences.h"

namespace kestrin {

namespace {

QColor ToColor(std::int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace

CodeHighlighter::CodeHighlighter(QTextDocument* document, const NameResolver& names)
    : QSyntaxHighlighter(document), mNames(&names), mColors(Prefs().Colors) {}

void CodeHighlighter::SetEnabled(bool enabled) {
    if (enabled == mEnabled) return;
    mEnabled = enabled;
    rehighlight();
}

void CodeHighlighter::SetColors(const ColorTable& colors) {
    if (colors == mColors) return;
    mColors = colors;
    if (mEnabled) rehighlight();
}

void CodeHighlighter::SetNames(const NameResolver& names) {
    mNames = &names;
    if (mEnabled) rehighlight();
}

void CodeHighlighter::highlightBlock(const QString& text) {
    mLine.resize(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        mLine[static_cast<std::size_t>(i)] = c <= 0xFF ? static_cast<char>(c) : '?';
    }
    const bool starts = previousBlockState() == kBlockEndsInComment;
    const bool ends = ColorCode_Classify(mLine, starts, *mNames, mClasses);
    setCurrentBlockState(ends ? kBlockEndsInComment : 0);
    if (!mEnabled) return;
    for (const ColorRun& run : ColorCode_Runs(mClasses, mColors)) {
        if (run.color == 0 && !run.bold && !run.italic) continue;  // as the text is drawn anyway
        QTextCharFormat format;
        format.setForeground(ToColor(run.color));
        if (run.bold) format.setFontWeight(QFont::Bold);
        if (run.italic) format.setFontItalic(true);
        setFormat(run.start, run.length, format);
    }
}

}  // namespace kestrin
