// Cutting a menu argument's text into its items.

#include "actions/argument_menu.h"

namespace kestrin {

std::vector<std::string> SplitMenuItems(const std::string& menu) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (static_cast<int>(items.size()) < kMaxArgumentMenuItems) {
        const std::size_t bar = menu.find('|', start);
        if (bar == std::string::npos) {
            if (start < menu.size() || items.empty()) items.push_back(menu.substr(start));
            break;
        }
        items.push_back(menu.substr(start, bar - start));
        start = bar + 1;
        if (start == menu.size()) break;
    }
    return items;
}

}  // namespace kestrin
