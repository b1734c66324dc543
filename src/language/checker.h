#pragma once
// The syntax checker: tokenizing, name resolution and the grammar check of
// one piece of code, stopping at the first error, which lands in the check
// error record.

#include <cstdint>
#include <string_view>
#include <vector>

#include "language/name_resolver.h"
#include "language/tokenizer.h"

namespace kestrin {

struct RToken2 {
    std::int32_t kind;
    std::int32_t value;  // for tkCall: the function index (scripts from kScriptIndexBase)
    std::int32_t position;
};

struct RTokenList2 {
    std::vector<RToken2> tokens;
    int Count() const { return static_cast<int>(tokens.size()); }
};

// Names followed by "(" become calls (an unknown one is an error), value
// names (resources, built-in constants) become tkValue, other names
// tkVariable; numbers and strings are values. False on an error.
bool Code_Phase2(const RTokenList1& source, RTokenList2& result, const NameResolver& game);

// The grammar check of a resolved token list; false on an error.
bool Code_Phase3(std::string_view code, const RTokenList2& tokens);

// All three phases; true when the code is correct, otherwise the check error
// record holds the first error.
bool CheckCode(std::string_view code, const NameResolver& game);

// How deeply statements and expressions may nest before the check gives up
// with "Code is nested too deeply." instead of running out of stack.
inline constexpr int kMaxCodeNesting = 1000;

}  // namespace kestrin
