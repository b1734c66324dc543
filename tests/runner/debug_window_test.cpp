// The debug window driven as a user drives it: a watch typed in shows its
// value as the game goes on, Pause holds the game and Step plays one step,
// code typed in runs in the game, the game's debug messages appear, and
// nothing runs the game's code while a box of the game is open. A game
// built for debugging says so to the runner.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "build/build_fixture.h"
#include "build/stand_alone.h"
#include "engine/debug_session.h"
#include "engine/engine_fixture.h"
#include "engine/world.h"
#include "resources/event_types.h"
#include "runner/debug_window.h"
#include "runner/game_data.h"
#include "runner/game_window.h"
#include "runner/runner_shell.h"

namespace kestrin::runner {
namespace {

constexpr int kSpaceKey = 32;

// A counter whose step event counts in global.steps and writes a debug
// message every tenth step; the space key shows a box.
class DebugWindowTest : public ::testing::Test {
public:
    DebugWindowTest() {
        const int counter = mTest.AddObject("counter");
        mTest.AddCode(counter, kEventCreate, 0, "global.steps = 0; show_debug_message('started');");
        mTest.AddCode(counter, kEventStep, 0,
                      "global.steps += 1; if (global.steps mod 10 == 0) show_debug_message('step ' + "
                      "string(global.steps));");
        mTest.AddCode(counter, kEventKeyPress, kSpaceKey, "show_message('box');");
        mTest.Place(mTest.AddRoom("level"), counter, 10, 20);
        mWorld = std::make_unique<engine::World>(mTest.game, mShell, std::vector<std::string>{}, 1);
        mSession = std::make_unique<engine::DebugSession>(*mWorld);
        mWindow = std::make_unique<GameWindow>(mTest.game, *mWorld);
        mShell.SetWindow(mWindow.get());
        mShell.SetDebugSession(mSession.get());
        mWindow->SetDebugSession(mSession.get());
        mShell.AnswerBoxesWith([this](const std::string& text, bool) { return AnswerBox(text); });
        EXPECT_TRUE(mWindow->Start(200, 200));
        mDebug = std::make_unique<DebugWindow>(*mSession, *mWindow);
        mDebug->show();
    }

    template <typename Widget>
    Widget* Find(const char* name) {
        auto* widget = mDebug->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void Type(const char* edit, const QString& text) {
        QLineEdit* line = Find<QLineEdit>(edit);
        line->setFocus();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    QString Log() { return Find<QPlainTextEdit>("MessageLog")->toPlainText(); }
    double Steps() {
        engine::Value value;
        std::string error;
        EXPECT_TRUE(mWorld->Script().Evaluate("global.steps", nullptr, value, error)) << error;
        return value.Real();
    }
    bool WaitForSteps(double steps) {
        return QTest::qWaitFor([&] { return Steps() >= steps; }, 5000);
    }

    // While the game's box is open, the test does what the user might do in
    // the debug window meanwhile.
    bool AnswerBox(const std::string& text) {
        mBoxes.push_back(text);
        if (mWhileBoxOpen) mWhileBoxOpen();
        return true;
    }

    engine::test::TestGame mTest;
    RunnerShell mShell{true, mTest.game, {}};
    std::unique_ptr<engine::World> mWorld;
    std::unique_ptr<engine::DebugSession> mSession;
    std::unique_ptr<GameWindow> mWindow;
    std::unique_ptr<DebugWindow> mDebug;
    std::vector<std::string> mBoxes;
    std::function<void()> mWhileBoxOpen;
};

TEST_F(DebugWindowTest, AWatchFollowsTheGameAndPauseAndStepHoldIt) {
    Type("WatchEdit", "global.steps * 2");
    QTreeWidget* watches = Find<QTreeWidget>("WatchList");
    ASSERT_EQ(watches->topLevelItemCount(), 1);
    EXPECT_EQ(watches->topLevelItem(0)->text(0), "global.steps * 2");
    EXPECT_TRUE(Find<QLineEdit>("WatchEdit")->text().isEmpty());

    ASSERT_TRUE(WaitForSteps(3));
    mDebug->Refresh();
    EXPECT_EQ(watches->topLevelItem(0)->text(1).toDouble(), Steps() * 2);
    EXPECT_TRUE(Find<QLabel>("StatusLabel")->text().startsWith("Room: level   Instances: 1   Speed: "))
        << Find<QLabel>("StatusLabel")->text().toStdString();

    Click("PauseBtn");
    EXPECT_EQ(Find<QPushButton>("PauseBtn")->text(), "Resume");
    const double paused = Steps();
    QTest::qWait(250);
    EXPECT_EQ(Steps(), paused) << "a paused game does not step";
    Click("StepBtn");
    ASSERT_TRUE(WaitForSteps(paused + 1));
    QTest::qWait(250);
    EXPECT_EQ(Steps(), paused + 1) << "Step plays one step";
    mDebug->Refresh();
    EXPECT_EQ(watches->topLevelItem(0)->text(1).toDouble(), (paused + 1) * 2);

    Click("PauseBtn");
    EXPECT_FALSE(Find<QPushButton>("StepBtn")->isEnabled());
    ASSERT_TRUE(WaitForSteps(paused + 3)) << "resumed";

    watches->setCurrentItem(watches->topLevelItem(0));
    Click("RemoveWatchBtn");
    EXPECT_EQ(watches->topLevelItemCount(), 0);
    EXPECT_TRUE(mSession->Watches().empty());
}

TEST_F(DebugWindowTest, CodeTypedInRunsInTheGameAndMessagesAreShown) {
    Click("PauseBtn");
    Type("CodeEdit", "global.steps = 500; show_debug_message('from the window')");
    EXPECT_EQ(Steps(), 500);
    EXPECT_TRUE(Find<QLineEdit>("CodeEdit")->text().isEmpty());
    Type("CodeEdit", "global.steps = ");
    EXPECT_TRUE(Log().contains("Error: line 1: ")) << Log().toStdString();
    EXPECT_EQ(Find<QLineEdit>("CodeEdit")->text(), "global.steps = ") << "code in error stays to be mended";
    EXPECT_TRUE(mBoxes.empty()) << "the error is the window's, not the game's";

    Click("PauseBtn");
    ASSERT_TRUE(WaitForSteps(510));
    mDebug->Refresh();
    const QString log = Log();
    EXPECT_TRUE(log.startsWith("started\n")) << log.toStdString();
    EXPECT_TRUE(log.contains("> global.steps = 500; show_debug_message('from the window')\nfrom the window\n"))
        << "what the code writes follows its line: " << log.toStdString();
    EXPECT_TRUE(log.contains("step 510")) << log.toStdString();
}

TEST_F(DebugWindowTest, NothingRunsTheGamesCodeWhileABoxOfTheGameIsOpen) {
    mWhileBoxOpen = [this] {
        Type("CodeEdit", "global.steps = -100");
        Type("WatchEdit", "global.steps");
        mDebug->Refresh();
    };
    QTest::keyClick(mWindow.get(), Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mBoxes.empty(); }, 3000));
    EXPECT_GE(Steps(), 0);
    EXPECT_TRUE(mSession->Watches().empty());
    EXPECT_TRUE(Log().contains("Cannot run code while the game shows a box: close it first.")) << Log().toStdString();
    EXPECT_TRUE(Log().contains("Cannot add a watch while the game shows a box")) << Log().toStdString();
}

TEST(RunnerGameData, AGameBuiltForDebuggingSaysSo) {
    test::TempDir dir;
    const std::string runnerData = dir.File("rundata");
    test::MakeRunnerDataOrFail(test::FakeRunnerProgram()).SaveToFile(runnerData);
    for (bool debug : {false, true}) {
        StandAloneSource source;
        source.WriteGameBody = test::WriteFakeBody;
        source.RunnerData = runnerData;
        const std::string executable = dir.File(debug ? "debugged" : "played");
        ASSERT_EQ(BuildStandAlone(executable, debug, source), kStandAloneWritten);
        GameData data;
        std::string error;
        ASSERT_TRUE(ReadGameData(executable, data, error)) << error;
        EXPECT_EQ(data.Debug, debug);
    }
}

}  // namespace
}  // namespace kestrin::runner
