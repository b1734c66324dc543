// Executable names without the ".exe" of other systems, and the title a
// running game shows: its caption, or its executable's name.

#include <gtest/gtest.h>

#include "build/executable_name.h"

namespace kestrin {
namespace {

TEST(ExecutableName, TakesTheGamesNameWithoutAnExtension) {
    EXPECT_STREQ(kExecutableExtension, "");
    const std::pair<std::string, std::string> cases[] = {
        {"", "game"},
        {"/home/me/games/demo.ksd", "/home/me/games/demo"},
        {"/home/me/games/demo.gb1", "/home/me/games/demo"},
        {"/home/me/my.games/level.one.ksd", "/home/me/my.games/level.one"},
        {"/home/me/my.games/noext", "/home/me/my.games/noext"},
    };
    for (const auto& [game, executable] : cases) EXPECT_EQ(ExecutableNameFor(game), executable) << game;
}

TEST(GameTitle, IsTheCaptionOrTheExecutablesNameWithoutExtension) {
    struct Case {
        std::string caption, executable, title;
    } cases[] = {
        {"Space Rocks", "/tmp/g1.exe", "Space Rocks"},
        {"", "/tmp/g1.exe", "g1"},
        {"", "/home/me/games/demo", "demo"},
        {"", "/home/me/my.games/level.one.bin", "level.one"},
    };
    for (const auto& c : cases) EXPECT_EQ(GameTitle(c.caption, c.executable), c.title) << c.executable;
}

}  // namespace
}  // namespace kestrin
