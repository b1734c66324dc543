// The game window's F5 and F6: the game is saved and loaded between steps
// when the options allow it; otherwise the keys go to the game. Sounds of
// the window runner report honestly whether they play.

#include <gtest/gtest.h>

#include <QTest>

#include <filesystem>
#include <fstream>

#include "engine/engine_fixture.h"
#include "resources/event_types.h"
#include "runner/game_window.h"
#include "runner/runner_shell.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using engine::test::Eval;
using engine::test::TestGame;

struct CountingGame {
    CountingGame() {
        const int o = t.AddObject("counter");
        t.AddCode(o, kEventCreate, 0, "n = 0;");
        t.AddCode(o, kEventStep, 0, "n += 1;");
        const int room = t.AddRoom("room");
        // A slow timer: the test steps the world itself.
        t.Room(room).Speed = 1;
        t.Place(room, o, 0, 0);
    }
    double N(engine::World& world) { return Eval(world, world.Instances()[0].get(), "n").Real(); }
    TestGame t;
};

TEST(GameWindowKeys, F5SavesAndF6LoadsWhenTheOptionsAllowIt) {
    CountingGame g;
    test::TempDir dir;
    const std::string file = dir.File("_save.sav");
    auto world = g.t.Start();
    runner::GameWindow window(g.t.game, *world);
    window.SetSaveFile(file);

    world->Step();
    QTest::keyClick(&window, Qt::Key_F5);
    world->Step();
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(g.N(*world), 2.0);
    world->Step();
    world->Step();
    QTest::keyClick(&window, Qt::Key_F6);
    world->Step();
    EXPECT_EQ(g.N(*world), 2.0) << "the state saved at the end of the second step";
    EXPECT_FALSE(world->Input().Held(116)) << "F5 and F6 do not reach the game";

    g.t.game.Options.SaveKey = false;
    std::filesystem::remove(file);
    QTest::keyPress(&window, Qt::Key_F5);
    world->Step();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(world->Input().Held(116)) << "without the option F5 is the game's key";
}

TEST(GameWindowKeys, F6WithoutASaveSaysSoAndTheGameGoesOn) {
    CountingGame g;
    test::TempDir dir;
    auto world = g.t.Start();
    runner::GameWindow window(g.t.game, *world);
    window.SetSaveFile(dir.File("_save.sav"));
    QTest::keyClick(&window, Qt::Key_F6);
    world->Step();
    ASSERT_EQ(g.t.shell.messages.size(), 1u);
    EXPECT_EQ(g.t.shell.messages[0], "Cannot load the game: the file " + dir.File("_save.sav") + " cannot be read.");
    EXPECT_EQ(g.N(*world), 1.0);
}

TEST(RunnerSounds, ASoundWithoutDataNeverPlaysAndStopAllIsHarmless) {
    TestGame t;
    const int sound = t.game.Tree().AddResourceNode(nullptr, kTypeSounds)->Data.Index;
    runner::RunnerShell shell(false, t.game, {});
    shell.PlaySound(sound, true);
    shell.PlaySound(99, false);
    EXPECT_FALSE(shell.SoundPlaying(sound));
    EXPECT_FALSE(shell.SoundPlaying(99));
    shell.StopAllSounds();
}

// One second of silence: 8 kHz, 8 bits, mono.
std::string SilentWave() {
    const std::uint32_t samples = 8000;
    std::string bytes = "RIFF";
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(36 + samples, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(8000, 4);
    put(8000, 4);
    put(1, 2);
    put(8, 2);
    bytes += "data";
    put(samples, 4);
    bytes += std::string(samples, '\x80');
    return bytes;
}

TEST(RunnerSounds, SoundsPlayOverEachOtherLoopPanAndStop) {
    TestGame t;
    test::TempDir dir;
    const int sound = t.game.Tree().AddResourceNode(nullptr, kTypeSounds)->Data.Index;
    std::ofstream(dir.File("quiet.wav"), std::ios::binary) << SilentWave();
    ASSERT_TRUE(t.game.Sounds().ResourceAt(sound)->LoadFromFile(dir.File("quiet.wav")));
    t.game.Sounds().ResourceAt(sound)->Buffers = 2;
    runner::RunnerShell shell(false, t.game, {});
    shell.PlaySound(sound, false);
    shell.PlaySound(sound, true);
    EXPECT_TRUE(shell.SoundPlaying(sound));
    shell.StopSound(sound);
    EXPECT_FALSE(shell.SoundPlaying(sound));
    shell.PlaySound(sound, true);
    shell.SetSoundVolume(sound, 0.5);
    EXPECT_TRUE(shell.SoundPlaying(sound));
    // A playing sound moves to its panned copy and goes on; so do later plays.
    shell.SetSoundPan(sound, -0.5);
    EXPECT_TRUE(shell.SoundPlaying(sound));
    shell.StopSound(sound);
    shell.PlaySound(sound, false);
    EXPECT_TRUE(shell.SoundPlaying(sound));
    shell.StopAllSounds();
    EXPECT_FALSE(shell.SoundPlaying(sound));
}

}  // namespace
}  // namespace kestrin
