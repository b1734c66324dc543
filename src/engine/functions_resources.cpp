// Adding resources to the game while it runs.

#include "engine/functions_resources.h"

#include "resources/background.h"
#include "resources/object.h"
#include "resources/path.h"
#include "resources/room.h"
#include "resources/script.h"
#include "resources/sound.h"
#include "resources/sprite.h"
#include "resources/time_line.h"
#include "storage/resource_kinds.h"
#include "storage/resource_node.h"
#include "storage/resource_tree.h"
#include "storage/tree_codes.h"

namespace kestrin::engine {

namespace {

template <class Record>
void CopyRecord(CResourceList<Record>& list, int to, int from) {
    list.ResourceAt(to)->Assign(list.ResourceAt(from));
}

}  // namespace

int AddResourceRecord(FunctionCall& call, ResourceKind kind) {
    if (!call.world.Budget().TakeResource()) {
        call.Fail("Too many resources added while the game runs.");
        return -1;
    }
    Game& game = call.world.GameData();
    const ResourceNode* node = game.Tree().AddResourceNode(nullptr, KindInfo(kind).typeCode);
    if (!node) {
        call.Fail("Cannot add a resource.");
        return -1;
    }
    return node->Data.Index;
}

int DuplicateResourceRecord(FunctionCall& call, ResourceKind kind, int source) {
    Game& game = call.world.GameData();
    if (!game.ResourceExists(kind, source)) return -1;
    const int index = AddResourceRecord(call, kind);
    if (index < 0) return -1;
    switch (kind) {
        case ResourceKind::Sprite: CopyRecord(game.Sprites(), index, source); break;
        case ResourceKind::Background: CopyRecord(game.Backgrounds(), index, source); break;
        case ResourceKind::Path: game.Paths().ResourceAt(index)->Assign(*game.Paths().ResourceAt(source)); break;
        case ResourceKind::Room:
            CopyRecord(game.Rooms(), index, source);
            // Placed instances and tiles need ids of their own.
            game.Rooms().ResourceAt(index)->RemapAfterMerge(0, 0, game);
            break;
        default: break;
    }
    return index;
}

}  // namespace kestrin::engine
