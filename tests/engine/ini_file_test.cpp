// The ini model: reading sections and keys without regard to case, and
// changes that leave every other line of the file as it was.

#include <gtest/gtest.h>

#include "engine/ini_file.h"

namespace kestrin::engine {
namespace {

const char* kSettings =
    "; saved by the game\n"
    "[Player]\n"
    "Name = Ada\n"
    "score=1500\n"
    "\n"
    "# sound\n"
    "[Sound]\n"
    "volume=0.5\n"
    "not a key line\n";

TEST(IniFile, ReadsKeysBySectionWithoutRegardToCase) {
    const IniFile ini(kSettings);
    struct Case {
        const char* section;
        const char* key;
        const char* value;  // null: absent
    };
    const Case cases[] = {
        {"Player", "Name", "Ada"},   {"player", "NAME", "Ada"},  {" Player ", "score", "1500"},
        {"Sound", "volume", "0.5"},  {"Sound", "Name", nullptr}, {"Missing", "Name", nullptr},
        {"", "; saved by the game", nullptr},
    };
    for (const Case& c : cases) {
        const auto value = ini.Read(c.section, c.key);
        if (c.value) EXPECT_EQ(value.value_or("<absent>"), c.value) << c.section << "." << c.key;
        else EXPECT_FALSE(value.has_value()) << c.section << "." << c.key;
    }
    EXPECT_TRUE(ini.SectionExists("SOUND"));
    EXPECT_FALSE(ini.SectionExists("not a key line"));
    EXPECT_TRUE(ini.KeyExists("player", "score"));
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ini.Text(), kSettings);
}

TEST(IniFile, ChangesKeepCommentsBlankLinesAndOtherLines) {
    IniFile ini(kSettings);
    EXPECT_TRUE(ini.Write("player", "SCORE", "2000"));   // replaced in place, its spelling kept
    EXPECT_TRUE(ini.Write("Player", "lives", "3"));      // after the last key, before the blank line
    EXPECT_TRUE(ini.Write("Keys", "jump", " space "));   // a new section at the end
    EXPECT_TRUE(ini.DeleteKey("sound", "volume"));
    EXPECT_FALSE(ini.DeleteKey("sound", "volume"));
    EXPECT_TRUE(ini.Changed());
    EXPECT_EQ(ini.Text(),
              "; saved by the game\n"
              "[Player]\n"
              "Name = Ada\n"
              "score=2000\n"
              "lives=3\n"
              "\n"
              "# sound\n"
              "[Sound]\n"
              "not a key line\n"
              "\n"
              "[Keys]\n"
              "jump=space\n");
    EXPECT_EQ(ini.Size(), ini.Text().size());

    EXPECT_TRUE(ini.DeleteSection("player"));
    EXPECT_FALSE(ini.DeleteSection("player"));
    EXPECT_EQ(ini.Text(),
              "; saved by the game\n"
              "[Sound]\n"
              "not a key line\n"
              "\n"
              "[Keys]\n"
              "jump=space\n");
    EXPECT_EQ(ini.Size(), ini.Text().size());
}

TEST(IniFile, KeepsCrLfAndAnEmptyFileGrowsFromNothing) {
    IniFile windows("[a]\r\nx=1\r\n");
    windows.Write("a", "y", "2");
    EXPECT_EQ(windows.Text(), "[a]\r\nx=1\r\ny=2\r\n");

    IniFile empty;
    EXPECT_EQ(empty.Text(), "");
    empty.Write("game", "level", "4");
    EXPECT_EQ(empty.Text(), "[game]\nlevel=4\n");
}

TEST(IniFile, NamesAndValuesThatWouldNotReadBackAreRefusedOrFlattened) {
    IniFile ini;
    EXPECT_FALSE(ini.Write("s", "a=b", "1"));
    EXPECT_FALSE(ini.Write("s", "", "1"));
    EXPECT_FALSE(ini.Write("", "k", "1"));
    EXPECT_FALSE(ini.Write("a]b", "k", "1"));
    EXPECT_FALSE(ini.Write("s", "[k", "1"));
    EXPECT_FALSE(ini.Write("s", ";k", "1"));
    EXPECT_FALSE(ini.Changed());
    EXPECT_TRUE(ini.Write("s", "k", "two\nlines"));
    EXPECT_TRUE(ini.Write("s", "k2", "a=b"));
    EXPECT_EQ(ini.Text(), "[s]\nk=two lines\nk2=a=b\n");
    const IniFile back(ini.Text());
    EXPECT_EQ(back.Read("s", "k"), "two lines");
    EXPECT_EQ(back.Read("s", "k2"), "a=b");
}

}  // namespace
}  // namespace kestrin::engine
