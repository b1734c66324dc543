// Building the content of a resource menu from the tree.

#include "storage/resource_menu.h"

#include <cctype>

#include "storage/resource_tree.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

// Deeper groups are cut off: no one picks through a hundred submenus, and the
// app builds its menu recursively.
constexpr int kMaxMenuDepth = 100;

void AddItems(const CResourceTree& tree, const ResourceNode& parent, std::vector<ResourceMenuItem>& items,
              int depth) {
    for (int row = 0; row < parent.ChildCount(); ++row) {
        const ResourceNode* node = parent.Child(row);
        ResourceMenuItem item;
        item.Caption = tree.NodeText(node);
        if (node->Data.Kind == kNodeResource) {
            item.Icon = tree.NodeIcon(node);
            item.Value = node->Data.Index;
        } else {
            item.Icon = kIconFolderClosed;
            item.Submenu = true;
            if (depth < kMaxMenuDepth) AddItems(tree, *node, item.Children, depth + 1);
            AssignAccelerators(item.Children);
        }
        items.push_back(std::move(item));
    }
}

}  // namespace

std::vector<ResourceMenuItem> BuildResourceMenu(const CResourceTree& tree, std::int32_t type,
                                                const std::optional<std::string>& firstCaption) {
    std::vector<ResourceMenuItem> items;
    if (!KindOfType(type)) return items;
    if (firstCaption) {
        ResourceMenuItem none;
        none.Caption = *firstCaption;
        none.Value = kMenuChoseNone;
        items.push_back(std::move(none));
    }
    if (const ResourceNode* section = tree.Section(type)) AddItems(tree, *section, items, 1);
    AssignAccelerators(items);
    return items;
}

void AssignAccelerators(std::vector<ResourceMenuItem>& items) {
    bool taken[256] = {};
    for (ResourceMenuItem& item : items) {
        item.Label.clear();
        bool assigned = false;
        for (char ch : item.Caption) {
            auto c = static_cast<unsigned char>(ch);
            if (!assigned && std::isalnum(c)) {
                auto key = static_cast<unsigned char>(std::tolower(c));
                if (!taken[key]) {
                    taken[key] = true;
                    assigned = true;
                    item.Label.push_back('&');
                }
            }
            if (ch == '&') item.Label.push_back('&');
            item.Label.push_back(ch);
        }
    }
}

}  // namespace kestrin
