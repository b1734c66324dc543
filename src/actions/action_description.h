#pragma once
// The texts of an action: its line in an action list (with bold and italic),
// its hint, and its description, made by filling the templates of its
// definition with the action's settings and shown argument values. Drawing
// the line and the icon is the editors' part.

#include <string>

namespace kestrin {

class CAction;
class ResourceLookup;

inline constexpr const char* kUnknownActionText = "Unknown Action";

struct ActionListLine {
    std::string text;
    bool bold = false;
    bool italic = false;
};

// The definition's ListText filled in; "Unknown Action", plain, without one.
ActionListLine ActionListText(const CAction& action, const ResourceLookup& game);
// The definition's HintText filled in; "Unknown Action" without one.
std::string ActionHint(const CAction& action, const ResourceLookup& game);
// The definition's Description; empty without one.
std::string ActionDescription(const CAction& action);

// The text an argument value shows as, by argument kind.
std::string ShownArgumentValue(int argKind, const std::string& value, const std::string& menu,
                               const ResourceLookup& game);

}  // namespace kestrin
