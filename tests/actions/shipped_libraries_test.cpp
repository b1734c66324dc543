// The standard libraries built beside the programs, and the library compiler
// that makes them.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <sys/wait.h>

#include "actions/action_palette.h"
#include "actions/action_registry.h"
#include "platform/file_system.h"
#include "platform/recording_ui.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

const std::string kLibFolder = std::string(KESTRIN_BIN_DIR) + "/lib/";

class ShippedLibraries : public testing::Test {
protected:
    void SetUp() override {
        ClearActionLibraries();
        ScopedUI installed(mUI);
        mLoaded = LoadActionLibrariesFrom(kLibFolder);
    }
    void TearDown() override { ClearActionLibraries(); }

    template <typename F>
    void ForEachDefinition(F f) {
        for (int i = 0; i < LibraryCount(); ++i)
            for (const auto& d : LibraryAt(i)->Definitions) f(*LibraryAt(i), *d);
    }

    static bool Shown(const CActionDefinition& d) {
        return !d.Hidden && d.Kind != kActionKindGap && d.Kind != kActionKindHidden && d.Kind != kActionKindLabel;
    }

    RecordingUI mUI;
    bool mLoaded = false;
};

TEST_F(ShippedLibraries, LoadWithoutAMessage) {
    EXPECT_TRUE(mLoaded);
    EXPECT_TRUE(mUI.Messages().empty()) << (mUI.Messages().empty() ? "" : mUI.Messages()[0]);
    std::vector<std::string> captions;
    for (int i = 0; i < LibraryCount(); ++i) captions.push_back(LibraryAt(i)->Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"move", "main1", "main2", "control", "score", "draw", "extra"}));
}

TEST_F(ShippedLibraries, EveryShownActionHasItsOwnIcon) {
    std::set<int> numbers;
    std::map<std::vector<std::uint32_t>, std::string> pictures;
    ForEachDefinition([&](const CActionLibrary& library, const CActionDefinition& d) {
        if (d.Kind == kActionKindGap || d.Kind == kActionKindHidden || d.Kind == kActionKindLabel) {
            EXPECT_EQ(d.IconIndex, -1) << d.Name;
        }
        if (!Shown(d)) return;
        SCOPED_TRACE(library.Caption + ": " + d.Description);
        const ActionIcon* icon = ActionIcons().IconAt(d.IconIndex);
        ASSERT_NE(icon, nullptr);
        EXPECT_TRUE(numbers.insert(d.IconIndex).second);
        std::vector<std::uint32_t> pixels(icon->pixels.begin(), icon->pixels.end());
        int opaque = 0;
        for (std::uint32_t p : pixels) opaque += p != 0;
        EXPECT_GT(opaque, 20) << "hardly anything to see";
        EXPECT_EQ(icon->At(0, kIconSize - 1), 0u) << "the ground must be see-through";
        const auto [it, added] = pictures.emplace(pixels, d.Description);
        EXPECT_TRUE(added) << "same picture as " << it->second;
    });
}

TEST_F(ShippedLibraries, DefinitionsAreConsistent) {
    std::set<int> argKinds, interfaceKinds, kinds, execKinds;
    const std::regex marker("@(FB|FI|r|w|N|[0-7])|@");
    ForEachDefinition([&](const CActionLibrary& library, const CActionDefinition& d) {
        SCOPED_TRACE(library.Caption + ": " + d.Name);
        kinds.insert(d.Kind);
        EXPECT_GE(d.Id, 0);
        EXPECT_LT(d.Id, 1000);
        EXPECT_EQ(FindActionDefinition(library.Id, d.Id), &d) << "ids are unique";
        if (!Shown(d)) return;
        interfaceKinds.insert(d.InterfaceKind);
        execKinds.insert(d.ExecKind);
        EXPECT_FALSE(d.Description.empty());
        EXPECT_FALSE(d.ListText.empty());
        EXPECT_FALSE(d.HintText.empty());
        ASSERT_GE(d.ArgCount, 0);
        ASSERT_LE(d.ArgCount, 6) << "the argument dialog has six rows";
        for (int i = 0; i < d.ArgCount; ++i) {
            argKinds.insert(d.ArgKind[i]);
            if (d.ArgKind[i] == kArgMenu) {
                const int items = 1 + static_cast<int>(std::count(d.ArgMenu[i].begin(), d.ArgMenu[i].end(), '|'));
                EXPECT_LT(std::stoi(d.ArgDefault[i]), items) << "menu default of slot " << i;
            }
        }
        // Templates only hold known markers, and only name arguments the action has.
        for (const std::string* text : {&d.ListText, &d.HintText}) {
            for (std::sregex_iterator m(text->begin(), text->end(), marker), end; m != end; ++m) {
                const std::string found = m->str();
                ASSERT_NE(found, "@") << "unknown marker in " << *text;
                if (found.size() == 2 && std::isdigit(static_cast<unsigned char>(found[1]))) {
                    EXPECT_LT(found[1] - '0', d.ArgCount) << *text;
                }
            }
            if (text->find("@r") != std::string::npos) {
                EXPECT_TRUE(d.CanBeRelative) << *text;
            }
            if (text->find("@w") != std::string::npos) {
                EXPECT_TRUE(d.CanApplyTo) << *text;
            }
            if (text->find("@N") != std::string::npos) {
                EXPECT_TRUE(d.IsQuestion) << *text;
            }
        }
        // How the runner executes it (docs/actions.md).
        switch (d.ExecKind) {
            case 0:
                EXPECT_TRUE((d.Kind >= 1 && d.Kind <= 7) || d.InterfaceKind == kInterfaceText) << "does nothing";
                break;
            case 1: EXPECT_FALSE(d.ExecText1.empty()); break;
            case 2: EXPECT_FALSE(d.ExecText2.empty()); break;
            default: ADD_FAILURE() << "exec kind " << d.ExecKind;
        }
        if (d.InterfaceKind == kInterfaceDirections) {
            EXPECT_GE(d.ArgCount, 2);
        }
        if (d.InterfaceKind == kInterfaceCode || d.InterfaceKind == kInterfaceText) {
            EXPECT_EQ(d.ArgCount, 1);
        }
    });
    for (int kind = 0; kind <= 15; ++kind) EXPECT_TRUE(argKinds.count(kind)) << "argument kind " << kind;
    for (int kind : {0, 2, 5, 6}) EXPECT_TRUE(interfaceKinds.count(kind)) << "interface kind " << kind;
    for (int kind : {0, 1, 2, 8, 10}) EXPECT_TRUE(kinds.count(kind)) << "action kind " << kind;
}

TEST_F(ShippedLibraries, SimpleModeHidesTheAdvancedTab) {
    const auto simple = PaletteLibraries(false);
    const auto advanced = PaletteLibraries(true);
    EXPECT_EQ(advanced.size(), static_cast<std::size_t>(LibraryCount()));
    ASSERT_EQ(simple.size() + 1, advanced.size());
    for (const CActionLibrary* library : simple) EXPECT_FALSE(library->Advanced);
}

// Runs one of the built programs and gives its exit code and output.
std::pair<int, std::string> RunProgramOutput(const std::string& program, const std::string& arguments) {
    const std::string command = std::string(KESTRIN_BIN_DIR) + "/" + program + " " + arguments + " 2>&1";
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {-1, ""};
    char buffer[1024];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::pair<int, std::string> Compile(const std::string& folder, const std::string& source) {
    return RunProgramOutput("kestrin-libc", folder + " " + source);
}

TEST(CliLibs, ListsTheInstalledLibrariesAndTheLoadMessages) {
    const auto [code, out] = RunProgramOutput("kestrin-cli", "libs");
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find("move  (library id 1, "), std::string::npos) << out;
    EXPECT_NE(out.find("   101  kind 0   Move Fixed\n"), std::string::npos) << out;
    EXPECT_NE(out.find("   410  kind 1   Start Block\n"), std::string::npos) << out;
    EXPECT_NE(out.find("[label] Questions"), std::string::npos) << out;
    EXPECT_NE(out.find("extra  (library id 7, "), std::string::npos) << out;

    test::TempDir empty;
    const auto [failed, message] = RunProgramOutput("kestrin-cli", "libs " + empty.Path());
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(message, "No action libraries have been found.\n");
}

void WriteText(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

TEST(LibraryCompiler, CompilesASourceThatLoadsBack) {
    test::TempDir dir;
    WriteText(dir.File("t.actions"),
              "caption \"mine\"\nid 77\ncode <<END\n#define f\nreturn 1;\nEND\n"
              "label \"Top\"\n"
              "action 5\n  description \"Jump\"\n  list \"@wjump to @r@0#now\"\n  hint \"h @0\"\n"
              "  arg \"Where:\" menu \"1\" \"left|right\"\n  exec function f\n"
              "  icon rect 4 4 10 10 red\n  icon text 2 14 blue \"A1\"\n"
              "gap\n");
    const auto [code, out] = Compile(dir.File("lib"), dir.File("t.actions"));
    ASSERT_EQ(code, 0) << out;
    ClearActionLibraries();
    RecordingUI ui;
    ScopedUI installed(ui);
    ASSERT_TRUE(LoadActionLibrariesFrom(dir.File("lib") + "/"));
    ASSERT_EQ(LibraryCount(), 1);
    const CActionLibrary& library = *LibraryAt(0);
    EXPECT_EQ(library.Caption, "mine");
    EXPECT_EQ(library.LibraryCode, "#define f\r\nreturn 1;");
    ASSERT_EQ(library.DefinitionCount(), 3);
    EXPECT_EQ(library.DefinitionAt(0)->Kind, kActionKindLabel);
    EXPECT_EQ(library.DefinitionAt(0)->Name, "Top");
    const CActionDefinition& d = *FindActionDefinition(77, 5);
    EXPECT_EQ(d.ListText, "@wjump to @r@0#now");
    EXPECT_EQ(d.ArgCount, 1);
    EXPECT_EQ(d.ArgKind[0], kArgMenu);
    EXPECT_EQ(d.ArgMenu[0], "left|right");
    EXPECT_EQ(d.ExecKind, 1);
    EXPECT_EQ(d.ExecText1, "f");
    const ActionIcon* icon = ActionIcons().IconAt(d.IconIndex);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->At(5, 5), 0xFFE02020u);
    EXPECT_EQ(icon->At(20, 2), 0u);
    EXPECT_EQ(library.DefinitionAt(2)->Kind, kActionKindGap);
    ClearActionLibraries();
}

TEST(LibraryCompiler, RefusesFaultySourcesNamingTheLine) {
    struct Case {
        const char* source;
        const char* message;
    } cases[] = {
        {"caption \"x\"\n", "needs an id"},
        {"id 1\naction 3\n  description \"A\"\n  list \"a\"\n", "needs an icon"},
        {"id 1\naction 3\n  description \"A\"\n  icon rect 0 20 4 4 red\n", "bottom-left"},
        {"id 1\naction 3\n  description \"A\"\n  arg \"m\" menu \"2\" \"a|b\"\n", "default is not an item"},
        {"id 1\naction 3\n  description \"A\"\n  icon disc 5 5 3 red\naction 3\n", "used twice"},
        {"id 1\naction 3\n  description \"A\"\n  icon disc 5 5 3 red\naction 4\n  description \"B\"\n"
         "  icon disc 5 5 3 red\n", "the same icon"},
        {"id 1\naction 3\n  frobnicate\n", ":3: unknown action keyword"},
        {"id 1\naction 3\n  description \"A\"\n  icon disc 5 5 3 #zz0000\n", ":4: unknown colour: #zz0000"},
        {"id 1\naction 3\n  description \"A\"\n  icon disc 5 5 3 #12345g\n", ":4: unknown colour: #12345g"},
        {"id 1\naction 3\n  description \"A\"\n  icon disc 5 5 3 red\n"
         "  arg \"a\" expression \"0\"\n  arg \"b\" expression \"0\"\n  arg \"c\" expression \"0\"\n"
         "  arg \"d\" expression \"0\"\n  arg \"e\" expression \"0\"\n  arg \"f\" expression \"0\"\n"
         "  arg \"g\" expression \"0\"\n",
         ":2: the argument dialog shows at most 6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        test::TempDir dir;
        WriteText(dir.File("bad.actions"), c.source);
        const auto [code, out] = Compile(dir.File("lib"), dir.File("bad.actions"));
        EXPECT_EQ(code, 1);
        EXPECT_NE(out.find(c.message), std::string::npos) << out;
        EXPECT_FALSE(FileExists(dir.File("lib/bad.lib")));
    }
}

}  // namespace
}  // namespace kestrin
