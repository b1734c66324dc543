#pragma once
// The room editor's mouse scheme, pop-up commands, toolbar commands and
// single-level undo for instances (objects tab) and tiles (tiles tab, current
// layer), on the live room. Qt-free: the window turns events into these
// calls and its hooks into repaints and marks; tests drive it with tables.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "editors/room_layers.h"
#include "editors/room_paint_list.h"
#include "editors/room_snap.h"
#include "editors/room_tileset.h"
#include "resources/room.h"

namespace kestrin {

struct RoomModifiers {
    bool shift = false, ctrl = false, alt = false;
};

// What the mouse acts on: instances, or the tiles of the current layer.
enum class RoomItemKind { Instance, Tile };

// The status bar's four panels for a point.
struct RoomStatus {
    std::string x, y, resource, id;
};

class RoomEditController {
public:
    RoomEditController(CRoom& room, const ResourceLookup& game, RoomIdSource& ids);

    // Called for every change of the stored room.
    std::function<void()> onMark;
    // A room area to repaint; an empty area repaints the whole view.
    std::function<void(const RoomArea&)> onRepaint;

    CRoom& Room() const { return mRoom; }

    // Editor state the window shows and sets.
    std::int32_t currentObject = -1;
    std::int32_t currentTileset = -1;
    TileSettings tileSettings;
    TileSelection tileSelection;
    bool deleteUnderlyingObjects = true;
    bool deleteUnderlyingTiles = true;
    // The toolbar's toggle: every point is taken as if Alt were held.
    bool noSnap = false;
    RoomLayers layers;

    RoomPoint Snap(std::int64_t x, std::int64_t y) const;

    // The mouse on the room view, in room coordinates.
    void LeftDown(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods);
    void LeftMove(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods);
    void LeftUp(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods);
    // True when the pop-up menu of the item under the point should open (the
    // point is then the menu point).
    bool RightDown(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods);
    void RightMove(RoomItemKind kind, std::int64_t x, std::int64_t y, RoomModifiers mods);

    // The pop-up commands, on the item under the menu point. The window saves
    // undo when a command is chosen, not when the menu opens.
    void DeleteOne(RoomItemKind kind);
    void DeleteAllAtMenuPoint(RoomItemKind kind);
    // ask gets the position and returns false when cancelled.
    void ChangePosition(RoomItemKind kind, const std::function<bool(std::int32_t&, std::int32_t&)>& ask);
    void SnapToGrid(RoomItemKind kind);
    void SendToBack();
    // Acts on the first instance in list order under the point, so that
    // repeating it cycles through a stack.
    void BringToFront();
    void ToggleLock(RoomItemKind kind);
    // The instance's creation code through edit (text, caption) -> new text.
    void EditInstanceCode(const std::function<std::optional<std::string>(const std::string&, const std::string&)>& edit,
                          const std::string& objectName);
    // The item under the menu point (its index), or -1.
    int MenuItem(RoomItemKind kind) const;
    bool MenuItemLocked(RoomItemKind kind) const;

    // Toolbar commands; each saves undo, marks and repaints.
    void ClearAll(RoomItemKind kind);
    void ShiftAll(RoomItemKind kind, std::int32_t dx, std::int32_t dy);
    void SortAll(RoomItemKind kind, int mode);
    void LockAll(RoomItemKind kind, bool locked);

    // Layers that touch tiles.
    void DeleteCurrentLayer();
    void ChangeCurrentLayer(std::int32_t depth);

    // Undo holds the instance and tile lists only: what was typed since in
    // other fields stays.
    void SaveUndo();
    bool HasUndo() const { return mUndo.has_value(); }
    void Undo();

    RoomStatus Status(RoomItemKind kind, std::int64_t x, std::int64_t y, bool alt,
                      const std::function<std::string(ResourceKind, int)>& name) const;

    std::optional<std::int32_t> DraggedId() const { return mDragged; }

private:
    RoomPoint Point(std::int64_t x, std::int64_t y, bool alt) const;
    int ItemAt(RoomItemKind kind, std::int64_t x, std::int64_t y) const;
    RoomArea AreaOf(RoomItemKind kind, int index) const;
    bool Locked(RoomItemKind kind, int index) const;
    void Delete(RoomItemKind kind, int index);
    // Deletes from the top down at the point until none is left or a locked
    // one stops it.
    void DeleteAllAt(RoomItemKind kind, std::int64_t x, std::int64_t y);
    bool CanPlace(RoomItemKind kind) const;
    int Place(RoomItemKind kind, RoomPoint at);
    int FindDragged(RoomItemKind kind) const;
    void MoveTo(RoomItemKind kind, int index, std::int64_t x, std::int64_t y);
    void Repaint(const RoomArea& area);
    void RepaintAll();
    void Mark();

    CRoom& mRoom;
    const ResourceLookup& mGame;
    RoomIdSource& mIds;
    std::optional<RoomItems> mUndo;
    std::optional<std::int32_t> mDragged;  // by id, as the lists get sorted
    std::int64_t mGrabX = 0, mGrabY = 0;
    std::int64_t mMenuX = 0, mMenuY = 0;
};

}  // namespace kestrin
