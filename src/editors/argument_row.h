#pragma once
// One argument row of the action argument dialog, without the widgets: what
// kind of value it edits, the value while the dialog is open, the text the
// value box shows and the text written back on OK. Kinds 1 and 2, and kinds
// no library should use, are edited as plain text, so a strange library
// never loses a value.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {

class ResourceLookup;

inline constexpr const char* kFontSampleText = "AaBbCcDd";

struct ArgumentRow {
    int editKind = 0;
    std::int32_t number = -1;         // every kind but text and font
    std::string text;                 // text and font: the value itself
    std::vector<std::string> items;   // menu arguments
};

int ArgumentEditKind(int argKind);
ArgumentRow MakeArgumentRow(int argKind, const std::string& value, const std::string& menu);
// What the value box shows (empty for a colour, which shows as a swatch).
std::string ShownRowText(const ArgumentRow& row, const ResourceLookup& game);
std::string RowValueText(const ArgumentRow& row);
// "No sprite", "No sound", ... for the resource kinds; empty for the others.
std::string NoResourceText(int editKind);

// The direction dialog's nine buttons from and to the first argument: a
// character other than "0" is a button down, missing characters are up.
std::vector<bool> DirectionsFromText(const std::string& text);
std::string DirectionText(const std::vector<bool>& down);

}  // namespace kestrin
