// Kestrin's runner, first step: finds the game data in its own file, checks
// the game body's header and reports what it found. Exits with 1 when the game
// data is missing or damaged.

#include <cstdio>
#include <string>

#include "runner/game_data.h"

namespace {

constexpr std::int32_t kGameFileMagic = 1234321;
constexpr std::int32_t kOldestGameVersion = 500;
constexpr std::int32_t kNewestGameVersion = 530;

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::int32_t>(std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                     std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24);
}

int Fail(const std::string& reason) {
    std::fprintf(stderr, "Kestrin runner: cannot start the game: %s.\n", reason.c_str());
    return 1;
}

}  // namespace

int main() {
    kestrin::runner::GameData data;
    std::string error;
    if (!kestrin::runner::ReadGameData("/proc/self/exe", data, error)) return Fail(error);

    // The game file header: magic, version, debug flag, game id.
    if (data.Body.size() < 16) return Fail("the game body is too short");
    std::int32_t magic = Int32At(data.Body, 0), version = Int32At(data.Body, 4);
    if (magic != kGameFileMagic) return Fail("the game body is not a Kestrin game");
    if (version < kOldestGameVersion || version > kNewestGameVersion)
        return Fail("the game body has version " + std::to_string(version));

    std::printf("Kestrin runner: game data found: seed %d, body %zu bytes, version %d, debug %d, game id %d\n",
                data.Seed, data.Body.size(), version, Int32At(data.Body, 8), Int32At(data.Body, 12));
    return 0;
}
