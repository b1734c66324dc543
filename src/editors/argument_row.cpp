// The argument rows' display and write-back rules.

#include "editors/argument_row.h"

#include "actions/action_definition.h"
#include "actions/argument_menu.h"
#include "platform/integer_text.h"
#include "resources/action.h"
#include "resources/resource_kind.h"

namespace kestrin {

int ArgumentEditKind(int argKind) {
    if (argKind == kArgText1 || argKind == kArgText2) return kArgText;
    if (argKind < kArgText || argKind > kArgFont) return kArgText;
    return argKind;
}

ArgumentRow MakeArgumentRow(int argKind, const std::string& value, const std::string& menu) {
    ArgumentRow row;
    row.editKind = ArgumentEditKind(argKind);
    if (row.editKind == kArgText || row.editKind == kArgFont)
        row.text = value;
    else
        row.number = IntegerOr(value, -1);
    if (row.editKind == kArgMenu) row.items = SplitMenuItems(menu);
    return row;
}

std::string NoResourceText(int editKind) {
    switch (editKind) {
    case kArgSprite: return "No sprite";
    case kArgSound: return "No sound";
    case kArgBackground: return "No background";
    case kArgPath: return "No path";
    case kArgScript: return "No script";
    case kArgObject: return "No object";
    case kArgRoom: return "No room";
    case kArgDataFile: return "No data file";
    case kArgTimeLine: return "No time line";
    default: return {};
    }
}

std::string ShownRowText(const ArgumentRow& row, const ResourceLookup& game) {
    switch (row.editKind) {
    case kArgText: return row.text;
    case kArgBoolean: return row.number > 0 ? "true" : "false";
    case kArgMenu:
        return row.number >= 0 && row.number < static_cast<std::int32_t>(row.items.size()) ? row.items[row.number]
                                                                                              : std::string();
    case kArgColor: return {};
    case kArgFont: return kFontSampleText;
    default: break;
    }
    ResourceKind kind;
    if (!ArgumentResourceKind(row.editKind, kind)) return row.text;
    if (row.number < 0) return NoResourceText(row.editKind);
    return game.ResourceName(kind, row.number);
}

std::string RowValueText(const ArgumentRow& row) {
    if (row.editKind == kArgText || row.editKind == kArgFont) return row.text;
    return std::to_string(row.number);
}

std::vector<bool> DirectionsFromText(const std::string& text) {
    std::vector<bool> down(9, false);
    for (std::size_t i = 0; i < down.size() && i < text.size(); ++i) down[i] = text[i] != '0';
    return down;
}

std::string DirectionText(const std::vector<bool>& down) {
    std::string text(9, '0');
    for (std::size_t i = 0; i < text.size() && i < down.size(); ++i)
        if (down[i]) text[i] = '1';
    return text;
}

}  // namespace kestrin
