#pragma once
// The layout of the action palette: which libraries get a tab, and inside a
// tab where every button, gap and label row stands. Both editors that show a
// palette (objects and time lines) draw from this one layout.

#include <cstdint>
#include <string>
#include <vector>

#include "actions/action_definition.h"

namespace kestrin {

inline constexpr int kPaletteCellStep = 32;    // columns at x 0 and 32, rows 32 apart
inline constexpr int kPaletteButtonSize = 25;
inline constexpr int kPaletteLabelLineWidth = 56;
inline constexpr int kPaletteLabelLineHeight = 4;

struct PaletteCell {
    enum class Type { Button, Empty, Label };
    Type type = Type::Empty;
    int x = 0;
    int y = 0;
    // Button: the definition it makes, its ids and icon; the hint is its Description.
    const CActionDefinition* definition = nullptr;
    std::int32_t libraryId = 0;
    std::int32_t actionId = 0;
    std::int32_t iconIndex = -1;
    // Label: the text (a blank each side of the name) drawn opaque at (x, y),
    // interrupting the separator line at (lineX, lineY), lineWidth x lineHeight.
    std::string text;
    int lineX = 0;
    int lineY = 0;
    int lineWidth = 0;
    int lineHeight = 0;
};

struct PaletteLayout {
    std::vector<PaletteCell> cells;
    int height = 0;  // from y 0 to the bottom of the last row used
};

// The cells of one library's tab; advancedMode false is simple mode, where
// advanced actions leave an empty cell.
PaletteLayout LayoutActionPalette(const CActionLibrary& library, bool advancedMode);

// The libraries that get a tab, in load order: all of them in advanced mode,
// else those that are not advanced.
std::vector<const CActionLibrary*> PaletteLibraries(bool advancedMode);

// Number of the action a palette cell makes where one number is needed.
inline std::int32_t PaletteActionNumber(std::int32_t libraryId, std::int32_t actionId) {
    return libraryId * 1000 + actionId;
}

// The palette's width for the rows its tabs take.
inline int PaletteWidth(int tabRows) { return 24 * tabRows + 64; }

}  // namespace kestrin
