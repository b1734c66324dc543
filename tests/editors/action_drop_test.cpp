// Where a drop on an action list inserts, and moving or copying the dragged
// action there.

#include <gtest/gtest.h>

#include "editors/action_drop.h"
#include "resources/event.h"

namespace kestrin {
namespace {

TEST(DropInsertIndex, LineHalvesAndEmptySpace) {
    struct Case {
        int line;
        bool below;
        int count;
        int expected;
    };
    const Case cases[] = {
        {0, false, 3, 0}, {0, true, 3, 1}, {2, false, 3, 2}, {2, true, 3, 3},
        {-1, false, 3, 3}, {-1, true, 0, 0}, {7, false, 3, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropInsertIndex(c.line, c.below, c.count), c.expected) << c.line << " " << c.below;
}

// Actions told apart by their first argument.
CEvent Actions(int count, const std::string& prefix) {
    CEvent event;
    for (int i = 0; i < count; ++i) event.AddAction(0, 0).ArgValue[0] = prefix + std::to_string(i + 1);
    return event;
}

std::string Order(const CEvent& event) {
    std::string order;
    for (int i = 0; i < event.ActionCount(); ++i) order += event.GetAction(i)->ArgValue[0] + " ";
    return order;
}

TEST(DropAction, MovesAndCopiesWithinOneList) {
    struct Case {
        int source;
        int insert;
        bool copy;
        const char* order;
        int landed;
    };
    const Case cases[] = {
        {0, 3, false, "a2 a3 a1 ", 2},     // first onto the lower half of the last line
        {0, 3, true, "a1 a2 a3 a1 ", 3},   // the same with Ctrl: a copy, the original stays
        {2, 0, false, "a3 a1 a2 ", 0},     // the source index moves down as the blank goes in before it
        {2, 0, true, "a3 a1 a2 a3 ", 0},
        {1, 1, false, "a1 a2 a3 ", 1},     // onto itself
        {1, 2, false, "a1 a2 a3 ", 1},
    };
    for (const Case& c : cases) {
        CEvent event = Actions(3, "a");
        EXPECT_EQ(DropAction(event, c.source, event, c.insert, c.copy), c.landed) << c.source << "->" << c.insert;
        EXPECT_EQ(Order(event), c.order) << c.source << "->" << c.insert << " copy " << c.copy;
    }
}

TEST(DropAction, BetweenListsAndOutOfRange) {
    CEvent from = Actions(2, "a");
    CEvent to = Actions(2, "b");
    EXPECT_EQ(DropAction(from, 0, to, 1, false), 1);
    EXPECT_EQ(Order(from), "a2 ");
    EXPECT_EQ(Order(to), "b1 a1 b2 ");
    EXPECT_EQ(DropAction(from, 0, to, 0, true), 0);
    EXPECT_EQ(Order(from), "a2 ");
    EXPECT_EQ(Order(to), "a2 b1 a1 b2 ");
    EXPECT_EQ(DropAction(from, 5, to, 0, false), -1);
    EXPECT_EQ(DropAction(from, 0, to, 9, false), -1);
    EXPECT_EQ(Order(to), "a2 b1 a1 b2 ");
}

}  // namespace
}  // namespace kestrin
