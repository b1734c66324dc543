// The runner's game window played with real key and mouse events: input
// reaches the engine, the Esc, F1 and F4 keys do what the options allow,
// closing the window ends the game, an error in the code shows its message
// and ends the game or not as the options say, and the code's questions
// about the window are answered from it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <fstream>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "engine/world.h"
#include "resources/event_types.h"
#include "runner/game_window.h"
#include "runner/information_window.h"
#include "runner/runner_shell.h"
#include "support/temp_dir.h"

namespace kestrin::runner {
namespace {

constexpr int kRight = 39;       // the key code of the right arrow
constexpr int kLeftPressed = 4;  // the mouse event of the left button pressed on the instance
constexpr int kNormalStep = 0;
constexpr int kGameEnd = 3;     // the other event at the end of the game

// A hero with a 20 by 20 sprite at (100, 100) of a 200 by 200 room, moved by
// the right arrow and counting left clicks on it in the score.
// The cases of a table reach into the fixture, so its parts are public.
class GameWindowTest : public ::testing::Test {
public:
    GameWindowTest() {
        mHero = mTest.AddObject("hero", mTest.AddSprite(20, 20));
        mTest.AddCode(mHero, kEventKeyboard, kRight, "x += 4;");
        mTest.AddCode(mHero, kEventMouse, kLeftPressed, "score += 1;");
        mRoom = mTest.AddRoom("room", 200, 200);
        mTest.Place(mRoom, mHero, 100, 100);
        Options().WriteErrors = false;
    }

    CGameOptions& Options() { return mTest.game.Options; }

    void Play() {
        mWorld = std::make_unique<engine::World>(mTest.game, mShell, std::vector<std::string>{}, 1);
        ASSERT_TRUE(mWorld->Start());
        mWindow = std::make_unique<GameWindow>(mTest.game, *mWorld);
        mShell.SetWindow(mWindow.get());
        mShell.AnswerBoxesWith([this](const std::string& text, bool) {
            mBoxes.push_back(text);
            return true;
        });
        mWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mWindow.get()));
    }

    // As Play, but the window starts the world, as the runner does.
    bool PlayFromTheStart() {
        mWorld = std::make_unique<engine::World>(mTest.game, mShell, std::vector<std::string>{}, 1);
        mWindow = std::make_unique<GameWindow>(mTest.game, *mWorld);
        mShell.SetWindow(mWindow.get());
        mShell.AnswerBoxesWith([this](const std::string& text, bool) {
            mBoxes.push_back(text);
            if (text == "close") mWindow->close();
            return true;
        });
        return mWindow->Start(200, 200);
    }

    // Waits until the game has made that many more steps; false when it stopped.
    bool Steps(int count) {
        const std::int64_t until = mWorld->StepCount() + count;
        return QTest::qWaitFor([&] { return mWorld->StepCount() >= until; }, 3000);
    }

    double HeroX() { return mWorld->InstancesOf(mHero).at(0)->x; }
    // The value of an expression in the hero.
    double Real(const std::string& expression) {
        return engine::test::Eval(*mWorld, mWorld->InstancesOf(mHero).at(0), expression).Real();
    }

    // Runs the application's event loop until something quits it; false when
    // nothing did within the time.
    static bool EventLoopQuits() {
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        limit.start(3000);
        return QCoreApplication::exec() == 0;
    }

    engine::test::TestGame mTest;
    RunnerShell mShell{true, mTest.game, {}};
    std::vector<std::string> mBoxes;
    int mHero = -1, mRoom = -1;
    std::unique_ptr<engine::World> mWorld;
    std::unique_ptr<GameWindow> mWindow;
};

TEST_F(GameWindowTest, AHeldKeyMovesTheInstanceUntilItIsReleased) {
    Play();
    ASSERT_TRUE(Steps(2));
    EXPECT_EQ(HeroX(), 100);
    QTest::keyPress(mWindow.get(), Qt::Key_Right);
    ASSERT_TRUE(Steps(3));
    const double moved = HeroX();
    EXPECT_GE(moved, 112);
    QTest::keyRelease(mWindow.get(), Qt::Key_Right);
    ASSERT_TRUE(Steps(1));
    const double released = HeroX();
    ASSERT_TRUE(Steps(3));
    EXPECT_EQ(HeroX(), released);
}

TEST_F(GameWindowTest, KeysHeldGoUpWhenTheWindowIsNoLongerActive) {
    mTest.AddCode(mHero, kEventKeyRelease, kRight, "released = 1;");
    mTest.AddCode(mHero, kEventCreate, 0, "released = 0;");
    ASSERT_TRUE(PlayFromTheStart());
    mWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mWindow.get()));
    QTest::keyPress(mWindow.get(), Qt::Key_Right);
    ASSERT_TRUE(Steps(2));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_TRUE(Steps(2));
    EXPECT_EQ(Real("released"), 1) << "the release event ran";
    const double stopped = HeroX();
    ASSERT_TRUE(Steps(3));
    EXPECT_EQ(HeroX(), stopped);
}

TEST_F(GameWindowTest, AClickReachesTheInstanceUnderItThroughTheWindowsScale) {
    Play();
    // The frame is stretched over a window twice its size.
    mWindow->resize(400, 400);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mWindow->width() == 400; }));
    struct Click {
        QPoint at;  // in the window
        double score;
    };
    // (220, 220) is (110, 110) in the room, on the hero; (60, 60) is (30, 30),
    // and (110, 110) would be on the hero only without the scale.
    const Click clicks[] = {{{220, 220}, 1}, {{60, 60}, 1}, {{110, 110}, 1}, {{239, 239}, 2}};
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.at.x());
        QTest::mouseClick(mWindow.get(), Qt::LeftButton, {}, click.at);
        ASSERT_TRUE(Steps(2));
        EXPECT_EQ(mWorld->Values().score, click.score);
    }
}

TEST_F(GameWindowTest, EscF1AndF4WorkOnlyWhenTheOptionsAllowThem) {
    struct Case {
        const char* name;
        Qt::Key key;
        bool CGameOptions::*option;
        std::function<bool(GameWindowTest&)> happened;
    };
    const Case cases[] = {
        {"Esc ends the game", Qt::Key_Escape, &CGameOptions::QuitKey,
         [](GameWindowTest& t) { return t.mWorld->Ended() && !t.mWindow->isVisible(); }},
        {"F4 switches full screen", Qt::Key_F4, &CGameOptions::ScreenKey,
         [](GameWindowTest& t) { return t.mWindow->isFullScreen(); }},
        {"F1 shows the information", Qt::Key_F1, &CGameOptions::HelpKey,
         [](GameWindowTest&) {
             for (QWidget* window : QApplication::topLevelWidgets())
                 if (dynamic_cast<InformationWindow*>(window) && window->isVisible()) return true;
             return false;
         }},
    };
    for (const Case& c : cases) {
        for (bool allowed : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (allowed ? "" : " (not allowed)"));
            Options().*c.option = allowed;
            Play();
            QTest::keyClick(mWindow.get(), c.key);
            if (allowed) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return c.happened(*this); }, 3000));
            } else {
                ASSERT_TRUE(Steps(3));
                EXPECT_FALSE(c.happened(*this));
                EXPECT_FALSE(mWorld->Ended());
            }
            mWindow.reset();
        }
    }
}

TEST_F(GameWindowTest, ClosingTheWindowEndsTheGameAndTheEventLoop) {
    mTest.AddCode(mHero, kEventOther, kGameEnd, "show_message('game over');");
    Play();
    ASSERT_TRUE(Steps(1));
    QTimer::singleShot(0, mWindow.get(), [this] { mWindow->close(); });
    EXPECT_TRUE(EventLoopQuits());
    EXPECT_TRUE(mWorld->Ended());
    EXPECT_EQ(mBoxes, std::vector<std::string>{"game over"});
    const std::int64_t steps = mWorld->StepCount();
    QTest::qWait(300);
    EXPECT_EQ(mWorld->StepCount(), steps);
}

TEST_F(GameWindowTest, AnErrorShowsItsMessageAndTheGameGoesOnOrEndsAsTheOptionsSay) {
    // Fails once, in the first step.
    mTest.AddCode(mHero, kEventStep, kNormalStep, "if (score == 0) { score = 10; x = 1 / 0; }");
    for (bool abort : {false, true}) {
        SCOPED_TRACE(abort ? "abort" : "go on");
        Options().DisplayErrors = true;
        Options().AbortErrors = abort;
        mBoxes.clear();
        Play();
        if (abort) {
            EXPECT_TRUE(EventLoopQuits());
            EXPECT_TRUE(mWorld->Ended());
            EXPECT_FALSE(mWindow->isVisible());
        } else {
            ASSERT_TRUE(Steps(4));
            EXPECT_TRUE(mWindow->isVisible());
        }
        ASSERT_EQ(mBoxes.size(), 1u);
        EXPECT_NE(mBoxes[0].find("hero"), std::string::npos) << mBoxes[0];
        EXPECT_NE(mBoxes[0].find("Division by zero"), std::string::npos) << mBoxes[0];
        mWindow.reset();
    }
}

TEST_F(GameWindowTest, TheCodeSeesWhereTheWindowIsAndSetsItsCursor) {
    Play();
    mWindow->setGeometry(50, 60, 400, 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mWindow->geometry() == QRect(50, 60, 400, 300); }));
    EXPECT_EQ(Real("window_client_left"), 50);
    EXPECT_EQ(Real("window_client_top"), 60);
    EXPECT_EQ(Real("window_client_width"), 400);
    EXPECT_EQ(Real("window_client_height"), 300);
    EXPECT_EQ(Real("window_width"), mWindow->frameGeometry().width());
    EXPECT_EQ(Real("window_handle()"), static_cast<double>(mWindow->winId()));

    Real("set_cursor(cr_handpoint)");
    EXPECT_EQ(mWindow->cursor().shape(), Qt::PointingHandCursor);
    Real("set_cursor(cr_none)");
    EXPECT_EQ(mWindow->cursor().shape(), Qt::BlankCursor);
    Real("set_cursor(cr_default)");
    EXPECT_EQ(mWindow->cursor().shape(), Qt::ArrowCursor);
}

// Intros live in the first room's start: the window is there for them.
TEST_F(GameWindowTest, WhatTheGameDoesWhileItStartsHappensInItsWindow) {
    mTest.AddCode(mHero, kEventCreate, 0,
                  "set_cursor(cr_handpoint); shown = window_handle(); show_message('hello');");
    mTest.AddCode(mHero, kEventOther, kGameEnd, "show_message('game over');");
    ASSERT_TRUE(PlayFromTheStart());
    EXPECT_TRUE(mWindow->isVisible());
    EXPECT_EQ(mWindow->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Real("shown"), static_cast<double>(mWindow->winId()));
    EXPECT_NE(Real("shown"), 0);
    EXPECT_EQ(mBoxes, std::vector<std::string>{"hello"});
    ASSERT_TRUE(Steps(2)) << "the window steps the game once it has started";
    EXPECT_FALSE(mWindow->Frame().isNull());
}

TEST_F(GameWindowTest, TheWindowFollowsTheGamesOptions) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    QByteArray icon;
    QBuffer buffer(&icon);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "ICO"));
    Options().GameIcon.assign(icon.constData(), static_cast<std::size_t>(icon.size()));
    Options().NoBorder = true;
    Options().NoClose = true;
    Options().ShowCursor = false;
    Options().WinScale = 150;
    ASSERT_TRUE(PlayFromTheStart());
    const Qt::WindowFlags flags = mWindow->windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(mWindow->cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(mWindow->size(), QSize(300, 300)) << "the room of 200 x 200 at 150%";
    EXPECT_FALSE(mWindow->windowIcon().isNull());
    mWindow.reset();

    Options().Fullscreen = true;
    ASSERT_TRUE(PlayFromTheStart());
    EXPECT_TRUE(mWindow->windowState() & Qt::WindowFullScreen);
}

TEST_F(GameWindowTest, AFrozenGameWaitsWhileItsWindowIsNotActive) {
    Options().Freeze = true;
    ASSERT_TRUE(PlayFromTheStart());
    mWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mWindow.get()));
    ASSERT_TRUE(Steps(2));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    const std::int64_t steps = mWorld->StepCount();
    QTest::qWait(300);
    EXPECT_EQ(mWorld->StepCount(), steps);
    mWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mWindow.get()));
    EXPECT_TRUE(Steps(2)) << "the game goes on once its window is active again";
}

TEST_F(GameWindowTest, ClosingTheWindowWhileTheGameStartsEndsIt) {
    mTest.AddCode(mHero, kEventCreate, 0, "show_message('close'); x = 7;");
    mTest.AddCode(mHero, kEventOther, kGameEnd, "show_message('game over');");
    EXPECT_FALSE(PlayFromTheStart());
    EXPECT_TRUE(mWorld->Ended());
    // The start ran to its end first; the game end events came after it.
    EXPECT_EQ(HeroX(), 7);
    EXPECT_EQ(mBoxes, (std::vector<std::string>{"close", "game over"}));
}

TEST_F(GameWindowTest, WaitingForAKeyOrAButtonEndsWhenThePlayerPressesOne) {
    struct Case {
        const char* call;
        std::function<void(QWidget*)> press;
        std::function<bool(engine::InputState&)> seen;
    };
    const Case cases[] = {
        {"keyboard_wait()", [](QWidget* w) { QTest::keyPress(w, Qt::Key_Space); },
         [](engine::InputState& input) { return input.Held(32); }},
        {"mouse_wait()", [](QWidget* w) { QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5)); },
         [](engine::InputState& input) { return input.ButtonHeld(engine::kMouseLeft); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        Play();
        bool pressed = false;
        QTimer::singleShot(200, mWindow.get(), [&] {
            pressed = true;
            c.press(mWindow.get());
        });
        Real(c.call);
        EXPECT_TRUE(pressed);
        // The press that ended the wait is the game's too.
        EXPECT_TRUE(c.seen(mWorld->Input()));
        mWindow.reset();
    }
}

TEST_F(GameWindowTest, AVideoThatCannotBePlayedIsAnError) {
    test::TempDir dir;
    const std::string film = dir.File("intro.avi");
    std::ofstream(film) << "these are not the frames of a video";
    Options().DisplayErrors = true;
    Play();
    // Should the player wait for a picture that never comes, closing the window ends it.
    QTimer::singleShot(5000, mWindow.get(), [this] { mWindow->close(); });
    mWorld->Script().RunCode("show_video('" + film + "', false, false);", nullptr, "test");
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_NE(mBoxes[0].find("Cannot play the video " + film), std::string::npos) << mBoxes[0];
}

}  // namespace
}  // namespace kestrin::runner
