#pragma once
// The plain variables of one instance or of the globals: each name holds a
// 2-D array of values, a plain variable being element [0, 0]. Rows grow as
// they are written; elements between those written read as 0, and elements
// beyond what was written are unknown.

#include <string>
#include <vector>

#include "engine/script/name_table.h"
#include "engine/value.h"

namespace kestrin::engine {

class VariableStore {
public:
    // Elements the variables of one store may hold together, so hostile
    // code cannot take all memory with writes to large indexes.
    static constexpr std::size_t kMaxElements = 1 << 20;

    // False when the variable or that element was never written.
    bool Get(NameId name, int row, int column, Value& value) const;
    // False (with the error text) when the array would grow too large.
    bool Set(NameId name, int row, int column, const Value& value, std::string& error);
    bool Has(NameId name) const {
        const int found = Find(name);
        return found >= 0 && (mArrays[found].single || !mArrays[found].rows.empty());
    }
    // Every variable that holds something, with its rows, in the order the
    // variables were first written.
    template <typename Visit>
    void ForEach(Visit visit) const {
        std::vector<NameId> names(mArrays.size(), kNoName);
        for (const Slot& slot : mSlots)
            if (slot.name != kNoName) names[slot.array] = slot.name;
        for (std::size_t i = 0; i < mArrays.size(); ++i) {
            if (mArrays[i].single) visit(names[i], std::vector<std::vector<Value>>{{mArrays[i].value}});
            else if (!mArrays[i].rows.empty()) visit(names[i], mArrays[i].rows);
        }
    }
    void Clear() {
        mSlots.clear();
        mArrays.clear();
        mElements = 0;
    }

private:
    // A plain variable, only ever written at [0, 0], keeps its value in
    // place rather than in rows of its own: instances have many of them,
    // and reaching one through two vectors costs a cache miss per access.
    // The rows are made when another element is written.
    struct Array {
        Value value;
        bool single = false;
        std::vector<std::vector<Value>> rows;
        std::size_t elements = 0;
    };
    // An open-addressing index from names to arrays: variable access is the
    // interpreter's most frequent request, and ids are small integers.
    struct Slot {
        NameId name = kNoName;
        int array = 0;
    };
    int Find(NameId name) const;
    Array& Add(NameId name);

    std::vector<Slot> mSlots;  // a power of two in size, at most half full
    std::vector<Array> mArrays;
    std::size_t mElements = 0;
};

}  // namespace kestrin::engine
