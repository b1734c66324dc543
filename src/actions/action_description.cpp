// Filling action templates: markers are replaced in a fixed order, so text
// that one step inserts is seen only by the later steps.

#include "actions/action_description.h"

#include <cstdint>

#include "actions/action_definition.h"
#include "platform/integer_text.h"
#include "resources/action.h"
#include "resources/resource_kind.h"

namespace kestrin {

namespace {

bool Contains(const std::string& text, const std::string& marker) { return text.find(marker) != std::string::npos; }

// Every occurrence, left to right; the inserted text is not searched again.
void ReplaceAll(std::string& text, const std::string& marker, const std::string& replacement) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(marker, from)) != std::string::npos; from = at + marker.size()) {
        result.append(text, from, at - from);
        result += replacement;
    }
    result.append(text, from, std::string::npos);
    text = std::move(result);
}

std::int32_t IntegerOrZero(const std::string& text) { return IntegerOr(text, 0); }

std::string MenuItem(const std::string& menu, std::int32_t item) {
    if (item < 0) return {};
    std::size_t start = 0;
    for (std::int32_t i = 0; i < item; ++i) {
        std::size_t bar = menu.find('|', start);
        if (bar == std::string::npos) return {};
        start = bar + 1;
    }
    return menu.substr(start, menu.find('|', start) - start);
}

std::string Fill(const std::string& templ, const CAction& action, const CActionDefinition& definition,
                 const ResourceLookup& game, bool* bold, bool* italic) {
    std::string text = templ;
    bool isBold = Contains(text, "@FB");
    if (isBold) ReplaceAll(text, "@FB", "");
    bool isItalic = Contains(text, "@FI");
    if (isItalic) ReplaceAll(text, "@FI", "");
    if (bold) *bold = isBold;
    if (italic) *italic = isItalic;

    ReplaceAll(text, "#", "\r");
    ReplaceAll(text, "@r", action.Relative ? "relative " : "");

    std::string target;
    if (action.AppliesTo == kObjectOther)
        target = "for other object: ";
    else if (action.AppliesTo != kObjectSelf)
        target.append("for all ").append(game.ResourceName(ResourceKind::Object, action.AppliesTo)).append(": ");
    ReplaceAll(text, "@w", target);

    if (Contains(text, "@N")) ReplaceAll(text, "@N", action.Not ? "not " : "");

    for (int slot = 0; slot < kActionArgumentSlots; ++slot) {
        const std::string marker{'@', static_cast<char>('0' + slot)};
        if (!Contains(text, marker)) continue;
        ReplaceAll(text, marker,
                   ShownArgumentValue(definition.ArgKind[slot], action.ArgValue[slot], definition.ArgMenu[slot], game));
    }

    ReplaceAll(text, "\t", "    ");
    return text;
}

}  // namespace

std::string ShownArgumentValue(int argKind, const std::string& value, const std::string& menu,
                               const ResourceLookup& game) {
    switch (argKind) {
    case kArgBoolean: return IntegerOrZero(value) > 0 ? "true" : "false";
    case kArgMenu: return MenuItem(menu, IntegerOrZero(value));
    default: break;
    }
    ResourceKind kind;
    if (ArgumentResourceKind(argKind, kind)) return game.ResourceName(kind, IntegerOrZero(value));
    // Texts, colours, fonts, and kinds no library uses show their text.
    return value;
}

ActionListLine ActionListText(const CAction& action, const ResourceLookup& game) {
    const CActionDefinition* definition = action.GetDefinition();
    if (!definition) return {kUnknownActionText, false, false};
    ActionListLine line;
    line.text = Fill(definition->ListText, action, *definition, game, &line.bold, &line.italic);
    return line;
}

std::string ActionHint(const CAction& action, const ResourceLookup& game) {
    const CActionDefinition* definition = action.GetDefinition();
    if (!definition) return kUnknownActionText;
    return Fill(definition->HintText, action, *definition, game, nullptr, nullptr);
}

std::string ActionDescription(const CAction& action) {
    const CActionDefinition* definition = action.GetDefinition();
    return definition ? definition->Description : std::string();
}

}  // namespace kestrin
