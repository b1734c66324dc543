// Plain variables with their arrays.

#include "engine/script/variable_store.h"

#include "engine/script/run_messages.h"

namespace kestrin::engine {

bool VariableStore::Get(NameId name, int row, int column, Value& value) const {
    auto found = mVariables.find(name);
    if (found == mVariables.end()) return false;
    const Array& array = found->second;
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
    Array& array = mVariables[name];
    std::size_t needed = array.elements;
    if (static_cast<std::size_t>(row) >= array.rows.size()) needed += row + 1 - array.rows.size();
    const std::size_t rowSize = static_cast<std::size_t>(row) < array.rows.size() ? array.rows[row].size() : 0;
    if (static_cast<std::size_t>(column) >= rowSize) needed += column + 1 - rowSize;
    if (needed > kMaxElements) {
        if (array.rows.empty()) mVariables.erase(name);
        error = messages::kArrayTooLarge;
        return false;
    }
    // An empty row still counts as one element, so a million empty rows cost.
    if (static_cast<std::size_t>(row) >= array.rows.size()) array.rows.resize(row + 1);
    std::vector<Value>& cells = array.rows[row];
    if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(column + 1, Value(0.0));
    cells[column] = value;
    array.elements = needed;
    return true;
}

}  // namespace kestrin::engine
