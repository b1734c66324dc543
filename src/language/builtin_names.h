#pragma once
// The tables of built-in names of the script language (constants, functions
// with their argument counts, global and local variables), filled once at
// start-up, and the classifications of a name against them and a game's
// resources and user constants. Lookups are exact and case-sensitive.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "language/name_resolver.h"
#include "language/string_map.h"

namespace kestrin {

// Function indexes at or above this denote scripts (base + list index).
inline constexpr int kScriptIndexBase = 100000;
inline constexpr int kFunctionNotFound = 99999;

// One set of tables; the process-wide one is NameTables().
class CNameTables {
public:
    static constexpr int kMaxFunctions = 2000;
    static constexpr int kMaxGlobals = 1000;
    static constexpr int kMaxLocals = 1000;

    // Empty tables; FillBuiltins adds the fixed contents in their order.
    CNameTables() = default;
    void FillBuiltins();

    void AddConstant(std::string_view name);
    // A full table shows its "INTERNAL ERROR: ..." message and drops the entry.
    void AddFunction(std::string_view name, int argCount);
    void AddGlobal(std::string_view name);
    void AddLocal(std::string_view name);

    int ConstantCount() const { return static_cast<int>(mConstants.size()); }
    std::string ConstantName(int index) const;
    bool IsBuiltinConstant(std::string_view name) const { return mConstantIndex.Contains(name); }

    int FunctionCount() const { return static_cast<int>(mFunctions.size()); }
    // Index of the first entry of that name, or -1.
    int FindBuiltinFunction(std::string_view name) const;
    int FunctionArgCount(int index) const;  // -1 for scripts, -100 out of range
    std::string FunctionName(int index) const;

    int GlobalCount() const { return static_cast<int>(mGlobals.size()); }
    int LocalCount() const { return static_cast<int>(mLocals.size()); }
    bool IsGlobal(std::string_view name) const { return mGlobalIndex.Contains(name); }
    bool IsLocal(std::string_view name) const { return mLocalIndex.Contains(name); }
    std::string GlobalName(int index) const;
    std::string LocalName(int index) const;

private:
    struct Function {
        std::string name;
        int argCount;
    };
    std::vector<std::string> mConstants;
    NameSet mConstantIndex;
    std::vector<Function> mFunctions;
    NameIndex<int> mFunctionIndex;  // first registration of each name
    std::vector<std::string> mGlobals, mLocals;
    NameSet mGlobalIndex, mLocalIndex;
};

// The process-wide tables, filled on first use.
CNameTables& NameTables();

// Constant table.
void Constant_Add(std::string_view name);
int Constant_Count();
std::string Constant_Name(int index);
// A resource name of any kind or a built-in constant (user constants are not
// consulted): how the checker tells values from variables.
bool Constant_IsValueName(std::string_view name, const NameResolver& game);
// A built-in constant or one of the game's user-defined constants.
bool Constant_IsConstant(std::string_view name, const NameResolver& game);

// Function table.
struct FunctionLookup {
    bool found;
    int index;  // table index, kScriptIndexBase + script index, or kFunctionNotFound
};
void Function_Add(std::string_view name, int argCount);
FunctionLookup Function_Find(std::string_view name, const NameResolver& game);
bool Function_Exists(std::string_view name);
int Function_ArgCount(int index);
int Function_Count();
std::string Function_Name(int index);

// Variable tables.
void Variable_AddGlobal(std::string_view name);
void Variable_AddLocal(std::string_view name);
bool Variable_IsGlobal(std::string_view name);
bool Variable_IsLocal(std::string_view name);
int Variable_GlobalCount();
int Variable_LocalCount();
std::string Variable_GlobalName(int index);
std::string Variable_LocalName(int index);

// The keywords of the tokenizer plus self, other, all, noone, global, local.
const std::vector<std::string>& ReservedWords();
bool IsReservedWord(std::string_view word);

}  // namespace kestrin
