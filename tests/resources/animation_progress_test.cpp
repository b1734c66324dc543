// Progress for slow frame-set work: it shows only for work outlasting its
// delay, and is reached from the loops deep in the frame-set operations.

#include "platform/delayed_progress.h"

#include <gtest/gtest.h>

#include "platform/recording_ui.h"
#include "resources/animation.h"

namespace kestrin {
namespace {

using Kind = RecordingUI::Event::Kind;

std::vector<Kind> Kinds(const RecordingUI& ui) {
    std::vector<Kind> kinds;
    for (const auto& event : ui.Events()) kinds.push_back(event.kind);
    return kinds;
}

TEST(DelayedProgressTest, QuickWorkShowsNothing) {
    RecordingUI ui;
    ScopedUI installed(ui);
    {
        DelayedProgress progress("Working", std::chrono::hours(1));
        for (int i = 1; i <= 10; ++i) ReportProgressStep(i, 10);
        EXPECT_FALSE(progress.Shown());
    }
    EXPECT_TRUE(ui.Events().empty());
    ReportProgressStep(1, 1);  // with none alive it goes nowhere
    EXPECT_TRUE(ui.Events().empty());
}

TEST(DelayedProgressTest, SlowWholeSetWorkShowsItsStepsAndEnds) {
    RecordingUI ui;
    ScopedUI installed(ui);
    TAnimation frames(8, 8);
    for (int i = 0; i < 4; ++i) frames.AddEmpty();
    {
        DelayedProgress outer("Outer", std::chrono::hours(1));
        {
            DelayedProgress progress("Changing", std::chrono::seconds(0));
            frames.Mirror();
        }
        // The inner one is gone: steps reach the outer again, which is quick.
        ReportProgressStep(1, 2);
    }
    EXPECT_EQ(Kinds(ui), (std::vector<Kind>{Kind::ProgressStart, Kind::ProgressSet, Kind::ProgressSet,
                                           Kind::ProgressSet, Kind::ProgressSet, Kind::ProgressEnd}));
    EXPECT_EQ(ui.Events().front().text, "Changing");
    EXPECT_EQ(ui.Events()[4].percent, 100);
    EXPECT_EQ(ui.ProgressDepth(), 0);
}

}  // namespace
}  // namespace kestrin
