// The time-line editor: the moment commands on the model (by the selected
// moment's position, with duplicates and negatives) and in the window.

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "editor_library.h"
#include "editors/action_clipboard.h"
#include "editors/action_list_view.h"
#include "editors/moment_commands.h"
#include "editors/time_line_form.h"
#include "resources/time_line.h"
#include "support/editor_fixture.h"

namespace kestrin {
namespace {

// Moments at the steps, each holding one action named after its step.
CTimeLine Moments(std::initializer_list<int> steps) {
    CTimeLine timeLine;
    for (int step : steps) {
        CEvent* event = timeLine.GetMomentEvent(timeLine.AddMoment(step));
        event->AddAction(0, 0).ArgValue[0] = std::to_string(step);
    }
    return timeLine;
}

std::string Steps(const CTimeLine& timeLine) {
    std::string steps;
    for (int i = 0; i < timeLine.MomentCount(); ++i) {
        steps += std::to_string(timeLine.GetMomentStep(i)) + "(";
        const CEvent* event = timeLine.GetMomentEvent(i);
        for (int a = 0; a < event->ActionCount(); ++a) steps += event->GetAction(a)->ArgValue[0] + (a + 1 < event->ActionCount() ? "," : "");
        steps += ") ";
    }
    return steps;
}

TEST(MomentCommands, AddChangeMergeShiftDelete) {
    CTimeLine timeLine = Moments({5, 20});
    MomentOutcome outcome = AddMomentCommand(timeLine, 10);
    EXPECT_EQ(outcome.select, 1);
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(AddMomentCommand(timeLine, 20).select, 2);
    EXPECT_STREQ(AddMomentCommand(timeLine, -1).message, kMomentsNegative);

    timeLine = Moments({0, 20});
    EXPECT_STREQ(ChangeMomentCommand(timeLine, 0, 20).message, kMomentExists);
    EXPECT_STREQ(ChangeMomentCommand(timeLine, 0, -5).message, kMomentsNegative);
    EXPECT_FALSE(ChangeMomentCommand(timeLine, 0, 0).changed);
    outcome = ChangeMomentCommand(timeLine, 0, 30);
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.select, 1);
    EXPECT_EQ(Steps(timeLine), "20(20) 30(0) ");

    timeLine = Moments({0, 10, 20, 30});
    outcome = MergeMomentsCommand(timeLine, 0, 20);
    EXPECT_EQ(Steps(timeLine), "0(0,10,20) 30(30) ");
    EXPECT_EQ(outcome.select, 0);
    // Till below from is an empty range; a negative from counts as 0.
    EXPECT_FALSE(MergeMomentsCommand(timeLine, 30, 10).changed);
    EXPECT_EQ(Steps(timeLine), "0(0,10,20) 30(30) ");

    timeLine = Moments({0, 10, 20, 30});
    EXPECT_TRUE(ShiftMomentsCommand(timeLine, 1, 10, 20, 5).changed);
    EXPECT_EQ(Steps(timeLine), "0(0) 15(10) 25(20) 30(30) ");
    EXPECT_STREQ(ShiftMomentsCommand(timeLine, 1, 15, 30, -20).message, kMomentsNegative);
    EXPECT_EQ(Steps(timeLine), "0(0) 15(10) 25(20) 30(30) ");
    EXPECT_FALSE(ShiftMomentsCommand(timeLine, 1, 30, 0, 1).changed);
    // Wide ranges and amounts stay in range instead of wrapping.
    EXPECT_TRUE(ShiftMomentsCommand(timeLine, 0, -5, INT32_MAX, INT32_MAX).changed);
    EXPECT_EQ(timeLine.GetMomentStep(3), INT32_MAX);
}

TEST(MomentCommands, DuplicateStepsActOnTheChosenMoment) {
    CTimeLine timeLine = Moments({0, 10});
    ShiftMomentsCommand(timeLine, 0, 0, 0, 10);  // two moments on step 10 now
    ASSERT_EQ(timeLine.GetMomentStep(0), 10);
    ASSERT_EQ(timeLine.GetMomentStep(1), 10);
    const std::string first = timeLine.GetMomentEvent(0)->GetAction(0)->ArgValue[0];
    const std::string second = timeLine.GetMomentEvent(1)->GetAction(0)->ArgValue[0];
    EXPECT_TRUE(DeleteMomentCommand(timeLine, 0).changed);
    ASSERT_EQ(timeLine.MomentCount(), 1);
    EXPECT_EQ(timeLine.GetMomentEvent(0)->GetAction(0)->ArgValue[0], second);

    timeLine = Moments({0, 10});
    ShiftMomentsCommand(timeLine, 0, 0, 0, 10);
    const std::string moved = timeLine.GetMomentEvent(1)->GetAction(0)->ArgValue[0];
    EXPECT_TRUE(ChangeMomentCommand(timeLine, 1, 50).changed);
    EXPECT_EQ(timeLine.GetMomentEvent(1)->GetAction(0)->ArgValue[0], moved);
    EXPECT_EQ(timeLine.GetMomentStep(1), 50);
    (void)first;
}

class TimeLineFormTest : public test::EditorTest {
protected:
    TimeLineFormTest() {
        ActionClipboard().Clear();
        index = test::AddNamedResource(game, kTypeTimeLines, "timeline");
        CTimeLine& timeLine = TimeLine();
        for (int step : {0, 10, 20}) timeLine.AddMoment(step);
        timeLine.GetMomentEvent(0)->AddAction(test::kMainLibrary, test::kMoveAction).ArgValue[0] = "a";
        timeLine.GetMomentEvent(0)->AddAction(test::kMainLibrary, test::kMoveAction).ArgValue[0] = "b";
        timeLine.GetMomentEvent(2)->AddAction(test::kMainLibrary, test::kMoveAction).ArgValue[0] = "c";
        game.ClearChangedFlags();
    }
    ~TimeLineFormTest() override { ActionClipboard().Clear(); }
    CTimeLine& TimeLine() { return *game.TimeLines().ResourceAt(index); }
    TTimeLineForm* OpenTimeLine() { return Open<TTimeLineForm>(ResourceKind::TimeLine, index); }
    static QStringList Lines(TTimeLineForm* form) {
        QStringList lines;
        auto* list = form->findChild<QListWidget*>(QStringLiteral("EventList"));
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    void Click(TTimeLineForm* form, const char* name) {
        QTest::mouseClick(form->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }

    test::LoadedEditorLibrary library;
    int index = 0;
};

TEST_F(TimeLineFormTest, OpeningDropsEmptyMomentsAndAddProposesTheNextStep) {
    TTimeLineForm* form = OpenTimeLine();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Lines(form), (QStringList{"Step 0", "Step 20"}));
    EXPECT_EQ(form->SelectedMoment(), 0);
    EXPECT_EQ(form->Actions().count(), 2);
    form->SelectMoment(1);
    dialogs.AnswerValue(25);
    Click(form, "AddEventBtn");
    ASSERT_EQ(dialogs.ValuesQuestions.size(), 1u);
    EXPECT_EQ(dialogs.ValuesQuestions[0].title, "Adding a Moment");
    EXPECT_EQ(dialogs.ValuesQuestions[0].values[0], 21);
    EXPECT_EQ(Lines(form), (QStringList{"Step 0", "Step 20", "Step 25"}));
    EXPECT_EQ(form->SelectedMoment(), 2);
    EXPECT_FALSE(form->Edited());
    dialogs.AnswerValue(-3);
    Click(form, "AddEventBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kMomentsNegative});
}

TEST_F(TimeLineFormTest, ChangeRefusesATakenStepAndMovesOtherwise) {
    TTimeLineForm* form = OpenTimeLine();
    dialogs.AnswerValue(20);
    Click(form, "ChangeEventBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kMomentExists});
    EXPECT_EQ(Lines(form), (QStringList{"Step 0", "Step 20"}));
    dialogs.AnswerValue(40);
    Click(form, "ChangeEventBtn");
    EXPECT_EQ(Lines(form), (QStringList{"Step 20", "Step 40"}));
    EXPECT_EQ(form->SelectedMoment(), 1);
    EXPECT_EQ(form->Actions().count(), 2);
    EXPECT_TRUE(form->Edited());
}

TEST_F(TimeLineFormTest, DeleteAsksAndClearRemovesAll) {
    TTimeLineForm* form = OpenTimeLine();
    ui.ScriptAnswers({Answer::No, Answer::Yes});
    Click(form, "DeleteEventBtn");
    EXPECT_EQ(Lines(form).size(), 2);
    Click(form, "DeleteEventBtn");
    EXPECT_EQ(Lines(form), (QStringList{"Step 20"}));
    EXPECT_EQ(form->SelectedMoment(), 0);
    ui.ScriptAnswers({Answer::Yes});
    Click(form, "ClearEventBtn");
    EXPECT_TRUE(Lines(form).isEmpty());
    EXPECT_EQ(TimeLine().MomentCount(), 0);
    // No moment: the palette says so.
    form->Actions().AddFromPalette(test::kMainLibrary, test::kMoveAction);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kNoMomentForActions});
}

TEST_F(TimeLineFormTest, MergeAndShiftUseTheirDialogs) {
    TimeLine().GetMomentEvent(TimeLine().AddMoment(30))->AddAction(test::kMainLibrary, test::kMoveAction);
    TTimeLineForm* form = OpenTimeLine();
    dialogs.AnswerValues({20, 30, 5});
    Click(form, "ShiftEventBtn");
    EXPECT_EQ(dialogs.ValuesQuestions.back().title, "Shift Moments");
    EXPECT_EQ(dialogs.ValuesQuestions.back().values, (std::array<std::int32_t, 3>{0, 0, 1}));
    EXPECT_EQ(Lines(form), (QStringList{"Step 0", "Step 25", "Step 35"}));
    dialogs.AnswerValues({-4, 25, 0});
    Click(form, "MergeEventBtn");
    EXPECT_EQ(dialogs.ValuesQuestions.back().title, "Merging Moments");
    EXPECT_EQ(Lines(form), (QStringList{"Step 0", "Step 35"}));
    EXPECT_EQ(form->Actions().count(), 3);
    EXPECT_TRUE(form->Edited());
}

TEST_F(TimeLineFormTest, PastesFromTheSharedClipboardAndNoRestores) {
    CEvent& clipboard = ActionClipboard();
    clipboard.AddAction(test::kMainLibrary, test::kMoveAction).ArgValue[0] = "pasted";
    TTimeLineForm* form = OpenTimeLine();
    TActionListView& list = form->Actions();
    list.setFocus();
    list.Refill(-1);
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(TimeLine().GetMomentEvent(0)->ActionCount(), 3);
    EXPECT_EQ(TimeLine().GetMomentEvent(0)->GetAction(2)->ArgValue[0], "pasted");
    EXPECT_EQ(list.Selected(), 2);
    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_EQ(ui.Questions().front(), "Save the changes to timeline?");
    EXPECT_EQ(TimeLine().GetMomentEvent(0)->ActionCount(), 2);
}

}  // namespace
}  // namespace kestrin
