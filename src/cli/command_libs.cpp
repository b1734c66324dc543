// kestrin-cli libs [FOLDER]: loads the action libraries as the editor does at
// start-up (its messages on standard error) and prints each library with its
// actions: id, kind and description.

#include "cli/command_libs.h"

#include <cstdio>

#include "actions/action_registry.h"
#include "cli/command.h"

namespace kestrin::cli {

namespace {

// What a line shows for a definition without a description of its own.
std::string Shown(const CActionDefinition& definition) {
    if (definition.Kind == kActionKindLabel) return "[label] " + definition.Name;
    if (definition.Kind == kActionKindGap) return "[gap]";
    return definition.Description.empty() ? definition.Name : definition.Description;
}

}  // namespace

int RunLibs(const std::vector<std::string>& arguments) {
    if (arguments.size() > 1) return kExitUsage;
    const bool loaded =
        arguments.empty() ? LoadActionLibraries() : LoadActionLibrariesFrom(arguments[0]);
    for (int i = 0; i < LibraryCount(); ++i) {
        const CActionLibrary& library = *LibraryAt(i);
        std::printf("%s  (library id %d, %d definitions%s)\n", library.Caption.c_str(), library.Id,
                    library.DefinitionCount(), library.Advanced ? ", advanced" : "");
        for (const auto& definition : library.Definitions) {
            std::string flags;
            if (definition->Hidden) flags += " hidden";
            if (definition->Advanced) flags += " advanced";
            std::printf("  %4d  kind %-2d  %s%s\n", definition->Id, definition->Kind, Shown(*definition).c_str(),
                        flags.empty() ? "" : (" (" + flags.substr(1) + ")").c_str());
        }
    }
    return loaded ? kExitOk : kExitFailed;
}

}  // namespace kestrin::cli
