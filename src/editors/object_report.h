#pragma once
// The object information report as rich text: an object's properties, then
// each event with the hints of its actions, indented by the blocks and
// questions they stand in.

#include "resources/rich_text.h"

namespace kestrin {

class Game;

inline constexpr const char* kAllObjectsTitle = "Information about all Objects";

// One object's report appended to the document; nothing for an empty slot.
void AppendObjectReport(CRichText& document, const Game& game, int object);
CRichText ObjectReport(const Game& game, int object);
// Every existing object in index order, each followed by a rule of underscores.
CRichText AllObjectsReport(const Game& game);

}  // namespace kestrin
