#pragma once
// The items of a menu argument as the argument dialog offers them: the menu
// text cut at each "|", at most 64 pieces. A "-" piece is a separator line in
// the pop-up but still counts when items are numbered by position.

#include <string>
#include <vector>

namespace kestrin {

inline constexpr int kMaxArgumentMenuItems = 64;
inline constexpr const char* kMenuSeparatorItem = "-";

// A "|" at the very end adds no empty item.
std::vector<std::string> SplitMenuItems(const std::string& menu);

}  // namespace kestrin
