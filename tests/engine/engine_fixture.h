#pragma once
// Games built in code for the engine tests, and a shell that records what
// the game shows instead of showing it.

#include <memory>
#include <string>
#include <vector>

#include "engine/game_shell.h"
#include "engine/script_side.h"
#include "engine/world.h"
#include "imaging/bitmap24.h"
#include "resources/event.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/tree_codes.h"

namespace kestrin::engine::test {

class RecordingShell : public GameShell {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool ShowQuestion(const std::string& text) override {
        messages.push_back(text);
        return true;
    }
    void WriteErrorLog(const std::string& text) override { log.push_back(text); }
    std::vector<std::string> messages, log;
};

class TestGame {
public:
    TestGame() { NewGame(game); }

    // A sprite of one red frame, solid all over (nothing see-through).
    int AddSprite(int width, int height, bool precise = false, int xorigin = 0, int yorigin = 0) {
        Bitmap24 frame(width, height, MakeColor(255, 0, 0));
        int index = game.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
        CSprite& sprite = *game.Sprites().ResourceAt(index);
        sprite.AddImage(&frame);
        sprite.SetTransparent(false);
        sprite.PreciseCollision = precise;
        sprite.XOrigin = xorigin;
        sprite.YOrigin = yorigin;
        return index;
    }
    int AddObject(const std::string& name, int sprite = -1) {
        int index = game.Tree().AddResourceNode(nullptr, kTypeObjects)->Data.Index;
        game.Objects().ResourceAt(index)->Sprite = sprite;
        game.Objects().RenameResource(index, name);
        return index;
    }
    CObject& Object(int index) { return *game.Objects().ResourceAt(index); }
    // An action that does nothing by itself, so the event exists.
    void AddEmptyEvent(int object, int type, int number) { Object(object).GetEvent(type, number)->AddAction(0, 0); }
    // A code action.
    void AddCode(int object, int type, int number, const std::string& code) {
        CAction& action = Object(object).GetEvent(type, number)->AddAction(0, 0);
        action.Kind = 7;
        action.ArgCount = 1;
        action.ArgKind[0] = 1;
        action.ArgValue[0] = code;
    }
    int AddRoom(const std::string& name, int width = 200, int height = 200) {
        int index = game.Tree().AddResourceNode(nullptr, kTypeRooms)->Data.Index;
        game.Rooms().RenameResource(index, name);
        CRoom& room = *game.Rooms().ResourceAt(index);
        room.Width = width;
        room.Height = height;
        return index;
    }
    CRoom& Room(int index) { return *game.Rooms().ResourceAt(index); }
    void Place(int room, int object, int x, int y) { Room(room).AddInstance(x, y, object, game); }

    std::unique_ptr<World> Start(std::vector<std::string> libraries = {}, std::uint64_t seed = 1) {
        auto world = std::make_unique<World>(game, shell, std::move(libraries), seed);
        world->Start();
        return world;
    }

    Game game;
    RecordingShell shell;
};

// The value of an expression in an instance; fails the test on an error.
inline Value Eval(World& world, Instance* self, const std::string& expression) {
    Value value;
    std::string error;
    EXPECT_TRUE(world.Script().Evaluate(expression, self, value, error)) << expression << ": " << error;
    return value;
}

// Runs statements as the instance; the message of the error they report
// (without the place it names), or "" when none.
inline std::string RunForError(World& world, RecordingShell& shell, Instance* self, const std::string& code) {
    shell.messages.clear();
    world.Script().RunCode(code, self, "test");
    if (shell.messages.empty()) return {};
    const std::string& text = shell.messages.back();
    const std::size_t colon = text.find(": ");
    return colon == std::string::npos ? text : text.substr(colon + 2);
}

}  // namespace kestrin::engine::test
