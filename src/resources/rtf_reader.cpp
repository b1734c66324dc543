// The RTF reader: a single pass over control words, control symbols, groups
// and text, with a stack of character states per group.

#include "resources/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrin {

namespace {

enum class Destination {
    Text,        // visible text
    Skip,        // everything up to the end of the group is dropped
    FontTable,
    ColorTable,
    ListMarker,  // an old-style paragraph numbering group: only the bullet matters
};

// Character state; fonts and colours stay indices until text is emitted, since
// the tables are complete by then.
struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;  // -1: the default font
    int fontSizeHalfPoints = 24;
    int color = 0;  // 0: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    int unicodeSkip = 1;
    int fontEntry = -1;  // in the font table: the number of the font being named
};

struct ParagraphState {
    ParagraphAlignment alignment = ParagraphAlignment::Left;
    bool bullet = false;
};

// Destinations whose content is never text.
constexpr std::array<std::string_view, 62> kSkippedDestinations = {
    "annotation", "atnauthor", "atndate", "atnid", "atnref", "author", "background", "bkmkend",
    "bkmkstart", "buptim", "colorschememapping", "comment", "creatim", "datastore", "datafield",
    "doccomm", "docvar", "factoidname", "falt", "fldinst", "footer", "footerf", "footerl", "footerr",
    "footnote", "ftncn", "ftnsep", "ftnsepc", "generator", "header", "headerf", "headerl", "headerr",
    "info", "keywords", "latentstyles", "listoverridetable", "listtable", "listtext", "nonshppict",
    "object", "objdata", "operator", "panose", "pgdsctbl", "pict", "pntext", "pntxta", "pntxtb",
    "printim", "private", "revtbl", "rsidtbl", "shp", "shpinst", "stylesheet", "subject", "template",
    "themedata", "title", "xmlnstbl", "userprops"};

bool IsSkippedDestination(std::string_view word) {
    return std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word) != kSkippedDestinations.end();
}

// A Unicode character as an 8-bit (Windows Western) character.
char FromUnicode(int code) {
    struct Pair {
        int unicode;
        unsigned char byte;
    };
    static constexpr Pair kHigh[] = {
        {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
        {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
        {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
        {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
        {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F}};
    if (code >= 0 && code < 256) return static_cast<char>(code);
    for (const Pair& pair : kHigh) {
        if (pair.unicode == code) return static_cast<char>(pair.byte);
    }
    return '?';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : mInput(rtf) {}

    CRichText Read() {
        while (mPosition < mInput.size() && !mFinished) {
            char c = mInput[mPosition++];
            switch (c) {
                case '{': OpenGroup(); break;
                case '}': CloseGroup(); break;
                case '\\': ControlSequence(); break;
                case '\r':
                case '\n': break;
                default: Character(c); break;
            }
        }
        // Text after the last paragraph mark still forms a paragraph.
        if (!mParagraph.Runs.empty()) EndParagraph();
        mDocument.Normalize();
        return std::move(mDocument);
    }

private:
    GroupState& State() { return mStack.back(); }

    void OpenGroup() {
        mSkipCount = 0;
        mIgnorableNext = false;
        // Deeper groups share the state of the deepest one kept, so that a
        // flood of braces cannot use up memory.
        if (mStack.size() >= kMaxDepth) {
            ++mExcessDepth;
            return;
        }
        mStack.push_back(mStack.back());
    }

    void CloseGroup() {
        mSkipCount = 0;
        mIgnorableNext = false;
        if (mExcessDepth > 0) {
            --mExcessDepth;
            return;
        }
        if (State().destination == Destination::FontTable && State().fontEntry >= 0) FinishFontName();
        if (mStack.size() <= 2) {
            // The document's own group has ended; anything after it is not RTF.
            mFinished = mStack.size() == 2;
            if (mStack.size() == 2) mStack.pop_back();
            return;
        }
        mStack.pop_back();
    }

    void ControlSequence() {
        if (mPosition >= mInput.size()) return;
        char c = mInput[mPosition];
        if (!IsLetter(c)) {
            ++mPosition;
            ControlSymbol(c);
            return;
        }
        std::string word;
        while (mPosition < mInput.size() && IsLetter(mInput[mPosition])) {
            if (word.size() < 32) word += mInput[mPosition];
            ++mPosition;
        }
        std::optional<int> parameter;
        bool negative = false;
        if (mPosition < mInput.size() && mInput[mPosition] == '-' && mPosition + 1 < mInput.size() &&
            IsDigit(mInput[mPosition + 1])) {
            negative = true;
            ++mPosition;
        }
        if (mPosition < mInput.size() && IsDigit(mInput[mPosition])) {
            std::int64_t value = 0;
            while (mPosition < mInput.size() && IsDigit(mInput[mPosition])) {
                value = std::min<std::int64_t>(value * 10 + (mInput[mPosition] - '0'), 0x7FFFFFFF);
                ++mPosition;
            }
            parameter = static_cast<int>(negative ? -value : value);
        }
        if (mPosition < mInput.size() && mInput[mPosition] == ' ') ++mPosition;
        ControlWord(word, parameter);
    }

    void ControlSymbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}': Character(c); break;
            case '~': Character('\xA0'); break;
            case '_': Character('-'); break;
            case '-': break;  // optional hyphen
            case '*': mIgnorableNext = true; break;
            case '\'': {
                int high = mPosition < mInput.size() ? HexValue(mInput[mPosition]) : -1;
                int low = mPosition + 1 < mInput.size() ? HexValue(mInput[mPosition + 1]) : -1;
                if (high < 0 || low < 0) return;  // a broken escape gives nothing
                mPosition += 2;
                Character(static_cast<char>(high * 16 + low));
                break;
            }
            case '\r':
            case '\n': ControlWord("par", std::nullopt); break;
            default: break;
        }
    }

    void ControlWord(const std::string& word, std::optional<int> parameter) {
        GroupState& state = State();
        const bool ignorable = mIgnorableNext;
        mIgnorableNext = false;
        if (word == "bin") {
            // Raw bytes follow; they are never text.
            std::size_t count = static_cast<std::size_t>(std::max(0, parameter.value_or(0)));
            mPosition += std::min(count, mInput.size() - mPosition);
            return;
        }
        if (state.destination == Destination::Skip) return;
        if (mSkipCount > 0) {
            // A control word stands for one fallback character after \u.
            --mSkipCount;
            return;
        }
        const int value = parameter.value_or(1);

        if (state.destination == Destination::ListMarker) {
            if (word == "pnlvlblt" || word == "pnlvlbody") mParagraphState.bullet = true;
            if (word == "pntxtb" || word == "pntxta") state.destination = Destination::Skip;
            return;
        }
        if (word == "fonttbl") { state.destination = Destination::FontTable; return; }
        if (word == "colortbl") {
            state.destination = Destination::ColorTable;
            mColorStarted = false;
            return;
        }
        if (word == "pn") { state.destination = Destination::ListMarker; return; }
        if (IsSkippedDestination(word) || ignorable) {
            state.destination = Destination::Skip;
            return;
        }
        if (state.destination == Destination::FontTable) {
            if (word == "f") {
                if (state.fontEntry >= 0) FinishFontName();
                state.fontEntry = value;
                mFontName.clear();
            }
            return;
        }
        if (state.destination == Destination::ColorTable) {
            int component = std::clamp(value, 0, 255);
            if (word == "red") mColor = (mColor & ~0xFF) | component;
            else if (word == "green") mColor = (mColor & ~0xFF00) | (component << 8);
            else if (word == "blue") mColor = (mColor & ~0xFF0000) | (component << 16);
            else return;
            mColorStarted = true;
            return;
        }

        // Character formatting.
        if (word == "plain") {
            int skip = state.unicodeSkip;
            Destination destination = state.destination;
            state = GroupState{};
            state.destination = destination;
            state.unicodeSkip = skip;
        } else if (word == "b") state.bold = value != 0;
        else if (word == "i") state.italic = value != 0;
        else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulth" || word == "ulw" ||
                 word == "uldash") state.underline = value != 0;
        else if (word == "ulnone") state.underline = false;
        else if (word == "v") state.hidden = value != 0;
        else if (word == "f") state.font = value;
        else if (word == "fs") state.fontSizeHalfPoints = value > 0 ? std::min(value, 3276) : 24;
        else if (word == "cf") state.color = std::max(0, value);
        else if (word == "deff") mDefaultFont = value;
        else if (word == "uc") state.unicodeSkip = std::clamp(value, 0, 10);
        else if (word == "u") {
            int code = parameter.value_or(0);
            if (code < 0) code += 65536;
            Character(FromUnicode(code));
            mSkipCount = state.unicodeSkip;
        }
        // Paragraphs.
        else if (word == "par") EndParagraph();
        else if (word == "pard") mParagraphState = ParagraphState{};
        else if (word == "ql") mParagraphState.alignment = ParagraphAlignment::Left;
        else if (word == "qc") mParagraphState.alignment = ParagraphAlignment::Center;
        else if (word == "qr") mParagraphState.alignment = ParagraphAlignment::Right;
        else if (word == "qj" || word == "qd") mParagraphState.alignment = ParagraphAlignment::Justify;
        else if (word == "ls") mParagraphState.bullet = value > 0;
        else if (word == "row") EndParagraph();
        // Special characters.
        else if (word == "line") Character('\n');
        else if (word == "tab" || word == "cell") Character('\t');
        else if (word == "bullet") Character('\x95');
        else if (word == "emdash") Character('\x97');
        else if (word == "endash") Character('\x96');
        else if (word == "lquote") Character('\x91');
        else if (word == "rquote") Character('\x92');
        else if (word == "ldblquote") Character('\x93');
        else if (word == "rdblquote") Character('\x94');
        else if (word == "emspace" || word == "enspace" || word == "qmspace") Character(' ');
    }

    void Character(char c) {
        GroupState& state = State();
        if (mSkipCount > 0) {
            --mSkipCount;
            return;
        }
        switch (state.destination) {
            case Destination::Text: break;
            case Destination::FontTable:
                if (c == ';') {
                    FinishFontName();
                } else if (mFontName.size() < 256) {
                    mFontName += c;
                }
                return;
            case Destination::ColorTable:
                if (c == ';') {
                    mColors.push_back(mColorStarted ? mColor : -1);
                    mColor = 0;
                    mColorStarted = false;
                }
                return;
            default: return;
        }
        if (state.hidden) return;
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') return;
        TextFormat format = CurrentFormat();
        if (mParagraph.Runs.empty() || !(mParagraph.Runs.back().Format == format)) {
            mParagraph.Runs.push_back({std::string(), std::move(format)});
        }
        mParagraph.Runs.back().Text += c;
    }

    TextFormat CurrentFormat() {
        const GroupState& state = State();
        TextFormat format;
        int font = state.font >= 0 ? state.font : mDefaultFont;
        if (auto found = mFonts.find(font); found != mFonts.end()) format.FontName = found->second;
        format.Size = state.fontSizeHalfPoints / 2.0;
        // Entry 0 and entries without components are the automatic colour.
        if (state.color > 0 && static_cast<std::size_t>(state.color) < mColors.size() && mColors[state.color] >= 0) {
            format.Color = mColors[state.color];
        }
        format.Bold = state.bold;
        format.Italic = state.italic;
        format.Underline = state.underline;
        return format;
    }

    void FinishFontName() {
        GroupState& state = State();
        std::string name = mFontName;
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
        std::size_t first = name.find_first_not_of(" \t");
        name = first == std::string::npos ? std::string() : name.substr(first);
        if (state.fontEntry >= 0 && !name.empty() && !mFonts.count(state.fontEntry)) mFonts[state.fontEntry] = name;
        mFontName.clear();
        state.fontEntry = -1;
    }

    void EndParagraph() {
        if (State().destination != Destination::Text) return;
        mParagraph.Alignment = mParagraphState.alignment;
        mParagraph.Bullet = mParagraphState.bullet;
        mDocument.Paragraphs.push_back(std::move(mParagraph));
        mParagraph = RichParagraph{};
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    std::string_view mInput;
    std::size_t mPosition = 0;
    // The bottom entry stands outside every group, so the stack is never empty.
    std::vector<GroupState> mStack{GroupState{}};
    static constexpr std::size_t kMaxDepth = 1000;
    std::size_t mExcessDepth = 0;
    bool mFinished = false;
    bool mIgnorableNext = false;
    int mSkipCount = 0;
    int mDefaultFont = 0;
    std::map<int, std::string> mFonts;
    std::string mFontName;
    std::vector<std::int32_t> mColors;  // -1: automatic
    std::int32_t mColor = 0;
    bool mColorStarted = false;
    ParagraphState mParagraphState;
    RichParagraph mParagraph;
    CRichText mDocument;
};

bool LooksLikeRtf(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && text.substr(start, 5) == "{\\rtf";
}

}  // namespace

CRichText ReadRtf(std::string_view rtf) {
    if (!LooksLikeRtf(rtf)) return CRichText::FromPlainText(std::string(rtf));
    return RtfReader(rtf).Read();
}

}  // namespace kestrin
