// The room editor's Qt-free parts: snapping, the mouse scheme for instances
// and for tiles, the pop-up commands, undo, layers and tileset cells.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/room_edit_controller.h"
#include "platform/recording_ui.h"
#include "resources/object.h"
#include "resources/sprite.h"
#include "storage/game.h"

namespace kestrin {
namespace {

TEST(RoomSnap, PlainAndIsometricTable) {
    struct Case {
        std::int64_t x, y;
        std::int32_t snapX, snapY;
        bool isometric;
        RoomPoint expected;
    };
    const Case cases[] = {
        {37, 70, 16, 16, false, {32, 64}},
        {-5, 3, 16, 16, false, {0, 0}},  // truncation toward zero
        {-20, -40, 16, 16, false, {-16, -32}},
        {37, 70, 10, 7, false, {30, 70}},
        {44, 44, 32, 32, true, {32, 32}},  // inside the cell's diamond
        {33, 33, 32, 32, true, {16, 16}},  // top-left triangle
        {62, 34, 32, 32, true, {48, 16}},  // top-right triangle
        {60, 60, 32, 32, true, {48, 48}},  // bottom-right triangle
        {48, 48, 32, 32, true, {32, 32}},  // the centre
        // A cell of 0 or less (possible in a file) counts as 1.
        {37, 70, 0, 0, false, {37, 70}},
        {37, 70, -8, 16, false, {37, 64}},
        {37, 70, 0, 0, true, {37, 70}},
        // Far points stay in range.
        {std::int64_t{1} << 40, -(std::int64_t{1} << 40), 16, 16, false, {INT32_MAX, INT32_MIN}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnapRoomPoint(c.x, c.y, c.snapX, c.snapY, c.isometric), c.expected)
            << c.x << "," << c.y << " snap " << c.snapX << "x" << c.snapY << (c.isometric ? " iso" : "");
    }
}

TEST(RoomTileset, CellMathsTable) {
    struct Case {
        TileSettings settings;
        std::int32_t x, y;
        TileSelection expected;
    };
    const Case cases[] = {
        {{16, 16, 0, 0, 1, 1}, 20, 40, {17, 34, 16, 16}},
        {{16, 16, 0, 0, 1, 1}, 16, 16, {0, 0, 16, 16}},  // the separation belongs to the cell before
        {{16, 8, 4, 2, 0, 0}, 3, 1, {4, 2, 16, 8}},
        {{32, 32, 4, 4, 2, 2}, 75, 40, {72, 38, 32, 32}},
        // A step of 0 or less from a file counts as 1.
        {{16, 16, 0, 0, -16, -20, }, 20, 40, {20, 40, 16, 16}},
    };
    for (const Case& c : cases) EXPECT_EQ(TileCellAt(c.x, c.y, c.settings), c.expected) << c.x << "," << c.y;

    TileSelection free = FreeSelectionCorner({0, 0, 16, 16}, 10, 12);
    EXPECT_EQ(free, (TileSelection{10, 12, 16, 16}));
    EXPECT_EQ(FreeSelectionSize(free, 30, 13), (TileSelection{10, 12, 20, 1}));
    EXPECT_EQ(FreeSelectionSize(free, 2, 2), (TileSelection{10, 12, 1, 1}));
}

// A room with one 16 x 16 object (and one without a sprite) and a tileset,
// snap 16, driven through the controller.
class RoomControllerTest : public ::testing::Test {
protected:
    RoomControllerTest() {
        sprite = game.Sprites().AddResource();
        game.Sprites().ResourceAt(sprite)->Width = 16;
        game.Sprites().ResourceAt(sprite)->Height = 16;
        object = game.Objects().AddResource();
        game.Objects().ResourceAt(object)->Sprite = sprite;
        tileset = game.Backgrounds().AddResource();
        controller.currentObject = object;
        controller.currentTileset = tileset;
        controller.onMark = [this] { ++marks; };
        controller.onRepaint = [this](const RoomArea& area) { repaints.push_back(area); };
    }
    CRoom& room() { return *game.Rooms().ResourceAt(roomIndex); }
    int Put(std::int32_t x, std::int32_t y, bool locked = false) {
        int i = room().AddInstance(x, y, object, game);
        RoomInstance instance = room().GetInstance(i);
        instance.Locked = locked;
        room().SetInstance(i, instance);
        return instance.Id;
    }
    int PutTile(std::int32_t x, std::int32_t y, std::int32_t depth, bool locked = false) {
        RoomTile tile;
        tile.X = x;
        tile.Y = y;
        tile.Width = tile.Height = 16;
        tile.Background = tileset;
        tile.Depth = depth;
        tile.Locked = locked;
        return room().GetTile(room().AddTile(tile, game)).Id;
    }

    RecordingUI ui;
    ScopedUI installedUi{ui};
    Game game;
    int sprite = 0, object = 0, tileset = 0;
    int roomIndex = game.Rooms().AddResource();
    RoomEditController controller{*game.Rooms().ResourceAt(roomIndex), game, game};
    int marks = 0;
    std::vector<RoomArea> repaints;
};

// One step of a mouse gesture.
struct Step {
    enum What { LeftDown, LeftMove, LeftUp, RightDown, RightMove } what;
    std::int64_t x, y;
    RoomModifiers mods{};
};

struct Placed {
    std::int32_t x, y;
    int idOrNew;  // an id given at setup, or 0 for one placed by the gesture
    bool operator==(const Placed&) const = default;
};

void RunSteps(RoomEditController& controller, RoomItemKind kind, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        switch (step.what) {
            case Step::LeftDown: controller.LeftDown(kind, step.x, step.y, step.mods); break;
            case Step::LeftMove: controller.LeftMove(kind, step.x, step.y, step.mods); break;
            case Step::LeftUp: controller.LeftUp(kind, step.x, step.y, step.mods); break;
            case Step::RightDown: controller.RightDown(kind, step.x, step.y, step.mods); break;
            case Step::RightMove: controller.RightMove(kind, step.x, step.y, step.mods); break;
        }
    }
}

const RoomModifiers kShift{true, false, false};
const RoomModifiers kCtrl{false, true, false};
const RoomModifiers kAlt{false, false, true};
const RoomModifiers kCtrlAlt{false, true, true};

struct SchemeCase {
    const char* name;
    // At setup: x, y, locked; all at (32, 32) make a stack A, B, C.
    std::vector<std::tuple<std::int32_t, std::int32_t, bool>> existing;
    bool deleteUnderlying;
    std::vector<Step> steps;
    // Existing items by their setup position 1, 2, ...; 0 for a new one.
    std::vector<std::tuple<std::int32_t, std::int32_t, int>> expected;
};

const std::vector<SchemeCase>& SchemeCases() {
    static const std::vector<SchemeCase> cases = {
        {"click snaps", {}, true, {{Step::LeftDown, 37, 70}, {Step::LeftUp, 37, 70}}, {{32, 64, 0}}},
        {"Alt does not snap", {}, true, {{Step::LeftDown, 37, 70, kAlt}, {Step::LeftUp, 37, 70, kAlt}}, {{37, 70, 0}}},
        {"negative click", {}, true, {{Step::LeftDown, -5, 3}, {Step::LeftUp, -5, 3}}, {{0, 0, 0}}},
        {"drag moves the new one to the snapped point",
         {},
         true,
         {{Step::LeftDown, 5, 5}, {Step::LeftMove, 40, 70}, {Step::LeftUp, 40, 70}},
         {{32, 64, 0}}},
        {"Shift-drag paints one per cell, none over the last placed",
         {},
         true,
         {{Step::LeftDown, 5, 5, kShift},
          {Step::LeftMove, 10, 5, kShift},
          {Step::LeftMove, 20, 5, kShift},
          {Step::LeftMove, 30, 6, kShift},
          {Step::LeftMove, 40, 5, kShift},
          {Step::LeftUp, 40, 5, kShift}},
         {{0, 0, 0}, {16, 0, 0}, {32, 0, 0}}},
        {"Shift-drag over others deletes them",
         {{16, 0, false}},
         true,
         {{Step::LeftDown, 5, 5, kShift}, {Step::LeftMove, 20, 5, kShift}, {Step::LeftUp, 20, 5, kShift}},
         {{0, 0, 0}, {16, 0, 0}}},
        {"drop on a stack of three leaves the dropped one",
         {{32, 32, false}, {32, 32, false}, {32, 32, false}},
         true,
         {{Step::LeftDown, 40, 40}, {Step::LeftUp, 40, 40}},
         {{32, 32, 0}}},
        {"a locked one stops the deletion at it",
         {{32, 32, false}, {32, 32, true}, {32, 32, false}},
         true,
         {{Step::LeftDown, 40, 40}, {Step::LeftUp, 40, 40}},
         {{32, 32, 1}, {32, 32, 2}, {32, 32, 0}}},
        {"without delete underlying the stack stays",
         {{32, 32, false}, {32, 32, false}},
         false,
         {{Step::LeftDown, 40, 40, kShift}, {Step::LeftUp, 40, 40, kShift}},
         {{32, 32, 1}, {32, 32, 2}, {32, 32, 0}}},
        {"right-click deletes the top one only",
         {{32, 32, false}, {32, 32, false}, {32, 32, false}},
         true,
         {{Step::RightDown, 40, 40}},
         {{32, 32, 1}, {32, 32, 2}}},
        {"Shift+right deletes down to a locked one",
         {{32, 32, false}, {32, 32, true}, {32, 32, false}, {32, 32, false}},
         true,
         {{Step::RightDown, 40, 40, kShift}},
         {{32, 32, 1}, {32, 32, 2}}},
        {"right-drag deletes along the way, not the locked",
         {{0, 0, false}, {16, 0, true}, {32, 0, false}},
         true,
         {{Step::RightDown, 3, 3}, {Step::RightMove, 19, 3}, {Step::RightMove, 35, 3}},
         {{16, 0, 2}}},
        {"Ctrl-drag moves by id to the snapped point, deleting under the drop",
         {{0, 0, false}, {64, 64, false}, {96, 96, false}},
         true,
         {{Step::LeftDown, 70, 70, kCtrl}, {Step::LeftMove, 100, 100, kCtrl}, {Step::LeftUp, 100, 100, kCtrl}},
         {{0, 0, 1}, {96, 96, 2}}},
        {"Ctrl+Alt keeps the grab offset",
         {{64, 64, false}},
         true,
         {{Step::LeftDown, 70, 70, kCtrlAlt}, {Step::LeftMove, 101, 103, kCtrlAlt}, {Step::LeftUp, 101, 103, kCtrlAlt}},
         {{95, 97, 1}}},
        {"Ctrl-drag of a locked one does nothing",
         {{64, 64, true}},
         true,
         {{Step::LeftDown, 70, 70, kCtrl}, {Step::LeftMove, 100, 100, kCtrl}, {Step::LeftUp, 100, 100, kCtrl}},
         {{64, 64, 1}}},
        {"Ctrl on empty ground does nothing",
         {},
         true,
         {{Step::LeftDown, 70, 70, kCtrl}, {Step::LeftMove, 100, 100, kCtrl}, {Step::LeftUp, 100, 100, kCtrl}},
         {}},
    };
    return cases;
}

template <class Items>
std::vector<std::tuple<std::int32_t, std::int32_t, int>> Outcome(const Items& items, const std::vector<int>& ids) {
    std::vector<std::tuple<std::int32_t, std::int32_t, int>> out;
    for (const auto& item : items) {
        auto found = std::find(ids.begin(), ids.end(), item.Id);
        out.emplace_back(item.X, item.Y, found == ids.end() ? 0 : static_cast<int>(found - ids.begin()) + 1);
    }
    return out;
}

TEST_F(RoomControllerTest, MouseSchemeForInstances) {
    for (const SchemeCase& c : SchemeCases()) {
        room().ClearInstances();
        std::vector<int> ids;
        for (auto [x, y, locked] : c.existing) ids.push_back(Put(x, y, locked));
        controller.deleteUnderlyingObjects = c.deleteUnderlying;
        RunSteps(controller, RoomItemKind::Instance, c.steps);
        EXPECT_EQ(Outcome(room().Instances(), ids), c.expected) << c.name;
    }
}

// The same scheme on the tiles of the current layer; tiles of another layer
// at the same places are never touched.
TEST_F(RoomControllerTest, MouseSchemeForTilesOfTheCurrentLayer) {
    controller.layers.Add(50);
    for (const SchemeCase& c : SchemeCases()) {
        room().DeleteTilesAtDepth(50);
        room().DeleteTilesAtDepth(7);
        std::vector<int> ids;
        for (auto [x, y, locked] : c.existing) ids.push_back(PutTile(x, y, 50, locked));
        const int other = PutTile(32, 32, 7);
        controller.deleteUnderlyingTiles = c.deleteUnderlying;
        RunSteps(controller, RoomItemKind::Tile, c.steps);
        std::vector<RoomTile> inLayer;
        for (const RoomTile& tile : room().Tiles()) {
            if (tile.Depth == 50) {
                inLayer.push_back(tile);
            } else {
                EXPECT_EQ(tile.Id, other) << c.name;
            }
        }
        EXPECT_EQ(Outcome(inLayer, ids), c.expected) << c.name;
        EXPECT_EQ(room().FindTile(other) >= 0, true) << c.name;
    }
    // A placed tile is cut from the selection of the current tileset.
    room().DeleteTilesAtDepth(50);
    controller.tileSelection = {17, 34, 8, 4};
    controller.LeftDown(RoomItemKind::Tile, 3, 3, {});
    const RoomTile placed = room().GetTile(room().TileCount() - 1);
    EXPECT_EQ(placed.Background, tileset);
    EXPECT_EQ(std::tie(placed.Left, placed.Top, placed.Width, placed.Height, placed.Depth),
              std::make_tuple(17, 34, 8, 4, 50));
}

TEST_F(RoomControllerTest, PlacingNeedsAnExistingObjectOrTileset) {
    controller.currentObject = -1;
    controller.LeftDown(RoomItemKind::Instance, 5, 5, {});
    controller.currentObject = 99;
    controller.LeftDown(RoomItemKind::Instance, 5, 5, {});
    controller.currentTileset = -1;
    controller.LeftDown(RoomItemKind::Tile, 5, 5, {});
    EXPECT_EQ(room().InstanceCount() + room().TileCount(), 0);
    EXPECT_EQ(marks, 0);
    EXPECT_FALSE(controller.HasUndo());
}

TEST_F(RoomControllerTest, EditsRepaintTheUnionOfOldAndNewExtentsAndMark) {
    controller.LeftDown(RoomItemKind::Instance, 5, 5, {});
    ASSERT_EQ(repaints.size(), 1u);
    EXPECT_EQ(repaints[0], (RoomArea{0, 0, 16, 16}));
    controller.LeftMove(RoomItemKind::Instance, 40, 5, {});
    EXPECT_EQ(repaints.back(), (RoomArea{0, 0, 48, 16}));
    EXPECT_EQ(marks, 2);
    // A move to the same cell changes nothing and marks nothing.
    controller.LeftMove(RoomItemKind::Instance, 41, 6, {});
    EXPECT_EQ(marks, 2);
    controller.LeftUp(RoomItemKind::Instance, 41, 6, {});
    // Right-click delete repaints and marks.
    controller.RightDown(RoomItemKind::Instance, 33, 1, {});
    EXPECT_EQ(room().InstanceCount(), 0);
    EXPECT_EQ(repaints.back(), (RoomArea{32, 0, 48, 16}));
    EXPECT_EQ(marks, 3);
}

TEST_F(RoomControllerTest, PopupCommandsAndBringToFrontCycling) {
    const int a = Put(32, 32), b = Put(32, 32), c = Put(32, 32);
    ASSERT_FALSE(controller.RightDown(RoomItemKind::Instance, 0, 0, kCtrl));  // nothing under it
    ASSERT_TRUE(controller.RightDown(RoomItemKind::Instance, 40, 40, kCtrl));
    EXPECT_EQ(room().InstanceCount(), 3);  // opening the menu changes nothing
    auto order = [&] {
        std::vector<int> ids;
        for (const RoomInstance& i : room().Instances()) ids.push_back(i.Id);
        return ids;
    };
    controller.BringToFront();
    EXPECT_EQ(order(), (std::vector<int>{b, c, a}));
    controller.BringToFront();
    EXPECT_EQ(order(), (std::vector<int>{c, a, b}));
    controller.SendToBack();  // the top one, b
    EXPECT_EQ(order(), (std::vector<int>{b, c, a}));

    controller.ToggleLock(RoomItemKind::Instance);  // a is on top
    EXPECT_TRUE(controller.MenuItemLocked(RoomItemKind::Instance));
    controller.DeleteOne(RoomItemKind::Instance);
    controller.SnapToGrid(RoomItemKind::Instance);
    controller.BringToFront();  // b is first under the point and not locked
    EXPECT_EQ(order(), (std::vector<int>{c, a, b}));
    controller.ChangePosition(RoomItemKind::Instance, [](std::int32_t& x, std::int32_t& y) {
        EXPECT_EQ(x, 32);
        x = 5;
        y = 7;
        return true;
    });
    EXPECT_EQ(room().GetInstance(2).X, 5);
    EXPECT_EQ(room().GetInstance(2).Y, 7);
    controller.ChangePosition(RoomItemKind::Instance, [](std::int32_t&, std::int32_t&) {
        ADD_FAILURE() << "a is on top now and locked: no question";
        return true;
    });
    EXPECT_EQ(room().GetInstance(1).X, 32);
    controller.SnapToGrid(RoomItemKind::Instance);  // a: locked, stays
    controller.DeleteAllAtMenuPoint(RoomItemKind::Instance);  // stops at the locked a
    EXPECT_EQ(order(), (std::vector<int>{c, a, b}));

    std::string caption;
    controller.EditInstanceCode(
        [&](const std::string& text, const std::string& title) -> std::optional<std::string> {
            caption = title;
            return text + "x = 1";
        },
        "obj_wall");
    EXPECT_EQ(caption, "Instance Creation Code for Instance of obj_wall");
    EXPECT_EQ(room().GetInstance(1).Code, "x = 1");
    const RoomStatus status = controller.Status(RoomItemKind::Instance, 40, 40, false,
                                                [](ResourceKind, int) { return std::string("obj_wall"); });
    EXPECT_EQ(status.x, " x: 32");
    EXPECT_EQ(status.resource, " object: obj_wall");
    EXPECT_EQ(status.id, " id: " + std::to_string(a) + "    has code    (locked)");
}

TEST_F(RoomControllerTest, UndoSwapsOnlyTheListsAndMarks) {
    Put(0, 0);
    PutTile(0, 0, 1000000);
    controller.ClearAll(RoomItemKind::Instance);
    EXPECT_EQ(room().InstanceCount(), 0);
    room().Caption = "typed since";
    room().Width = 800;
    const int before = marks;
    controller.Undo();
    EXPECT_EQ(room().InstanceCount(), 1);
    EXPECT_EQ(room().TileCount(), 1);
    EXPECT_EQ(room().Caption, "typed since");
    EXPECT_EQ(room().Width, 800);
    EXPECT_EQ(marks, before + 1);
    EXPECT_TRUE(repaints.back().Empty());  // the whole view
    controller.Undo();
    EXPECT_EQ(room().InstanceCount(), 0);

    // A stray right-click or Ctrl+right (the menu) does not replace the copy.
    controller.Undo();
    ASSERT_EQ(room().InstanceCount(), 1);
    controller.LeftDown(RoomItemKind::Instance, 100, 100, {});
    controller.LeftUp(RoomItemKind::Instance, 100, 100, {});
    controller.RightDown(RoomItemKind::Instance, 300, 300, {});
    controller.RightDown(RoomItemKind::Instance, 5, 5, kCtrl);
    controller.Undo();
    EXPECT_EQ(room().InstanceCount(), 1);
}

TEST_F(RoomControllerTest, ToolbarCommandsOnTheCurrentLayer) {
    PutTile(40, 0, 5);
    PutTile(8, 0, 5);
    PutTile(0, 0, 9);
    controller.layers.Derive(room());
    controller.layers.Choose(1);  // depth 5
    controller.ShiftAll(RoomItemKind::Tile, 1, 2);
    EXPECT_EQ(room().GetTile(0).X, 41);
    EXPECT_EQ(room().GetTile(2).X, 0);
    controller.SortAll(RoomItemKind::Tile, 1);
    EXPECT_EQ(room().GetTile(0).X, 9);
    controller.LockAll(RoomItemKind::Tile, true);
    EXPECT_TRUE(room().GetTile(0).Locked);
    EXPECT_FALSE(room().GetTile(2).Locked);
    controller.ClearAll(RoomItemKind::Tile);
    ASSERT_EQ(room().TileCount(), 1);
    EXPECT_EQ(room().GetTile(0).Depth, 9);
    EXPECT_EQ(marks, 4);
}

TEST_F(RoomControllerTest, LayersDeriveAddDeleteAndChangeWithMerge) {
    RoomLayers fresh;
    fresh.Derive(room());
    EXPECT_EQ(fresh.Depths(), (std::vector<std::int32_t>{1000000}));

    PutTile(0, 0, 5);
    PutTile(0, 0, 100);
    PutTile(16, 0, 5);
    PutTile(0, 0, -3);
    RoomLayers& layers = controller.layers;
    layers.Derive(room());
    EXPECT_EQ(layers.Depths(), (std::vector<std::int32_t>{100, 5, -3}));
    EXPECT_EQ(layers.CurrentDepth(), 100);
    EXPECT_TRUE(layers.Add(50));
    EXPECT_EQ(layers.Depths(), (std::vector<std::int32_t>{100, 50, 5, -3}));
    EXPECT_EQ(layers.CurrentIndex(), 1);
    EXPECT_TRUE(layers.Add(5));  // listed: becomes current, not doubled
    EXPECT_EQ(layers.Depths().size(), 4u);
    EXPECT_EQ(layers.CurrentDepth(), 5);

    // Merging: the layer of 100 takes depth 5.
    layers.Choose(0);
    controller.ChangeCurrentLayer(5);
    EXPECT_EQ(layers.Depths(), (std::vector<std::int32_t>{50, 5, -3}));
    EXPECT_EQ(layers.CurrentDepth(), 5);
    int atFive = 0;
    for (const RoomTile& tile : room().Tiles()) atFive += tile.Depth == 5;
    EXPECT_EQ(atFive, 3);

    controller.DeleteCurrentLayer();
    EXPECT_EQ(room().TileCount(), 1);
    EXPECT_EQ(layers.Depths(), (std::vector<std::int32_t>{50, -3}));
    EXPECT_EQ(layers.CurrentDepth(), -3);  // the one now at that place
    controller.DeleteCurrentLayer();
    controller.DeleteCurrentLayer();
    EXPECT_EQ(layers.Depths(), (std::vector<std::int32_t>{1000000}));
    EXPECT_EQ(room().TileCount(), 0);
}

TEST_F(RoomControllerTest, TheLayerLimitRefusesWithAMessageAndKeepsTiles) {
    for (int depth = 0; depth < kMaxTileLayers + 5; ++depth) PutTile(0, 0, depth);
    RoomLayers& layers = controller.layers;
    layers.Derive(room());
    EXPECT_EQ(static_cast<int>(layers.Depths().size()), kMaxTileLayers);
    EXPECT_FALSE(layers.Add(-1));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0], kTooManyLayers);
    EXPECT_EQ(room().TileCount(), kMaxTileLayers + 5);
    EXPECT_TRUE(layers.Add(1000));  // a listed one is fine
    EXPECT_EQ(layers.CurrentDepth(), 1000);
}

}  // namespace
}  // namespace kestrin
