#pragma once
// Every run-time error text of the interpreter, in one place.

#include <string>
#include <string_view>

namespace kestrin::engine::messages {

inline std::string UnknownVariable(std::string_view name) { return "Unknown variable " + std::string(name); }
inline std::string UnknownFunction(std::string_view name) {
    return "Unknown function or script: " + std::string(name);
}
inline std::string FunctionNotProvided(std::string_view name) {
    return "Function " + std::string(name) + " is not available in this runner";
}
inline std::string WrongTypes(std::string_view operation) {
    return "Wrong type of arguments to " + std::string(operation);
}
inline std::string WrongArgumentCount(std::string_view name) {
    return "Wrong number of arguments to " + std::string(name);
}
inline const char* kDivisionByZero = "Division by zero";
inline const char* kNegativeIndex = "Negative array index";
inline const char* kIndexTooLarge = "Array index larger than 31999";
inline const char* kTooManyIndexes = "An array has at most two indexes";
inline const char* kArrayTooLarge = "Array too large";
inline const char* kArgumentIndex = "Argument index out of range (0 to 15)";
inline const char* kCallsTooDeep = "Scripts call each other too deeply";
inline const char* kNestedTooDeep = "Code is nested too deeply to run";
inline const char* kAssignToValue = "Cannot assign to a value";
inline const char* kStringTooLong = "String too long";
inline const char* kIndexNotReal = "Array index must be a number";
inline const char* kCannotCompare = "Cannot compare a string with a real";
inline std::string CannotAssign(std::string_view name) { return "Cannot assign to " + std::string(name); }
inline std::string NoInstance(std::string_view name) {
    return "No instance to take variable " + std::string(name) + " from";
}
inline std::string BadArgument(std::string_view function) {
    return "Argument out of range for " + std::string(function);
}
inline const char* kStructureTooLarge = "Data structure too large";
inline const char* kTooManyStructures = "Too many data structures";
inline std::string CannotReadCode(std::string_view file) { return "Cannot read the code file " + std::string(file); }
inline std::string NoDataStructure(double id) {
    return "Data structure with index " + std::to_string(static_cast<long long>(id)) + " does not exist";
}
inline std::string ScriptDoesNotExist(double index) {
    return "Script " + std::to_string(static_cast<long long>(index)) + " does not exist";
}

}  // namespace kestrin::engine::messages
