#pragma once
// The editor window of each resource kind.

#include "resources/resource_kind.h"

namespace kestrin {

class Game;
class TResourceForm;

// A new window for the slot, not yet shown.
TResourceForm* MakeResourceForm(Game& game, ResourceKind kind, int index);

}  // namespace kestrin
