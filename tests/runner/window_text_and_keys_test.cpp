// The game window's own part in drawing and devices: text turned by the
// font's angle on the Qt canvas, and the Num Lock key toggling the state the
// game reads.

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>

#include "engine/engine_fixture.h"
#include "engine/world.h"
#include "runner/game_window.h"
#include "runner/runner_shell.h"

namespace kestrin::runner {
namespace {

// The box around the pixels that are not black.
QRect LitBox(const Bitmap24& image) {
    QRect box;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Pixel(x, y) != 0) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(RunnerCanvas, TextTurnsAboutItsCornerByTheFontsAngle) {
    struct Case {
        double angle;
        bool upright;     // taller than wide
        bool belowStart;  // runs down from the corner rather than up
    };
    const Case cases[] = {{0, false, true}, {90, true, false}, {270, true, true}};
    for (const Case& c : cases) {
        Bitmap24 image(200, 200);
        RunnerCanvas canvas(image);
        engine::TextFont font;
        font.size = 14;
        font.angle = c.angle;
        canvas.Text(100, 100, "WWWWWWWW", font, MakeColor(255, 255, 255));
        const QRect box = LitBox(image);
        ASSERT_FALSE(box.isEmpty()) << c.angle;
        EXPECT_EQ(box.height() > box.width(), c.upright) << c.angle;
        EXPECT_EQ(box.bottom() > 110, c.belowStart) << c.angle;
    }
}

TEST(GameWindowNumLock, TheNumLockKeyTogglesTheStateTheGameReads) {
    engine::test::TestGame test;
    const int room = test.AddRoom("room");
    test.Place(room, test.AddObject("thing"), 0, 0);
    RunnerShell shell(true, test.game, {});
    engine::World world(test.game, shell, {}, 1);
    ASSERT_TRUE(world.Start());
    GameWindow window(test.game, world);
    shell.SetWindow(&window);
    engine::Instance* self = world.Instances().at(0).get();
    for (double expected : {1.0, 0.0}) {
        QTest::keyClick(&window, Qt::Key_NumLock);
        EXPECT_EQ(engine::test::Eval(world, self, "keyboard_get_numlock()").Real(), expected);
    }
    shell.SetWindow(nullptr);
}

}  // namespace
}  // namespace kestrin::runner
