#pragma once
// The content of a resource menu: the pop-up with which editors let the user
// pick a resource of one type, mirroring the groups of its section. The app
// turns it into a real menu and returns the chosen item's value.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrin {

class CResourceTree;

// Results of a resource menu besides a resource index.
inline constexpr std::int32_t kMenuChoseNone = -1;       // the optional first item
inline constexpr std::int32_t kMenuDismissed = -100;     // closed without a choice

struct ResourceMenuItem {
    std::string Caption;   // the node's text as drawn
    std::string Label;     // the caption with its keyboard accelerator ('&' before it, '&' doubled)
    int Icon = -1;         // -1: no icon
    std::int32_t Value = kMenuChoseNone;  // what choosing the item returns; unused for submenus
    bool Submenu = false;  // a group: its items are Children
    std::vector<ResourceMenuItem> Children;
};

// The items of the menu for a resource type: the optional first item, then the
// section's children in order. Types without a list give no items at all; groups
// nested deeper than a menu can sensibly show appear as empty submenus.
std::vector<ResourceMenuItem> BuildResourceMenu(const CResourceTree& tree, std::int32_t type,
                                                const std::optional<std::string>& firstCaption);

// Gives each item of one menu level a keyboard accelerator: the first letter
// or digit of its caption not yet taken by an earlier item of that level.
void AssignAccelerators(std::vector<ResourceMenuItem>& items);

}  // namespace kestrin
