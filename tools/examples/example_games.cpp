// The three example games.

#include "examples/example_games.h"

#include <string>
#include <vector>

#include "imaging/image_drawing.h"
#include "resources/event.h"
#include "resources/event_types.h"
#include "storage/game.h"
#include "storage/game_file.h"
#include "storage/tree_codes.h"

namespace kestrin::examples {

namespace {

// Library and action ids of the standard libraries.
constexpr int kMove = 1, kMain1 = 2, kMain2 = 3, kControl = 4, kScore = 5, kDraw = 6;
constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40, kKeySpace = 32;
constexpr int kNoKey = 0;

constexpr ColorValue kWhiteKey = MakeColor(255, 255, 255);

// Adds resources through the tree, as the editor's Add commands do.
class Maker {
public:
    explicit Maker(Game& game) : mGame(game) { NewGame(game); }

    // A filled block; no see-through part.
    int Block(const std::string& name, int width, int height, ColorValue color, ColorValue border) {
        Bitmap24 frame(width, height, color);
        DrawShape(frame, ShapeKind::Rectangle, 0, 0, width - 1, height - 1, 1, FillStyle::Outline, border, border);
        const int index = AddSprite(name, frame);
        mGame.Sprites().ResourceAt(index)->SetTransparent(false);
        return index;
    }
    // A round shape on a see-through background.
    int Ball(const std::string& name, int size, ColorValue color) {
        Bitmap24 frame(size, size, kWhiteKey);
        DrawShape(frame, ShapeKind::Ellipse, 0, 0, size - 1, size - 1, 1, FillStyle::Filled, color, color);
        return AddSprite(name, frame);
    }
    int Object(const std::string& name, int sprite, bool solid = false, int depth = 0) {
        const int index = mGame.Tree().AddResourceNode(nullptr, kTypeObjects)->Data.Index;
        mGame.Objects().RenameResource(index, name);
        CObject& object = *mGame.Objects().ResourceAt(index);
        object.Sprite = sprite;
        object.Solid = solid;
        object.Depth = depth;
        return index;
    }
    CRoom& Room(const std::string& name, int width, int height, const std::string& caption, ColorValue color) {
        const int index = mGame.Tree().AddResourceNode(nullptr, kTypeRooms)->Data.Index;
        mGame.Rooms().RenameResource(index, name);
        CRoom& room = *mGame.Rooms().ResourceAt(index);
        room.Width = width;
        room.Height = height;
        room.Caption = caption;
        room.Color = static_cast<std::int32_t>(color);
        room.Speed = 30;
        return room;
    }
    void Place(CRoom& room, int object, int x, int y) { room.AddInstance(x, y, object, mGame); }

    // An action of a library with its arguments as typed in its form.
    CAction& Act(int object, int type, int number, int library, int action, std::vector<std::string> args = {},
                 int appliesTo = kObjectSelf, bool relative = false) {
        CAction& a = mGame.Objects().ResourceAt(object)->GetEvent(type, number)->AddAction(library, action);
        for (std::size_t i = 0; i < args.size(); ++i) a.SetArgValue(static_cast<int>(i), args[i]);
        a.AppliesTo = appliesTo;
        a.Relative = relative;
        return a;
    }
    // The control library's Execute Code.
    void Code(int object, int type, int number, const std::string& code) {
        Act(object, type, number, kControl, 416, {code});
    }

    Game& game() { return mGame; }

private:
    int AddSprite(const std::string& name, const Bitmap24& frame) {
        const int index = mGame.Tree().AddResourceNode(nullptr, kTypeSprites)->Data.Index;
        mGame.Sprites().RenameResource(index, name);
        CSprite& sprite = *mGame.Sprites().ResourceAt(index);
        sprite.AddImage(&frame);
        sprite.UpdateTransparentColor();
        sprite.UpdateBoundingBox();
        sprite.PreciseCollision = false;
        return index;
    }

    Game& mGame;
};

// Keypad directions of Move Fixed, as nine 0/1 characters for keys 1..9.
std::string Direction(int key) {
    std::string keys = "000000000";
    keys[key - 1] = '1';
    return keys;
}

}  // namespace

const std::vector<ExampleGame>& ExampleGames() {
    static const std::vector<ExampleGame> games = {
        {"Maze.ksd", MakeMaze}, {"Shooter.ksd", MakeShooter}, {"Platformer.ksd", MakePlatformer}};
    return games;
}

// Arrow keys walk the player through the corridors; coins give 10 points;
// the green exit leads to the last room.
void MakeMaze(Game& game) {
    Maker m(game);
    const int wallSprite = m.Block("spr_wall", 16, 16, MakeColor(90, 90, 110), MakeColor(60, 60, 80));
    const int playerSprite = m.Ball("spr_player", 14, MakeColor(40, 120, 255));
    const int coinSprite = m.Ball("spr_coin", 8, MakeColor(255, 210, 0));
    const int exitSprite = m.Block("spr_exit", 16, 16, MakeColor(40, 200, 60), MakeColor(20, 120, 30));
    const int wall = m.Object("obj_wall", wallSprite, true);
    const int player = m.Object("obj_player", playerSprite);
    const int coin = m.Object("obj_coin", coinSprite);
    const int exit = m.Object("obj_exit", exitSprite);
    const int banner = m.Object("obj_banner", -1);

    const struct {
        int key;
        int keypad;
    } arrows[] = {{kKeyLeft, 4}, {kKeyRight, 6}, {kKeyUp, 8}, {kKeyDown, 2}};
    for (auto arrow : arrows) m.Act(player, kEventKeyboard, arrow.key, kMove, 101, {Direction(arrow.keypad), "4"});
    m.Act(player, kEventKeyboard, kNoKey, kMove, 101, {Direction(5), "0"});
    m.Act(player, kEventCollision, wall, kMove, 101, {Direction(5), "0"});
    m.Act(player, kEventCollision, coin, kScore, 501, {"10"}, kObjectSelf, true);
    m.Act(player, kEventCollision, coin, kMain1, 205, {}, kObjectOther);
    m.Act(player, kEventCollision, exit, kMain1, 214, {"0"});
    m.Act(banner, kEventCreate, 0, kMain2, 305, {"You escaped the maze!"});
    m.Act(banner, kEventDraw, 0, kDraw, 609, {"16777215"});
    m.Act(banner, kEventDraw, 0, kDraw, 603, {"Well done!", "120", "110"});

    static const char* const kMap[] = {
        "####################",
        "#P.c.#.....#.......#",
        "####.#.###.#.#####.#",
        "#c...#...#.#.#...#.#",
        "#.##.###.#.#.#.#.#.#",
        "#...c#...#...#.#...#",
        "###..#.#######.###.#",
        "#......#.....#...#.#",
        "#.##..##.###.###.#.#",
        "#.#...#..#c#...#...#",
        "#.#..##.##.###.#####",
        "#.......#....#.....#",
        "#.##..###.##.#####.#",
        "#.................E#",
        "####################",
    };
    CRoom& maze = m.Room("rm_maze", 320, 240, "Maze: find the exit", MakeColor(20, 20, 30));
    for (int row = 0; row < 15; ++row) {
        for (int column = 0; column < 20; ++column) {
            const int x = column * 16, y = row * 16;
            switch (kMap[row][column]) {
                case '#': m.Place(maze, wall, x, y); break;
                case 'P': m.Place(maze, player, x, y); break;
                case 'c': m.Place(maze, coin, x + 4, y + 4); break;
                case 'E': m.Place(maze, exit, x, y); break;
                default: break;
            }
        }
    }
    CRoom& done = m.Room("rm_done", 320, 240, "Maze: escaped", MakeColor(20, 60, 30));
    m.Place(done, banner, 0, 0);
}

// Left and right move the ship, space fires; the invaders sweep from side
// to side; hitting one gives 10 points; clearing the sky ends the game.
void MakeShooter(Game& game) {
    Maker m(game);
    const int shipSprite = m.Block("spr_ship", 16, 12, MakeColor(220, 220, 255), MakeColor(120, 120, 200));
    const int bulletSprite = m.Block("spr_bullet", 2, 6, MakeColor(255, 255, 120), MakeColor(255, 200, 0));
    const int invaderSprite = m.Ball("spr_invader", 16, MakeColor(230, 50, 50));
    const int ship = m.Object("obj_ship", shipSprite);
    const int bullet = m.Object("obj_bullet", bulletSprite);
    const int invader = m.Object("obj_invader", invaderSprite);
    const int referee = m.Object("obj_referee", -1);

    m.Act(ship, kEventKeyboard, kKeyLeft, kMove, 104, {"-4"});
    m.Act(ship, kEventKeyboard, kKeyRight, kMove, 104, {"4"});
    m.Act(ship, kEventKeyboard, kNoKey, kMove, 104, {"0"});
    m.Act(ship, kEventKeyPress, kKeySpace, kMain1, 202, {std::to_string(bullet), "7", "-6", "8", "90"}, kObjectSelf,
          true);
    m.Code(ship, kEventStep, 0, "x = max(0, min(x, room_width - 16));");

    m.Act(bullet, kEventOther, 0, kMain1, 205);  // outside the room
    m.Act(bullet, kEventCollision, invader, kScore, 501, {"10"}, kObjectSelf, true);
    m.Act(bullet, kEventCollision, invader, kMain1, 205, {}, kObjectOther);
    m.Act(bullet, kEventCollision, invader, kMain1, 205);

    m.Act(invader, kEventCreate, 0, kMove, 104, {"2"});
    // One at an edge turns the whole flock round and a little lower.
    m.Code(invader, kEventOther, 1,
           "var speed_now;\n"
           "if (x > room_width / 2) speed_now = -2; else speed_now = 2;\n"
           "with (obj_invader) { hspeed = speed_now; y += 4; }");

    m.Act(referee, kEventCreate, 0, kScore, 513, {"1", "Score: ", "0", "Lives: ", "0", "Health: "});
    m.Act(referee, kEventStep, 0, kControl, 404, {std::to_string(invader), "0", "0"});
    m.Act(referee, kEventStep, 0, kControl, 410);
    m.Act(referee, kEventStep, 0, kMain2, 305, {"The sky is clear!"});
    m.Act(referee, kEventStep, 0, kMain2, 309);
    m.Act(referee, kEventStep, 0, kControl, 411);

    CRoom& sky = m.Room("rm_sky", 320, 240, "Shooter", MakeColor(0, 0, 40));
    m.Place(sky, ship, 152, 216);
    m.Place(sky, referee, 0, 0);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 6; ++column) m.Place(sky, invader, 24 + column * 48, 24 + row * 32);
}

// Arrow keys walk, up jumps; gravity pulls the hero down onto the blocks;
// coins give 10 points; the flag leads to the next level, and the last flag
// ends the game.
void MakePlatformer(Game& game) {
    Maker m(game);
    const int blockSprite = m.Block("spr_block", 16, 16, MakeColor(150, 100, 60), MakeColor(100, 60, 30));
    const int heroSprite = m.Block("spr_hero", 12, 16, MakeColor(250, 120, 40), MakeColor(160, 60, 20));
    const int coinSprite = m.Ball("spr_coin", 8, MakeColor(255, 210, 0));
    const int flagSprite = m.Block("spr_flag", 8, 24, MakeColor(60, 220, 90), MakeColor(30, 140, 50));
    const int block = m.Object("obj_block", blockSprite, true);
    const int hero = m.Object("obj_hero", heroSprite);
    const int coin = m.Object("obj_coin", coinSprite);
    const int flag = m.Object("obj_flag", flagSprite);

    m.Code(hero, kEventStep, 1,
           "// Falling when nothing is below, standing otherwise\n"
           "if (place_free(x, y + 1)) gravity = 0.5; else gravity = 0;\n"
           "if (vspeed > 8) vspeed = 8;");
    m.Code(hero, kEventKeyboard, kKeyLeft, "if (place_free(x - 3, y)) x -= 3;");
    m.Code(hero, kEventKeyboard, kKeyRight, "if (place_free(x + 3, y)) x += 3;");
    m.Code(hero, kEventKeyPress, kKeyUp, "if (!place_free(x, y + 1)) vspeed = -7;");
    // Landing or bumping the head: up to the block and stop.
    m.Code(hero, kEventCollision, block,
           "if (vspeed > 0) move_contact_solid(270, 12);\n"
           "if (vspeed < 0) move_contact_solid(90, 12);\n"
           "vspeed = 0;");
    m.Act(hero, kEventCollision, coin, kScore, 501, {"10"}, kObjectSelf, true);
    m.Act(hero, kEventCollision, coin, kMain1, 205, {}, kObjectOther);
    m.Act(hero, kEventCollision, flag, kMain1, 218);  // if there is a next room
    m.Act(hero, kEventCollision, flag, kMain1, 214, {"0"});
    m.Act(hero, kEventCollision, flag, kControl, 412);
    m.Act(hero, kEventCollision, flag, kControl, 410);
    m.Act(hero, kEventCollision, flag, kMain2, 305, {"You made it!"});
    m.Act(hero, kEventCollision, flag, kMain2, 309);
    m.Act(hero, kEventCollision, flag, kControl, 411);
    m.Act(hero, kEventOther, 0, kMain1, 215);  // fell out of the room: again

    // Each level: a floor with steps and a gap, coins above, a flag at the end.
    const struct Level {
        const char* name;
        const char* map[4];  // the four lowest rows of 16 pixels, 30 columns
    } levels[] = {
        {"rm_level1",
         {"..........c......c............",
          "......c..........##....c.....F",
          "H...........##...##...........",
          "##############################"}},
        {"rm_level2",
         {"....c..........c..............",
          "...........##.......c........F",
          "H.....##...##.......##........",
          "############...###############"}},
    };
    for (const Level& level : levels) {
        CRoom& room = m.Room(level.name, 480, 240, "Platformer", MakeColor(120, 180, 240));
        for (int row = 0; row < 4; ++row) {
            const int y = 240 - 16 * (4 - row);
            for (int column = 0; column < 30; ++column) {
                const int x = column * 16;
                switch (level.map[row][column]) {
                    case '#': m.Place(room, block, x, y); break;
                    case 'H': m.Place(room, hero, x + 2, y); break;
                    case 'c': m.Place(room, coin, x + 4, y + 4); break;
                    case 'F': m.Place(room, flag, x + 4, y - 8); break;
                    default: break;
                }
            }
        }
    }
}

}  // namespace kestrin::examples
