// kestrin-cli list functions|variables|constants|resources: the lines of the
// listing windows as text. Without a game there are no resources and no
// user constants.

#include "cli/command_list.h"

#include <cstdio>

#include "cli/command.h"
#include "language/project_checks.h"
#include "language/project_names.h"
#include "platform/preferences.h"

namespace kestrin::cli {

int RunList(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) return kExitUsage;
    InfoType type;
    const std::string& what = arguments[0];
    if (what == "functions")
        type = InfoType::BuiltinFunctions;
    else if (what == "variables")
        type = InfoType::BuiltinVariables;
    else if (what == "constants")
        type = InfoType::Constants;
    else if (what == "resources")
        type = InfoType::ResourceNames;
    else
        return kExitUsage;
    if (arguments.size() == 2) {
        std::fprintf(stderr, "kestrin-cli: list with a game file is not available yet: game files cannot be read\n");
        return kExitFailed;
    }
    const ProjectNames noGame;
    for (const auto& line : ComputeInfoLines(type, noGame, Prefs().Colors)) std::printf("%s\n", line.text.c_str());
    return kExitOk;
}

}  // namespace kestrin::cli
