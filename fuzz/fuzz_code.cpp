// Code text through the tokenizer, the checker and the colouring engine,
// against a game with one resource of a few kinds and one constant, so
// names resolve to every kind of token. The colouring goes line by line as
// the editor does, carrying the block comment state.

#include <algorithm>
#include <string_view>
#include <vector>

#include "language/checker.h"
#include "language/color_code.h"
#include "language/language_startup.h"
#include "language/tokenizer.h"
#include "targets.h"

namespace kestrin::fuzz {

namespace {

class SmallGameNames : public NameResolver {
public:
    int FindResource(ResourceKind kind, std::string_view name) const override {
        for (const auto& [resourceKind, resourceName] : kResources)
            if (resourceKind == kind && resourceName == name) return 0;
        return -1;
    }
    bool IsUserConstant(std::string_view name) const override { return name == "MAX_LIVES"; }

private:
    static constexpr std::pair<ResourceKind, std::string_view> kResources[] = {
        {ResourceKind::Sprite, "spr_hero"}, {ResourceKind::Object, "obj_wall"},
        {ResourceKind::Script, "scr_move"}, {ResourceKind::Room, "rm_start"},
        {ResourceKind::Path, "pth_loop"},   {ResourceKind::TimeLine, "tl_intro"},
    };
};

void ColorLines(std::string_view code, const NameResolver& names) {
    ColorTable colors{};
    for (int i = 0; i < kColorClassTotal; ++i) colors[i] = i * 0x10101;
    std::vector<std::uint8_t> classes;
    bool inComment = false;
    while (true) {
        const std::size_t end = std::min(code.find('\n'), code.size());
        const std::string_view line = code.substr(0, end);
        inComment = ColorCode_Classify(line, inComment, names, classes);
        FuzzExpect(classes.size() == line.size(), "not one colour class per character");
        int covered = 0;
        for (const ColorRun& run : ColorCode_Runs(classes, colors)) {
            FuzzExpect(run.start == covered && run.length > 0, "colour runs leave a gap or overlap");
            covered += run.length;
        }
        FuzzExpect(covered == static_cast<int>(line.size()), "colour runs do not cover the line");
        if (end == code.size()) break;
        code.remove_prefix(end + 1);
    }
}

}  // namespace

int FuzzCode(const std::uint8_t* data, std::size_t size) {
    static const bool namesLoaded = (LoadBuiltinNamesFrom(KESTRIN_FNAMES_FOLDER), true);
    (void)namesLoaded;
    static const SmallGameNames names;
    const std::string_view code(reinterpret_cast<const char*>(data), size);
    RTokenList1 tokens;
    if (Tokenize(code, tokens)) FuzzExpect(tokens.Count() > 0 && tokens.tokens.back().kind == tkEndOfText, "the token list has no end");
    // Every token's text lies within the code.
    volatile char touched = 0;
    for (int i = 0; i < tokens.Count(); ++i) {
        const std::string_view text = tokens.Text(i);
        if (!text.empty()) touched = touched + text.front() + text.back();
    }
    CheckCode(code, names);
    ColorLines(code, names);
    return 0;
}

}  // namespace kestrin::fuzz
