#pragma once
// Every fuzz target: one reader (or a chain of readers) fed with arbitrary
// bytes. The same functions run under libFuzzer and in the test build's
// replay of the stored inputs. Each returns 0; a fault shows as a crash, a
// sanitizer report or a broken invariant (abort).

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrin::fuzz {

using FuzzFunction = int (*)(const std::uint8_t* data, std::size_t size);

int FuzzGameLoad(const std::uint8_t* data, std::size_t size);
int FuzzGameMerge(const std::uint8_t* data, std::size_t size);
int FuzzActionLibrary(const std::uint8_t* data, std::size_t size);
int FuzzScriptImport(const std::uint8_t* data, std::size_t size);
int FuzzRtf(const std::uint8_t* data, std::size_t size);
int FuzzBmp(const std::uint8_t* data, std::size_t size);
int FuzzPng(const std::uint8_t* data, std::size_t size);
int FuzzJpeg(const std::uint8_t* data, std::size_t size);
int FuzzGif(const std::uint8_t* data, std::size_t size);
int FuzzPicture(const std::uint8_t* data, std::size_t size);
int FuzzRunnerGameData(const std::uint8_t* data, std::size_t size);
int FuzzCode(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
    std::string_view name;  // also the folder of its corpus and regression inputs
    FuzzFunction function;
};

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"game_load", FuzzGameLoad},
    {"game_merge", FuzzGameMerge},
    {"action_library", FuzzActionLibrary},
    {"script_import", FuzzScriptImport},
    {"rtf", FuzzRtf},
    {"bmp", FuzzBmp},
    {"png", FuzzPng},
    {"jpeg", FuzzJpeg},
    {"gif", FuzzGif},
    {"picture", FuzzPicture},
    {"runner_game_data", FuzzRunnerGameData},
    {"code", FuzzCode},
};

// Stops the process with the reason when an invariant does not hold, so the
// fuzzer keeps the input as a finding.
[[noreturn]] void FuzzFailure(const char* what);
inline void FuzzExpect(bool holds, const char* what) {
    if (!holds) FuzzFailure(what);
}

}  // namespace kestrin::fuzz
