// Functions of external libraries called from the game's code: every mix of
// texts and reals reaches the function in its places, each way of defining
// them, and the errors of defining and calling.

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

// The game's code, with LIB standing for the fixture library's file and DLL
// for the same named as a game made elsewhere would name it.
std::string WithLibrary(std::string code) {
    const std::string library = KESTRIN_EXTERNAL_FIXTURE;
    const std::string folder = library.substr(0, library.rfind('/') + 1);
    for (std::size_t at; (at = code.find("LIB")) != std::string::npos;) code.replace(at, 3, "'" + library + "'");
    for (std::size_t at; (at = code.find("DLL")) != std::string::npos;)
        code.replace(at, 3, "'" + folder + "kestrin_external_fixture.dll'");
    return code;
}

struct ExternalGame {
    ExternalGame() {
        t.Place(t.AddRoom("room"), t.AddObject("thing"), 0, 0);
        world = t.Start();
    }
    Value Run(const std::string& expression) { return Eval(*world, nullptr, WithLibrary(expression)); }
    void Execute(const std::string& code) {
        std::string error;
        EXPECT_TRUE(world->Script().Execute(WithLibrary(code), error)) << code << ": " << error;
    }
    TestGame t;
    std::unique_ptr<World> world;
};

TEST(ExternalFunctions, ArgumentsOfEveryMixArriveInTheirPlaces) {
    ExternalGame g;
    struct Case {
        const char* code;
        Value result;
    };
    const Case cases[] = {
        {"external_call(external_define(LIB, 'add3', dll_cdecl, ty_real, 3, ty_real, ty_real, ty_real), 1, 2, 3)",
         321.0},
        {"external_call2(external_define2(LIB, 'greet', ty_string, ty_real, ty_string), 'Ann', 2)",
         Value("hello Ann x2")},
        {"external_call4(external_define4(LIB, 'mixed', ty_real, ty_string, ty_real, ty_string, ty_real), 5, 'ab', 7,"
         " 'xyz')",
         5327.0},
        {"external_call5(external_define5(LIB, 'weigh5', ty_real), 1, 1, 1, 1, 10)", 60.0},
        // As many reals as a call of the language can give; the last ones go on the stack.
        {"external_call(external_define(LIB, 'weigh11', dll_stdcall, ty_real, 11, ty_real, ty_real, ty_real, ty_real,"
         " ty_real, ty_real, ty_real, ty_real, ty_real, ty_real, ty_real), 1, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2)",
         53.0},
        {"external_call0(external_define0(LIB, 'nothing', ty_string))", Value("")},
        {"external_call3(external_define3(DLL, 'add3', ty_real, ty_real, ty_real, ty_real), 4, 5, 6)", 654.0},
    };
    for (const Case& c : cases) EXPECT_EQ(g.Run(c.code), c.result) << c.code;
    EXPECT_TRUE(g.t.shell.messages.empty()) << g.t.shell.messages.front();
}

TEST(ExternalFunctions, FailuresToDefineOrCallAreTheGamesErrors) {
    ExternalGame g;
    g.Execute("global.add = external_define(LIB, 'add3', dll_cdecl, ty_real, 3, ty_real, ty_real, ty_real);");
    struct Case {
        const char* code;
        const char* error;
    };
    const Case cases[] = {
        {"external_define('no_such_library.dll', 'f', dll_cdecl, ty_real, 0)", "Cannot load the library no_such_library.dll"},
        {"external_define(LIB, 'no_such_function', dll_cdecl, ty_real, 0)", "Cannot find the function no_such_function"},
        {"external_define(LIB, 'mixed', dll_cdecl, ty_real, 5, ty_string, ty_real, ty_real, ty_real, ty_real)",
         "at most 4 arguments when one is a text"},
        {"external_define(LIB, 'add3', dll_cdecl, ty_real, 3, ty_real)", "names 3 arguments but gives 1 types"},
        {"external_call(global.add, 1, 2)", "takes 3 arguments, not 2"},
        {"external_call(global.add, 1, 'two', 3)", "Argument 2 of the external function add3 must be a real."},
        {"external_call(99)", "There is no external function 99."},
    };
    for (const Case& c : cases) {
        g.t.shell.messages.clear();
        Value value;
        std::string error;
        EXPECT_FALSE(g.world->Script().Evaluate(WithLibrary(c.code), nullptr, value, error)) << c.code;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.code << ": " << error;
    }
    // A freed library's functions can no longer be called; defined again, they can.
    g.Execute("external_free(LIB);");
    Value value;
    std::string error;
    EXPECT_FALSE(g.world->Script().Evaluate("external_call(global.add, 1, 2, 3)", nullptr, value, error));
    EXPECT_NE(error.find("was freed"), std::string::npos) << error;
    EXPECT_EQ(g.Run("external_call(external_define(LIB, 'add3', dll_cdecl, ty_real, 3, ty_real, ty_real, ty_real),"
                    " 3, 2, 1)"),
              Value(123.0));
}

}  // namespace
}  // namespace kestrin::engine
