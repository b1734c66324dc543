// Drop positions and moving actions between lists.

#include "editors/action_drop.h"

#include "resources/event.h"

namespace kestrin {

int DropInsertIndex(int line, bool belowMiddle, int count) {
    if (line < 0 || line >= count) return count;
    return belowMiddle ? line + 1 : line;
}

int DropAction(CEvent& source, int sourceIndex, CEvent& target, int insertIndex, bool copy) {
    if (sourceIndex < 0 || sourceIndex >= source.ActionCount()) return -1;
    if (insertIndex < 0 || insertIndex > target.ActionCount()) return -1;
    const bool sameList = &source == &target;
    CAction* inserted = target.InsertAction(insertIndex, 0, 0);
    // Inserting before the dragged action in its own list moves it down one.
    if (sameList && sourceIndex >= insertIndex) ++sourceIndex;
    inserted->Assign(*source.GetAction(sourceIndex));
    if (copy) return insertIndex;
    source.DeleteAction(sourceIndex);
    return sameList && sourceIndex < insertIndex ? insertIndex - 1 : insertIndex;
}

}  // namespace kestrin
