#pragma once
// What the resource functions share: finding the record a call names (a bad
// index fails the call with the kind's message) and adding new records to
// the game within the run-time budget.

#include <string>

#include "engine/world.h"
#include "engine/world_functions.h"
#include "resources/resource_kind.h"
#include "storage/game.h"

namespace kestrin::engine {

// The record of argument `arg`, or null with the call failed ("Sprite 7 does
// not exist.").
template <class Record>
Record* RecordOf(FunctionCall& call, CResourceList<Record>& list, const char* kind, int arg = 0) {
    Record* record = list.ResourceAt(call.Int(arg));
    if (!record) call.Fail(std::string(kind) + " " + call.Text(arg) + " does not exist.");
    return record;
}

// A new resource of the kind at the end of its folder in the tree (rooms
// there join the room order); -1 with the call failed when the game has
// added as many as it may.
int AddResourceRecord(FunctionCall& call, ResourceKind kind);
// A copy of an existing resource (the caller has checked it exists), added
// the same way; -1 when it cannot be.
int DuplicateResourceRecord(FunctionCall& call, ResourceKind kind, int source);

}  // namespace kestrin::engine
