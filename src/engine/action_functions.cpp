// Joining the themes of the engine's action functions, and the names they
// define, read from the text itself so the list is never written twice.

#include "engine/action_functions.h"

#include <set>

#include "engine/script/library_code.h"

namespace kestrin::engine {

const std::string& ActionFunctionsCode() {
    static const std::string code = [] {
        std::string all;
        for (std::string_view part :
             {ActionFunctionsMove(), ActionFunctionsGame(), ActionFunctionsControl(), ActionFunctionsDraw()}) {
            all.append(part);
            if (!all.empty() && all.back() != '\n') all.push_back('\n');
        }
        return all;
    }();
    return code;
}

bool IsActionFunction(std::string_view name) {
    static const std::set<std::string, std::less<>> names = [] {
        std::set<std::string, std::less<>> all;
        for (const LibraryScript& script : SplitLibraryCode(ActionFunctionsCode())) all.insert(script.name);
        return all;
    }();
    return names.count(name) != 0;
}

}  // namespace kestrin::engine
