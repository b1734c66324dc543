#pragma once
// A started game of one room with one instance, for tests of built-in
// functions: code runs as that instance, and an expression gives its value
// or the run-time error it raised.

#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace kestrin::engine::test {

struct FunctionGame {
    FunctionGame() { Start(); }
    explicit FunctionGame(RecordingShell& customShell) : shell(&customShell) { Start(); }

    // The value as "'text'" or a number, or "error: message".
    std::string Outcome(const std::string& expression) {
        Value value;
        std::string error;
        if (!world->Script().Evaluate(expression, self(), value, error)) return "error: " + error;
        if (value.IsString()) return "'" + value.Text() + "'";
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.10g", value.Real());
        return buffer;
    }
    // Runs statements; a run-time error among them fails the test.
    void Run(const std::string& code) {
        const std::size_t before = shell->messages.size();
        world->Script().RunCode(code, self(), "test");
        EXPECT_EQ(shell->messages.size(), before) << code << ": " << shell->messages.back();
    }
    Instance* self() { return world->Instances().at(0).get(); }

    TestGame t;
    RecordingShell* shell = &t.shell;
    std::unique_ptr<World> world;

private:
    void Start() {
        const int room = t.AddRoom("room");
        t.Place(room, t.AddObject("thing"), 0, 0);
        world = std::make_unique<World>(t.game, *shell, std::vector<std::string>{}, 1);
        world->Start();
    }
};

struct ExpressionCase {
    std::string expression;
    std::string outcome;  // as FunctionGame::Outcome gives it
};

// Each case in the game, reported with its expression when it fails.
inline void ExpectOutcomes(FunctionGame& game, const std::vector<ExpressionCase>& cases) {
    for (const ExpressionCase& c : cases) EXPECT_EQ(game.Outcome(c.expression), c.outcome) << c.expression;
}

}  // namespace kestrin::engine::test
