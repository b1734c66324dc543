// Reading the game data at the end of the runner's own file.

#include "runner/game_data.h"

#include <cstdio>
#include <memory>

#include "build/stand_alone_layout.h"

namespace kestrin::runner {

namespace {

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::int32_t>(std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                     std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool ReadGameData(const std::string& executable, GameData& data, std::string& error) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(executable.c_str(), "rb"));
    if (!file) {
        error = "cannot open " + executable;
        return false;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        error = "cannot read " + executable;
        return false;
    }
    long size = std::ftell(file.get());
    // Header (16 bytes and the tag), at least an empty body and one trailing byte.
    const std::size_t smallest = kGameBodyOffset + 1;
    if (size < 0 || static_cast<std::size_t>(size) < smallest) {
        error = "there is no game data";
        return false;
    }
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(size) - kGameDataOffset);
    if (std::fseek(file.get(), static_cast<long>(kGameDataOffset), SEEK_SET) != 0 ||
        std::fread(tail.data(), 1, tail.size(), file.get()) != tail.size()) {
        error = "cannot read " + executable;
        return false;
    }
    return ParseGameData(tail, data, error);
}

bool ParseGameData(std::vector<std::uint8_t>& tail, GameData& data, std::string& error) {
    if (tail.size() < kGameBodyOffset + 1 - kGameDataOffset) {
        error = "there is no game data";
        return false;
    }
    if (Int32At(tail, 0) != kGameDataMagic) {
        error = "there is no game data";
        return false;
    }
    data.Seed = Int32At(tail, 4);
    if (data.Seed < kSeedBase || data.Seed >= kSeedBase + kSeedRange) {
        error = "the game data is damaged";
        return false;
    }
    SubstitutionTables tables = BuildSubstitution(data.Seed);
    for (std::size_t i = kSubstitutionStart - kGameDataOffset; i < tail.size(); ++i)
        tail[i] = tables.reverse[tail[i]];

    std::int32_t bodySize = Int32At(tail, 8);
    std::int32_t tagSize = Int32At(tail, 12);
    const std::size_t bodyAt = kGameBodyOffset - kGameDataOffset;
    if (tagSize != static_cast<std::int32_t>(kGameDataTag.size()) ||
        std::string(tail.begin() + 16, tail.begin() + bodyAt) != kGameDataTag || bodySize < 0 ||
        static_cast<std::size_t>(bodySize) >= tail.size() - bodyAt) {
        error = "the game data is damaged";
        return false;
    }
    data.Body.Clear();
    data.Body.Write(tail.data() + bodyAt, static_cast<std::size_t>(bodySize));
    data.Body.SetPosition(0);
    data.TrailingBytes = tail.size() - bodyAt - static_cast<std::size_t>(bodySize);
    // The body starts as a game file does: magic, version, the debug flag.
    data.Debug = bodySize >= 12 && Int32At(tail, bodyAt + 8) != 0;
    return true;
}

}  // namespace kestrin::runner
