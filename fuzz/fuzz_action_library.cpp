// The action library file and the pictures of its definitions.

#include <vector>

#include "actions/action_registry.h"
#include "targets.h"

namespace kestrin::fuzz {

int FuzzActionLibrary(const std::uint8_t* data, std::size_t size) {
    CActionLibrary library;
    std::vector<Image> pictures;
    if (ReadActionLibrary(std::vector<std::uint8_t>(data, data + size), library, pictures))
        FuzzExpect(pictures.size() == library.Definitions.size(), "not one picture slot per definition");
    return 0;
}

}  // namespace kestrin::fuzz
