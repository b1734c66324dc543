#pragma once
// Functions of shared libraries that a game calls: a library opened by its
// file name, a function in it defined with the types of its arguments and
// of its result, then called with the game's values. Arguments are reals
// (doubles) or texts (8-bit text ending in a zero byte); a function takes at
// most 4 arguments when a text is among them, else at most 16 reals. The
// platform has one calling convention, so the one a game names is ignored.
//
// A library is looked for beside the game first, then where the system
// keeps libraries; a name ending in ".dll" is also tried ending in ".so"
// and, as "libNAME.so", the way libraries are named here.

#include <map>
#include <span>
#include <string>
#include <vector>

#include "engine/value.h"

namespace kestrin::engine {

class ExternalLibraries {
public:
    static constexpr int kReal = 0;
    static constexpr int kText = 1;
    static constexpr int kMostArguments = 16;
    static constexpr int kMostWithTexts = 4;

    ExternalLibraries() = default;
    ~ExternalLibraries();
    ExternalLibraries(const ExternalLibraries&) = delete;
    ExternalLibraries& operator=(const ExternalLibraries&) = delete;

    // The function's id (from 0), or -1 with the error.
    int Define(const std::string& file, const std::string& name, int result, const std::vector<int>& arguments,
               std::string& error);
    // False with the error for an unknown id, a freed library, or arguments
    // of the wrong number or type.
    bool Call(int id, std::span<const Value> arguments, Value& result, std::string& error);
    // Closes the library; its functions can no longer be called.
    void Free(const std::string& file);

private:
    struct Function {
        std::string file, name;
        void* address = nullptr;  // null once its library is freed
        int result = kReal;
        std::vector<int> arguments;
    };
    std::map<std::string, void*> mLibraries;  // by the file name the game gave
    std::vector<Function> mFunctions;
};

}  // namespace kestrin::engine
