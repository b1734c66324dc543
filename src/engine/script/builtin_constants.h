#pragma once
// The values of the built-in constants of the script language.

#include <string_view>

namespace kestrin::engine {

// False for a name that is not a built-in constant.
bool BuiltinConstantValue(std::string_view name, double& value);

}  // namespace kestrin::engine
