#pragma once
// The arithmetic of dropping actions on an action list, without widgets:
// where a drop inserts, and moving or copying an action from one list (maybe
// the same one) to that place.

namespace kestrin {

class CEvent;

// line: the line under the drop point, or -1 over empty space. Below the
// line's vertical middle the action goes after the line.
int DropInsertIndex(int line, bool belowMiddle, int count);

// Puts a copy of source's action sourceIndex at insertIndex of target and,
// unless copying, removes the original. Returns the index the dropped action
// ends up at, or -1 (nothing done) when either index is out of range.
int DropAction(CEvent& source, int sourceIndex, CEvent& target, int insertIndex, bool copy);

}  // namespace kestrin
