// Event names with the game's object names.

#include "editors/event_texts.h"

#include "actions/event_names.h"
#include "resources/resource_kind.h"

namespace kestrin {

namespace {

ObjectNameLookup ObjectNames(const ResourceLookup& game) {
    return [&game](int index) { return game.ResourceName(ResourceKind::Object, index); };
}

}  // namespace

std::string EventCaptionIn(const ResourceLookup& game, int type, int number) {
    return EventCaption(type, number, ObjectNames(game));
}

std::string EventShortNameIn(const ResourceLookup& game, int type, int number) {
    return EventShortName(type, number, ObjectNames(game));
}

}  // namespace kestrin
