// Snapshot undo of the code edit control.

#include "language/code_undo_ring.h"

#include <algorithm>
#include <set>

namespace kestrin {

CodeUndoRing::CodeUndoRing(int size) { mSlots.resize(std::clamp(size, 0, kMaxUndoSize)); }

void CodeUndoRing::SetSize(int size, const CodeSnapshot& present) {
    size = std::clamp(size, 0, kMaxUndoSize);
    if (size == Size()) return;
    mSlots.assign(size, CodeSnapshot{});
    Reset(present);
}

void CodeUndoRing::Reset(const CodeSnapshot& present) {
    mCurrent = mOldest = 0;
    mUndoPosition = -1;
    mDirection = 0;
    for (CodeSnapshot& slot : mSlots) slot = CodeSnapshot{};
    if (!mSlots.empty()) mSlots[0] = present;
    mLastText = present.text;
    mLastLength = present.text ? present.text->size() : 0;
}

bool CodeUndoRing::SameText(const std::shared_ptr<const std::string>& a,
                            const std::shared_ptr<const std::string>& b) {
    if (a == b) return true;
    if (!a || !b) return (a ? a->empty() : true) && (b ? b->empty() : true);
    return *a == *b;
}

void CodeUndoRing::Record(const CodeSnapshot& present) {
    if (Locked() || mSlots.empty()) return;
    const int size = Size();
    if (mUndoPosition >= 0) {
        // Whatever comes after the restored step is gone.
        mCurrent = mUndoPosition;
        mUndoPosition = -1;
    }
    const CodeSnapshot& current = mSlots[mCurrent];
    const bool selectionChanged =
        present.selStart != current.selStart || present.selLength != current.selLength;
    const bool textChanged = !SameText(present.text, mLastText);
    const std::size_t length = present.text ? present.text->size() : 0;

    bool newSlot;
    if (!mGroupUndo) {
        newSlot = selectionChanged || textChanged;
    } else if (mDirection == 1) {
        newSlot = textChanged && length <= mLastLength;
    } else if (mDirection == 2) {
        newSlot = textChanged && length >= mLastLength;
    } else {
        newSlot = textChanged;
    }
    if (newSlot) {
        mCurrent = (mCurrent + 1) % size;
        if (mCurrent == mOldest) mOldest = (mOldest + 1) % size;
    }
    // Unchanged text keeps sharing the buffer it had.
    CodeSnapshot stored = present;
    if (!textChanged) stored.text = mLastText;
    mSlots[mCurrent] = stored;

    if (mLastLength < length) mDirection = 1;
    else if (length < mLastLength) mDirection = 2;
    else if (selectionChanged) mDirection = 0;
    mLastLength = length;
    mLastText = stored.text;
}

bool CodeUndoRing::CanUndo() const {
    if (mSlots.empty()) return false;
    return (mUndoPosition >= 0 ? mUndoPosition : mCurrent) != mOldest;
}

bool CodeUndoRing::CanRedo() const { return mUndoPosition >= 0 && mUndoPosition != mCurrent; }

const CodeSnapshot& CodeUndoRing::Restored(int slot) {
    const CodeSnapshot& snapshot = mSlots[slot];
    mDirection = 0;
    mLastText = snapshot.text;
    mLastLength = snapshot.text ? snapshot.text->size() : 0;
    return snapshot;
}

std::optional<CodeSnapshot> CodeUndoRing::Undo() {
    if (!CanUndo()) return std::nullopt;
    if (mUndoPosition < 0) mUndoPosition = mCurrent;
    mUndoPosition = (mUndoPosition + Size() - 1) % Size();
    return Restored(mUndoPosition);
}

std::optional<CodeSnapshot> CodeUndoRing::Redo() {
    if (!CanRedo()) return std::nullopt;
    mUndoPosition = (mUndoPosition + 1) % Size();
    return Restored(mUndoPosition);
}

std::size_t CodeUndoRing::TextBytes() const {
    std::set<const std::string*> seen;
    std::size_t bytes = 0;
    for (const CodeSnapshot& slot : mSlots) {
        if (slot.text && seen.insert(slot.text.get()).second) bytes += slot.text->size();
    }
    return bytes;
}

}  // namespace kestrin
