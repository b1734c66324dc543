#pragma once
// The look of the game's message boxes in a save file.

#include "engine/message_look.h"
#include "stream/stream.h"

namespace kestrin::engine {

void WriteMessageLook(CStream& out, const MessageLook& look);
// Throws SaveDamaged (or the stream's read error) for settings the message
// functions could never have made.
void ReadMessageLook(CStream& in, MessageLook& look);

}  // namespace kestrin::engine
