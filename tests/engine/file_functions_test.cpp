// The file functions as game code calls them: text, binary and single files
// written and read back, handles that are not open, files and folders, file
// names, searches by mask, and the ini file written on close.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/file_search.h"
#include "resources/event_types.h"
#include "function_game.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct FileGame : test::FunctionGame {
    // The name in the test's folder, quoted for game code.
    std::string Q(const std::string& name) const { return "'" + dir.File(name) + "'"; }
    std::string Path(const std::string& name) const { return dir.File(name); }
    kestrin::test::TempDir dir;
};

TEST(FileFunctions, TextFilesWriteAndReadStringsNumbersAndLines) {
    FileGame g;
    g.Run("f = file_text_open_write(" + g.Q("a.txt") + ");"
          "file_text_write_string(f, 'Level'); file_text_write_real(f, 3); file_text_write_real(f, -0.25);"
          "file_text_writeln(f); file_text_write_real(f, power(10, 21)); file_text_writeln(f);"
          "file_text_write_string(f, 'last line'); file_text_close(f);"
          "f = file_text_open_append(" + g.Q("a.txt") + "); file_text_writeln(f);"
          "file_text_write_string(f, '12.5x'); file_text_close(f);");
    EXPECT_EQ(Contents(g.Path("a.txt")), "Level 3 -0.25\n1e+21\nlast line\n12.5x");

    g.Run("f = file_text_open_read(" + g.Q("a.txt") + ");");
    test::ExpectOutcomes(g, {
        {"file_text_read_string(f)", "'Level 3 -0.25'"},
        {"file_text_read_string(f)", "''"},  // still at the end of that line
        {"file_text_readln(f)", "0"},
        {"file_text_read_real(f)", "1e+21"},
        {"file_text_read_real(f)", "0"},  // no number before the line ends
        {"file_text_readln(f)", "0"},
        {"file_text_eof(f)", "0"},
        {"file_text_read_real(f)", "0"},  // a word is no number
        {"file_text_read_string(f)", "'last line'"},
        {"file_text_readln(f)", "0"},
        {"file_text_read_real(f)", "12.5"},
        {"file_text_read_string(f)", "'x'"},
        {"file_text_eof(f)", "1"},
        {"file_text_readln(f)", "0"},  // at the end nothing more happens
        {"file_text_read_string(f)", "''"},
        {"file_text_close(f)", "0"},
    });

    // Lines written elsewhere may end in CR LF or CR alone.
    std::ofstream(g.Path("dos.txt"), std::ios::binary) << "1 2\r\nthree\rfour";
    g.Run("f = file_text_open_read(" + g.Q("dos.txt") + ");"
          "a = file_text_read_real(f); b = file_text_read_real(f); file_text_readln(f);"
          "c = file_text_read_string(f); file_text_readln(f); d = file_text_read_string(f); file_text_close(f);");
    test::ExpectOutcomes(g, {{"a + b", "3"}, {"c + '/' + d", "'three/four'"}});
}

TEST(FileFunctions, HandlesThatAreNotOpenOrOpenTheOtherWayAreRunTimeErrors) {
    FileGame g;
    std::ofstream(g.Path("in.txt")) << "x";
    g.Run("r = file_text_open_read(" + g.Q("in.txt") + "); w = file_text_open_write(" + g.Q("out.txt") + ");");
    test::ExpectOutcomes(g, {
        {"r", "1"},
        {"w", "2"},
        {"file_text_read_string(0)", "error: Text file 0 is not open."},
        {"file_text_read_string(3)", "error: Text file 3 is not open."},
        {"file_text_eof(1.5)", "error: Text file 1.50 is not open."},
        {"file_text_close(-4)", "error: Text file -4 is not open."},
        {"file_text_read_real(w)", "error: Text file 2 is open for writing, not reading."},
        {"file_text_write_string(r, 'a')", "error: Text file 1 is open for reading, not writing."},
        {"file_text_open_read(" + g.Q("missing.txt") + ")",
         "error: Cannot open the file " + g.Path("missing.txt") + " for reading."},
        {"file_text_open_write(" + g.Q("no/such/folder.txt") + ")",
         "error: Cannot open the file " + g.Path("no/such/folder.txt") + " for writing."},
        {"file_text_open_read(" + g.Q("") + ")", "error: Cannot open the file " + g.Path("") + " for reading."},
        {"file_bin_read_byte(1)", "error: Binary file 1 is not open."},
        {"file_close()", "error: No file is open."},
        {"file_read_string()", "error: No file is open."},
        {"file_eof()", "error: No file is open."},
    });
    g.Run("file_text_close(r); file_text_close(w);");
    EXPECT_EQ(g.Outcome("file_text_close(r)"), "error: Text file 1 is not open.");

    // Thirty-two files of each kind at once; a closed handle is given again.
    g.Run("for (i = 0; i < 32; i += 1) { t[i] = file_text_open_read(" + g.Q("in.txt") +
          "); b[i] = file_bin_open(" + g.Q("in.txt") + ", 0); }");
    test::ExpectOutcomes(g, {
        {"t[31] + b[31]", "64"},
        {"file_text_open_read(" + g.Q("in.txt") + ")", "error: Too many text files are open (at most 32)."},
        {"file_bin_open(" + g.Q("in.txt") + ", 0)", "error: Too many binary files are open (at most 32)."},
        {"file_text_close(t[4]) + file_text_open_read(" + g.Q("in.txt") + ")", "5"},
    });
}

TEST(FileFunctions, BinaryFilesReadAndWriteBytesAnywhereInTheFile) {
    FileGame g;
    g.Run("f = file_bin_open(" + g.Q("b.dat") + ", 1); file_bin_write_byte(f, 65); file_bin_write_byte(f, 300);"
          "file_bin_write_byte(f, -1); file_bin_write_byte(f, 7.9);");
    EXPECT_EQ(Contents(g.Path("b.dat")), std::string("A,\xff\x07", 4));
    test::ExpectOutcomes(g, {
        {"file_bin_size(f)", "4"},
        {"file_bin_position(f)", "4"},
        {"file_bin_read_byte(f)", "error: Binary file 1 is open for writing only."},
    });
    g.Run("file_bin_seek(f, 1); file_bin_write_byte(f, 66); file_bin_close(f);");
    EXPECT_EQ(Contents(g.Path("b.dat")), std::string("AB\xff\x07", 4));

    g.Run("f = file_bin_open(" + g.Q("b.dat") + ", 2);");
    test::ExpectOutcomes(g, {
        {"file_bin_read_byte(f)", "65"},
        {"file_bin_read_byte(f)", "66"},
        {"file_bin_read_byte(f)", "255"},
        {"file_bin_read_byte(f)", "7"},
        {"file_bin_read_byte(f)", "-1"},  // past the end
        {"file_bin_seek(f, power(10, 18)) + file_bin_position(f)", "4"},
        {"file_bin_seek(f, -5) + file_bin_position(f)", "0"},
        {"file_bin_rewrite(f) + file_bin_size(f) + file_bin_position(f)", "0"},
        {"file_bin_write_byte(f, 9) + file_bin_size(f)", "1"},
        {"file_bin_close(f)", "0"},
        {"file_bin_close(f)", "error: Binary file 1 is not open."},
        {"file_bin_open(" + g.Q("b.dat") + ", 3)", "error: Unknown file mode 3 (0 read, 1 write, 2 both)."},
        {"file_bin_open(" + g.Q("missing.dat") + ", 0)", "error: Cannot open the file " + g.Path("missing.dat") + "."},
        {"file_bin_open('" + g.dir.Path() + "', 2)", "error: Cannot open the file " + g.dir.Path() + "."},
    });
    g.Run("f = file_bin_open(" + g.Q("b.dat") + ", 0);");
    EXPECT_EQ(g.Outcome("file_bin_write_byte(f, 1)"), "error: Binary file 1 is open for reading only.");
    EXPECT_EQ(g.Outcome("file_bin_rewrite(f)"), "error: Binary file 1 is open for reading only.");
}

TEST(FileFunctions, TheSingleFileIsOneAtATime) {
    FileGame g;
    g.Run("file_open_write(" + g.Q("s.txt") + "); file_write_string('hi'); file_write_real(2); file_writeln();"
          "file_open_append(" + g.Q("s.txt") + "); file_write_real(4.5); file_close();");
    EXPECT_EQ(Contents(g.Path("s.txt")), "hi 2\n4.5");
    g.Run("file_open_read(" + g.Q("s.txt") + ");");
    test::ExpectOutcomes(g, {
        {"file_read_string()", "'hi 2'"},
        {"file_write_real(1)", "error: The file is open for reading, not writing."},
        {"file_readln()", "0"},
        {"file_read_real()", "4.5"},
        {"file_eof()", "1"},
        {"file_close()", "0"},
        {"file_open_read(" + g.Q("gone.txt") + ")", "error: Cannot open the file " + g.Path("gone.txt") + " for reading."},
        {"file_writeln()", "error: No file is open."},
    });
}

TEST(FileFunctions, FilesAndFoldersAreMadeMovedAndRemoved) {
    FileGame g;
    std::ofstream(g.Path("a.txt")) << "alpha";
    std::ofstream(g.Path("b.txt")) << "beta";
    test::ExpectOutcomes(g, {
        {"file_exists(" + g.Q("a.txt") + ")", "1"},
        {"file_exists('" + g.dir.Path() + "')", "0"},  // a folder is no file
        {"directory_exists('" + g.dir.Path() + "')", "1"},
        {"directory_create(" + g.Q("x/y/z") + ")", "1"},
        {"directory_exists(" + g.Q("x/y/z") + ")", "1"},
        {"directory_create('')", "0"},
        {"file_copy(" + g.Q("a.txt") + ", " + g.Q("x/c.txt") + ")", "1"},
        {"file_copy(" + g.Q("b.txt") + ", " + g.Q("x/c.txt") + ")", "1"},  // replaces
        {"file_copy(" + g.Q("none.txt") + ", " + g.Q("x/d.txt") + ")", "0"},
        {"file_rename(" + g.Q("a.txt") + ", " + g.Q("b.txt") + ")", "0"},  // never over another file
        {"file_rename(" + g.Q("a.txt") + ", " + g.Q("x/a2.txt") + ")", "1"},
        {"file_exists(" + g.Q("a.txt") + ")", "0"},
        {"file_delete(" + g.Q("b.txt") + ")", "1"},
        {"file_delete(" + g.Q("b.txt") + ")", "0"},
        {"file_delete(" + g.Q("x") + ")", "0"},  // not a folder
    });
    EXPECT_EQ(Contents(g.Path("x/c.txt")), "beta");
    EXPECT_EQ(Contents(g.Path("x/a2.txt")), "alpha");
    EXPECT_TRUE(std::filesystem::is_directory(g.Path("x")));
}

TEST(FileFunctions, SearchesListMatchingNamesInOrderWithTheAttributesAskedFor) {
    FileGame g;
    for (const char* name : {"b.sav", "a.sav", "a.txt", ".hidden.sav", "ab.sav"}) std::ofstream(g.Path(name)) << "x";
    std::filesystem::create_directory(g.Path("folder.sav"));
    auto all = [&](const std::string& mask, const std::string& attributes) {
        g.Run("s = file_find_first(" + g.Q(mask) + ", " + attributes + "); names = '';"
              "while (s != '') { names += s + ' '; s = file_find_next(); }");
        return g.Outcome("names");
    };
    EXPECT_EQ(all("*.sav", "0"), "'a.sav ab.sav b.sav '");
    EXPECT_EQ(all("?.sav", "0"), "'a.sav b.sav '");
    EXPECT_EQ(all("*.*", "0"), "'a.sav a.txt ab.sav b.sav '");
    EXPECT_EQ(all("*.sav", "fa_hidden | fa_directory"), "'.hidden.sav a.sav ab.sav b.sav folder.sav '");
    EXPECT_EQ(all("*.sav", "fa_directory"), "'a.sav ab.sav b.sav folder.sav '");
    EXPECT_EQ(all("nothing*", "0"), "''");
    EXPECT_EQ(all("missing/*", "0"), "''");
    g.Run("s = file_find_first(" + g.Q("*.sav") + ", 0); file_find_close();");
    EXPECT_EQ(g.Outcome("file_find_next()"), "''");

    test::ExpectOutcomes(g, {
        {"file_attributes(" + g.Q("a.sav") + ", 0)", "1"},
        {"file_attributes(" + g.Q("a.sav") + ", fa_archive)", "1"},
        {"file_attributes(" + g.Q("a.sav") + ", fa_directory)", "0"},
        {"file_attributes(" + g.Q("folder.sav") + ", fa_directory)", "1"},
        {"file_attributes(" + g.Q(".hidden.sav") + ", fa_hidden | fa_archive)", "1"},
        {"file_attributes(" + g.Q("none") + ", 0)", "0"},
    });
}

TEST(FileFunctions, MasksMatchStarsAndQuestionMarks) {
    struct Case {
        const char* mask;
        std::string name;
        bool matches;
    };
    const Case cases[] = {
        {"*", "anything", true},     {"*", "", true},           {"*.*", "noext", true},
        {"*.txt", "a.txt", true},    {"*.txt", "a.txt.bak", false}, {"a?c", "abc", true},
        {"a?c", "ac", false},        {"*a*b*", "xxaxxbxx", true},   {"*a*b", "ab_a", false},
        {"A.TXT", "a.txt", false},   {"", "", true},                {"", "a", false},
        {"**?", "z", true},          {"*aaa*aaa*b", std::string(60, 'a'), false},
    };
    for (const Case& c : cases) EXPECT_EQ(MaskMatches(c.mask, c.name), c.matches) << c.mask << " ~ " << c.name;
}

TEST(FileFunctions, FileNamesAreTakenApart) {
    test::FunctionGame g;
    test::ExpectOutcomes(g, {
        {"filename_name('/games/maze/level1.txt')", "'level1.txt'"},
        {"filename_path('/games/maze/level1.txt')", "'/games/maze/'"},
        {"filename_dir('/games/maze/level1.txt')", "'/games/maze'"},
        {"filename_dir('/level1.txt')", "'/'"},
        {"filename_dir('level1.txt')", "''"},
        {"filename_drive('/games/maze/level1.txt')", "''"},
        {"filename_ext('/games/maze/level1.txt')", "'.txt'"},
        {"filename_ext('/games/maze.d/level')", "''"},
        {"filename_ext('archive.tar.gz')", "'.gz'"},
        {"filename_change_ext('/games/maze/level1.txt', '.sav')", "'/games/maze/level1.sav'"},
        {"filename_change_ext('/games/maze.d/level', '.sav')", "'/games/maze.d/level.sav'"},
        {"filename_change_ext('level1.txt', '')", "'level1'"},
    });
}

TEST(FileFunctions, IniFilesAreReadAndWrittenBackOnClose) {
    FileGame g;
    std::ofstream(g.Path("game.ini")) << "; options\n[video]\nfull=1\nscale=x2\n";
    g.Run("ini_open(" + g.Q("game.ini") + ");");
    test::ExpectOutcomes(g, {
        {"ini_read_real('video', 'full', 0)", "1"},
        {"ini_read_real('video', 'scale', 7)", "7"},  // no number
        {"ini_read_real('video', 'missing', -1)", "-1"},
        {"ini_read_string('VIDEO', 'scale', '')", "'x2'"},
        {"ini_read_string('audio', 'scale', 'none')", "'none'"},
        {"ini_section_exists('video')", "1"},
        {"ini_key_exists('video', 'scale')", "1"},
        {"ini_key_exists('audio', 'scale')", "0"},
    });
    g.Run("ini_write_real('player', 'best', 1234.5); ini_write_string('player', 'name', 'Ada');"
          "ini_key_delete('video', 'scale');");
    EXPECT_EQ(Contents(g.Path("game.ini")), "; options\n[video]\nfull=1\nscale=x2\n");  // only on close
    g.Run("ini_close();");
    EXPECT_EQ(Contents(g.Path("game.ini")), "; options\n[video]\nfull=1\n\n[player]\nbest=1234.5\nname=Ada\n");

    g.Run("ini_open(" + g.Q("new.ini") + "); ini_write_real('a', 'b', 1); ini_section_delete('a');"
          "ini_write_real('c', 'd', 2); ini_open(" + g.Q("game.ini") + ");");  // a second open closes the first
    EXPECT_EQ(Contents(g.Path("new.ini")), "[c]\nd=2\n");
    test::ExpectOutcomes(g, {
        {"ini_read_real('player', 'best', 0)", "1234.5"},
        {"ini_write_string('p', 'a=b', 'x')", "error: Cannot write the ini key \"a=b\" in section \"p\"."},
        {"ini_close()", "0"},
        {"ini_close()", "error: No ini file is open."},
        {"ini_read_string('a', 'b', '')", "error: No ini file is open."},
        {"ini_key_exists('a', 'b')", "error: No ini file is open."},
    });
    // A file that is not opened is not written.
    g.Run("ini_open(" + g.Q("untouched.ini") + "); ini_close();");
    EXPECT_FALSE(std::filesystem::exists(g.Path("untouched.ini")));
    std::filesystem::create_directory(g.Path("locked"));
    g.Run("ini_open(" + g.Q("locked/no/such.ini") + "); ini_write_real('a', 'b', 1);");
    EXPECT_EQ(g.Outcome("ini_close()"), "error: Cannot write the ini file " + g.Path("locked/no/such.ini") + ".");
}

TEST(FileFunctions, AGameThatStartsAgainOrEndsLeavesNothingOpenAndLosesNothingWritten) {
    FileGame g;
    g.Run("f = file_text_open_write(" + g.Q("log.txt") + "); file_text_write_string(f, 'kept');"
          "b = file_bin_open(" + g.Q("data.bin") + ", 1); file_bin_write_byte(b, 7);"
          "ini_open(" + g.Q("game.ini") + "); ini_write_real('run', 'count', 1); game_restart();");
    g.world->Step();
    EXPECT_EQ(Contents(g.Path("log.txt")), "kept");
    EXPECT_EQ(Contents(g.Path("data.bin")), "\x07");
    EXPECT_EQ(Contents(g.Path("game.ini")), "[run]\ncount=1\n");
    test::ExpectOutcomes(g, {
        {"file_text_write_string(1, 'late')", "error: Text file 1 is not open."},
        {"ini_read_real('run', 'count', 0)", "error: No ini file is open."},
        {"file_text_open_write(" + g.Q("next.txt") + ")", "1"},  // the handles are free again
    });

    g.Run("ini_open(" + g.Q("game.ini") + "); ini_write_real('run', 'count', 2); game_end();");
    g.world->Step();
    EXPECT_TRUE(g.world->Ended());
    EXPECT_EQ(Contents(g.Path("game.ini")), "[run]\ncount=2\n");
}

TEST(FileFunctions, AGameKeepsALogWhileItPlays) {
    kestrin::test::TempDir dir;
    test::TestGame t;
    const int room = t.AddRoom("room");
    const int logger = t.AddObject("logger");
    const std::string log = "'" + dir.File("steps.log") + "'";
    t.AddCode(logger, kEventCreate, 0, "log = file_text_open_write(" + log + "); file_text_write_string(log, 'start'); steps = 0;");
    t.AddCode(logger, kEventStep, 0, "file_text_writeln(log); file_text_write_real(log, steps); steps += 1;"
                            "if (steps == 3) { file_text_close(log); instance_destroy(); }");
    t.Place(room, logger, 0, 0);
    auto world = t.Start();
    for (int i = 0; i < 5; ++i) world->Step();
    EXPECT_TRUE(t.shell.messages.empty()) << t.shell.messages.front();
    EXPECT_EQ(Contents(dir.File("steps.log")), "start\n0\n1\n2");
}

}  // namespace
}  // namespace kestrin::engine
