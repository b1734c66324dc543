// kestrin-cli's game commands as a user runs them: new, dump, merge,
// export-scripts and import-scripts; exit codes, messages on standard error,
// the dump's content, and files saved by the CLI loading and saving back to
// the same bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "actions/action_registry.h"
#include "json_value.h"
#include "platform/file_system.h"
#include "platform/preferences.h"
#include "platform/recording_ui.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "stream/stream.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

using test::JsonReader;
using test::JsonValue;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Well-known SHA-256 digests.
constexpr const char* kShaEmpty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
constexpr const char* kShaAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
constexpr const char* kShaAbcdef = "bef57ec7f53a6d40beb640a780a639c83bc29ac8a9816f1fc6c5c6dcd93c4721";
constexpr const char* kTwoBlockText = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
constexpr const char* kShaTwoBlock = "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1";

// The first library of the shipped ones, and one of its actions with arguments.
constexpr std::int32_t kMoveLibrary = 1;
constexpr std::int32_t kMoveFixed = 101;

std::string Quote(const std::string& word) { return "'" + word + "'"; }

class GameCommands : public ::testing::Test {
protected:
    void SetUp() override { mSavedPrefs = Prefs(); }
    void TearDown() override {
        Prefs() = mSavedPrefs;
        ClearActionLibraries();
    }

    // Runs kestrin-cli with the arguments (shell words), keeping both outputs apart.
    static CliRun Cli(const std::string& arguments) {
        test::CliResult result = test::RunCli(arguments, test::CliErrors::Apart);
        return {result.exitCode, result.out, result.err};
    }

    JsonValue Dump(const std::string& file, bool libraries = true) {
        CliRun run = Cli("dump " + Quote(file) + (libraries ? "" : " --no-libraries"));
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return JsonReader::Parse(run.out);
    }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        std::string path = mDir.File(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    // A game with something in every section, saved by this process without
    // action libraries, so its actions carry blank definition copies.
    std::string SaveRichGame(const std::string& name) {
        Game game(mRandom);
        NewGame(game);
        CResourceTree& tree = game.Tree();
        auto add = [&](ResourceNode* where, std::int32_t type, const std::string& title) {
            ResourceNode* node = tree.AddResourceNode(where, type);
            tree.RenameNode(node, title);
            return node->Data.Index;
        };

        // Sprites: slot 0 deleted, slot 1 with a 1 x 2 frame whose rows are "abc" and "def".
        tree.DeleteNode(tree.Section(kTypeSprites)->Child(add(tree.Section(kTypeSprites), kTypeSprites, "gone")));
        ResourceNode* group = tree.AddGroup(tree.Section(kTypeSprites), "heroes");
        int sprite = add(group, kTypeSprites, "spr_hero");
        Bitmap24 frame(1, 2);
        std::memcpy(frame.Row(0), "abc", 3);
        std::memcpy(frame.Row(1), "def", 3);
        game.Sprites().ResourceAt(sprite)->AddImage(&frame);
        game.Sprites().ResourceAt(sprite)->XOrigin = -7;

        int background = add(tree.Section(kTypeBackgrounds), kTypeBackgrounds, "bg_sky");
        Bitmap24 pixel(1, 1);
        std::memcpy(pixel.Row(0), "abc", 3);
        game.Backgrounds().ResourceAt(background)->SetImage(&pixel);

        int sound = add(tree.Section(kTypeSounds), kTypeSounds, "snd_beep");
        game.Sounds().ResourceAt(sound)->LoadFromFile(WriteFile("beep.wav", "abc"));
        add(tree.Section(kTypeSounds), kTypeSounds, "snd_silent");

        int path = add(tree.Section(kTypePaths), kTypePaths, "pth_loop");
        game.Paths().ResourceAt(path)->AddPoint(0.1, -2, 100);
        game.Paths().ResourceAt(path)->AddPoint(1e21, 3.5, 50);

        int script = add(tree.Section(kTypeScripts), kTypeScripts, "scr_caf\xE9");
        game.Scripts().ResourceAt(script)->Code = "s = \"a\\b\";\r\n\tx = 1; // \x01\xFF";
        int second = add(tree.Section(kTypeScripts), kTypeScripts, "scr_two");
        game.Scripts().ResourceAt(second)->Code = "return 2;";

        int data = add(tree.Section(kTypeDataFiles), kTypeDataFiles, "dat_two_blocks");
        game.DataFiles().ResourceAt(data)->LoadFromFile(WriteFile("blocks.txt", kTwoBlockText));
        int empty = add(tree.Section(kTypeDataFiles), kTypeDataFiles, "dat_empty");
        game.DataFiles().ResourceAt(empty)->LoadFromFile(WriteFile("empty.txt", ""));

        int timeLine = add(tree.Section(kTypeTimeLines), kTypeTimeLines, "tl_intro");
        CTimeLine& moments = *game.TimeLines().ResourceAt(timeLine);
        moments.GetMomentEvent(moments.AddMoment(30))->AddAction(kMoveLibrary, kMoveFixed);
        moments.AddMoment(5);

        int target = add(tree.Section(kTypeObjects), kTypeObjects, "obj_wall");
        int object = add(tree.Section(kTypeObjects), kTypeObjects, "obj_ball");
        CObject& ball = *game.Objects().ResourceAt(object);
        ball.Sprite = sprite;
        ball.GetEvent(3, 7)->AddAction(kMoveLibrary, kMoveFixed);
        CAction& action = ball.GetEvent(3, 2)->AddAction(kMoveLibrary, kMoveFixed);
        action.AppliesTo = kObjectOther;
        action.SetArgValue(0, "101000000");
        ball.GetEvent(kCollisionEventType, target)->AddAction(kMoveLibrary, kMoveFixed);
        ball.GetEvent(5, 4);  // held but without actions: not shown

        // Rooms in a group, the second made first, for the room order.
        ResourceNode* levels = tree.AddGroup(tree.Section(kTypeRooms), "levels");
        int first = add(tree.Section(kTypeRooms), kTypeRooms, "rm_first");
        int second_room = add(levels, kTypeRooms, "rm_second");
        (void)second_room;
        CRoom& room = *game.Rooms().ResourceAt(first);
        room.Caption = "Level \xB9";
        RoomBackground layer;
        layer.Visible = true;
        layer.Background = background;
        room.SetLayer(2, layer);
        room.AddInstance(10, 20, object, game);
        RoomTile tile;
        tile.Background = background;
        tile.Width = tile.Height = 1;
        tile.Depth = 1000000;
        room.AddTile(tile, game);

        game.Options.Constants = {{"MAX", "10"}, {"NAME", "\"x\""}};
        game.Options.ShowLoadImage = true;
        game.Options.LoadImage = pixel;
        game.Options.Author = "B\xF6rk";
        game.Information.Text = CRichText::FromPlainText("Hello");
        game.Information.MimicMainForm = true;

        std::string file = mDir.File(name);
        if (!SaveGame(game, file)) ADD_FAILURE() << "the rich game was not saved";
        mRichId = game.GameId;
        mRichGuid = game.GameGuid;
        return file;
    }

    Preferences mSavedPrefs;
    RandomSource mRandom{7};
    RecordingUI mUI;
    ScopedUI mInstalled{mUI};
    test::TempDir mDir;
    std::int32_t mRichId = 0;
    Guid mRichGuid;
};

TEST_F(GameCommands, WrongArgumentsAreUsageErrors) {
    struct Case {
        const char* arguments;
        const char* usage;
    };
    const Case cases[] = {
        {"new", "new OUT.ksd"},
        {"new a.ksd b.ksd", "new OUT.ksd"},
        {"new --no-libraries a.ksd", "new OUT.ksd"},
        {"dump", "dump GAME.ksd [--no-libraries]"},
        {"dump a.ksd --bogus", "dump GAME.ksd [--no-libraries]"},
        {"merge a.ksd b.ksd", "merge GAME.ksd OTHER.ksd -o OUT.ksd"},
        {"merge a.ksd b.ksd -o", "merge GAME.ksd OTHER.ksd -o OUT.ksd"},
        {"merge a.ksd b.ksd -o c.ksd -o d.ksd", "merge GAME.ksd OTHER.ksd -o OUT.ksd"},
        {"export-scripts a.ksd", "export-scripts GAME.ksd OUT.ksl"},
        {"export-scripts a.ksd b.ksl -o c.ksd", "export-scripts GAME.ksd OUT.ksl"},
        {"import-scripts a.ksd b.ksl", "import-scripts GAME.ksd IN.ksl -o OUT.ksd"},
    };
    for (const Case& c : cases) {
        CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_EQ(run.err, std::string("Usage: kestrin-cli ") + c.usage + "\n") << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
    EXPECT_TRUE(ListFolder(mDir.Path()).empty()) << "nothing written";
}

TEST_F(GameCommands, FailuresExitOneWithTheirMessagesAndWriteNothing) {
    std::string good = SaveRichGame("good.ksd");
    std::string text = WriteFile("text.ksd", "not a game at all");
    std::string bytes = ReadFileText(good);
    std::string cut = WriteFile("cut.ksd", bytes.substr(0, bytes.size() / 2));
    std::string noScripts = WriteFile("none.ksl", "x = 1;\r\n");
    std::string out = Quote(mDir.File("out.ksd"));
    std::string missingFolder = Quote(mDir.File("no/such/folder/out.ksd"));

    struct Case {
        std::string arguments;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"dump " + Quote(mDir.File("missing.ksd")), {"Error Loading: File does not exist."}},
        {"dump " + Quote(text), {"Error Loading: This is not a Kestrin file.", kCorruptedMessage}},
        {"dump " + Quote(cut), {kCorruptedMessage}},
        {"merge " + Quote(good) + " " + Quote(mDir.File("missing.ksd")) + " -o " + out,
         {"Error Merging: File does not exist.", "Error merging game. File might have become corrupted."}},
        {"merge " + Quote(good) + " " + Quote(cut) + " -o " + out,
         {"Error merging game. File might have become corrupted."}},
        {"merge " + Quote(cut) + " " + Quote(good) + " -o " + out, {kCorruptedMessage}},
        {"new " + missingFolder,
         {"Error Saving: Cannot create the file. The game has not been saved!Try saving your work under a "
          "different name."}},
        {"import-scripts " + Quote(good) + " " + Quote(noScripts) + " -o " + out, {"File contains no scripts."}},
        {"import-scripts " + Quote(good) + " " + Quote(mDir.File("missing.ksl")) + " -o " + out,
         {"Cannot open file"}},
        {"export-scripts " + Quote(good) + " " + Quote(mDir.File("no/such/folder/out.ksl")),
         {"Cannot create file"}},
    };
    for (const Case& c : cases) {
        CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.exitCode, 1) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        std::size_t at = 0;
        for (const std::string& message : c.messages) {
            at = run.err.find(message, at);
            EXPECT_NE(at, std::string::npos) << c.arguments << " lacks, in order: " << message << "\n" << run.err;
        }
        EXPECT_FALSE(PathExists(mDir.File("out.ksd"))) << c.arguments;
    }
}

TEST_F(GameCommands, NewWritesAnEmptyGameWithoutBackups) {
    std::string file = mDir.File("new.ksd");
    ASSERT_EQ(Cli("new " + Quote(file)).exitCode, 0);
    ASSERT_EQ(Cli("new " + Quote(file)).exitCode, 0);  // over an existing file
    EXPECT_FALSE(FileExists(BackupFileName(file, 1)));

    JsonValue dump = Dump(file);
    EXPECT_EQ(dump["version"].Int(), kGameFileVersion);
    EXPECT_EQ(dump["guid"].text.size(), 32u);
    for (const char* list : {"sounds", "sprites", "backgrounds", "paths", "scripts", "datafiles", "timelines",
                             "objects", "rooms"})
        EXPECT_EQ(dump[list].size(), 0u) << list;
    EXPECT_EQ(dump["tree"]["nodes"].size(), 11u);
    EXPECT_EQ(dump["tree"]["nodes"][10]["text"].text, "Game Options");
    // Saved with the shipped libraries: their code travels with the game.
    EXPECT_GT(dump["library_code"].size(), 0u);
}

TEST_F(GameCommands, MergeAndImportKeepAReplacedOutputAsBackupOne) {
    std::string rich = SaveRichGame("rich.ksd");
    std::string ksl = mDir.File("library.ksl");
    ASSERT_EQ(Cli("export-scripts " + Quote(rich) + " " + Quote(ksl)).exitCode, 0);
    std::string out = mDir.File("out.ksd");
    const std::string help = Cli("--help").out;
    for (const std::string command : {"merge", "import-scripts"}) {
        WriteFile("out.ksd", "the previous output");
        DeleteFile(BackupFileName(out, 1));
        std::string other = command == "merge" ? rich : ksl;
        CliRun run = Cli(command + " " + Quote(rich) + " " + Quote(other) + " -o " + Quote(out));
        ASSERT_EQ(run.exitCode, 0) << command << run.err;
        ASSERT_TRUE(FileExists(BackupFileName(out, 1))) << command;
        EXPECT_EQ(ReadFileText(BackupFileName(out, 1)), "the previous output") << command;
        EXPECT_GT(Dump(out)["scripts"].size(), 0u) << command;
        std::size_t line = help.find(command + " GAME.ksd");
        ASSERT_NE(line, std::string::npos) << command;
        EXPECT_NE(help.substr(line, help.find('\n', line) - line).find("kept as OUT.gb1"), std::string::npos)
            << command;
    }
}

TEST_F(GameCommands, DumpDescribesEveryPartOfTheGame) {
    std::string file = SaveRichGame("rich.ksd");
    JsonValue dump = Dump(file, false);

    EXPECT_EQ(dump["version"].Int(), kGameFileVersion);
    EXPECT_EQ(dump["game_id"].Int(), mRichId);
    std::string guid;
    for (std::uint8_t byte : mRichGuid.ToBytes()) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", byte);
        guid += hex;
    }
    EXPECT_EQ(dump["guid"].text, guid);
    EXPECT_EQ(dump["library_code"].size(), 0u);  // saved without libraries

    const JsonValue& sprites = dump["sprites"];
    ASSERT_EQ(sprites.size(), 2u);
    EXPECT_TRUE(sprites[0].IsNull());
    EXPECT_EQ(sprites[1]["name"].text, "spr_hero");
    EXPECT_EQ(sprites[1]["XOrigin"].Int(), -7);
    const JsonValue& frame = sprites[1]["frames"][0];
    EXPECT_EQ(frame["width"].Int(), 1);
    EXPECT_EQ(frame["height"].Int(), 2);
    EXPECT_EQ(frame["sha256"].text, kShaAbcdef);  // top row first, blue green red
    EXPECT_EQ(dump["backgrounds"][0]["image"]["sha256"].text, kShaAbc);

    EXPECT_EQ(dump["sounds"][0]["FileType"].text, ".wav");
    EXPECT_EQ(dump["sounds"][0]["data"]["size"].Int(), 3);
    EXPECT_EQ(dump["sounds"][0]["data"]["sha256"].text, kShaAbc);
    EXPECT_TRUE(dump["sounds"][1]["data"].IsNull());
    EXPECT_EQ(dump["datafiles"][0]["data"]["sha256"].text, kShaTwoBlock);
    EXPECT_EQ(dump["datafiles"][1]["data"]["sha256"].text, kShaEmpty);

    const JsonValue& points = dump["paths"][0]["points"];
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0][0].text, "0.1");
    EXPECT_EQ(points[0][1].number, -2);
    EXPECT_EQ(points[1][0].number, 1e21);

    // 8-bit texts come back byte for byte.
    EXPECT_EQ(dump["scripts"][0]["name"].text, "scr_caf\xE9");
    EXPECT_EQ(dump["scripts"][0]["Code"].text, "s = \"a\\b\";\r\n\tx = 1; // \x01\xFF");
    EXPECT_EQ(dump["options"]["Author"].text, "B\xF6rk");
    EXPECT_EQ(dump["rooms"][0]["Caption"].text, "Level \xB9");

    const JsonValue& moments = dump["timelines"][0]["moments"];
    ASSERT_EQ(moments.size(), 2u);
    EXPECT_EQ(moments[0]["step"].Int(), 5);
    EXPECT_EQ(moments[0]["actions"].size(), 0u);
    EXPECT_EQ(moments[1]["step"].Int(), 30);

    const JsonValue& events = dump["objects"][1]["events"];
    ASSERT_EQ(events.size(), 11u);
    ASSERT_EQ(events[3].size(), 2u);
    EXPECT_EQ(events[3][0]["number"].Int(), 2);
    EXPECT_EQ(events[3][1]["number"].Int(), 7);
    EXPECT_EQ(events[kCollisionEventType][0]["number"].Int(), 0);
    EXPECT_EQ(events[5].size(), 0u);
    const JsonValue& action = events[3][0]["actions"][0];
    EXPECT_EQ(action["LibraryId"].Int(), kMoveLibrary);
    EXPECT_EQ(action["ActionId"].Int(), kMoveFixed);
    EXPECT_EQ(action["AppliesTo"].Int(), kObjectOther);
    EXPECT_EQ(action["ArgKind"].size(), 8u);
    ASSERT_EQ(action["ArgValue"].size(), 8u);
    EXPECT_EQ(action["ArgValue"][0].text, "101000000");
    // Without libraries the stored copies show: this file stored blank ones.
    EXPECT_EQ(action["ArgCount"].Int(), 0);
    EXPECT_EQ(action["ExecText1"].text, "");

    const JsonValue& room = dump["rooms"][0];
    EXPECT_EQ(room["layers"].size(), 8u);
    EXPECT_EQ(room["views"].size(), 8u);
    EXPECT_EQ(room["layers"][2]["Background"].Int(), 0);
    ASSERT_EQ(room["instances"].size(), 1u);
    EXPECT_EQ(room["instances"][0]["Object"].Int(), 1);
    EXPECT_EQ(room["instances"][0]["Id"].Int(), 100001);
    EXPECT_EQ(room["tiles"][0]["Depth"].Int(), 1000000);
    EXPECT_FALSE(room["Remembered"].boolean);
    EXPECT_EQ(dump["last_instance_id"].Int(), 100001);
    EXPECT_EQ(dump["last_tile_id"].Int(), 10000001);

    const JsonValue& options = dump["options"];
    EXPECT_TRUE(options["BackImage"].IsNull());
    EXPECT_EQ(options["LoadImage"]["sha256"].text, kShaAbc);
    ASSERT_EQ(options["Constants"].size(), 2u);
    EXPECT_EQ(options["Constants"][1][0].text, "NAME");
    EXPECT_EQ(options["Constants"][1][1].text, "\"x\"");
    EXPECT_EQ(options["LastChanged"].kind, JsonValue::Number);
    EXPECT_TRUE(dump["information"]["MimicMainForm"].boolean);
    EXPECT_GT(dump["information"]["Text"]["size"].Int(), 0);

    const JsonValue& tree = dump["tree"];
    ASSERT_EQ(tree["nodes"].size(), 11u);
    const JsonValue& spriteSection = tree["nodes"][0];
    EXPECT_EQ(spriteSection["kind"].Int(), 1);
    EXPECT_EQ(spriteSection["type"].Int(), 2);
    ASSERT_EQ(spriteSection["children"].size(), 1u);  // the deleted sprite's node went with it
    EXPECT_EQ(spriteSection["children"][0]["text"].text, "heroes");
    EXPECT_EQ(spriteSection["children"][0]["children"][0]["index"].Int(), 1);
    // Rooms: the group (holding room 1) comes before room 0.
    ASSERT_EQ(tree["room_order"].size(), 2u);
    EXPECT_EQ(tree["room_order"][0].Int(), 1);
    EXPECT_EQ(tree["room_order"][1].Int(), 0);

    // With the libraries loaded, actions show their definition's properties.
    JsonValue refreshed = Dump(file, true);
    const JsonValue& fresh = refreshed["objects"][1]["events"][3][0]["actions"][0];
    EXPECT_EQ(fresh["ArgCount"].Int(), 2);
    EXPECT_EQ(fresh["ExecText1"].text, "action_move");
    EXPECT_EQ(fresh["ArgValue"][0].text, "101000000");
}

// Offset of the options' time stamp: the one field a save of an unchanged game changes.
std::size_t LastChangedOffset(Game& game) {
    CStream options;
    game.Options.SaveOptions(options);
    std::size_t after = 4 + game.Options.Information.size() + 4;
    for (const UserConstant& constant : game.Options.Constants)
        after += 8 + constant.Name.size() + constant.Value.size();
    return 32 + options.Size() - after - 8;
}

std::string WithoutLastChanged(const std::string& dump) {
    std::size_t at = dump.find("\"LastChanged\": ");
    if (at == std::string::npos) return dump;
    return dump.substr(0, at) + dump.substr(dump.find('\n', at));
}

TEST_F(GameCommands, GamesSavedByTheCliLoadAndSaveToTheSameBytes) {
    std::string rich = SaveRichGame("rich.ksd");
    std::string fresh = mDir.File("fresh.ksd");
    std::string merged = mDir.File("merged.ksd");
    std::string imported = mDir.File("imported.ksd");
    std::string scripts = WriteFile("more.ksl", "#define a\r\nx = 1;\r\n#define b\r\ny = 2;\r\n");
    ASSERT_EQ(Cli("new " + Quote(fresh)).exitCode, 0);
    ASSERT_EQ(Cli("merge " + Quote(fresh) + " " + Quote(rich) + " -o " + Quote(merged)).exitCode, 0);
    ASSERT_EQ(Cli("import-scripts " + Quote(merged) + " " + Quote(scripts) + " -o " + Quote(imported)).exitCode, 0);

    // Loaded and saved again with the same libraries as the CLI.
    ASSERT_TRUE(LoadActionLibrariesFrom(std::string(KESTRIN_BIN_DIR) + "/lib"));
    for (const std::string& saved : {fresh, merged, imported}) {
        SCOPED_TRACE(saved);
        Game game(mRandom);
        ASSERT_TRUE(LoadGame(game, saved));
        std::string again = mDir.File("again.ksd");
        ASSERT_TRUE(SaveGame(game, again));

        std::string before = ReadFileText(saved), after = ReadFileText(again);
        ASSERT_EQ(before.size(), after.size());
        std::size_t stamp = LastChangedOffset(game);
        double stored;
        std::memcpy(&stored, before.data() + stamp, sizeof stored);
        EXPECT_EQ(stored, game.Options.LastChanged) << "the offset names the time stamp";
        after.replace(stamp, 8, before, stamp, 8);
        auto differ = std::mismatch(before.begin(), before.end(), after.begin());
        EXPECT_TRUE(differ.first == before.end()) << "first difference at byte " << (differ.first - before.begin());

        EXPECT_EQ(WithoutLastChanged(Cli("dump " + Quote(saved)).out),
                  WithoutLastChanged(Cli("dump " + Quote(again)).out));
    }
}

TEST_F(GameCommands, DeeplyNestedGroupsDumpWithoutRecursionOrRunawayOutput) {
    // A new game's file with its tree section replaced by one whose sprite
    // section holds groups nested 20,000 deep.
    std::string fresh = mDir.File("fresh.ksd");
    ASSERT_EQ(Cli("new " + Quote(fresh)).exitCode, 0);
    std::string bytes = ReadFileText(fresh);
    std::size_t treeSize = 8;
    for (const TopLevelEntry& top : kTopLevel) treeSize += 20 + std::string(top.text).size();
    CStream forged(std::string_view(bytes).substr(0, bytes.size() - treeSize));
    forged.SetPosition(forged.Size());
    forged.WriteInteger(kTreeSectionVersion);
    forged.WriteInteger(0);  // room order
    constexpr int kDepth = 20000;
    auto node = [&](const TopLevelEntry& top, std::int32_t kind, const char* text, int children) {
        forged.WriteInteger(kind);
        forged.WriteInteger(top.type);
        forged.WriteInteger(0);
        forged.WriteString(text);
        forged.WriteInteger(children);
    };
    node(kTopLevel[0], kNodeSection, "Sprites", 1);
    for (int depth = 1; depth <= kDepth; ++depth) node(kTopLevel[0], kNodeGroup, "g", depth < kDepth ? 1 : 0);
    for (int i = 1; i < kTopLevelCount; ++i) node(kTopLevel[i], kTopLevel[i].kind, kTopLevel[i].text, 0);
    std::string deep = WriteFile("deep.ksd", std::string(forged.View()));

    CliRun run = Cli("dump " + Quote(deep));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_LT(run.out.size(), std::size_t{kDepth} * 600) << "indentation must not grow with the depth";
    EXPECT_EQ(run.out.substr(run.out.size() - 2), "}\n");
}

TEST_F(GameCommands, MergeAppendsTheOtherGameWithReferencesMoved) {
    std::string rich = SaveRichGame("rich.ksd");
    std::string merged = mDir.File("twice.ksd");
    CliRun run = Cli("merge " + Quote(rich) + " " + Quote(rich) + " -o " + Quote(merged));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    JsonValue dump = Dump(merged);
    EXPECT_EQ(dump["game_id"].Int(), mRichId);  // the game keeps its identity
    ASSERT_EQ(dump["objects"].size(), 4u);
    const JsonValue& ball = dump["objects"][3];
    EXPECT_EQ(ball["Sprite"].Int(), 3);
    EXPECT_EQ(ball["events"][kCollisionEventType][0]["number"].Int(), 2);
    const JsonValue& room = dump["rooms"][2];
    EXPECT_EQ(room["instances"][0]["Object"].Int(), 3);
    EXPECT_EQ(room["instances"][0]["Id"].Int(), 100002);
    // The merged resources sit in groups named after the file.
    const JsonValue& objects = dump["tree"]["nodes"][7]["children"];
    EXPECT_EQ(objects[objects.size() - 1]["text"].text, "rich");
    EXPECT_EQ(objects[objects.size() - 1]["kind"].Int(), 2);
}

TEST_F(GameCommands, ScriptsGoOutAndComeBackIn) {
    std::string rich = SaveRichGame("rich.ksd");
    std::string fresh = mDir.File("fresh.ksd");
    std::string ksl = mDir.File("library.ksl");
    std::string imported = mDir.File("imported.ksd");
    ASSERT_EQ(Cli("export-scripts " + Quote(rich) + " " + Quote(ksl)).exitCode, 0);
    EXPECT_EQ(ReadFileText(ksl),
              "\r\n#define scr_caf\xE9\r\ns = \"a\\b\";\r\n\tx = 1; // \x01\xFF\r\n"
              "\r\n#define scr_two\r\nreturn 2;\r\n");

    ASSERT_EQ(Cli("new " + Quote(fresh)).exitCode, 0);
    CliRun run = Cli("import-scripts " + Quote(fresh) + " " + Quote(ksl) + " -o " + Quote(imported));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    JsonValue dump = Dump(imported);
    ASSERT_EQ(dump["scripts"].size(), 2u);
    EXPECT_EQ(dump["scripts"][0]["name"].text, "scr_caf\xE9");
    EXPECT_EQ(dump["scripts"][0]["Code"].text, "s = \"a\\b\";\n\tx = 1; // \x01\xFF\n");
    EXPECT_EQ(dump["scripts"][1]["Code"].text, "return 2;\n");
    const JsonValue& group = dump["tree"]["nodes"][4]["children"][0];
    EXPECT_EQ(group["text"].text, "library");
    EXPECT_EQ(group["children"].size(), 2u);
}

}  // namespace
}  // namespace kestrin
