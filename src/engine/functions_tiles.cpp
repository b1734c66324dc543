// World functions on the tiles of the room being played. A tile is named by
// its id (the room's ids, and new ones above every id the rooms use); a
// layer is the tiles of one depth. Finding a tile at a position takes the
// one drawn on top (the smallest depth) when foreground is true, otherwise
// the one furthest back; a tile covers its scaled extent, and hidden tiles
// are found like shown ones (a hidden tile is still in the room). Tiles added
// or deleted by a draw event change the room once the frame is drawn, since
// the drawing walks the tiles while the draw events run. A tile's look
// (shown, scale, opacity 0..1) is the played room's alone: the room resource
// keeps none, so a room entered again starts with plain tiles. A tile id
// that names no tile is a run-time error for every function but tile_exists.

#include <algorithm>
#include <climits>
#include <functional>

#include "engine/functions_resources.h"
#include "engine/played_tile.h"

namespace kestrin::engine {

namespace {

std::vector<PlayedTile>& Tiles(FunctionCall& call) { return call.world.Room().tiles; }

PlayedTile* TileOf(FunctionCall& call, int arg = 0) {
    for (PlayedTile& tile : Tiles(call))
        if (tile.Id == call.Int(arg)) return &tile;
    call.Fail("Tile " + call.Text(arg) + " does not exist.");
    return nullptr;
}

// Now, or after the frame when a draw event is walking the tiles.
void ChangeTiles(FunctionCall& call, std::function<void(std::vector<PlayedTile>&)> change) {
    World& world = call.world;
    if (!world.DrawingCanvas()) {
        change(world.Room().tiles);
        return;
    }
    // A room change before the step's end would take the edit to the next
    // room's tiles: it is kept for the room it was meant for.
    const int room = world.Room().index;
    world.AtStepEnd([&world, room, change] {
        if (world.Room().index == room) change(world.Room().tiles);
    });
}

// The id of the tile at the position among those the filter lets through, or -1.
template <class Filter>
double FindAt(FunctionCall& call, double x, double y, bool foreground, Filter filter) {
    const PlayedTile* found = nullptr;
    for (const PlayedTile& tile : Tiles(call)) {
        if (!filter(tile) || !tile.Covers(x, y)) continue;
        // Later tiles of the same depth are drawn over earlier ones.
        if (!found || (foreground ? tile.Depth <= found->Depth : tile.Depth > found->Depth)) found = &tile;
    }
    return found ? static_cast<double>(found->Id) : -1.0;
}

void DeleteIds(FunctionCall& call, std::vector<std::int32_t> ids) {
    ChangeTiles(call, [ids](std::vector<PlayedTile>& tiles) {
        std::erase_if(tiles, [&](const PlayedTile& t) { return std::find(ids.begin(), ids.end(), t.Id) != ids.end(); });
    });
}

// (background, left, top, width, height, x, y, depth): the new tile's id.
Value TileAdd(FunctionCall& call) {
    if (!call.world.GameData().Backgrounds().ResourceAt(call.Int(0)))
        return call.Fail("Background " + call.Text(0) + " does not exist.");
    if (!call.world.Budget().TakeItems(1)) return call.Fail("Too many tiles added.");
    PlayedTile tile;
    tile.Background = call.Int(0);
    tile.Left = call.Int(1);
    tile.Top = call.Int(2);
    tile.Width = std::max(0, call.Int(3));
    tile.Height = std::max(0, call.Int(4));
    tile.X = call.Int(5);
    tile.Y = call.Int(6);
    tile.Depth = call.Int(7);
    tile.Id = call.world.GameData().NewTileId();
    ChangeTiles(call, [tile](std::vector<PlayedTile>& tiles) { tiles.push_back(tile); });
    return static_cast<double>(tile.Id);
}

Value TileDelete(FunctionCall& call) {
    if (const PlayedTile* tile = TileOf(call)) DeleteIds(call, {tile->Id});
    return 0.0;
}

Value TileExists(FunctionCall& call) {
    const auto& tiles = Tiles(call);
    const bool found = std::any_of(tiles.begin(), tiles.end(), [&](const PlayedTile& t) { return t.Id == call.Int(0); });
    return found ? 1.0 : 0.0;
}

template <std::int32_t RoomTile::*Field>
Value TileGet(FunctionCall& call) {
    const PlayedTile* tile = TileOf(call);
    return tile ? static_cast<double>(tile->*Field) : 0.0;
}

Value TileSetPosition(FunctionCall& call) {
    if (PlayedTile* tile = TileOf(call)) {
        tile->X = call.Int(1);
        tile->Y = call.Int(2);
    }
    return 0.0;
}

// (id, left, top, width, height): the part of the background shown.
Value TileSetRegion(FunctionCall& call) {
    if (PlayedTile* tile = TileOf(call)) {
        tile->Left = call.Int(1);
        tile->Top = call.Int(2);
        tile->Width = std::max(0, call.Int(3));
        tile->Height = std::max(0, call.Int(4));
    }
    return 0.0;
}

Value TileSetBackground(FunctionCall& call) {
    PlayedTile* tile = TileOf(call);
    if (!tile) return 0.0;
    if (!call.world.GameData().Backgrounds().ResourceAt(call.Int(1)))
        return call.Fail("Background " + call.Text(1) + " does not exist.");
    tile->Background = call.Int(1);
    return 0.0;
}

Value TileSetDepth(FunctionCall& call) {
    if (PlayedTile* tile = TileOf(call)) tile->Depth = call.Int(1);
    return 0.0;
}

// (x, y, foreground)
Value TileFind(FunctionCall& call) {
    return FindAt(call, call.Real(0), call.Real(1), call.Bool(2), [](const PlayedTile&) { return true; });
}

Value TileDeleteAt(FunctionCall& call) {
    const double id = TileFind(call).Real();
    if (id >= 0) DeleteIds(call, {static_cast<std::int32_t>(id)});
    return 0.0;
}

// (depth, x, y)
Value TileLayerFind(FunctionCall& call) {
    const int depth = call.Int(0);
    return FindAt(call, call.Real(1), call.Real(2), true, [depth](const PlayedTile& t) { return t.Depth == depth; });
}

Value TileLayerDeleteAt(FunctionCall& call) {
    const double id = TileLayerFind(call).Real();
    if (id >= 0) DeleteIds(call, {static_cast<std::int32_t>(id)});
    return 0.0;
}

Value TileLayerDelete(FunctionCall& call) {
    std::vector<std::int32_t> ids;
    for (const PlayedTile& tile : Tiles(call))
        if (tile.Depth == call.Int(0)) ids.push_back(tile.Id);
    DeleteIds(call, std::move(ids));
    return 0.0;
}

// (depth, dx, dy)
Value TileLayerShift(FunctionCall& call) {
    const int depth = call.Int(0), dx = call.Int(1), dy = call.Int(2);
    for (PlayedTile& tile : Tiles(call)) {
        if (tile.Depth != depth) continue;
        tile.X = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{tile.X} + dx, INT32_MIN, INT32_MAX));
        tile.Y = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{tile.Y} + dy, INT32_MIN, INT32_MAX));
    }
    return 0.0;
}

// (depth, new depth)
Value TileLayerDepth(FunctionCall& call) {
    for (PlayedTile& tile : Tiles(call))
        if (tile.Depth == call.Int(0)) tile.Depth = call.Int(1);
    return 0.0;
}

Value TileGetVisible(FunctionCall& call) {
    const PlayedTile* tile = TileOf(call);
    return tile && tile->look.visible ? 1.0 : 0.0;
}

Value TileSetVisible(FunctionCall& call) {
    if (PlayedTile* tile = TileOf(call)) tile->look.visible = call.Bool(1);
    return 0.0;
}

template <double TileLook::*Field>
Value TileGetLook(FunctionCall& call) {
    const PlayedTile* tile = TileOf(call);
    return tile ? tile->look.*Field : 0.0;
}

// (id, xscale, yscale)
Value TileSetScale(FunctionCall& call) {
    if (PlayedTile* tile = TileOf(call)) {
        tile->look.xscale = call.Real(1);
        tile->look.yscale = call.Real(2);
    }
    return 0.0;
}

Value TileSetAlpha(FunctionCall& call) {
    // Not a number counts as invisible, so the opacity is always one of 0..1.
    const double alpha = call.Real(1);
    if (PlayedTile* tile = TileOf(call)) tile->look.alpha = alpha > 0 ? std::min(alpha, 1.0) : 0.0;
    return 0.0;
}

void ShowLayer(FunctionCall& call, bool visible) {
    for (PlayedTile& tile : Tiles(call))
        if (tile.Depth == call.Int(0)) tile.look.visible = visible;
}

Value TileLayerHide(FunctionCall& call) {
    ShowLayer(call, false);
    return 0.0;
}

Value TileLayerShow(FunctionCall& call) {
    ShowLayer(call, true);
    return 0.0;
}

}  // namespace

void AddTileFunctions(std::vector<WorldFunctionEntry>& table) {
    table.insert(table.end(), {
        {"tile_add", TileAdd},
        {"tile_delete", TileDelete},
        {"tile_exists", TileExists},
        {"tile_get_x", TileGet<&RoomTile::X>},
        {"tile_get_y", TileGet<&RoomTile::Y>},
        {"tile_get_left", TileGet<&RoomTile::Left>},
        {"tile_get_top", TileGet<&RoomTile::Top>},
        {"tile_get_width", TileGet<&RoomTile::Width>},
        {"tile_get_height", TileGet<&RoomTile::Height>},
        {"tile_get_depth", TileGet<&RoomTile::Depth>},
        {"tile_get_background", TileGet<&RoomTile::Background>},
        {"tile_set_position", TileSetPosition},
        {"tile_set_region", TileSetRegion},
        {"tile_set_background", TileSetBackground},
        {"tile_set_depth", TileSetDepth},
        {"tile_find", TileFind},
        {"tile_delete_at", TileDeleteAt},
        {"tile_layer_find", TileLayerFind},
        {"tile_layer_delete_at", TileLayerDeleteAt},
        {"tile_layer_delete", TileLayerDelete},
        {"tile_layer_shift", TileLayerShift},
        {"tile_layer_depth", TileLayerDepth},
        {"tile_get_visible", TileGetVisible},
        {"tile_set_visible", TileSetVisible},
        {"tile_get_xscale", TileGetLook<&TileLook::xscale>},
        {"tile_get_yscale", TileGetLook<&TileLook::yscale>},
        {"tile_set_scale", TileSetScale},
        {"tile_get_alpha", TileGetLook<&TileLook::alpha>},
        {"tile_set_alpha", TileSetAlpha},
        {"tile_layer_hide", TileLayerHide},
        {"tile_layer_show", TileLayerShow},
    });
}

}  // namespace kestrin::engine
