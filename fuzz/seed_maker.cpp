// Writes the seed corpus of every fuzz target, made by Kestrin's own writers:
// a small game with something in every section (as a game file, as a
// stand-alone executable's game data, as script text), an action library,
// rich text, and small pictures in every format read. JPEG, which Kestrin
// only reads, is written with the IJG library directly. Run by
// make_seeds.sh; the output is small enough to keep in the repository.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "actions/action_registry.h"
#include "build/runner_data.h"
#include "build/stand_alone.h"
#include "build/stand_alone_layout.h"
#include "imaging/bmp_codec.h"
#include "imaging/gif_codec.h"
#include "imaging/png_codec.h"
#include "platform/file_system.h"
#include "platform/random_source.h"
#include "resources/rtf_writer.h"
#include "scratch_file.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/script_text_file.h"
#include "stream/stream.h"

namespace kestrin::fuzz {
namespace {

namespace fs = std::filesystem;

fs::path gOutput;

void WriteSeed(const std::string& target, const std::string& name, const void* data, std::size_t size) {
    fs::create_directories(gOutput / target);
    std::ofstream(gOutput / target / name, std::ios::binary | std::ios::trunc)
        .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}
void WriteSeed(const std::string& target, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    WriteSeed(target, name, bytes.data(), bytes.size());
}
void WriteSeed(const std::string& target, const std::string& name, const std::string& bytes) {
    WriteSeed(target, name, bytes.data(), bytes.size());
}

// Every pixel different, so the codecs have real content to carry.
Bitmap24 Pattern(int width, int height) {
    Bitmap24 image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = image.Row(y) + 3 * x;
            pixel[0] = static_cast<std::uint8_t>(x * 40);
            pixel[1] = static_cast<std::uint8_t>(y * 50);
            pixel[2] = static_cast<std::uint8_t>((x + y) * 20);
        }
    return image;
}

std::string ScratchPath(const std::string& name, const std::string& bytes) {
    return WriteScratchFile(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void FillGame(Game& game) {
    CResourceTree& tree = game.Tree();
    auto add = [&](ResourceNode* where, std::int32_t type, const std::string& title) {
        ResourceNode* node = tree.AddResourceNode(where, type);
        tree.RenameNode(node, title);
        return node->Data.Index;
    };
    ResourceNode* group = tree.AddGroup(tree.Section(kTypeSprites), "heroes");
    int sprite = add(group, kTypeSprites, "spr_hero");
    Bitmap24 frame = Pattern(3, 2);
    game.Sprites().ResourceAt(sprite)->AddImage(&frame);
    game.Sprites().ResourceAt(sprite)->AddImage(&frame);

    int background = add(tree.Section(kTypeBackgrounds), kTypeBackgrounds, "bg_sky");
    Bitmap24 pixel = Pattern(2, 2);
    game.Backgrounds().ResourceAt(background)->SetImage(&pixel);

    int sound = add(tree.Section(kTypeSounds), kTypeSounds, "snd_beep");
    game.Sounds().ResourceAt(sound)->LoadFromFile(ScratchPath("beep.wav", "RIFF0000WAVE"));

    int path = add(tree.Section(kTypePaths), kTypePaths, "pth_loop");
    game.Paths().ResourceAt(path)->AddPoint(0.5, -2, 100);
    game.Paths().ResourceAt(path)->AddPoint(64, 32, 50);

    int script = add(tree.Section(kTypeScripts), kTypeScripts, "scr_move");
    game.Scripts().ResourceAt(script)->Code = "var i; for (i = 0; i < argument0; i += 1) x += 2;\r\nreturn x;";
    int second = add(tree.Section(kTypeScripts), kTypeScripts, "scr_two");
    game.Scripts().ResourceAt(second)->Code = "/* two */ return \"2\";";

    int data = add(tree.Section(kTypeDataFiles), kTypeDataFiles, "dat_level");
    game.DataFiles().ResourceAt(data)->LoadFromFile(ScratchPath("level.txt", "level one\n"));

    int timeLine = add(tree.Section(kTypeTimeLines), kTypeTimeLines, "tl_intro");
    CTimeLine& moments = *game.TimeLines().ResourceAt(timeLine);
    moments.GetMomentEvent(moments.AddMoment(30))->AddAction(1, 101);

    int wall = add(tree.Section(kTypeObjects), kTypeObjects, "obj_wall");
    int ball = add(tree.Section(kTypeObjects), kTypeObjects, "obj_ball");
    CObject& object = *game.Objects().ResourceAt(ball);
    object.Sprite = sprite;
    object.GetEvent(3, 0)->AddAction(1, 101).SetArgValue(0, "x = 1;");
    object.GetEvent(kCollisionEventType, wall)->AddAction(1, 101);

    int first = add(tree.Section(kTypeRooms), kTypeRooms, "rm_start");
    CRoom& room = *game.Rooms().ResourceAt(first);
    room.Caption = "Level one";
    room.CreationCode = "score = 0;";
    RoomBackground layer;
    layer.Visible = true;
    layer.Background = background;
    room.SetLayer(0, layer);
    room.AddInstance(10, 20, ball, game);
    RoomTile tile;
    tile.Background = background;
    tile.Width = tile.Height = 1;
    room.AddTile(tile, game);

    game.Options.Constants = {{"MAX_LIVES", "3"}};
    game.Options.Author = "Kestrin";
    TextFormat bold;
    bold.Bold = true;
    game.Information.Text = CRichText::FromPlainText("Press space.", bold);
}

std::vector<std::uint8_t> GameBody(Game& game) {
    CStream stream;
    WriteGameBody(game, stream, false);
    return {stream.Data(), stream.Data() + stream.Size()};
}

void GameSeeds(Game& game, Game& empty) {
    for (const char* target : {"game_load", "game_merge"}) {
        WriteSeed(target, "empty_game", GameBody(empty));
        WriteSeed(target, "small_game", GameBody(game));
    }
    const std::string scripts = WriteScratchFile("scripts.txt", nullptr, 0);
    ExportAllScripts(scripts, game, game.Tree());
    WriteSeed("script_import", "two_scripts", ReadFileText(scripts));
    WriteSeed("script_import", "one_script", std::string("#define scr_one\r\nreturn 1;\r\n"));
}

// A stand-alone executable made from a tiny runner program; the target reads
// what follows the game data's offset.
void RunnerSeeds(Game& game) {
    CStream runnerData;
    std::string error;
    if (!MakeRunnerData(std::string(3000, 'R'), runnerData, error)) {
        std::fprintf(stderr, "runner data: %s\n", error.c_str());
        std::exit(1);
    }
    StandAloneSource source;
    source.RunnerData = WriteScratchFile("rundata", runnerData.Data(), runnerData.Size());
    source.WriteGameBody = [&game](CStream& stream, bool debug) { return WriteGameBody(game, stream, debug); };
    const std::string executable = WriteScratchFile("game", nullptr, 0);
    if (BuildStandAlone(executable, false, source) != kStandAloneWritten) {
        std::fprintf(stderr, "the stand-alone build failed\n");
        std::exit(1);
    }
    const std::string bytes = ReadFileText(executable);
    WriteSeed("runner_game_data", "small_game", bytes.substr(kGameDataOffset));
}

void LibrarySeed() {
    CActionLibrary library;
    library.Caption = "Seed";
    library.Id = 42;
    library.LibraryCode = "/* library code */";
    CActionDefinition& move = library.AddDefinition();
    move.Name = "Jump";
    move.Id = 101;
    const std::vector<std::uint8_t> icon = EncodeBmp(Pattern(4, 4));
    move.Image.assign(icon.begin(), icon.end());
    move.ArgCount = 2;
    move.ArgCaption[0] = "x:";
    move.ArgKind[0] = kArgText;
    move.ArgCaption[1] = "menu:";
    move.ArgKind[1] = kArgMenu;
    move.ArgMenu[1] = "left|right";
    move.ExecKind = 2;
    move.ExecText2 = "x = argument0;";
    CActionDefinition& label = library.AddDefinition();
    label.Kind = kActionKindLabel;
    label.Name = "Moves";
    CStream stream;
    library.SaveToStream(stream);
    WriteSeed("action_library", "two_actions", stream.Data(), stream.Size());
}

void RtfSeeds() {
    CRichText text;
    RichParagraph first;
    first.Alignment = ParagraphAlignment::Center;
    TextFormat title;
    title.FontName = "Arial";
    title.Size = 16.5;
    title.Bold = true;
    title.Color = 0x0000FF;
    first.Runs.push_back({"Caf\xE9 {title}\\", title});
    RichParagraph second;
    second.Bullet = true;
    TextFormat body;
    body.Italic = true;
    body.Underline = true;
    second.Runs.push_back({"Press space", body});
    second.Runs.push_back({" to start.", TextFormat{}});
    text.Paragraphs = {first, second};
    WriteSeed("rtf", "two_paragraphs", WriteRtf(text));
    WriteSeed("rtf", "plain", std::string("plain text, no RTF\r\n"));
}

std::vector<std::uint8_t> Jpeg(int width, int height, bool gray, bool progressive) {
    jpeg_compress_struct compress;
    jpeg_error_mgr errors;
    compress.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compress);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compress, &buffer, &size);
    compress.image_width = width;
    compress.image_height = height;
    compress.input_components = gray ? 1 : 3;
    compress.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, 75, TRUE);
    if (progressive) jpeg_simple_progression(&compress);
    jpeg_start_compress(&compress, TRUE);
    const Bitmap24 image = Pattern(width, height);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    while (compress.next_scanline < compress.image_height) {
        const std::uint8_t* source = image.Row(static_cast<int>(compress.next_scanline));
        for (int x = 0; x < width; ++x) {
            if (gray) {
                row[x] = source[3 * x];
            } else {
                // The image keeps blue first.
                row[3 * x] = source[3 * x + 2];
                row[3 * x + 1] = source[3 * x + 1];
                row[3 * x + 2] = source[3 * x];
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&compress, rows, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// BMP headers the writer never makes: a paletted file, so the reader's other
// pixel formats have a start.
std::vector<std::uint8_t> PalettedBmp(int bits, int width, int height) {
    std::vector<std::uint8_t> bytes;
    auto put = [&bytes](std::uint32_t value, int width) {
        for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    const int colors = 1 << bits;
    const int rowBytes = ((width * bits + 31) / 32) * 4;
    const std::uint32_t pixelsAt = 14 + 40 + 4 * colors;
    put(0x4D42, 2);
    put(pixelsAt + rowBytes * height, 4);
    put(0, 4);
    put(pixelsAt, 4);
    put(40, 4);
    put(width, 4);
    put(height, 4);
    put(1, 2);
    put(bits, 2);
    put(0, 4);
    put(rowBytes * height, 4);
    put(2835, 4);
    put(2835, 4);
    put(colors, 4);
    put(0, 4);
    for (int i = 0; i < colors; ++i) put(static_cast<std::uint32_t>(i * 0x010305), 4);
    for (int i = 0; i < rowBytes * height; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 37));
    return bytes;
}

void PictureSeeds() {
    const Bitmap24 small = Pattern(7, 5);
    const std::vector<std::uint8_t> bmp = EncodeBmp(small);
    const std::vector<std::uint8_t> png = EncodePng(small);
    const std::vector<std::uint8_t> jpeg = Jpeg(9, 6, false, false);
    Bitmap24 second = Pattern(7, 5);
    second.Row(2)[0] = 255;
    const std::vector<std::uint8_t> gif = EncodeGif({&small, &second});

    WriteSeed("bmp", "24bit", bmp);
    WriteSeed("bmp", "8bit", PalettedBmp(8, 5, 3));
    WriteSeed("bmp", "4bit", PalettedBmp(4, 5, 3));
    WriteSeed("bmp", "1bit", PalettedBmp(1, 9, 2));
    WriteSeed("png", "rgb", png);
    WriteSeed("png", "one_pixel", EncodePng(Pattern(1, 1)));
    WriteSeed("jpeg", "color", jpeg);
    WriteSeed("jpeg", "gray_progressive", Jpeg(16, 8, true, true));
    WriteSeed("gif", "two_frames", gif);
    WriteSeed("gif", "one_frame", EncodeGif({&small}));
    WriteSeed("picture", "bmp", bmp);
    WriteSeed("picture", "png", png);
    WriteSeed("picture", "jpeg", jpeg);
    WriteSeed("picture", "gif", gif);
}

void CodeSeeds(Game& game) {
    WriteSeed("code", "script", game.Scripts().ResourceAt(0)->Code);
    WriteSeed("code", "statements",
              std::string("{\n  var a, b;\n  a = spr_hero; b[2, 1] = 'it''s';\n"
                          "  with (obj_wall) if (x > 10 && !(y <= 3)) instance_destroy() else x -= 1;\n"
                          "  switch (a) { case 1: break; default: exit; }\n"
                          "  repeat (3) { do a |= $ff until a >= 1.5e3 } // done\n"
                          "  while (a mod 2 xor b div 4) a = a << 1 >> 1 ^ ~b;\n"
                          "}\n/* a comment\n   over two lines */ return MAX_LIVES;\n"));
}

}  // namespace
}  // namespace kestrin::fuzz

int main(int argc, char** argv) {
    using namespace kestrin;
    using namespace kestrin::fuzz;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    gOutput = argv[1];
    RandomSource random(7);
    Game game(random);
    NewGame(game);
    FillGame(game);
    Game empty(random);
    NewGame(empty);
    GameSeeds(game, empty);
    RunnerSeeds(game);
    LibrarySeed();
    RtfSeeds();
    PictureSeeds();
    CodeSeeds(game);
    return 0;
}
