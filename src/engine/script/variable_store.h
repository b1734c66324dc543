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
    // The value of a variable only ever written at [0, 0], to read or
    // assign in place; null when there is none or it is an array. hint is
    // the place to look first, and is updated to where the name is.
    Value* PlainValue(NameId name, int& hint) {
        if (hint < 0 || static_cast<std::size_t>(hint) >= mArrays.size() || mArrays[hint].name != name) {
            hint = Find(name);
            if (hint < 0) return nullptr;
        }
        Array& array = mArrays[hint];
        return array.single ? &array.value : nullptr;
    }
    bool Has(NameId name) const {
        const int found = Find(name);
        return found >= 0 && (mArrays[found].single || !mArrays[found].rows.empty());
    }
    // Every variable that holds something, with its rows, in the order the
    // variables were first written.
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (const Array& array : mArrays) {
            if (array.single) visit(array.name, std::vector<std::vector<Value>>{{array.value}});
            else if (!array.rows.empty()) visit(array.name, array.rows);
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
    // Laid out in 64 bytes, so a slot's place is found by a shift.
    struct Array {
        NameId name = kNoName;
        bool single = false;
        Value value;
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
