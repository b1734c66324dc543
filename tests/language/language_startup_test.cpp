// The language tools' start-up: the tables filled and the help list read
// from beside the running program.

#include <gtest/gtest.h>

#include "language/builtin_names.h"
#include "language/function_help.h"
#include "language/language_startup.h"
#include "platform/file_system.h"

namespace kestrin {
namespace {

TEST(LanguageStartup, FillsTheTablesAndReadsTheHelpBesideTheProgram) {
    // The test programs sit beside the shipped "fnames", as the app does.
    ASSERT_TRUE(FileExists(JoinPath(ExecutableFolder(), "fnames")));
    LoadBuiltinNames();
    EXPECT_EQ(Constant_Count(), 229);
    EXPECT_EQ(Function_Count(), 925);
    EXPECT_EQ(Variable_GlobalCount(), 127);
    EXPECT_EQ(Variable_LocalCount(), 48);
    EXPECT_FALSE(FunctionHelpList().empty());
    EXPECT_EQ(FunctionHelpList(), ReadFunctionHelp(std::string(KESTRIN_BIN_DIR) + "/fnames"));

    // Calling it again changes nothing in the tables.
    LoadBuiltinNames();
    EXPECT_EQ(Function_Count(), 925);
}

}  // namespace
}  // namespace kestrin
