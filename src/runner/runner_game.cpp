// Reading the game body inside the runner. Messages of the game file reader
// are collected instead of shown, so the runner can report them its own way.

#include "runner/runner_game.h"

#include <exception>

#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"

namespace kestrin::runner {

namespace {

// Keeps the first message and passes progress on; everything else stays silent.
class CollectingUI : public SilentUI {
public:
    CollectingUI(const Game& game, const LoadingProgress& progress) : mGame(game), mProgress(progress) {}
    void ShowMessage(const std::string& text) override {
        if (mFirst.empty()) mFirst = text;
    }
    void SetProgress(int percent) override {
        if (mProgress) mProgress(mGame, percent);
    }
    const std::string& First() const { return mFirst; }

private:
    const Game& mGame;
    const LoadingProgress& mProgress;
    std::string mFirst;
};

}  // namespace

bool LoadRunnerGame(GameData& data, Game& game, std::vector<std::string>& libraryCode, std::string& error,
                    const LoadingProgress& progress) {
    CollectingUI ui(game, progress);
    ScopedUI installed(ui);
    NewGame(game);
    bool ok = false;
    try {
        ok = ReadGameBody(game, data.Body, &libraryCode);
    } catch (const std::exception& e) {
        error = std::string("the game data is damaged (") + e.what() + ")";
        return false;
    }
    if (!ok) {
        error = ui.First().empty() ? "the game data is damaged" : ui.First();
        return false;
    }
    return true;
}

bool LoadGameFile(const std::string& fileName, Game& game, std::vector<std::string>& libraryCode,
                  std::string& error, const LoadingProgress& progress) {
    CollectingUI ui(game, progress);
    ScopedUI installed(ui);
    if (LoadGame(game, fileName, &libraryCode)) return true;
    error = ui.First().empty() ? "the game file cannot be read" : ui.First();
    return false;
}

CRoom* FirstRoom(Game& game) {
    for (std::int32_t index : game.Tree().RoomOrder()) {
        if (CRoom* room = game.Rooms().ResourceAt(index)) return room;
    }
    return nullptr;
}

}  // namespace kestrin::runner
