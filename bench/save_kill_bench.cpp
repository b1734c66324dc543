// Kill trials for saving. A child process saves a large game over the one on
// disk, with backups, and is killed with SIGKILL at a random moment; after
// each kill the game file must hold the whole old game or the whole new one
// (compared as kestrin-cli dumps them), every backup a whole game, and at
// most one temporary file may be left, which the next save removes. A second
// round kills the child just before each call of the save that changes the
// disk. Prints the figures; exits with 1 when anything was lost.
//
//   save_kill_bench [TRIALS [SEED]]     (1000 trials by default)

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <signal.h>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "cli/game_dump.h"
#include "cli/json_writer.h"
#include "cli/sha256.h"
#include "platform/file_system.h"
#include "platform/file_write_hook.h"
#include "platform/preferences.h"
#include "platform/user_interface.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "support/bench_library.h"

namespace {

using namespace kestrin;

constexpr int kMaxBackup = 3;
// Most of the bytes are script text, which goes into the file as it is, so
// the kills spread over writing to the disk and not only over compressing.
constexpr int kBackgrounds = 8;  // noisy pictures zlib cannot shrink
constexpr int kBackgroundSide = 256;
constexpr int kSprites = 300;
constexpr int kScripts = 200;
constexpr int kLinesPerScript = 1000;
constexpr int kObjects = 100;
constexpr int kRooms = 50;
constexpr int kInstancesPerRoom = 300;

Bitmap24 NoisyImage(int side, std::uint32_t seed) {
    Bitmap24 image(side, side);
    std::uint32_t noise = seed * 2654435761u + 1;
    for (int y = 0; y < side; ++y) {
        std::uint8_t* row = image.Row(y);
        for (int x = 0; x < 3 * side; ++x) {
            noise = noise * 1103515245u + 12345u;
            row[x] = static_cast<std::uint8_t>(noise >> 24);
        }
    }
    return image;
}

// Two games built from different seeds differ in every picture and name.
void MakeLargeGame(Game& game, int seed) {
    NewGame(game);
    CResourceTree& tree = game.Tree();
    auto add = [&](std::int32_t type) { return tree.AddResourceNode(tree.Section(type), type)->Data.Index; };
    const std::string tag = "g" + std::to_string(seed) + "_";
    for (int i = 0; i < kBackgrounds; ++i) {
        Bitmap24 image = NoisyImage(kBackgroundSide, static_cast<std::uint32_t>(seed * 1000 + i));
        int index = add(kTypeBackgrounds);
        game.Backgrounds().ResourceAt(index)->SetImage(&image);
    }
    for (int i = 0; i < kSprites; ++i) {
        Bitmap24 frame = NoisyImage(16, static_cast<std::uint32_t>(seed * 7919 + i));
        game.Sprites().ResourceAt(add(kTypeSprites))->AddImage(&frame);
    }
    for (int i = 0; i < kScripts; ++i) {
        std::string code = "// " + tag + std::to_string(i) + "\r\n";
        for (int line = 0; line < kLinesPerScript; ++line)
            code += "x += " + std::to_string(line * seed + i) + "; // keep the count\r\n";
        game.Scripts().ResourceAt(add(kTypeScripts))->Code = std::move(code);
    }
    for (int i = 0; i < kObjects; ++i) {
        CObject& object = *game.Objects().ResourceAt(add(kTypeObjects));
        object.Sprite = i % kSprites;
        object.GetEvent(0, 0)->AddAction(1, 1).SetArgValue(0, tag + "action");
    }
    for (int i = 0; i < kRooms; ++i) {
        CRoom& room = *game.Rooms().ResourceAt(add(kTypeRooms));
        room.Caption = tag + "room " + std::to_string(i);
        for (int n = 0; n < kInstancesPerRoom; ++n) room.AddInstance((n * 37 + seed) % 640, (n * 53) % 480, n % kObjects, game);
    }
}

std::size_t Temporaries(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : ListFolder(folder)) count += entry.name.find(".kstmp-") != std::string::npos;
    return count;
}

// Tells which of the two games a file holds, whole, by its dump; each save
// stamps the time into the file, so the stamp is left out. Verdicts are kept
// by the digest of the bytes, since backups are the same files again.
class Judge {
public:
    static constexpr int kNeither = -1;
    static constexpr int kMissing = -2;

    void Learn(int which, const std::string& file) { mDumps[which] = Dump(file); }

    int Which(const std::string& file) {
        if (!FileExists(file)) return kMissing;
        std::vector<std::uint8_t> bytes = ReadWholeFile(file);
        std::string digest = cli::Sha256Hex(bytes.data(), bytes.size());
        auto known = mVerdicts.find(digest);
        if (known != mVerdicts.end()) return known->second;
        std::string dump = Dump(file);
        int verdict = dump.empty() ? kNeither : dump == mDumps[0] ? 0 : dump == mDumps[1] ? 1 : kNeither;
        mVerdicts[digest] = verdict;
        return verdict;
    }

private:
    static std::string Dump(const std::string& file) {
        RandomSource random(1);
        auto game = std::make_unique<Game>(random);
        cli::GameFileFacts facts;
        if (!LoadGame(*game, file) || !cli::ReadGameFileFacts(file, facts)) return {};
        game->Options.LastChanged = 0;
        cli::JsonWriter json;
        cli::DumpGame(json, *game, facts);
        return json.Output();
    }

    std::string mDumps[2];
    std::map<std::string, int> mVerdicts;
};

// What the child tells the parent through shared memory: how many calls that
// change the disk it has started, the last of them, and whether it finished.
// The times are the child's own, so the parent's lag in noticing is not in them.
struct ChildProgress {
    std::atomic<int> calls;
    std::atomic<int> lastCall;
    std::atomic<int> finished;
    std::atomic<std::int64_t> firstCallNs;
    std::atomic<std::int64_t> finishedNs;
};

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Outcome {
    bool killed;
    int calls;  // started before the end
    FileWriteCall lastCall;
};

// When the delay before the kill starts counting.
enum class From { Start, FirstDiskCall };

// Saves the game in a child; kills it after `delay` or, with killBefore > 0,
// the child kills itself just before that call. Returns when the child is gone.
Outcome SaveInChild(Game& game, const std::string& file, ChildProgress* progress, From from,
                    std::chrono::microseconds delay, int killBefore) {
    progress->calls = 0;
    progress->finished = 0;
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid < 0) std::abort();
    if (pid == 0) {
        ScopedFileWriteHook hook([&](FileWriteCall call) {
            if (progress->calls == 0) progress->firstCallNs = NowNs();
            int n = ++progress->calls;
            progress->lastCall = static_cast<int>(call);
            if (n == killBefore) ::kill(::getpid(), SIGKILL);
            return 0;
        });
        const bool saved = SaveGame(game, file);
        progress->finishedNs = NowNs();
        progress->finished = saved ? 1 : 2;
        ::_exit(0);
    }
    int status = 0;
    bool gone = false;
    if (from == From::FirstDiskCall)
        while (progress->calls == 0 && !(gone = ::waitpid(pid, &status, WNOHANG) == pid))
            std::this_thread::sleep_for(std::chrono::microseconds(20));
    if (killBefore == 0 && !gone) {
        std::this_thread::sleep_for(delay);
        ::kill(pid, SIGKILL);
    }
    if (!gone) ::waitpid(pid, &status, 0);
    bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && progress->finished == 0;
    return {killed, progress->calls, static_cast<FileWriteCall>(progress->lastCall.load())};
}

// Where a kill landed, in the order of the save: 0 while the game's bytes
// are made in memory, k after the child started call k, and last a save
// that finished before the kill.
int PhaseOrder(const Outcome& outcome) { return outcome.killed ? outcome.calls : INT_MAX; }

std::string PhaseName(int order, FileWriteCall call) {
    if (order == INT_MAX) return "save finished before the kill";
    if (order == 0) return "making the game's bytes in memory";
    return "call " + std::to_string(order) + " (" + FileWriteCallName(call) + ")";
}

}  // namespace

int main(int argc, char** argv) {
    const int trials = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : std::random_device()();
    Prefs().Backup = true;
    Prefs().MaxBackup = kMaxBackup;
    bench::InstallBenchLibrary();

    const std::string folder = bench::TempFolder();
    const std::string file = folder + "/game.ksd";
    RandomSource random(1);
    std::unique_ptr<Game> games[2] = {std::make_unique<Game>(random), std::make_unique<Game>(random)};
    Judge judge;
    for (int which = 0; which < 2; ++which) {
        MakeLargeGame(*games[which], which + 1);
        const std::string reference = folder + "/reference" + std::to_string(which) + ".ksd";
        if (!SaveGame(*games[which], reference)) std::abort();
        judge.Learn(which, reference);
        DeleteFile(reference);
        DeleteFile(BackupFileName(reference, 1));
    }
    // The file starts as game 0 with its backups in place.
    for (int i = 0; i < kMaxBackup + 1; ++i)
        if (!SaveGame(*games[0], file)) std::abort();
    int held = 0;

    auto* progress = static_cast<ChildProgress*>(
        ::mmap(nullptr, sizeof(ChildProgress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    if (progress == MAP_FAILED) std::abort();
    new (progress) ChildProgress{};

    // A whole save in a child, timed, to spread the kills over; it also
    // counts the calls a save makes.
    std::vector<double> wholeSaves, diskParts;
    int callsPerSave = 0;
    for (int i = 0; i < 5; ++i) {
        const std::int64_t start = NowNs();
        Outcome outcome = SaveInChild(*games[1 - held], file, progress, From::Start, {}, -1);
        if (outcome.killed || judge.Which(file) != 1 - held) std::abort();
        wholeSaves.push_back(static_cast<double>(progress->finishedNs - start) * 1e-9);
        diskParts.push_back(static_cast<double>(progress->finishedNs - progress->firstCallNs) * 1e-9);
        callsPerSave = outcome.calls;
        held = 1 - held;
    }
    std::sort(wholeSaves.begin(), wholeSaves.end());
    std::sort(diskParts.begin(), diskParts.end());
    const double saveSeconds = wholeSaves[2];
    const double diskSeconds = diskParts[2];

    std::map<int, std::pair<std::string, int>> phases;  // by order: name, kills
    int heldOld = 0, heldNew = 0, lost = 0, backupsChecked = 0, backupsBad = 0;
    int strayTrials = 0, tooManyStrays = 0, straysRemoved = 0;
    std::vector<std::string> failures;

    // One trial: the save of the other game, killed; then the checks.
    auto trial = [&](From from, std::chrono::microseconds delay, int killBefore) {
        const int target = 1 - held;
        Outcome outcome = SaveInChild(*games[target], file, progress, from, delay, killBefore);
        const int order = PhaseOrder(outcome);
        const std::string phase = PhaseName(order, outcome.lastCall);
        const int now = judge.Which(file);
        bool ok = now == held || now == target;
        if (now == held) ++heldOld;
        if (now == target) ++heldNew;
        for (int k = 1; k <= kMaxBackup; ++k) {
            const std::string backup = BackupFileName(file, k);
            if (!FileExists(backup)) continue;
            ++backupsChecked;
            if (judge.Which(backup) < 0) {
                ++backupsBad;
                ok = false;
            }
        }
        const std::size_t strays = Temporaries(folder);
        if (strays > 1) {
            ++tooManyStrays;
            ok = false;
        } else if (strays == 1) {
            ++strayTrials;
            // The next save, of the game the file holds, takes it away.
            if (now >= 0 && SaveGame(*games[now], file) && Temporaries(folder) == 0)
                ++straysRemoved;
            else
                ok = false;
        }
        if (!ok) {
            ++lost;
            failures.push_back(phase + ": file holds " + std::to_string(now) + ", " + std::to_string(strays) +
                               " temporary files");
        }
        if (now >= 0) held = now;
        phases.try_emplace(order, phase, 0);
        return std::make_tuple(order, phase, now == target);
    };

    // Half the kills fall anywhere in the save, half in its part on the disk,
    // which is short beside making the game's bytes.
    std::mt19937 rng(seed);
    std::uniform_int_distribution<long> anywhere(0, static_cast<long>(saveSeconds * 1.15e6));
    std::uniform_int_distribution<long> onDisk(0, static_cast<long>(diskSeconds * 1.15e6));
    auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < trials; ++i) {
        const bool disk = i % 2 == 1;
        const long delay = disk ? onDisk(rng) : anywhere(rng);
        ++phases[std::get<0>(trial(disk ? From::FirstDiskCall : From::Start, std::chrono::microseconds(delay), 0))]
              .second;
    }
    const double trialSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::printf("Kill trials: %d (seed %u), %.1f s; game file %.1f MB, a whole save in a child %.0f ms, "
                "its part on the disk %.0f ms, %d calls that change the disk\n",
                trials, seed, trialSeconds, static_cast<double>(std::filesystem::file_size(file)) / 1e6,
                saveSeconds * 1000, diskSeconds * 1000, callsPerSave);
    std::printf("Where the kill landed (the last call the child had started):\n");
    for (const auto& [order, phase] : phases) std::printf("  %-40s %5d\n", phase.first.c_str(), phase.second);
    std::printf("Game file afterwards: the old game %d, the new game %d\n", heldOld, heldNew);
    std::printf("Backups checked %d, not a whole game %d\n", backupsChecked, backupsBad);
    std::printf("Trials that left one temporary file %d (removed by the next save: %d), more than one %d\n",
                strayTrials, straysRemoved, tooManyStrays);

    std::printf("Killed just before each call of the save:\n");
    for (int k = 1; k <= callsPerSave; ++k) {
        const int lostBefore = lost;
        auto [order, phase, isNew] = trial(From::Start, {}, k);
        std::printf("  %-40s file holds the %s game%s\n", phase.c_str(), isNew ? "new" : "old",
                    lost > lostBefore ? ", LOST" : "");
    }

    for (const auto& failure : failures) std::printf("LOST: %s\n", failure.c_str());
    std::printf("Trials with something lost: %d\n", lost);
    std::filesystem::remove_all(folder);
    return lost == 0 ? 0 : 1;
}
