// The built-in name tables: counts, order, duplicates, lookups against a
// game's names, capacities and the function help file.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "language/builtin_names.h"
#include "language/function_help.h"
#include "language/project_names.h"
#include "platform/recording_ui.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

TEST(BuiltinNames, CountsAndOrderOfAddition) {
    EXPECT_EQ(Constant_Count(), 229);
    EXPECT_EQ(Function_Count(), 925);
    EXPECT_EQ(Variable_GlobalCount(), 127);
    EXPECT_EQ(Variable_LocalCount(), 48);

    // First and last of each table, and a few group boundaries.
    EXPECT_EQ(Constant_Name(0), "self");
    EXPECT_EQ(Constant_Name(9), "c_aqua");
    EXPECT_EQ(Constant_Name(228), "ps_change_motion");
    EXPECT_EQ(Function_Name(0), "path_end");
    EXPECT_EQ(Function_Name(924), "action_draw_font");
    EXPECT_EQ(Function_Name(101), "is_real");  // group 2 after the 101 entries of group 1
    EXPECT_EQ(Variable_GlobalName(0), "argument_relative");
    EXPECT_EQ(Variable_GlobalName(2), "argument0");
    EXPECT_EQ(Variable_GlobalName(17), "argument15");
    EXPECT_EQ(Variable_GlobalName(126), "error_last");
    EXPECT_EQ(Variable_LocalName(0), "x");
    EXPECT_EQ(Variable_LocalName(47), "timeline_speed");

    // The two cursor spellings are separate constants.
    int arrow = -1, arrrow = -1;
    for (int i = 0; i < Constant_Count(); ++i) {
        if (Constant_Name(i) == "cr_arrow") arrow = i;
        if (Constant_Name(i) == "cr_arrrow") arrrow = i;
    }
    EXPECT_EQ(arrrow, arrow + 1);
}

TEST(BuiltinNames, OutOfRangeAccessors) {
    EXPECT_EQ(Constant_Name(-1), "");
    EXPECT_EQ(Constant_Name(229), "");
    EXPECT_EQ(Function_Name(925), "non-existing function");
    EXPECT_EQ(Function_Name(-1), "non-existing function");
    EXPECT_EQ(Variable_GlobalName(127), "non-existing variable");
    EXPECT_EQ(Variable_LocalName(-5), "non-existing variable");
}

TEST(BuiltinNames, DuplicatesAreFoundAtTheirFirstEntry) {
    struct Case {
        const char* name;
        int argCount;
    } cases[] = {{"move_random", 2}, {"event_inherited", 0}, {"show_message", 1}, {"show_question", 1}};
    for (const auto& c : cases) {
        std::vector<int> indexes;
        for (int i = 0; i < Function_Count(); ++i)
            if (Function_Name(i) == c.name) indexes.push_back(i);
        ASSERT_EQ(indexes.size(), 2u) << c.name;
        FunctionLookup found = Function_Find(c.name, NoGameNames());
        EXPECT_TRUE(found.found);
        EXPECT_EQ(found.index, indexes[0]) << c.name;
        EXPECT_EQ(Function_ArgCount(indexes[0]), c.argCount);
        EXPECT_EQ(Function_ArgCount(indexes[1]), c.argCount);
        EXPECT_GE(indexes[1], Function_Count() - 86) << c.name << " again among the action functions";
    }
}

TEST(BuiltinNames, FunctionLookupsAgainstScripts) {
    ProjectNames game;
    game.AddResource(ResourceKind::Script, "scr_a");
    game.AddResource(ResourceKind::Script, "scr_b");
    game.AddResource(ResourceKind::Script, "scr_c");

    FunctionLookup create = Function_Find("instance_create", game);
    EXPECT_TRUE(create.found);
    EXPECT_EQ(Function_Name(create.index), "instance_create");
    EXPECT_EQ(Function_ArgCount(create.index), 3);

    FunctionLookup script = Function_Find("scr_c", game);
    EXPECT_TRUE(script.found);
    EXPECT_EQ(script.index, kScriptIndexBase + 2);
    EXPECT_FALSE(Function_Exists("scr_c"));

    FunctionLookup missing = Function_Find("no_such_thing", game);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.index, 99999);

    EXPECT_EQ(Function_ArgCount(script.index), -1);
    EXPECT_EQ(Function_ArgCount(Function_Find("min", game).index), -1);
    EXPECT_EQ(Function_ArgCount(Function_Find("draw_sprite", game).index), 4);
    EXPECT_EQ(Function_ArgCount(5000), -100);
    EXPECT_EQ(Function_ArgCount(-1), -100);
    EXPECT_FALSE(Function_Find("Instance_create", game).found);  // case-sensitive
}

TEST(BuiltinNames, ValueNamesAndConstants) {
    ProjectNames game;
    game.AddResource(ResourceKind::Sprite, "spr_ball");
    game.AddResource(ResourceKind::Room, "room0");
    game.AddUserConstant("MAX_SPEED");

    EXPECT_TRUE(Constant_IsValueName("self", game));
    EXPECT_TRUE(Constant_IsValueName("other", game));
    EXPECT_TRUE(Constant_IsValueName("c_red", game));
    EXPECT_FALSE(Constant_IsValueName("C_RED", game));
    EXPECT_TRUE(Constant_IsValueName("spr_ball", game));
    EXPECT_TRUE(Constant_IsValueName("room0", game));
    EXPECT_FALSE(Constant_IsValueName("MAX_SPEED", game));
    EXPECT_FALSE(Constant_IsValueName("x", game));

    EXPECT_TRUE(Constant_IsConstant("MAX_SPEED", game));
    EXPECT_TRUE(Constant_IsConstant("vk_f12", game));
    EXPECT_FALSE(Constant_IsConstant("spr_ball", game));
    EXPECT_FALSE(Constant_IsConstant("Self", game));

    EXPECT_TRUE(Variable_IsLocal("alarm"));
    EXPECT_TRUE(Variable_IsGlobal("argument"));
    EXPECT_FALSE(Variable_IsGlobal("alarm"));
}

TEST(BuiltinNames, FullTablesShowTheirMessageAndDropTheEntry) {
    RecordingUI ui;
    ScopedUI installed(ui);
    CNameTables tables;
    for (int i = 0; i < CNameTables::kMaxFunctions + 2; ++i) tables.AddFunction("f" + std::to_string(i), 0);
    for (int i = 0; i < CNameTables::kMaxGlobals + 1; ++i) tables.AddGlobal("g" + std::to_string(i));
    for (int i = 0; i < CNameTables::kMaxLocals + 1; ++i) tables.AddLocal("l" + std::to_string(i));
    for (int i = 0; i < 3000; ++i) tables.AddConstant("c" + std::to_string(i));

    EXPECT_EQ(tables.FunctionCount(), 2000);
    EXPECT_EQ(tables.FindBuiltinFunction("f2000"), -1);
    EXPECT_EQ(tables.GlobalCount(), 1000);
    EXPECT_EQ(tables.LocalCount(), 1000);
    EXPECT_EQ(tables.ConstantCount(), 3000);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"INTERNAL ERROR: Adding too many functions",
                                                       "INTERNAL ERROR: Adding too many functions",
                                                       "INTERNAL ERROR: Adding too many global variables",
                                                       "INTERNAL ERROR: Adding too many local variables"}));
}

TEST(FunctionHelp, CleansAndSortsTheLines) {
    test::TempDir dir;
    {
        std::ofstream out(dir.File("fnames"), std::ios::binary);
        out << "  \tdraw_sprite(sprite,subimg,x,y) draws a sprite \t\r\n"
               "\r\n"
               "# a remark\r\n"
               "   \r\n"
               "Abs(x)\n"
               "abs(x) lower\n"
               "   # also a remark after the blanks\n"
               "ceil(x)";
    }
    LoadFunctionHelp(dir.Path());
    EXPECT_EQ(FunctionHelpList(), (std::vector<std::string>{"Abs(x)", "abs(x) lower", "ceil(x)",
                                                            "draw_sprite(sprite,subimg,x,y) draws a sprite"}));

    LoadFunctionHelp(dir.File("missing-folder"));
    EXPECT_TRUE(FunctionHelpList().empty());
}

TEST(FunctionHelp, TheShippedFileDescribesEveryFunction) {
    std::vector<std::string> lines = ReadFunctionHelp(std::string(KESTRIN_BIN_DIR) + "/fnames");
    ASSERT_FALSE(lines.empty());
    for (int i = 0; i < Function_Count(); ++i) {
        std::string prefix = Function_Name(i) + "(";
        const std::string* found = nullptr;
        for (const auto& line : lines)
            if (line.rfind(prefix, 0) == 0) found = &line;
        ASSERT_NE(found, nullptr) << Function_Name(i);
        // The arguments shown agree with the table: as many as a call must
        // pass, or an open list for any number.
        std::string arguments = found->substr(prefix.size(), found->find(')') - prefix.size());
        int shown = arguments.empty() ? 0 : 1 + static_cast<int>(std::count(arguments.begin(), arguments.end(), ','));
        if (Function_ArgCount(i) >= 0)
            EXPECT_EQ(shown, Function_ArgCount(i)) << *found;
        else
            EXPECT_NE(arguments.find("..."), std::string::npos) << *found;
    }
}

}  // namespace
}  // namespace kestrin
