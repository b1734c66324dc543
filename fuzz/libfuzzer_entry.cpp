// libFuzzer's entry point for one target, chosen when the program is built
// (KESTRIN_FUZZ_FUNCTION names the target's function).

#include "targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kestrin::fuzz::KESTRIN_FUZZ_FUNCTION(data, size);
}
