// World functions that change room records while the game runs: their
// settings, background layers, views, placed instances and tiles, and making
// and copying rooms (a new room comes last in the room order). The room
// being played was copied when it was entered, so a change to its record
// shows when the room is next entered. Colours are integers red + green*256
// + blue*65536. Rooms keep no alpha for layers or tiles, nor a tile's scale:
// those arguments are taken and left unused.

#include <algorithm>

#include "engine/functions_resources.h"
#include "engine/script_side.h"
#include "imaging/bitmap24.h"
#include "resources/object.h"
#include "resources/room.h"

namespace kestrin::engine {

namespace {

CRoom* RoomOf(FunctionCall& call, int arg = 0) { return RecordOf(call, call.world.GameData().Rooms(), "Room", arg); }

// A room is drawn whole into one picture, so its size is a picture's.
bool SizeAllowed(FunctionCall& call, std::int64_t width, std::int64_t height) {
    if (!WithinImageLimits(width, height)) {
        call.Fail("Room size not allowed: " + std::to_string(width) + " by " + std::to_string(height) + ".");
        return false;
    }
    return true;
}

Value RoomSetWidth(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (room && SizeAllowed(call, call.Int(1), room->Height)) room->Width = call.Int(1);
    return 0.0;
}

Value RoomSetHeight(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (room && SizeAllowed(call, room->Width, call.Int(1))) room->Height = call.Int(1);
    return 0.0;
}

Value RoomSetCaption(FunctionCall& call) {
    if (CRoom* room = RoomOf(call)) room->Caption = call.Text(1);
    return 0.0;
}

Value RoomSetPersistent(FunctionCall& call) {
    if (CRoom* room = RoomOf(call)) room->Persistent = call.Bool(1);
    return 0.0;
}

// The creation code, compiled now so a mistake fails this call.
Value RoomSetCode(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (!room) return 0.0;
    const std::string code = call.Text(1);
    std::string error;
    if (!call.world.Script().CompileAdded(code, error))
        return call.Fail("Cannot compile the code given to room_set_code: " + error);
    if (!call.world.Budget().TakeCode(code.size())) return call.Fail("Too much code added while the game runs.");
    room->CreationCode = code;
    return 0.0;
}

// (room, colour, show)
Value RoomSetBackgroundColor(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (!room) return 0.0;
    room->Color = call.Int(1) & 0xffffff;
    room->DrawColor = call.Bool(2);
    return 0.0;
}

// (room, layer, visible, foreground, background, x, y, htiled, vtiled,
// hspeed, vspeed, alpha)
Value RoomSetBackground(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (!room) return 0.0;
    const int layer = call.Int(1);
    if (layer < 0 || layer >= kRoomLayerCount) return call.Fail("There is no background layer " + call.Text(1) + ".");
    const int background = call.Int(4);
    if (background != -1 && !call.world.GameData().Backgrounds().ResourceAt(background))
        return call.Fail("Background " + call.Text(4) + " does not exist.");
    RoomBackground settings = room->GetLayer(layer);
    settings.Visible = call.Bool(2);
    settings.Foreground = call.Bool(3);
    settings.Background = background;
    settings.X = call.Int(5);
    settings.Y = call.Int(6);
    settings.TileH = call.Bool(7);
    settings.TileV = call.Bool(8);
    settings.HSpeed = call.Int(9);
    settings.VSpeed = call.Int(10);
    room->SetLayer(layer, settings);
    return 0.0;
}

// (room, view, visible, left, top, width, height, port x, port y, hborder,
// vborder, hspeed, vspeed, object followed)
Value RoomSetView(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (!room) return 0.0;
    const int index = call.Int(1);
    if (index < 0 || index >= kRoomViewCount) return call.Fail("There is no view " + call.Text(1) + ".");
    if (!WithinImageLimits(call.Int(5), call.Int(6)))
        return call.Fail("View size not allowed: " + call.Text(5) + " by " + call.Text(6) + ".");
    RoomView view = room->GetView(index);
    view.Visible = call.Bool(2);
    view.ViewX = call.Int(3);
    view.ViewY = call.Int(4);
    view.ViewW = call.Int(5);
    view.ViewH = call.Int(6);
    // The frame spans the ports, so they stay within a picture's reach.
    view.PortX = std::clamp(call.Int(7), 0, kMaxImageSide);
    view.PortY = std::clamp(call.Int(8), 0, kMaxImageSide);
    view.HBorder = call.Int(9);
    view.VBorder = call.Int(10);
    view.HSpeed = call.Int(11);
    view.VSpeed = call.Int(12);
    view.Follow = call.Int(13);
    room->SetView(index, view);
    return 0.0;
}

Value RoomSetViewEnabled(FunctionCall& call) {
    if (CRoom* room = RoomOf(call)) room->ViewsEnabled = call.Bool(1);
    return 0.0;
}

Value RoomAdd(FunctionCall& call) { return static_cast<double>(AddResourceRecord(call, ResourceKind::Room)); }

Value RoomDuplicate(FunctionCall& call) {
    if (!RoomOf(call)) return -1.0;
    return static_cast<double>(DuplicateResourceRecord(call, ResourceKind::Room, call.Int(0)));
}

// The second room's settings and contents into the first; its placed
// instances and tiles get ids of their own.
Value RoomAssign(FunctionCall& call) {
    CRoom* to = RoomOf(call, 0);
    const CRoom* from = to ? RoomOf(call, 1) : nullptr;
    if (!from || to == from) return 0.0;
    to->Assign(from);
    to->RemapAfterMerge(0, 0, call.world.GameData());
    return 0.0;
}

// (room, x, y, object): the new instance's id.
Value RoomInstanceAdd(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (!room) return -1.0;
    if (!call.world.GameData().Objects().ResourceAt(call.Int(3)))
        return call.Fail("Object " + call.Text(3) + " does not exist.");
    if (!call.world.Budget().TakeItems(1)) return call.Fail("Too many instances added to rooms.");
    const int at = room->AddInstance(call.Int(1), call.Int(2), call.Int(3), call.world.GameData());
    return static_cast<double>(room->GetInstance(at).Id);
}

Value RoomInstanceClear(FunctionCall& call) {
    if (CRoom* room = RoomOf(call)) room->ClearInstances();
    return 0.0;
}

// (room, background, left, top, width, height, x, y, depth[, xscale,
// yscale, alpha]): the new tile's id.
Value RoomTileAdd(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (!room) return -1.0;
    if (!call.world.GameData().Backgrounds().ResourceAt(call.Int(1)))
        return call.Fail("Background " + call.Text(1) + " does not exist.");
    if (!call.world.Budget().TakeItems(1)) return call.Fail("Too many tiles added to rooms.");
    RoomTile tile;
    tile.Background = call.Int(1);
    tile.Left = call.Int(2);
    tile.Top = call.Int(3);
    tile.Width = call.Int(4);
    tile.Height = call.Int(5);
    tile.X = call.Int(6);
    tile.Y = call.Int(7);
    tile.Depth = call.Int(8);
    const int at = room->AddTile(tile, call.world.GameData());
    return static_cast<double>(room->GetTile(at).Id);
}

Value RoomTileClear(FunctionCall& call) {
    CRoom* room = RoomOf(call);
    if (!room) return 0.0;
    RoomItems items = room->CopyItems();
    items.tiles.clear();
    room->SwapItems(items);
    return 0.0;
}

}  // namespace

void AddResourceRoomFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"room_set_width", RoomSetWidth},
        {"room_set_height", RoomSetHeight},
        {"room_set_caption", RoomSetCaption},
        {"room_set_persistent", RoomSetPersistent},
        {"room_set_code", RoomSetCode},
        {"room_set_background_color", RoomSetBackgroundColor},
        {"room_set_background", RoomSetBackground},
        {"room_set_view", RoomSetView},
        {"room_set_view_enabled", RoomSetViewEnabled},
        {"room_add", RoomAdd},
        {"room_duplicate", RoomDuplicate},
        {"room_assign", RoomAssign},
        {"room_instance_add", RoomInstanceAdd},
        {"room_instance_clear", RoomInstanceClear},
        {"room_tile_add", RoomTileAdd},
        {"room_tile_add_ext", RoomTileAdd},
        {"room_tile_clear", RoomTileClear},
    });
}

}  // namespace kestrin::engine
