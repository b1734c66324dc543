#pragma once
// What the debug window shows of a running game and does to it: the room,
// the instances and the speed the game reaches, expressions watched, the
// game's debug messages, code run from outside, and the game paused or
// stepped one step at a time. Qt-free: the window only shows it.

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace kestrin::engine {

class World;

class DebugSession {
public:
    // The world outlives the session.
    explicit DebugSession(World& world) : mWorld(world) {}

    struct Watch {
        std::string expression;
        std::string value;  // as the last refresh found it
    };
    // Adds a watch (its value found at once); a blank expression is not one.
    bool AddWatch(const std::string& expression);
    void RemoveWatch(std::size_t row);
    const std::vector<Watch>& Watches() const { return mWatches; }
    // Finds every watch's value anew, with no instance as self: a real as the
    // game writes it, a text in double quotes, an error as "error: " and
    // its message. Must not run inside a step of the game.
    void Refresh();

    // Runs the code with no instance as self; false with the error, which
    // the game's error options leave alone. Must not run inside a step.
    bool Execute(const std::string& code, std::string& error);

    // The step count now, at `seconds` on a steady clock, for the speed.
    void Sample(double seconds);
    // Steps per second over the last second sampled; the room's speed before
    // there are two samples.
    double Speed() const;
    // "Room: NAME   Instances: N   Speed: REACHED of ROOM SPEED   Step: N".
    std::string Status() const;

    // The game's debug messages, the last kKeptMessages of them.
    static constexpr std::size_t kKeptMessages = 1000;
    void AddMessage(std::string text);
    // Every message ever added counts, so a reader can ask for the new ones.
    std::int64_t MessageCount() const { return mMessageCount; }
    // The messages kept from number `first` on (counted from 0).
    std::vector<std::string> MessagesFrom(std::int64_t first) const;

    // Pausing: while paused the game steps only when a step is asked for.
    bool Paused() const { return mPaused; }
    void SetPaused(bool paused) { mPaused = paused; }
    void AskForStep() { mStepAskedFor = true; }
    // Whether the game may step now; uses up a step asked for.
    bool TakeStep();

private:
    World& mWorld;
    std::vector<Watch> mWatches;
    std::deque<std::pair<double, std::int64_t>> mSamples;  // seconds, step count
    std::deque<std::string> mMessages;
    std::int64_t mMessageCount = 0;
    bool mPaused = false;
    bool mStepAskedFor = false;
};

}  // namespace kestrin::engine
