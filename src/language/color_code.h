#pragma once
// Syntax colouring of one line of code: every character gets a colour class
// from its own line and from whether the line starts inside a block comment;
// the classes become runs of colour, bold and italic.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "language/name_resolver.h"

namespace kestrin {

enum ColorClass : std::uint8_t {
    ccText = 0,
    ccKeyword = 1,  // also "{" and "}"; bold
    ccComment = 2,  // italic
    ccObject = 3,
    ccRoom = 4,
    ccSprite = 5,
    ccSound = 6,
    ccBackground = 7,
    ccScript = 8,
    ccLocalVariable = 9,
    ccGlobalVariable = 10,
    ccFunction = 11,
    ccConstant = 12,
    ccPath = 13,
    ccDataFile = 14,
    ccTimeLine = 15,
};
inline constexpr int kColorClassTotal = 16;

using ColorTable = std::array<std::int32_t, kColorClassTotal>;

// The class a resource kind's names are shown in.
ColorClass ResourceColorClass(ResourceKind kind);

// The class of a word: reserved word, resource name (objects, rooms, sprites,
// sounds, backgrounds, scripts, paths, data files, time lines, in that
// order), built-in variable, function, constant, or plain text.
ColorClass WordColorClass(std::string_view word, const NameResolver& game);

// Fills one class per character of the line and returns whether the line
// ends inside a block comment.
bool ColorCode_Classify(std::string_view line, bool startsInComment, const NameResolver& game,
                        std::vector<std::uint8_t>& classes);

struct ColorRun {
    int start;   // 0-based offset in the line
    int length;
    ColorClass colorClass;
    std::int32_t color;
    bool bold;
    bool italic;
};

// Maximal runs of equal class, with the colours of the table.
std::vector<ColorRun> ColorCode_Runs(const std::vector<std::uint8_t>& classes, const ColorTable& colors);

}  // namespace kestrin
