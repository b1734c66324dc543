// The built-in name tables and the name classifications.

#include "language/builtin_names.h"

#include "language/builtin_tables.h"
#include "platform/user_interface.h"

namespace kestrin {

void CNameTables::FillBuiltins() {
    for (const char* name : BuiltinConstantNames()) AddConstant(name);
    for (const auto& function : BuiltinFunctions()) AddFunction(function.name, function.argCount);
    for (const char* name : BuiltinGlobalVariableNames()) AddGlobal(name);
    for (const char* name : BuiltinLocalVariableNames()) AddLocal(name);
}

void CNameTables::AddConstant(std::string_view name) {
    mConstants.emplace_back(name);
    mConstantIndex.Insert(name, true);
}

void CNameTables::AddFunction(std::string_view name, int argCount) {
    if (FunctionCount() >= kMaxFunctions) {
        ShowMessage("INTERNAL ERROR: Adding too many functions");
        return;
    }
    mFunctionIndex.Insert(name, FunctionCount());
    mFunctions.push_back(Function{std::string(name), argCount});
}

void CNameTables::AddGlobal(std::string_view name) {
    if (GlobalCount() >= kMaxGlobals) {
        ShowMessage("INTERNAL ERROR: Adding too many global variables");
        return;
    }
    mGlobals.emplace_back(name);
    mGlobalIndex.Insert(name, true);
}

void CNameTables::AddLocal(std::string_view name) {
    if (LocalCount() >= kMaxLocals) {
        ShowMessage("INTERNAL ERROR: Adding too many local variables");
        return;
    }
    mLocals.emplace_back(name);
    mLocalIndex.Insert(name, true);
}

std::string CNameTables::ConstantName(int index) const {
    return index >= 0 && index < ConstantCount() ? mConstants[index] : std::string();
}

int CNameTables::FindBuiltinFunction(std::string_view name) const {
    const int* found = mFunctionIndex.Find(name);
    return found ? *found : -1;
}

int CNameTables::FunctionArgCount(int index) const {
    if (index > kFunctionNotFound) return -1;
    if (index < 0 || index >= FunctionCount()) return -100;
    return mFunctions[index].argCount;
}

std::string CNameTables::FunctionName(int index) const {
    return index >= 0 && index < FunctionCount() ? mFunctions[index].name : std::string("non-existing function");
}

std::string CNameTables::GlobalName(int index) const {
    return index >= 0 && index < GlobalCount() ? mGlobals[index] : std::string("non-existing variable");
}

std::string CNameTables::LocalName(int index) const {
    return index >= 0 && index < LocalCount() ? mLocals[index] : std::string("non-existing variable");
}

CNameTables& NameTables() {
    static CNameTables tables = [] {
        CNameTables filled;
        filled.FillBuiltins();
        return filled;
    }();
    return tables;
}

void Constant_Add(std::string_view name) { NameTables().AddConstant(name); }
int Constant_Count() { return NameTables().ConstantCount(); }
std::string Constant_Name(int index) { return NameTables().ConstantName(index); }

bool Constant_IsValueName(std::string_view name, const NameResolver& game) {
    // "self" and "other" are never object names; they are found as constants.
    return NameTables().IsBuiltinConstant(name) || game.IsResourceName(name);
}

bool Constant_IsConstant(std::string_view name, const NameResolver& game) {
    return NameTables().IsBuiltinConstant(name) || game.IsUserConstant(name);
}

void Function_Add(std::string_view name, int argCount) { NameTables().AddFunction(name, argCount); }

FunctionLookup Function_Find(std::string_view name, const NameResolver& game) {
    int index = NameTables().FindBuiltinFunction(name);
    if (index >= 0) return {true, index};
    int script = game.FindResource(ResourceKind::Script, name);
    if (script >= 0) return {true, kScriptIndexBase + script};
    return {false, kFunctionNotFound};
}

bool Function_Exists(std::string_view name) { return NameTables().FindBuiltinFunction(name) >= 0; }
int Function_ArgCount(int index) { return NameTables().FunctionArgCount(index); }
int Function_Count() { return NameTables().FunctionCount(); }
std::string Function_Name(int index) { return NameTables().FunctionName(index); }

void Variable_AddGlobal(std::string_view name) { NameTables().AddGlobal(name); }
void Variable_AddLocal(std::string_view name) { NameTables().AddLocal(name); }
bool Variable_IsGlobal(std::string_view name) { return NameTables().IsGlobal(name); }
bool Variable_IsLocal(std::string_view name) { return NameTables().IsLocal(name); }
int Variable_GlobalCount() { return NameTables().GlobalCount(); }
int Variable_LocalCount() { return NameTables().LocalCount(); }
std::string Variable_GlobalName(int index) { return NameTables().GlobalName(index); }
std::string Variable_LocalName(int index) { return NameTables().LocalName(index); }

const std::vector<std::string>& ReservedWords() {
    static const std::vector<std::string> words = {
        "begin", "end",    "if",    "then",  "else",  "while",  "do",     "for",    "break", "continue", "with",
        "until", "repeat", "exit",  "and",   "or",    "xor",    "not",    "return", "mod",   "div",      "self",
        "other", "all",    "noone", "global", "local", "switch", "case", "default", "var"};
    return words;
}

bool IsReservedWord(std::string_view word) {
    static const NameSet set = [] {
        NameSet words;
        for (const auto& reserved : ReservedWords()) words.Insert(reserved, true);
        return words;
    }();
    return set.Contains(word);
}

}  // namespace kestrin
