// CTimeLine: moment operations, the exchange sort and the record.

#include <gtest/gtest.h>

#include <vector>

#include "resources/action_fixture.h"
#include "resources/time_line.h"
#include "stream/stream.h"

namespace kestrin {
namespace {

using test::Ints;

std::vector<std::int32_t> Steps(const CTimeLine& line) {
    std::vector<std::int32_t> steps;
    for (int i = 0; i < line.MomentCount(); ++i) steps.push_back(line.GetMomentStep(i));
    return steps;
}

// Gives the moment at step a blank action whose first argument names it.
void Mark(CTimeLine& line, std::int32_t step, const std::string& tag) {
    line.GetMomentEvent(line.AddMoment(step))->AddAction(0, 0).SetArgValue(0, tag);
}

std::vector<std::string> Tags(const CEvent* event) {
    std::vector<std::string> tags;
    for (int i = 0; event && i < event->ActionCount(); ++i) tags.push_back(event->GetAction(i)->GetArgValue(0));
    return tags;
}

TEST(TimeLineTest, AddMomentKeepsOrderAndUniqueness) {
    CTimeLine line;
    line.AddMoment(20);
    line.AddMoment(5);
    EXPECT_EQ(line.AddMoment(10), 1);
    EXPECT_EQ(line.AddMoment(20), 2);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{5, 10, 20}));
    EXPECT_EQ(line.FindMoment(10), 1);
    EXPECT_EQ(line.FindMoment(11), -1);
    EXPECT_EQ(line.GetMomentStep(3), 0);
    EXPECT_EQ(line.GetMomentEvent(-1), nullptr);
    EXPECT_TRUE(line.DeleteMoment(10));
    EXPECT_FALSE(line.DeleteMoment(10));
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{5, 20}));
}

TEST(TimeLineTest, ChangeMoment) {
    CTimeLine line;
    Mark(line, 5, "five");
    Mark(line, 20, "twenty");
    EXPECT_EQ(line.ChangeMoment(5, 20), -1);
    EXPECT_EQ(line.ChangeMoment(6, 7), -1);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{5, 20}));

    EXPECT_EQ(line.ChangeMoment(5, 7), 0);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{7, 20}));
    EXPECT_EQ(Tags(line.GetMomentEvent(0)), std::vector<std::string>{"five"});
    EXPECT_EQ(line.ChangeMoment(7, 30), 1);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{20, 30}));
    EXPECT_EQ(Tags(line.GetMomentEvent(1)), std::vector<std::string>{"five"});

    // Two moments on one step after a shift: the first one moves with its own
    // actions and the other stays, none lost and none doubled.
    line.ShiftMoments(30, 0, -10);
    ASSERT_EQ(Steps(line), (std::vector<std::int32_t>{20, 20}));
    EXPECT_EQ(line.ChangeMoment(20, 40), 1);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{20, 40}));
    EXPECT_EQ(Tags(line.GetMomentEvent(0)), std::vector<std::string>{"five"});
    EXPECT_EQ(Tags(line.GetMomentEvent(1)), std::vector<std::string>{"twenty"});
}

TEST(TimeLineTest, ShiftMomentsMovesTheRangeAndResorts) {
    CTimeLine line;
    for (std::int32_t step : {0, 10, 15, 16, 200}) Mark(line, step, std::to_string(step));
    line.ShiftMoments(10, 5, 100);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{0, 16, 110, 115, 200}));
    // Landing on another moment's step keeps both.
    line.ShiftMoments(110, 0, 90);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{0, 16, 115, 200, 200}));
    EXPECT_EQ(line.FindMoment(200), 3);
}

TEST(TimeLineTest, ExchangeSortOrderOfEqualSteps) {
    // Loaded in stored order 30a 10x 30b 20y; the exchange sort (not stable)
    // gives 10x 20y 30b 30a.
    CStream stream(Ints({500, 4}));
    stream.Seek(0, SeekOrigin::End);
    for (auto [step, tag] : {std::pair{30, "a"}, {10, "x"}, {30, "b"}, {20, "y"}}) {
        stream.WriteInteger(step);
        CEvent event;
        event.AddAction(0, 0).SetArgValue(0, tag);
        event.SaveToStream(stream);
    }
    stream.SetPosition(0);
    CTimeLine line;
    ASSERT_TRUE(line.LoadFromStream(stream));
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{30, 10, 30, 20}));
    line.Sort();
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{10, 20, 30, 30}));
    std::vector<std::string> order;
    for (int i = 0; i < line.MomentCount(); ++i) order.push_back(Tags(line.GetMomentEvent(i))[0]);
    EXPECT_EQ(order, (std::vector<std::string>{"x", "y", "b", "a"}));
}

TEST(TimeLineTest, MergeMoments) {
    CTimeLine line;
    Mark(line, 0, "zero");
    Mark(line, 10, "ten");
    Mark(line, 40, "forty");
    line.MergeMoments(0, 30);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{0, 40}));
    EXPECT_EQ(Tags(line.GetMomentEvent(0)), (std::vector<std::string>{"zero", "ten"}));

    // Merging into a step without a moment makes one there.
    line.MergeMoments(35, 10);
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{0, 35}));
    EXPECT_EQ(Tags(line.GetMomentEvent(1)), std::vector<std::string>{"forty"});

    line.AddMoment(50);
    line.RemoveEmptyMoments();
    EXPECT_EQ(Steps(line), (std::vector<std::int32_t>{0, 35}));
}

TEST(TimeLineTest, RecordRoundTrip) {
    CTimeLine empty;
    CStream stream;
    empty.SaveToStream(stream);
    EXPECT_EQ(stream.View(), Ints({500, 0}));

    CTimeLine line;
    Mark(line, 3, "a");
    line.AddMoment(7);  // empty moments are stored too
    Mark(line, 9, "b");
    Mark(line, 9, "c");
    CStream written;
    line.SaveToStream(written);
    written.SetPosition(0);
    CTimeLine loaded;
    ASSERT_TRUE(loaded.LoadFromStream(written));
    EXPECT_EQ(written.Remaining(), 0u);
    EXPECT_EQ(Steps(loaded), (std::vector<std::int32_t>{3, 7, 9}));
    EXPECT_EQ(Tags(loaded.GetMomentEvent(2)), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(loaded.GetMomentEvent(1)->ActionCount(), 0);

    // Stored order is kept, not re-sorted.
    CStream unsorted(Ints({500, 2, 9, 400, 0, 3, 400, 0}));
    ASSERT_TRUE(loaded.LoadFromStream(unsorted));
    EXPECT_EQ(Steps(loaded), (std::vector<std::int32_t>{9, 3}));
}

TEST(TimeLineTest, BadRecordsLeaveItEmpty) {
    CTimeLine line;
    Mark(line, 1, "x");
    CStream wrong(Ints({501, 0}));
    EXPECT_FALSE(line.LoadFromStream(wrong));
    EXPECT_EQ(line.MomentCount(), 0);

    Mark(line, 1, "x");
    CStream badEvent(Ints({500, 1, 4, 401, 0}));
    EXPECT_FALSE(line.LoadFromStream(badEvent));
    EXPECT_EQ(line.MomentCount(), 0);

    CStream huge(Ints({500, 0x7fffffff, 0}));
    EXPECT_THROW(line.LoadFromStream(huge), StreamReadError);
}

}  // namespace
}  // namespace kestrin
