// Saving the world into a save file and putting it back from one, between
// two steps.

#include <fstream>
#include <iterator>

#include "engine/game_shell.h"
#include "engine/particle_systems.h"
#include "engine/saved_game.h"
#include "engine/script_side.h"
#include "engine/world.h"
#include "storage/game.h"
#include "stream/stream.h"

namespace kestrin::engine {

namespace {

// More than any game's state; a larger file is not read at all.
constexpr std::streamoff kMaxSaveFileBytes = 64 << 20;

bool ReadWholeFile(const std::string& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxSaveFileBytes) return false;
    in.seekg(0);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

bool World::LoadGame(const std::string& file, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(file, bytes)) {
        error = "Cannot load the game: the file " + file + " cannot be read.";
        return false;
    }
    auto saved = std::make_unique<SavedGame>();
    switch (ReadSavedGame(bytes, mGame, mScript->Names(), *saved)) {
        case SaveFileProblem::None: break;
        case SaveFileProblem::OtherGame:
            error = "Cannot load the game: " + file + " was saved by another game.";
            return false;
        case SaveFileProblem::Damaged:
            error = "Cannot load the game: " + file + " is damaged.";
            return false;
    }
    mPendingLoad = std::move(saved);
    return true;
}

void World::ApplySaveAndLoad() {
    if (!mPendingSave.empty()) {
        const std::string file = std::move(mPendingSave);
        mPendingSave.clear();
        SavedGame saved;
        CaptureGame(saved);
        try {
            CStream(WriteSavedGame(saved, mGame.GameId, mScript->Names())).SaveToFile(file);
        } catch (const std::exception&) {
            ReportError("Cannot save the game to " + file + ".");
        }
    }
    if (mPendingLoad) {
        std::unique_ptr<SavedGame> saved = std::move(mPendingLoad);
        RestoreGame(*saved);
    }
}

void World::CaptureGame(SavedGame& saved) const {
    saved.room = mRoom;
    saved.values = mValues;
    for (const auto& instance : mInstances) {
        if (instance->alive) saved.instances.push_back(*instance);
        // Deactivated during the step and not yet moved aside.
        else if (!instance->active) saved.inactive.push_back(*instance);
    }
    for (const auto& instance : mInactive) saved.inactive.push_back(*instance);
    for (const auto& [room, instances] : mKeptRooms) {
        auto& kept = saved.keptRooms.emplace_back(room, std::vector<Instance>{});
        for (const auto& instance : instances) kept.second.push_back(*instance);
    }
    saved.globals = mScript->Globals();
    for (NameId name : mScript->GlobalvarNames()) saved.globalvarNames.push_back(mScript->Names().Name(name));
    saved.structures = mScript->Structures();
    saved.random = mRandom.State();
    saved.nextId = mNextId;
    CaptureParticles(*mParticles, saved.particles);
    saved.messageLook = mShell.Messages();
}

void World::RestoreGame(SavedGame& saved) {
    mInstances.clear();
    mInactive.clear();
    mById.Clear();
    mKeptRooms.clear();
    mPendingRoom = -1;
    mRestartPending = false;
    mRoom = std::move(saved.room);
    mValues = std::move(saved.values);
    for (Instance& instance : saved.instances) {
        mInstances.push_back(std::make_unique<Instance>(std::move(instance)));
        mById.Set(mInstances.back()->id, mInstances.back().get());
    }
    for (Instance& instance : saved.inactive) {
        mInactive.push_back(std::make_unique<Instance>(std::move(instance)));
        mById.Set(mInactive.back()->id, mInactive.back().get());
    }
    for (auto& [room, instances] : saved.keptRooms) {
        auto& kept = mKeptRooms[room];
        for (Instance& instance : instances) kept.push_back(std::make_unique<Instance>(std::move(instance)));
    }
    mScript->Globals() = std::move(saved.globals);
    for (const std::string& name : saved.globalvarNames) mScript->MakeGlobalvar(mScript->Names().Intern(name));
    mScript->Structures() = std::move(saved.structures);
    mRandom.SetState(saved.random);
    mNextId = saved.nextId;
    RestoreParticles(saved.particles, *mParticles);
    mShell.Messages() = std::move(saved.messageLook);
}

}  // namespace kestrin::engine
