// kestrin-rundata PROGRAM OUTPUT: wraps a runner program into the runner data
// file "rundata" (layout in docs/runner_data.md).

#include <cstdio>
#include <string>

#include "build/runner_data.h"
#include "platform/file_system.h"
#include "stream/stream.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrin-rundata PROGRAM OUTPUT\n");
        return 2;
    }
    try {
        std::string program = kestrin::ReadFileText(argv[1]);
        kestrin::CStream data, runner;
        std::string error;
        if (!kestrin::MakeRunnerData(program, data, error)) {
            std::fprintf(stderr, "kestrin-rundata: %s: %s\n", argv[1], error.c_str());
            return 1;
        }
        // The builder's own tests, so a bad file never leaves the build.
        if (!kestrin::UnpackRunnerData(data, runner)) {
            std::fprintf(stderr, "kestrin-rundata: the runner data made fails its own tests\n");
            return 1;
        }
        data.SaveToFile(argv[2]);
        std::printf("kestrin-rundata: %s (%zu bytes of runner program)\n", argv[2], program.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestrin-rundata: %s\n", e.what());
        return 1;
    }
    return 0;
}
