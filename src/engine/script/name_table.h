#pragma once
// Names of variables, functions and scripts interned once per running game,
// so code refers to them by a small number instead of hashing text at every
// access. The interpreter and the engine share one table.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "language/string_map.h"

namespace kestrin::engine {

using NameId = std::int32_t;
inline constexpr NameId kNoName = -1;

class NameTable {
public:
    // The id of the name, adding it when new; ids count up from 0.
    NameId Intern(std::string_view name);
    // The id of a known name, or kNoName.
    NameId Find(std::string_view name) const;
    // The text of an id; empty for an unknown id.
    const std::string& Name(NameId id) const;
    int Count() const { return static_cast<int>(mNames.size()); }

private:
    NameIndex<NameId> mIndex;
    std::vector<std::string> mNames;
};

}  // namespace kestrin::engine
