// Runs every stored input through its target, without libFuzzer: each folder
// given holds one subfolder per target, named as the target, with any number
// of input files. A fault stops the run as it would stop the fuzzer; a
// folder named after no target is an error, so no input is silently skipped.
// An input that takes longer than a generous limit fails the run too: the
// readers are meant to take well under a second on any input, and a slow
// input is kept here because it once took far longer.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "targets.h"

namespace {

namespace fs = std::filesystem;
using kestrin::fuzz::FuzzTarget;
using kestrin::fuzz::kFuzzTargets;

// Sanitizers and a busy machine make everything several times slower than a
// fuzzer's second; readers that go quadratic take far longer still.
constexpr std::chrono::seconds kSlowInput{10};

const FuzzTarget* TargetNamed(const std::string& name) {
    for (const FuzzTarget& target : kFuzzTargets)
        if (target.name == name) return &target;
    return nullptr;
}

std::vector<fs::path> SortedEntries(const fs::path& folder) {
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(folder)) entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER...\n", argv[0]);
        return 2;
    }
    int inputs = 0;
    int slow = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path root(argv[i]);
        if (!fs::is_directory(root)) {
            std::fprintf(stderr, "not a folder: %s\n", argv[i]);
            return 2;
        }
        for (const fs::path& folder : SortedEntries(root)) {
            if (!fs::is_directory(folder)) continue;
            const FuzzTarget* target = TargetNamed(folder.filename().string());
            if (!target) {
                std::fprintf(stderr, "no target for %s\n", folder.c_str());
                return 2;
            }
            for (const fs::path& file : SortedEntries(folder)) {
                if (!fs::is_regular_file(file)) continue;
                std::fprintf(stderr, "%s\n", file.c_str());
                const std::vector<std::uint8_t> bytes = ReadBytes(file);
                const auto start = std::chrono::steady_clock::now();
                target->function(bytes.data(), bytes.size());
                const auto took = std::chrono::steady_clock::now() - start;
                if (took > kSlowInput) {
                    std::fprintf(stderr, "too slow: %s took %.1f s\n", file.c_str(),
                                 std::chrono::duration<double>(took).count());
                    ++slow;
                }
                ++inputs;
            }
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 && slow == 0 ? 0 : 1;
}
