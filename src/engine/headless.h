#pragma once
// Headless play: a game run for a number of steps without a window, with
// keys and clicks from an input script, messages written one per line, and
// a JSON summary of the world at the end. The runner's --headless mode and
// the tests use it.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace kestrin {
class Game;
}

namespace kestrin::engine {

class World;

// One line of an input script: "STEP down KEY", "STEP up KEY" or
// "STEP click X Y". It happens just before step STEP (the first step is 1);
// a click presses the left button at (X, Y) and lets it go before the next step.
struct InputEvent {
    enum class Kind { Down, Up, Click };
    std::int64_t step = 0;
    Kind kind = Kind::Down;
    int key = 0;
    int x = 0, y = 0;
};

// The key code of a key name as keyboard events are named ("<Left>", "A-key",
// "Keypad 5", "F1"); also "Left", "A", "space" without the decoration, in
// any case. -1 for a name that is no key.
int KeyFromName(const std::string& name);

// False with "line N: ..." for a line that cannot be read; empty lines and
// lines starting with # are skipped.
bool ParseInputScript(const std::string& text, std::vector<InputEvent>& events, std::string& error);

// The world as one JSON object: steps, room, score, lives, health and the
// live instances with object name, id, x and y.
std::string WorldSummaryJson(World& world);

struct HeadlessOptions {
    std::int64_t steps = 0;
    std::uint64_t seed = 0;
    std::vector<InputEvent> input;
    // The game's own command line, the program first.
    std::vector<std::string> commandLine;
};

// Plays the game; messages and errors go to `out` as they happen, the
// summary last. The game's library code is given as the game file carries it.
// Returns the exit status: 0 when it ran (even when the game ended early),
// 1 when the game has no room.
int PlayHeadless(Game& game, std::vector<std::string> libraryCode, const HeadlessOptions& options,
                 std::ostream& out);

}  // namespace kestrin::engine
