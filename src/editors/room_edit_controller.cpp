// The mouse scheme for instances and tiles, the pop-up and toolbar commands,
// and the undo of the instance and tile lists.

#include "editors/room_edit_controller.h"

#include <algorithm>

#include "resources/object.h"

namespace kestrin {

namespace {

// Where the dragged item waits while the items under the drop point go.
constexpr std::int32_t kOutOfTheWay = -10000000;

std::int32_t ToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

int ToInt(std::int64_t value) { return static_cast<int>(ToInt32(value)); }

}  // namespace

RoomEditController::RoomEditController(CRoom& room, const ResourceLookup& game, RoomIdSource& ids)
    : mRoom(room), mGame(game), mIds(ids) {
    layers.Derive(room);
}

RoomPoint RoomEditController::Snap(std::int64_t x, std::int64_t y) const {
    return SnapRoomPoint(x, y, mRoom.SnapX, mRoom.SnapY, mRoom.Isometric);
}

RoomPoint RoomEditController::Point(std::int64_t x, std::int64_t y, bool alt) const {
    if (alt || noSnap) return {ToInt32(x), ToInt32(y)};
    return Snap(x, y);
}

int RoomEditController::ItemAt(RoomItemKind kind, std::int64_t x, std::int64_t y) const {
    if (kind == RoomItemKind::Instance) return mRoom.TopInstanceAt(ToInt(x), ToInt(y), mGame);
    return mRoom.TileAt(ToInt(x), ToInt(y), layers.CurrentDepth());
}

RoomArea RoomEditController::AreaOf(RoomItemKind kind, int index) const {
    return kind == RoomItemKind::Instance ? InstanceArea(mRoom, index, mGame) : TileArea(mRoom, index);
}

bool RoomEditController::Locked(RoomItemKind kind, int index) const {
    if (kind == RoomItemKind::Instance) return index >= 0 && index < mRoom.InstanceCount() && mRoom.Instances()[index].Locked;
    return index >= 0 && index < mRoom.TileCount() && mRoom.Tiles()[index].Locked;
}

void RoomEditController::Delete(RoomItemKind kind, int index) {
    const RoomArea area = AreaOf(kind, index);
    if (kind == RoomItemKind::Instance)
        mRoom.DeleteInstance(index);
    else
        mRoom.DeleteTile(index);
    Repaint(area);
    Mark();
}

void RoomEditController::DeleteAllAt(RoomItemKind kind, std::int64_t x, std::int64_t y) {
    for (;;) {
        const int index = ItemAt(kind, x, y);
        if (index < 0 || Locked(kind, index)) return;
        Delete(kind, index);
    }
}

bool RoomEditController::CanPlace(RoomItemKind kind) const {
    if (kind == RoomItemKind::Instance) return currentObject >= 0 && mGame.ObjectAt(currentObject);
    return currentTileset >= 0 && mGame.BackgroundAt(currentTileset);
}

int RoomEditController::Place(RoomItemKind kind, RoomPoint at) {
    int index;
    if (kind == RoomItemKind::Instance) {
        index = mRoom.AddInstance(at.x, at.y, currentObject, mIds);
        mDragged = mRoom.Instances()[index].Id;
    } else {
        RoomTile tile;
        tile.X = at.x;
        tile.Y = at.y;
        tile.Background = currentTileset;
        tile.Left = tileSelection.x;
        tile.Top = tileSelection.y;
        tile.Width = tileSelection.width;
        tile.Height = tileSelection.height;
        tile.Depth = layers.CurrentDepth();
        index = mRoom.AddTile(tile, mIds);
        mDragged = mRoom.Tiles()[index].Id;
    }
    Repaint(AreaOf(kind, index));
    Mark();
    return index;
}

int RoomEditController::FindDragged(RoomItemKind kind) const {
    if (!mDragged) return -1;
    return kind == RoomItemKind::Instance ? mRoom.FindInstance(*mDragged) : mRoom.FindTile(*mDragged);
}

void RoomEditController::MoveTo(RoomItemKind kind, int index, std::int64_t x, std::int64_t y) {
    const RoomArea before = AreaOf(kind, index);
    if (kind == RoomItemKind::Instance) {
        RoomInstance instance = mRoom.GetInstance(index);
        if (instance.X == ToInt32(x) && instance.Y == ToInt32(y)) return;
        instance.X = ToInt32(x);
        instance.Y = ToInt32(y);
        mRoom.SetInstance(index, instance);
    } else {
        RoomTile tile = mRoom.GetTile(index);
        if (tile.X == ToInt32(x) && tile.Y == ToInt32(y)) return;
        tile.X = ToInt32(x);
        tile.Y = ToInt32(y);
        mRoom.SetTile(index, tile);
    }
    Repaint(before.United(AreaOf(kind, index)));
    Mark();
}

void RoomEditController::LeftDown(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods) {
    mDragged.reset();
    if (mods.ctrl) {
        const int index = ItemAt(kind, x, y);
        if (index < 0) return;
        SaveUndo();
        const std::int64_t itemX = kind == RoomItemKind::Instance ? mRoom.Instances()[index].X : mRoom.Tiles()[index].X;
        const std::int64_t itemY = kind == RoomItemKind::Instance ? mRoom.Instances()[index].Y : mRoom.Tiles()[index].Y;
        mGrabX = itemX - x;
        mGrabY = itemY - y;
        if (!Locked(kind, index))
            mDragged = kind == RoomItemKind::Instance ? mRoom.Instances()[index].Id : mRoom.Tiles()[index].Id;
        return;
    }
    if (!CanPlace(kind)) return;
    SaveUndo();
    const RoomPoint at = Point(x, y, mods.alt);
    const bool deleteUnderlying = kind == RoomItemKind::Instance ? deleteUnderlyingObjects : deleteUnderlyingTiles;
    if (deleteUnderlying && mods.shift) DeleteAllAt(kind, at.x, at.y);
    Place(kind, at);
    mGrabX = mGrabY = 0;
}

void RoomEditController::LeftMove(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods) {
    if (!mods.shift || !CanPlace(kind) || mods.ctrl) {
        const int index = FindDragged(kind);
        if (index < 0) return;
        if (mods.alt || noSnap) {
            MoveTo(kind, index, x + mGrabX, y + mGrabY);
        } else {
            const RoomPoint at = Snap(x, y);
            MoveTo(kind, index, at.x, at.y);
        }
        return;
    }
    const RoomPoint at = Point(x, y, mods.alt);
    const int top = ItemAt(kind, at.x, at.y);
    if (top >= 0 && top == FindDragged(kind)) return;
    const bool deleteUnderlying = kind == RoomItemKind::Instance ? deleteUnderlyingObjects : deleteUnderlyingTiles;
    if (deleteUnderlying) DeleteAllAt(kind, at.x, at.y);
    Place(kind, at);
}

void RoomEditController::LeftUp(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods) {
    const bool deleteUnderlying = kind == RoomItemKind::Instance ? deleteUnderlyingObjects : deleteUnderlyingTiles;
    const int index = FindDragged(kind);
    if (deleteUnderlying && index >= 0) {
        // The dropped item steps aside so that it is not among those deleted.
        const std::int32_t id = *mDragged;
        std::int32_t savedX;
        if (kind == RoomItemKind::Instance) {
            RoomInstance instance = mRoom.GetInstance(index);
            savedX = instance.X;
            instance.X = kOutOfTheWay;
            mRoom.SetInstance(index, instance);
        } else {
            RoomTile tile = mRoom.GetTile(index);
            savedX = tile.X;
            tile.X = kOutOfTheWay;
            mRoom.SetTile(index, tile);
        }
        const RoomPoint at = Point(x, y, mods.alt);
        DeleteAllAt(kind, at.x, at.y);
        if (kind == RoomItemKind::Instance) {
            const int back = mRoom.FindInstance(id);
            RoomInstance instance = mRoom.GetInstance(back);
            instance.X = savedX;
            mRoom.SetInstance(back, instance);
            Repaint(InstanceArea(mRoom, back, mGame));
        } else {
            const int back = mRoom.FindTile(id);
            RoomTile tile = mRoom.GetTile(back);
            tile.X = savedX;
            mRoom.SetTile(back, tile);
            Repaint(TileArea(mRoom, back));
        }
    }
    mDragged.reset();
}

bool RoomEditController::RightDown(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods) {
    if (mods.ctrl) {
        if (ItemAt(kind, x, y) < 0) return false;
        mMenuX = x;
        mMenuY = y;
        return true;
    }
    // Undo is kept for a click that deletes something, not for a stray one.
    const int index = ItemAt(kind, x, y);
    if (index < 0 || Locked(kind, index)) return false;
    SaveUndo();
    RightMove(kind, x, y, mods);
    return false;
}

void RoomEditController::RightMove(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods) {
    if (mods.ctrl) return;
    if (mods.shift) {
        DeleteAllAt(kind, x, y);
        return;
    }
    const int index = ItemAt(kind, x, y);
    if (index >= 0 && !Locked(kind, index)) Delete(kind, index);
}

int RoomEditController::MenuItem(RoomItemKind kind) const { return ItemAt(kind, mMenuX, mMenuY); }

bool RoomEditController::MenuItemLocked(RoomItemKind kind) const { return Locked(kind, MenuItem(kind)); }

void RoomEditController::DeleteOne(RoomItemKind kind) {
    const int index = MenuItem(kind);
    if (index >= 0 && !Locked(kind, index)) Delete(kind, index);
}

void RoomEditController::DeleteAllAtMenuPoint(RoomItemKind kind) { DeleteAllAt(kind, mMenuX, mMenuY); }

void RoomEditController::ChangePosition(RoomItemKind kind,
                                        const std::function<bool(std::int32_t&, std::int32_t&)>& ask) {
    const int index = MenuItem(kind);
    if (index < 0 || Locked(kind, index)) return;
    std::int32_t x = kind == RoomItemKind::Instance ? mRoom.Instances()[index].X : mRoom.Tiles()[index].X;
    std::int32_t y = kind == RoomItemKind::Instance ? mRoom.Instances()[index].Y : mRoom.Tiles()[index].Y;
    const std::int32_t id = kind == RoomItemKind::Instance ? mRoom.Instances()[index].Id : mRoom.Tiles()[index].Id;
    if (!ask(x, y)) return;
    // The dialog ran a nested loop: find the item again.
    const int now = kind == RoomItemKind::Instance ? mRoom.FindInstance(id) : mRoom.FindTile(id);
    if (now >= 0) MoveTo(kind, now, x, y);
}

void RoomEditController::SnapToGrid(RoomItemKind kind) {
    const int index = MenuItem(kind);
    if (index < 0 || Locked(kind, index)) return;
    const std::int32_t x = kind == RoomItemKind::Instance ? mRoom.Instances()[index].X : mRoom.Tiles()[index].X;
    const std::int32_t y = kind == RoomItemKind::Instance ? mRoom.Instances()[index].Y : mRoom.Tiles()[index].Y;
    const RoomPoint at = Snap(x, y);
    MoveTo(kind, index, at.x, at.y);
}

void RoomEditController::SendToBack() {
    const int index = MenuItem(RoomItemKind::Instance);
    if (index < 0 || Locked(RoomItemKind::Instance, index)) return;
    const RoomArea area = InstanceArea(mRoom, index, mGame);
    mRoom.MoveInstanceToStart(index);
    Repaint(area);
    Mark();
}

void RoomEditController::BringToFront() {
    const int index = mRoom.InstanceAt(ToInt(mMenuX), ToInt(mMenuY), mGame);
    if (index < 0 || Locked(RoomItemKind::Instance, index)) return;
    const RoomArea area = InstanceArea(mRoom, index, mGame);
    mRoom.MoveInstanceToEnd(index);
    Repaint(area);
    Mark();
}

void RoomEditController::ToggleLock(RoomItemKind kind) {
    const int index = MenuItem(kind);
    if (index < 0) return;
    if (kind == RoomItemKind::Instance) {
        RoomInstance instance = mRoom.GetInstance(index);
        instance.Locked = !instance.Locked;
        mRoom.SetInstance(index, instance);
    } else {
        RoomTile tile = mRoom.GetTile(index);
        tile.Locked = !tile.Locked;
        mRoom.SetTile(index, tile);
    }
    Mark();
}

void RoomEditController::EditInstanceCode(
    const std::function<std::optional<std::string>(const std::string&, const std::string&)>& edit,
    const std::string& objectName) {
    const int index = MenuItem(RoomItemKind::Instance);
    if (index < 0) return;
    const RoomInstance before = mRoom.GetInstance(index);
    std::optional<std::string> text = edit(before.Code, "Instance Creation Code for Instance of " + objectName);
    if (!text || *text == before.Code) return;
    const int now = mRoom.FindInstance(before.Id);
    if (now < 0) return;
    RoomInstance instance = mRoom.GetInstance(now);
    instance.Code = *text;
    mRoom.SetInstance(now, instance);
    Mark();
}

void RoomEditController::ClearAll(RoomItemKind kind) {
    SaveUndo();
    if (kind == RoomItemKind::Instance)
        mRoom.ClearInstances();
    else
        mRoom.DeleteTilesAtDepth(layers.CurrentDepth());
    Mark();
    RepaintAll();
}

void RoomEditController::ShiftAll(RoomItemKind kind, std::int32_t dx, std::int32_t dy) {
    SaveUndo();
    if (kind == RoomItemKind::Instance)
        mRoom.ShiftInstances(dx, dy);
    else
        mRoom.ShiftTiles(dx, dy, layers.CurrentDepth());
    Mark();
    RepaintAll();
}

void RoomEditController::SortAll(RoomItemKind kind, int mode) {
    SaveUndo();
    if (kind == RoomItemKind::Instance)
        mRoom.SortInstances(mode, mGame);
    else
        mRoom.SortTiles(mode, layers.CurrentDepth());
    Mark();
    RepaintAll();
}

void RoomEditController::LockAll(RoomItemKind kind, bool locked) {
    SaveUndo();
    if (kind == RoomItemKind::Instance)
        mRoom.LockInstances(locked);
    else
        mRoom.LockTiles(locked, layers.CurrentDepth());
    Mark();
}

void RoomEditController::DeleteCurrentLayer() {
    SaveUndo();
    mRoom.DeleteTilesAtDepth(layers.CurrentDepth());
    layers.RemoveCurrent();
    Mark();
    RepaintAll();
}

void RoomEditController::ChangeCurrentLayer(std::int32_t depth) {
    const std::int32_t old = layers.CurrentDepth();
    if (depth == old) return;
    SaveUndo();
    const std::vector<RoomTile>& tiles = mRoom.Tiles();
    for (int i = 0; i < static_cast<int>(tiles.size()); ++i) {
        if (tiles[i].Depth != old) continue;
        RoomTile tile = tiles[i];
        tile.Depth = depth;
        mRoom.SetTile(i, tile);
    }
    layers.ChangeCurrent(depth);
    Mark();
    RepaintAll();
}

void RoomEditController::SaveUndo() { mUndo = mRoom.CopyItems(); }

void RoomEditController::Undo() {
    if (!mUndo) return;
    mRoom.SwapItems(*mUndo);
    mDragged.reset();
    Mark();
    RepaintAll();
}

RoomStatus RoomEditController::Status(RoomItemKind kind, std::int64_t x, std::int64_t y, bool alt,
                                      const std::function<std::string(ResourceKind, int)>& name) const {
    RoomStatus status;
    const RoomPoint at = Point(x, y, alt);
    status.x = " x: " + std::to_string(at.x);
    status.y = " y: " + std::to_string(at.y);
    const int index = ItemAt(kind, x, y);
    if (index < 0) return status;
    if (kind == RoomItemKind::Tile) {
        const RoomTile& tile = mRoom.Tiles()[index];
        status.resource = " tileset: " + name(ResourceKind::Background, tile.Background);
        status.id = " id: " + std::to_string(tile.Id) + (tile.Locked ? "    (locked)" : "");
    } else {
        const RoomInstance& instance = mRoom.Instances()[index];
        status.resource = " object: " + name(ResourceKind::Object, instance.Object);
        status.id = " id: " + std::to_string(instance.Id) + (instance.Code.empty() ? "" : "    has code") +
                    (instance.Locked ? "    (locked)" : "");
    }
    return status;
}

void RoomEditController::Repaint(const RoomArea& area) {
    if (onRepaint && !area.Empty()) onRepaint(area);
}

void RoomEditController::RepaintAll() {
    if (onRepaint) onRepaint(RoomArea{});
}

void RoomEditController::Mark() {
    if (onMark) onMark();
}

}  // namespace kestrin
