// A line-based reader: one keyword per line with its words or "quoted texts",
// here-documents (<<END ... END) for code, and icon shape commands.

#include "library_source.h"

#include <charconv>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "icon_painter.h"

namespace kestrin::tools {

namespace {

const std::map<std::string, int> kKindNames = {
    {"normal", 0}, {"begin", 1},    {"end", 2},      {"else", 3},  {"exit", 4},   {"repeat", 5},
    {"variable", 6}, {"code", 7},   {"gap", 8},      {"unlisted", 9}, {"label", 10}};

const std::map<std::string, int> kInterfaceNames = {
    {"arguments", 0}, {"none", 1}, {"directions", 2}, {"code", 5}, {"text", 6}};

const std::map<std::string, int> kArgKindNames = {
    {"expression", 0}, {"string", 1}, {"both", 2},     {"boolean", 3}, {"menu", 4},    {"sprite", 5},
    {"sound", 6},      {"background", 7}, {"path", 8}, {"script", 9},  {"object", 10}, {"room", 11},
    {"datafile", 12},  {"colour", 13}, {"timeline", 14}, {"font", 15}};

const std::map<std::string, std::uint32_t> kColorNames = {
    {"black", 0x000000},   {"white", 0xFFFFFF},     {"grey", 0x909090},     {"darkgrey", 0x505050},
    {"lightgrey", 0xC8C8C8}, {"red", 0xE02020},     {"darkred", 0x901010},  {"green", 0x20B020},
    {"darkgreen", 0x106010}, {"blue", 0x2050E0},    {"darkblue", 0x102880}, {"lightblue", 0x80B0FF},
    {"yellow", 0xF0D000},  {"orange", 0xF08000},    {"brown", 0x905020},    {"purple", 0x8030B0},
    {"cyan", 0x10B0C0},    {"pink", 0xF080A0},      {"skin", 0xF0C090}};

struct Line {
    int number = 0;
    std::vector<std::string> words;
    std::string heredoc;  // the text of a here-document the line opened
};

class Reader {
public:
    Reader(const std::string& text, const std::string& fileName) : mFile(fileName) {
        std::istringstream in(text);
        std::string raw;
        while (std::getline(in, raw)) {
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            mRaw.push_back(raw);
        }
    }

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw SourceError(mFile + ":" + std::to_string(line) + ": " + message);
    }

    std::vector<Line> ReadAll() {
        std::vector<Line> lines;
        for (std::size_t i = 0; i < mRaw.size(); ++i) {
            Line line;
            line.number = static_cast<int>(i + 1);
            line.words = Split(mRaw[i], line.number);
            if (line.words.empty() || line.words[0][0] == '#') continue;
            const std::string& last = line.words.back();
            if (last.size() > 2 && last.compare(0, 2, "<<") == 0) {
                const std::string end = last.substr(2);
                line.words.pop_back();
                std::string body;
                bool closed = false;
                for (++i; i < mRaw.size(); ++i) {
                    if (Trim(mRaw[i]) == end) {
                        closed = true;
                        break;
                    }
                    if (!body.empty()) body += "\r\n";
                    body += mRaw[i];
                }
                if (!closed) Fail(line.number, "here-document not closed by " + end);
                line.heredoc = body;
            }
            lines.push_back(std::move(line));
        }
        return lines;
    }

private:
    static std::string Trim(const std::string& s) {
        const auto a = s.find_first_not_of(" \t");
        if (a == std::string::npos) return "";
        const auto b = s.find_last_not_of(" \t");
        return s.substr(a, b - a + 1);
    }

    std::vector<std::string> Split(const std::string& raw, int number) const {
        std::vector<std::string> words;
        std::size_t i = 0;
        while (i < raw.size()) {
            if (raw[i] == ' ' || raw[i] == '\t') {
                ++i;
                continue;
            }
            std::string word;
            if (raw[i] == '"') {
                ++i;
                bool closed = false;
                while (i < raw.size()) {
                    char c = raw[i++];
                    if (c == '"') {
                        closed = true;
                        break;
                    }
                    if (c == '\\') {
                        if (i >= raw.size()) break;
                        const char e = raw[i++];
                        c = e == 't' ? '\t' : e == 'r' ? '\r' : e == 'n' ? '\n' : e;
                    }
                    word += c;
                }
                if (!closed) Fail(number, "unclosed quote");
            } else {
                while (i < raw.size() && raw[i] != ' ' && raw[i] != '\t') word += raw[i++];
            }
            words.push_back(word);
        }
        return words;
    }

    std::string mFile;
    std::vector<std::string> mRaw;
};

class Compiler {
public:
    Compiler(Reader& reader, CActionLibrary& library) : mReader(reader), mLibrary(library) {}

    void Run(const std::vector<Line>& lines) {
        for (const Line& line : lines) {
            mLine = &line;
            const std::string& key = line.words[0];
            if (key == "action" || key == "label" || key == "gap") {
                Finish();
                StartDefinition(key);
            } else if (mDefinition) {
                DefinitionKey(key);
            } else {
                LibraryKey(key);
            }
        }
        Finish();
        if (!mHaveId) mReader.Fail(1, "the library needs an id");
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { mReader.Fail(mLine ? mLine->number : 0, message); }

    void Expect(std::size_t count) const {
        if (mLine->words.size() != count + 1)
            Fail(mLine->words[0] + " takes " + std::to_string(count) + " value(s)");
    }

    int Number(const std::string& word) const {
        try {
            std::size_t used = 0;
            const int value = std::stoi(word, &used);
            if (used == word.size()) return value;
        } catch (const std::exception&) {
        }
        Fail("not a number: " + word);
    }

    int Named(const std::map<std::string, int>& names, const std::string& word) const {
        const auto it = names.find(word);
        return it != names.end() ? it->second : Number(word);
    }

    bool Flag(const std::string& word) const {
        if (word == "true") return true;
        if (word == "false") return false;
        Fail("expected true or false: " + word);
    }

    std::uint32_t Colour(const std::string& word) const {
        std::uint32_t rgb = 0;
        const auto named = kColorNames.find(word);
        // A name, or "#" and exactly six hexadecimal digits.
        const bool hex = word.size() == 7 && word[0] == '#' &&
                         std::from_chars(word.data() + 1, word.data() + 7, rgb, 16).ptr == word.data() + 7;
        if (named != kColorNames.end())
            rgb = named->second;
        else if (!hex)
            Fail("unknown colour: " + word);
        if (rgb == kKeyColor) Fail("the see-through key colour cannot be drawn with");
        return rgb;
    }

    void LibraryKey(const std::string& key) {
        const auto& w = mLine->words;
        if (key == "caption") { Expect(1); mLibrary.Caption = w[1]; }
        else if (key == "id") { Expect(1); mLibrary.Id = Number(w[1]); mHaveId = true; }
        else if (key == "advanced") { Expect(0); mLibrary.Advanced = true; }
        else if (key == "author") { Expect(1); mLibrary.ExtraText1 = w[1]; }
        else if (key == "info") { Expect(1); mLibrary.ExtraText2 = w[1]; }
        else if (key == "code") { Expect(0); mLibrary.LibraryCode = mLine->heredoc; }
        else Fail("unknown library keyword: " + key);
    }

    void StartDefinition(const std::string& key) {
        const auto& w = mLine->words;
        mDefinition = &mLibrary.AddDefinition();
        mPainter = IconPainter();
        mArgLines = 0;
        mArgCountGiven = false;
        mNameGiven = false;
        if (key == "action") {
            Expect(1);
            mDefinition->Id = Number(w[1]);
        } else {
            // Gaps and labels take no id of their own; they are numbered from 900 up.
            mDefinition->Id = mNextSpareId++;
            if (key == "label") {
                Expect(1);
                mDefinition->Kind = kActionKindLabel;
                mDefinition->Name = w[1];
                mNameGiven = true;
            } else {
                Expect(0);
                mDefinition->Kind = kActionKindGap;
            }
            mDefinition->InterfaceKind = 1;
            mDefinition->CanApplyTo = false;
            mDefinition->CanBeRelative = false;
        }
        if (mDefinition->Id < 0 || mDefinition->Id >= 1000) Fail("action ids lie in 0 to 999");
        if (!mIds.insert(mDefinition->Id).second) Fail("action id used twice: " + std::to_string(mDefinition->Id));
        mDefinitionLine = mLine->number;
    }

    void DefinitionKey(const std::string& key) {
        const auto& w = mLine->words;
        CActionDefinition& d = *mDefinition;
        if (key == "name") { Expect(1); d.Name = w[1]; mNameGiven = true; }
        else if (key == "description") { Expect(1); d.Description = w[1]; }
        else if (key == "list") { Expect(1); d.ListText = w[1]; }
        else if (key == "hint") { Expect(1); d.HintText = w[1]; }
        else if (key == "kind") { Expect(1); d.Kind = Named(kKindNames, w[1]); }
        else if (key == "interface") { Expect(1); d.InterfaceKind = Named(kInterfaceNames, w[1]); }
        else if (key == "question") { Expect(0); d.IsQuestion = true; }
        else if (key == "hidden") { Expect(0); d.Hidden = true; }
        else if (key == "advanced") { Expect(0); d.Advanced = true; }
        else if (key == "noapply") { Expect(0); d.CanApplyTo = false; }
        else if (key == "norelative") { Expect(0); d.CanBeRelative = false; }
        else if (key == "argcount") { Expect(1); d.ArgCount = Number(w[1]); mArgCountGiven = true; }
        else if (key == "arg") Argument();
        else if (key == "exec") Exec();
        else if (key == "icon") Icon();
        else Fail("unknown action keyword: " + key);
    }

    void Argument() {
        const auto& w = mLine->words;
        if (w.size() != 4 && w.size() != 5) Fail("arg takes a caption, a kind, a default and maybe a menu");
        if (mArgLines >= kActionArgumentSlots) Fail("at most 8 arguments");
        const int slot = mArgLines++;
        CActionDefinition& d = *mDefinition;
        d.ArgCaption[slot] = w[1];
        d.ArgKind[slot] = Named(kArgKindNames, w[2]);
        d.ArgDefault[slot] = w[3];
        if (w.size() == 5) d.ArgMenu[slot] = w[4];
        if (d.ArgKind[slot] == kArgMenu) {
            if (w.size() != 5) Fail("a menu argument needs its items");
            int items = 1;
            for (char c : d.ArgMenu[slot]) items += c == '|';
            const int chosen = Number(w[3]);
            if (chosen < 0 || chosen >= items) Fail("the default is not an item of the menu");
        }
    }

    void Exec() {
        const auto& w = mLine->words;
        CActionDefinition& d = *mDefinition;
        if (w.size() == 2 && w[1] == "none") {
            d.ExecKind = 0;
        } else if (w.size() == 3 && w[1] == "function") {
            d.ExecKind = 1;
            d.ExecText1 = w[2];
        } else if (w.size() == 2 && w[1] == "code" && !mLine->heredoc.empty()) {
            d.ExecKind = 2;
            d.ExecText2 = mLine->heredoc;
        } else {
            Fail("exec takes none, function NAME or code <<END");
        }
    }

    void Icon() {
        const auto& w = mLine->words;
        if (w.size() < 2) Fail("icon needs a shape");
        const std::string& shape = w[1];
        auto n = [&](std::size_t i) { return Number(w[i]); };
        auto thick = [&](std::size_t at) { return w.size() > at ? Number(w[at]) : 1; };
        auto need = [&](std::size_t min, std::size_t max) {
            if (w.size() < min || w.size() > max) Fail("wrong number of values for icon " + shape);
        };
        if (shape == "rect") { need(7, 7); mPainter.Rect(n(2), n(3), n(4), n(5), Colour(w[6])); }
        else if (shape == "clear") { need(6, 6); mPainter.Rect(n(2), n(3), n(4), n(5), kKeyColor); }
        else if (shape == "frame") { need(7, 7); mPainter.Frame(n(2), n(3), n(4), n(5), Colour(w[6])); }
        else if (shape == "line") { need(7, 8); mPainter.Line(n(2), n(3), n(4), n(5), Colour(w[6]), thick(7)); }
        else if (shape == "arrow") { need(7, 8); mPainter.Arrow(n(2), n(3), n(4), n(5), Colour(w[6]), thick(7)); }
        else if (shape == "disc") { need(6, 6); mPainter.Disc(n(2), n(3), n(4), Colour(w[5])); }
        else if (shape == "ring") { need(6, 7); mPainter.Ring(n(2), n(3), n(4), Colour(w[5]), thick(6)); }
        else if (shape == "tri") { need(9, 9); mPainter.Triangle(n(2), n(3), n(4), n(5), n(6), n(7), Colour(w[8])); }
        else if (shape == "text") {
            need(6, 6);
            if (!mPainter.Text(n(2), n(3), w[5], Colour(w[4]))) Fail("the icon font lacks a character of " + w[5]);
        } else {
            Fail("unknown icon shape: " + shape);
        }
        mHasIcon = true;
    }

    void Finish() {
        if (!mDefinition) return;
        CActionDefinition& d = *mDefinition;
        const Line* const saved = mLine;
        Line at;
        at.number = mDefinitionLine;
        at.words = {"action"};
        mLine = &at;
        if (!mArgCountGiven) d.ArgCount = mArgLines;
        if (d.ArgCount < 0 || d.ArgCount > mArgLines) Fail("argcount exceeds the arguments given");
        // The argument dialog has six rows.
        if (d.ArgCount > 6) Fail("the argument dialog shows at most 6 arguments");
        const bool shown = d.Kind != kActionKindGap && d.Kind != kActionKindHidden && d.Kind != kActionKindLabel;
        if (shown) {
            if (d.Description.empty()) Fail("an action needs a description");
            if (!mNameGiven) d.Name = d.Description;
            if (!d.Hidden) {
                if (!mHasIcon || mPainter.Blank()) Fail("a shown action needs an icon");
                if (mPainter.At(0, kCanvasSize - 1) != kKeyColor)
                    Fail("the bottom-left pixel of an icon must stay see-through");
            }
            if (mHasIcon) d.Image = mPainter.ToBmp();
        } else if (mHasIcon) {
            Fail("gaps, labels and unlisted actions have no icon");
        }
        mDefinition = nullptr;
        mHasIcon = false;
        mLine = saved;
    }

    Reader& mReader;
    CActionLibrary& mLibrary;
    const Line* mLine = nullptr;
    CActionDefinition* mDefinition = nullptr;
    IconPainter mPainter;
    int mDefinitionLine = 0;
    int mArgLines = 0;
    bool mArgCountGiven = false;
    bool mNameGiven = false;
    bool mHasIcon = false;
    bool mHaveId = false;
    int mNextSpareId = 900;
    std::set<int> mIds;
};

}  // namespace

void ParseLibrarySource(const std::string& text, const std::string& fileName, CActionLibrary& library) {
    library.Clear();
    Reader reader(text, fileName);
    const std::vector<Line> lines = reader.ReadAll();
    Compiler compiler(reader, library);
    compiler.Run(lines);
}

}  // namespace kestrin::tools
