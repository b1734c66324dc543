#pragma once
// The fixed contents of the built-in name tables, in the order of addition.

#include <vector>

namespace kestrin {

struct BuiltinFunction {
    const char* name;
    int argCount;  // -1: any number of arguments
};

const std::vector<const char*>& BuiltinConstantNames();
const std::vector<BuiltinFunction>& BuiltinFunctions();
const std::vector<const char*>& BuiltinGlobalVariableNames();
const std::vector<const char*>& BuiltinLocalVariableNames();

}  // namespace kestrin
