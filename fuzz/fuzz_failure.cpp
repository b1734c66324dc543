// How a target reports a broken invariant.

#include <cstdio>
#include <cstdlib>

#include "targets.h"

namespace kestrin::fuzz {

[[noreturn]] void FuzzFailure(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

}  // namespace kestrin::fuzz
