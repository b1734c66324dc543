// The interned names of a running game.

#include "engine/script/name_table.h"

namespace kestrin::engine {

NameId NameTable::Intern(std::string_view name) {
    if (const NameId* known = mIndex.Find(name)) return *known;
    const NameId id = static_cast<NameId>(mNames.size());
    mNames.emplace_back(name);
    mIndex.Insert(name, id);
    return id;
}

NameId NameTable::Find(std::string_view name) const {
    const NameId* known = mIndex.Find(name);
    return known ? *known : kNoName;
}

const std::string& NameTable::Name(NameId id) const {
    static const std::string none;
    return id >= 0 && id < Count() ? mNames[id] : none;
}

}  // namespace kestrin::engine
