// The snapshot undo ring: grouping, the ring's size, redo, restoring.

#include <gtest/gtest.h>

#include "language/code_undo_ring.h"

namespace kestrin {
namespace {

// A text being edited, recorded after each step as the control does.
class Editing {
public:
    explicit Editing(int size, bool group = true) : ring(size) {
        ring.SetGroupUndo(group);
        ring.Reset(Present());
    }
    void Type(const std::string& characters) {
        for (char c : characters) {
            text.insert(text.begin() + caret, c);
            ++caret;
            Record();
        }
    }
    void Backspace(int times) {
        for (int i = 0; i < times; ++i) {
            text.erase(--caret, 1);
            Record();
        }
    }
    void MoveTo(int position) {
        caret = position;
        Record();
    }
    void Record() { ring.Record(Present()); }
    // Undoes as far as possible; returns the steps taken.
    int UndoAll() {
        int steps = 0;
        while (auto snapshot = ring.Undo()) {
            Restore(*snapshot);
            ++steps;
        }
        return steps;
    }
    bool Undo() {
        auto snapshot = ring.Undo();
        if (snapshot) Restore(*snapshot);
        return snapshot.has_value();
    }
    bool Redo() {
        auto snapshot = ring.Redo();
        if (snapshot) Restore(*snapshot);
        return snapshot.has_value();
    }
    CodeSnapshot Present() const {
        return {std::make_shared<const std::string>(text), caret, 0, topLine};
    }
    void Restore(const CodeSnapshot& snapshot) {
        text = *snapshot.text;
        caret = snapshot.selStart;
        topLine = snapshot.firstVisibleLine;
    }

    CodeUndoRing ring;
    std::string text;
    int caret = 0;
    int topLine = 0;
};

TEST(CodeUndoRing, GroupingMakesStepsOfRuns) {
    struct Case {
        bool group;
        int steps;
    } cases[] = {
        // Five typed, a caret move, two typed.
        {true, 2},
        // Every keystroke and the caret move.
        {false, 8},
    };
    for (const Case& c : cases) {
        Editing e(32, c.group);
        e.Type("abcde");
        e.MoveTo(2);
        e.Type("xy");
        EXPECT_EQ(e.text, "abxycde");
        EXPECT_EQ(e.UndoAll(), c.steps) << c.group;
        EXPECT_EQ(e.text, "");
    }
}

TEST(CodeUndoRing, TurningFromTypingToDeletingIsANewStep) {
    Editing e(32);
    e.Type("abc");
    e.Backspace(2);
    e.Type("z");
    EXPECT_EQ(e.text, "az");
    ASSERT_TRUE(e.Undo());
    EXPECT_EQ(e.text, "a");
    ASSERT_TRUE(e.Undo());
    EXPECT_EQ(e.text, "abc");
    ASSERT_TRUE(e.Undo());
    EXPECT_EQ(e.text, "");
    EXPECT_FALSE(e.ring.CanUndo());
}

TEST(CodeUndoRing, RingSizeBoundsTheHistory) {
    struct Case {
        int size;
        int undos;
    } cases[] = {{32, 31}, {1, 0}, {0, 0}, {-5, 0}, {2, 1}};
    for (const Case& c : cases) {
        Editing e(c.size, false);
        for (int i = 0; i < 40; ++i) e.Type("x");
        EXPECT_EQ(e.UndoAll(), c.undos) << c.size;
        EXPECT_EQ(e.text.size(), 40u - c.undos);
        EXPECT_FALSE(e.ring.CanUndo());
    }
}

TEST(CodeUndoRing, NewEditDropsRedo) {
    Editing e(32, false);
    e.Type("abc");
    ASSERT_TRUE(e.Undo());
    ASSERT_TRUE(e.Undo());
    EXPECT_EQ(e.text, "a");
    ASSERT_TRUE(e.ring.CanRedo());
    ASSERT_TRUE(e.Redo());
    EXPECT_EQ(e.text, "ab");
    e.Type("q");
    EXPECT_EQ(e.text, "abq");
    EXPECT_FALSE(e.ring.CanRedo());
    ASSERT_TRUE(e.Undo());
    EXPECT_EQ(e.text, "ab");
}

TEST(CodeUndoRing, RestoresSelectionAndTopLine) {
    Editing e(8);
    e.text = "one\ntwo";
    e.ring.Reset(e.Present());
    e.topLine = 1;
    e.ring.Record({std::make_shared<const std::string>("one\ntwo!"), 3, 2, 1});
    auto undone = e.ring.Undo();
    ASSERT_TRUE(undone);
    EXPECT_EQ(*undone->text, "one\ntwo");
    EXPECT_EQ(undone->firstVisibleLine, 0);
    auto redone = e.ring.Redo();
    ASSERT_TRUE(redone);
    EXPECT_EQ(*redone->text, "one\ntwo!");
    EXPECT_EQ(redone->selStart, 3);
    EXPECT_EQ(redone->selLength, 2);
    EXPECT_EQ(redone->firstVisibleLine, 1);
}

TEST(CodeUndoRing, LockedRecordsNothing) {
    Editing e(32);
    e.ring.Lock();
    e.ring.Lock();
    e.Type("ab");
    e.ring.Unlock();
    e.Type("c");
    EXPECT_FALSE(e.ring.CanUndo());
    e.ring.Unlock();
    // What was typed while locked belongs to the first recorded step.
    e.Type("d");
    ASSERT_TRUE(e.Undo());
    EXPECT_EQ(e.text, "");
}

TEST(CodeUndoRing, SizeChangeRebuildsOnlyWhenDifferent) {
    Editing e(32);
    e.Type("ab");
    e.ring.SetSize(32, e.Present());
    EXPECT_TRUE(e.ring.CanUndo());
    e.ring.SetSize(10, e.Present());
    EXPECT_FALSE(e.ring.CanUndo());
    EXPECT_EQ(e.ring.Size(), 10);
    e.ring.SetSize(5000, e.Present());
    EXPECT_EQ(e.ring.Size(), kMaxUndoSize);
}

TEST(CodeUndoRing, CaretMovesShareTheText) {
    CodeUndoRing ring(32);
    ring.SetGroupUndo(false);
    auto text = std::make_shared<const std::string>(std::string(100000, 'x'));
    ring.Reset({text, 0, 0, 0});
    for (int i = 1; i <= 20; ++i) ring.Record({std::make_shared<const std::string>(*text), i, 0, 0});
    EXPECT_EQ(ring.TextBytes(), text->size());
}

}  // namespace
}  // namespace kestrin
