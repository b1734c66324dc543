#pragma once
// The plain variables of one instance or of the globals: each name holds a
// 2-D array of values, a plain variable being element [0, 0]. Rows grow as
// they are written; elements between those written read as 0, and elements
// beyond what was written are unknown.

#include <string>
#include <unordered_map>
#include <vector>

#include "engine/script/name_table.h"
#include "engine/value.h"

namespace kestrin::engine {

class VariableStore {
public:
    // Elements one variable may hold, so hostile code cannot take all memory
    // with a handful of writes to large indexes.
    static constexpr std::size_t kMaxElements = 1 << 20;

    // False when the variable or that element was never written.
    bool Get(NameId name, int row, int column, Value& value) const;
    // False (with the error text) when the array would grow too large.
    bool Set(NameId name, int row, int column, const Value& value, std::string& error);
    bool Has(NameId name) const { return mVariables.count(name) != 0; }
    void Clear() { mVariables.clear(); }

private:
    struct Array {
        std::vector<std::vector<Value>> rows;
        std::size_t elements = 0;
    };
    std::unordered_map<NameId, Array> mVariables;
};

}  // namespace kestrin::engine
