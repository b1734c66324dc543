// The language tools' start-up: tables first, then the help list.

#include "language/language_startup.h"

#include "language/builtin_names.h"
#include "language/function_help.h"
#include "platform/file_system.h"

namespace kestrin {

void LoadBuiltinNames() { LoadBuiltinNamesFrom(ExecutableFolder()); }

void LoadBuiltinNamesFrom(const std::string& folder) {
    NameTables();  // fills the tables on first use
    LoadFunctionHelp(folder);
}

}  // namespace kestrin
