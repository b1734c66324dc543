// Opening libraries and calling their functions with the game's values.
//
// A call goes through a function pointer whose parameters are the texts
// first and the reals after, each kept in their own order. On x86-64 and
// AArch64 whole values (the texts' pointers) and floating-point values are
// passed in separate sets of registers, each taken in order, and a function
// has at most four arguments when any is a text, so every argument goes in a
// register: the call passes each one exactly where the function, declared
// with its own mix of texts and reals, looks for it. Sixteen reals alone
// spill to the stack in their own order, which matches too.

#include "engine/external_libraries.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/file_system.h"

namespace kestrin::engine {

namespace {

#if defined(__x86_64__) || defined(__aarch64__)
constexpr bool kCallsSupported = true;
#else
constexpr bool kCallsSupported = false;
#endif

template <typename R>
using Caller = R (*)(void* function, const char* const* texts, const double* reals);

template <std::size_t>
using Text = const char*;
template <std::size_t>
using Real = double;

template <typename R, std::size_t... T, std::size_t... D>
R Invoke(void* function, const char* const* texts, const double* reals, std::index_sequence<T...>,
         std::index_sequence<D...>) {
    using Pointer = R (*)(Text<T>..., Real<D>...);
    return reinterpret_cast<Pointer>(function)(texts[T]..., reals[D]...);
}

template <typename R, std::size_t Texts, std::size_t Reals>
R CallWith(void* function, const char* const* texts, const double* reals) {
    return Invoke<R>(function, texts, reals, std::make_index_sequence<Texts>{}, std::make_index_sequence<Reals>{});
}

template <typename R, std::size_t Texts, std::size_t... Reals>
constexpr std::array<Caller<R>, sizeof...(Reals)> Callers(std::index_sequence<Reals...>) {
    return {&CallWith<R, Texts, Reals>...};
}

// The caller of so many texts and reals.
template <typename R>
R Dispatch(void* function, std::size_t texts, std::size_t reals, const char* const* t, const double* r) {
    static constexpr auto noText = Callers<R, 0>(std::make_index_sequence<ExternalLibraries::kMostArguments + 1>{});
    static constexpr auto oneText = Callers<R, 1>(std::make_index_sequence<4>{});
    static constexpr auto twoTexts = Callers<R, 2>(std::make_index_sequence<3>{});
    static constexpr auto threeTexts = Callers<R, 3>(std::make_index_sequence<2>{});
    static constexpr auto fourTexts = Callers<R, 4>(std::make_index_sequence<1>{});
    switch (texts) {
        case 0: return noText[reals](function, t, r);
        case 1: return oneText[reals](function, t, r);
        case 2: return twoTexts[reals](function, t, r);
        case 3: return threeTexts[reals](function, t, r);
        default: return fourTexts[reals](function, t, r);
    }
}

// The files to try for a library, in order.
std::vector<std::string> Candidates(const std::string& file) {
    std::vector<std::string> names{file};
    if (LowerFileExt(file) == ".dll") {
        const std::string stem = ChangeFileExt(ExtractFileName(file), "");
        names.push_back(ChangeFileExt(file, ".so"));
        names.push_back(ExtractFilePath(file) + "lib" + stem + ".so");
    }
    std::vector<std::string> files;
    for (const std::string& name : names) {
        // A bare name would only be looked for where the system keeps libraries.
        if (name.find('/') == std::string::npos) files.push_back("./" + name);
        files.push_back(name);
    }
    return files;
}

}  // namespace

ExternalLibraries::~ExternalLibraries() {
    for (auto& [file, handle] : mLibraries) ::dlclose(handle);
}

int ExternalLibraries::Define(const std::string& file, const std::string& name, int result,
                              const std::vector<int>& arguments, std::string& error) {
    if (!kCallsSupported) {
        error = "Functions of external libraries cannot be called on this system.";
        return -1;
    }
    const bool anyText = std::find(arguments.begin(), arguments.end(), kText) != arguments.end();
    if (static_cast<int>(arguments.size()) > (anyText ? kMostWithTexts : kMostArguments)) {
        error = "An external function takes at most 4 arguments when one is a text, and at most 16 reals.";
        return -1;
    }
    auto library = mLibraries.find(file);
    if (library == mLibraries.end()) {
        void* handle = nullptr;
        std::string reason;
        for (const std::string& candidate : Candidates(file)) {
            handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (handle) break;
            if (reason.empty()) reason = ::dlerror();
        }
        if (!handle) {
            error = "Cannot load the library " + file + ": " + reason;
            return -1;
        }
        library = mLibraries.emplace(file, handle).first;
    }
    ::dlerror();
    void* address = ::dlsym(library->second, name.c_str());
    if (!address) {
        error = "Cannot find the function " + name + " in the library " + file + ".";
        return -1;
    }
    mFunctions.push_back({file, name, address, result == kText ? kText : kReal, arguments});
    return static_cast<int>(mFunctions.size()) - 1;
}

bool ExternalLibraries::Call(int id, std::span<const Value> arguments, Value& result, std::string& error) {
    if (id < 0 || id >= static_cast<int>(mFunctions.size())) {
        error = "There is no external function " + std::to_string(id) + ".";
        return false;
    }
    const Function& function = mFunctions[static_cast<std::size_t>(id)];
    if (!function.address) {
        error = "The library " + function.file + " of the external function " + function.name + " was freed.";
        return false;
    }
    if (arguments.size() != function.arguments.size()) {
        error = "The external function " + function.name + " takes " + std::to_string(function.arguments.size()) +
                " arguments, not " + std::to_string(arguments.size()) + ".";
        return false;
    }
    std::array<const char*, kMostWithTexts> texts{};
    std::array<double, kMostArguments> reals{};
    std::size_t textCount = 0, realCount = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const bool wantsText = function.arguments[i] == kText;
        if (arguments[i].IsString() != wantsText) {
            error = "Argument " + std::to_string(i + 1) + " of the external function " + function.name +
                    (wantsText ? " must be a text." : " must be a real.");
            return false;
        }
        if (wantsText)
            texts[textCount++] = arguments[i].Text().c_str();
        else
            reals[realCount++] = arguments[i].Real();
    }
    if (function.result == kText) {
        const char* text = Dispatch<const char*>(function.address, textCount, realCount, texts.data(), reals.data());
        result = Value(std::string(text ? text : ""));
    } else {
        result = Value(Dispatch<double>(function.address, textCount, realCount, texts.data(), reals.data()));
    }
    return true;
}

void ExternalLibraries::Free(const std::string& file) {
    auto library = mLibraries.find(file);
    if (library == mLibraries.end()) return;
    ::dlclose(library->second);
    mLibraries.erase(library);
    for (Function& function : mFunctions)
        if (function.file == file) function.address = nullptr;
}

}  // namespace kestrin::engine
