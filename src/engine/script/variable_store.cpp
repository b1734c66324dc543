// Plain variables with their arrays.

#include "engine/script/variable_store.h"

#include <algorithm>
#include <cstdint>

#include "engine/script/run_messages.h"

namespace kestrin::engine {

namespace {

std::size_t Hash(NameId name) { return static_cast<std::size_t>(static_cast<std::uint32_t>(name) * 2654435761u); }

}  // namespace

int VariableStore::Find(NameId name) const {
    if (mSlots.empty()) return -1;
    const std::size_t mask = mSlots.size() - 1;
    for (std::size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
        if (mSlots[i].name == name) return mSlots[i].array;
        if (mSlots[i].name == kNoName) return -1;
    }
}

VariableStore::Array& VariableStore::Add(NameId name) {
    if ((mArrays.size() + 1) * 2 > mSlots.size()) {
        std::vector<Slot> old(std::max<std::size_t>(8, mSlots.size() * 2));
        old.swap(mSlots);
        for (const Slot& slot : old)
            if (slot.name != kNoName) {
                const std::size_t mask = mSlots.size() - 1;
                std::size_t i = Hash(slot.name) & mask;
                while (mSlots[i].name != kNoName) i = (i + 1) & mask;
                mSlots[i] = slot;
            }
    }
    const std::size_t mask = mSlots.size() - 1;
    std::size_t i = Hash(name) & mask;
    while (mSlots[i].name != kNoName) i = (i + 1) & mask;
    mSlots[i] = Slot{name, static_cast<int>(mArrays.size())};
    Array& array = mArrays.emplace_back();
    array.name = name;
    return array;
}

bool VariableStore::Get(NameId name, int row, int column, Value& value) const {
    const int found = Find(name);
    if (found < 0) return false;
    const Array& array = mArrays[found];
    if (array.single) {
        if (row != 0 || column != 0) return false;
        value = array.value;
        return true;
    }
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= array.rows.size()) return false;
    const std::vector<Value>& cells = array.rows[row];
    if (static_cast<std::size_t>(column) >= cells.size()) return false;
    value = cells[column];
    return true;
}

bool VariableStore::Set(NameId name, int row, int column, const Value& value, std::string& error) {
    if (row < 0 || column < 0) {
        error = messages::kNegativeIndex;
        return false;
    }
    const int found = Find(name);
    Array& array = found >= 0 ? mArrays[found] : Add(name);
    if (row == 0 && column == 0) {
        if (array.single) {
            array.value = value;
            return true;
        }
        if (array.rows.empty()) {
            if (mElements + 1 > kMaxElements) {
                error = messages::kArrayTooLarge;
                return false;
            }
            array.single = true;
            array.value = value;
            array.elements = 1;
            ++mElements;
            return true;
        }
    }
    if (array.single) {
        array.rows.assign(1, std::vector<Value>{std::move(array.value)});
        array.value = Value();
        array.single = false;
    }
    std::size_t needed = array.elements;
    if (static_cast<std::size_t>(row) >= array.rows.size()) needed += row + 1 - array.rows.size();
    const std::size_t rowSize = static_cast<std::size_t>(row) < array.rows.size() ? array.rows[row].size() : 0;
    if (static_cast<std::size_t>(column) >= rowSize) needed += column + 1 - rowSize;
    if (mElements + (needed - array.elements) > kMaxElements) {
        error = messages::kArrayTooLarge;
        return false;
    }
    // An empty row still counts as one element, so a million empty rows cost.
    if (static_cast<std::size_t>(row) >= array.rows.size()) array.rows.resize(row + 1);
    std::vector<Value>& cells = array.rows[row];
    if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(column + 1, Value(0.0));
    cells[column] = value;
    mElements += needed - array.elements;
    array.elements = needed;
    return true;
}

}  // namespace kestrin::engine
