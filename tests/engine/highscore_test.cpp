// The high-score table: its order, its file, and the functions the game's
// code calls, shown as lines where no one can type a name.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/highscore_table.h"
#include "engine_fixture.h"
#include "resources/event_types.h"
#include "support/temp_dir.h"

namespace kestrin::engine {
namespace {

using test::Eval;
using test::TestGame;

TEST(HighscoreTable, ScoresTakeTheirPlaceAndTiesStayInTheOrderMade) {
    HighscoreTable table;
    EXPECT_EQ(table.PlaceFor(0), 0) << "an empty place holds 0, which a new 0 does not beat";
    const struct {
        const char* name;
        double score;
        int place;
    } adds[] = {{"ann", 50, 1}, {"bob", 80, 1}, {"cid", 50, 3}, {"dee", 60, 2}, {"eve", -5, 0}};
    for (auto a : adds) EXPECT_EQ(table.Add(a.name, a.score), a.place) << a.name;
    const char* order[] = {"bob", "dee", "ann", "cid", kHighscoreNobody};
    for (int place = 1; place <= 5; ++place) EXPECT_EQ(table.At(place).name, order[place - 1]) << place;
    for (int i = 0; i < 10; ++i) table.Add("late", 70);
    EXPECT_EQ(table.At(1).name, "bob");
    EXPECT_EQ(table.At(10).name, "late");
    EXPECT_EQ(table.PlaceFor(70), 0) << "a full table of 70s and above keeps out another 70";
    EXPECT_EQ(table.At(0).name, "");
    EXPECT_EQ(table.At(11).name, "");
}

TEST(HighscoreTable, TheFileBelongsToOneGameAndDamageGivesAnEmptyTable) {
    HighscoreTable table;
    table.Add("ann", 120.5);
    const std::string bytes = table.Write(42);
    HighscoreTable read;
    ASSERT_TRUE(read.Read(bytes, 42));
    EXPECT_EQ(read.At(1).name, "ann");
    EXPECT_EQ(read.At(1).score, 120.5);

    const struct {
        const char* name;
        std::string bytes;
        std::int32_t game;
    } bad[] = {{"other game", bytes, 43},
               {"cut short", bytes.substr(0, bytes.size() - 3), 42},
               {"trailing bytes", bytes + "x", 42},
               {"empty", "", 42},
               {"huge name", bytes.substr(0, 26) + std::string("\xff\xff\xff\x7f", 4), 42}};
    for (const auto& c : bad) {
        HighscoreTable damaged;
        damaged.Add("kept?", 5);
        EXPECT_FALSE(damaged.Read(c.bytes, c.game)) << c.name;
        EXPECT_EQ(damaged.At(1).name, kHighscoreNobody) << c.name;
    }
}

// A shell that keeps the table in a file, as the window runner does.
class FileShell : public test::RecordingShell {
public:
    std::string HighscoreFile() const override { return file; }
    std::string AskHighscoreName() override {
        messages.push_back("asked");
        return "Zed";
    }
    std::string file;
};

TEST(HighscoreFunctions, HeadlessShowsTheTableAsLinesWithTheAnonymousName) {
    TestGame t;
    const int o = t.AddObject("scorer");
    t.AddCode(o, kEventCreate, 0,
              "highscore_add('ann', 30); score = 45; highscore_show(score); highscore_show_ext(-1, -1, 1, 255, 0, "
              "'Arial', 10); first = highscore_name(1) + ' ' + string(highscore_value(1));");
    t.Place(t.AddRoom("room"), o, 0, 0);
    auto world = t.Start();
    ASSERT_EQ(t.shell.messages.size(), 22u);
    EXPECT_EQ(t.shell.messages[0], "High Scores");
    EXPECT_EQ(t.shell.messages[1], "1. Anonymous 45 (new)");
    EXPECT_EQ(t.shell.messages[2], "2. ann 30");
    EXPECT_EQ(t.shell.messages[3], "3. (empty) 0");
    EXPECT_EQ(t.shell.messages[12], "1. Anonymous 45") << "showing without a new score marks nothing";
    EXPECT_EQ(Eval(*world, world->Instances()[0].get(), "first").Text(), "Anonymous 45");
}

TEST(HighscoreFunctions, TheTableOutlivesTheGameInItsFile) {
    kestrin::test::TempDir dir;
    TestGame t;
    FileShell shell;
    shell.file = dir.File("table");
    const int o = t.AddObject("scorer");
    t.AddCode(o, kEventCreate, 0, "score = 10; highscore_add_current(); score = 0; highscore_add_current();");
    t.Place(t.AddRoom("room"), o, 0, 0);
    {
        World world(t.game, shell, {}, 1);
        world.Start();
    }
    EXPECT_EQ(shell.messages, std::vector<std::string>{"asked"}) << "a score of 0 makes no table";
    World again(t.game, shell, {}, 1);
    again.Start();
    EXPECT_EQ(Eval(again, nullptr, "highscore_name(1) + string(highscore_value(1))").Text(), "Zed10");
    EXPECT_EQ(Eval(again, nullptr, "highscore_name(2) + string(highscore_value(2))").Text(), "Zed10");

    t.game.GameId += 1;
    World otherGame(t.game, shell, {}, 1);
    EXPECT_EQ(Eval(otherGame, nullptr, "highscore_value(1)").Real(), 0.0) << "another game's table is not taken";
}

TEST(DataFileFunctions, ExportWritesTheCarriedBytes) {
    kestrin::test::TempDir dir;
    TestGame t;
    const int index = t.game.Tree().AddResourceNode(nullptr, kTypeDataFiles)->Data.Index;
    std::ofstream(dir.File("in.txt"), std::ios::binary) << "carried bytes";
    ASSERT_TRUE(t.game.DataFiles().ResourceAt(index)->LoadFromFile(dir.File("in.txt")));
    t.Place(t.AddRoom("room"), t.AddObject("nobody"), 0, 0);
    auto world = t.Start();
    Eval(*world, nullptr, "datafile_export(" + std::to_string(index) + ", '" + dir.File("out.txt") + "')");
    std::ifstream out(dir.File("out.txt"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(out), {}), "carried bytes");
    Value ignored;
    std::string error;
    EXPECT_FALSE(world->Script().Evaluate("datafile_export(99, 'x')", nullptr, ignored, error));
    EXPECT_NE(error.find("Data file does not exist."), std::string::npos) << error;
    // Nothing is held apart from the game, so discarding only checks the index.
    Eval(*world, nullptr, "datafile_discard(" + std::to_string(index) + ")");
    EXPECT_FALSE(world->Script().Evaluate("datafile_discard(99)", nullptr, ignored, error));
    EXPECT_NE(error.find("Data file does not exist."), std::string::npos) << error;
}

}  // namespace
}  // namespace kestrin::engine
