#pragma once
// Event captions and short names with other objects named from the game.
// Editors include this instead of actions/event_names.h next to the object
// headers, which define the event type count too.

#include <string>

namespace kestrin {

class ResourceLookup;

std::string EventCaptionIn(const ResourceLookup& game, int type, int number);
std::string EventShortNameIn(const ResourceLookup& game, int type, int number);

}  // namespace kestrin
