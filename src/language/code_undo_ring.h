#pragma once
// The code edit control's undo and redo: a ring of whole-text snapshots.
// Runs of typing (the text growing) or of deleting (the text shrinking) are
// grouped into one step when asked; the oldest snapshot is lost when the
// ring is full. Snapshots share their text when it did not change, so caret
// moves cost no copy of the text.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrin {

struct CodeSnapshot {
    std::shared_ptr<const std::string> text;
    int selStart = 0;
    int selLength = 0;
    int firstVisibleLine = 0;
};

inline constexpr int kDefaultUndoSize = 32;
// The range the preferences dialog offers; 0 slots means no undo.
inline constexpr int kMaxUndoSize = 999;

class CodeUndoRing {
public:
    explicit CodeUndoRing(int size = kDefaultUndoSize);

    int Size() const { return static_cast<int>(mSlots.size()); }
    // A different size rebuilds the ring (clamped to 0..kMaxUndoSize) with the
    // present state as its only snapshot; the same size changes nothing.
    void SetSize(int size, const CodeSnapshot& present);
    // Forgets all history: the present state is the only snapshot.
    void Reset(const CodeSnapshot& present);

    void SetGroupUndo(bool group) { mGroupUndo = group; }
    bool GroupUndo() const { return mGroupUndo; }

    // Recording is suspended while locked (a counter).
    void Lock() { ++mLocks; }
    void Unlock() {
        if (mLocks > 0) --mLocks;
    }
    bool Locked() const { return mLocks > 0; }

    // After every selection change and every edit of the control.
    void Record(const CodeSnapshot& present);

    bool CanUndo() const;
    bool CanRedo() const;
    // The snapshot to restore, or nothing when there is no step.
    std::optional<CodeSnapshot> Undo();
    std::optional<CodeSnapshot> Redo();

    // Bytes of text held, each shared text counted once.
    std::size_t TextBytes() const;

private:
    const CodeSnapshot& Restored(int slot);
    static bool SameText(const std::shared_ptr<const std::string>& a, const std::shared_ptr<const std::string>& b);

    std::vector<CodeSnapshot> mSlots;
    int mCurrent = 0;
    int mOldest = 0;
    int mUndoPosition = -1;  // -1: not in the middle of undoing
    int mLocks = 0;
    int mDirection = 0;      // 0 none, 1 the text grew, 2 the text shrank
    bool mGroupUndo = true;
    std::size_t mLastLength = 0;
    std::shared_ptr<const std::string> mLastText;
};

}  // namespace kestrin
