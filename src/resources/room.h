#pragma once
// CRoom: one level of the game: size, speed, caption, eight background
// layers, eight views, the placed instances and tiles, creation code, and the
// room editor's remembered settings, with the stored record (versions 500 to
// 520) and the drawing of the whole room.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/resource_kind.h"

namespace kestrin {

class CStream;
class DrawTarget;

inline constexpr std::int32_t kRoomVersion = 520;
inline constexpr std::int32_t kRoomOldestVersion = 500;
inline constexpr int kRoomLayerCount = 8;
inline constexpr int kRoomViewCount = 8;
inline constexpr std::int32_t kRoomDefaultColor = 12632256;  // red, green, blue 192

struct RoomBackground {
    bool Visible = false;
    bool Foreground = false;
    std::int32_t Background = -1;
    std::int32_t X = 0, Y = 0;
    bool TileH = true, TileV = true;
    std::int32_t HSpeed = 0, VSpeed = 0;
    bool Stretch = false;
    bool operator==(const RoomBackground&) const = default;
};

struct RoomView {
    bool Visible = false;
    std::int32_t ViewX = 0, ViewY = 0, ViewW = 640, ViewH = 480;
    std::int32_t PortX = 0, PortY = 0;
    std::int32_t HBorder = 32, VBorder = 32;
    std::int32_t HSpeed = -1, VSpeed = -1;
    std::int32_t Follow = -1;
    bool operator==(const RoomView&) const = default;
};

struct RoomInstance {
    std::int32_t X = 0, Y = 0;
    std::int32_t Object = 0;
    std::int32_t Id = 0;
    std::string Code;
    bool Locked = false;
    bool operator==(const RoomInstance&) const = default;
};

struct RoomTile {
    std::int32_t X = 0, Y = 0;
    std::int32_t Background = 0;
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::int32_t Depth = 0;
    std::int32_t Id = 0;
    bool Locked = false;
    bool operator==(const RoomTile&) const = default;
};

// Kept only so that the room editor reopens as it was.
struct RoomEditorSettings {
    bool Remembered = false;
    std::int32_t WindowWidth = 0, WindowHeight = 0;
    bool ShowGrid = false, ShowObjects = false, ShowTiles = false, ShowBackgrounds = false,
         ShowForegrounds = false, ShowViews = false, DeleteUnderlyingObjects = false, DeleteUnderlyingTiles = false;
    std::int32_t TileWidth = 0, TileHeight = 0, TileXOffset = 0, TileYOffset = 0, TileHSep = 0, TileVSep = 0;
    std::int32_t ActiveTab = 0, HScroll = 0, VScroll = 0;
    bool operator==(const RoomEditorSettings&) const = default;
};

// Hands out instance and tile ids that are unique across all rooms of a
// game; the counters live with the room list.
class RoomIdSource {
public:
    virtual ~RoomIdSource() = default;
    virtual std::int32_t NewInstanceId() = 0;
    virtual std::int32_t NewTileId() = 0;
};

// The pixels an instance covers, all four inclusive.
struct RoomExtent {
    std::int64_t left = 0, top = 0, right = -1, bottom = -1;
    bool Holds(std::int64_t x, std::int64_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The instance and tile lists alone, as the room editor's undo keeps them.
struct RoomItems {
    std::vector<RoomInstance> instances;
    std::vector<RoomTile> tiles;
};

class CRoom {
public:
    CRoom() { Clear(); }

    void Clear();
    // Clear, then a deep copy of other (ids and editor settings included) when given.
    void Assign(const CRoom* other);

    std::string Caption;
    std::int32_t Speed;
    std::int32_t Width, Height;
    std::int32_t SnapX, SnapY;
    bool Isometric;
    bool Persistent;
    std::int32_t Color;
    bool DrawColor;
    std::string CreationCode;
    bool ViewsEnabled;
    RoomEditorSettings EditorSettings;

    // Layers and views 0..7; out of range gives a default one, and setting does nothing.
    RoomBackground GetLayer(int i) const;
    void SetLayer(int i, const RoomBackground& layer);
    RoomView GetView(int i) const;
    void SetView(int i, const RoomView& view);

    // Read-only views for drawing and hit testing without copying.
    const std::vector<RoomInstance>& Instances() const { return mInstances; }
    const std::vector<RoomTile>& Tiles() const { return mTiles; }
    RoomItems CopyItems() const { return {mInstances, mTiles}; }
    // Exchanges the lists with the given ones; nothing else of the room changes.
    void SwapItems(RoomItems& items) {
        mInstances.swap(items.instances);
        mTiles.swap(items.tiles);
    }

    int InstanceCount() const { return static_cast<int>(mInstances.size()); }
    RoomInstance GetInstance(int i) const;
    void SetInstance(int i, const RoomInstance& instance);
    // Appends an instance with a new id, no code, not locked; returns its index.
    int AddInstance(std::int32_t x, std::int32_t y, std::int32_t object, RoomIdSource& ids);
    void DeleteInstance(int i);
    void ClearInstances() { mInstances.clear(); }
    void MoveInstanceToEnd(int i);
    void MoveInstanceToStart(int i);
    void ShiftInstances(std::int32_t dx, std::int32_t dy);
    void LockInstances(bool locked);
    // Stable: 1 by X, 2 by Y, otherwise by descending depth of the object,
    // where an instance of a missing object is passed by none.
    void SortInstances(int mode, const ResourceLookup& game);
    int FindInstance(std::int32_t id) const;
    // The first / last instance in list order whose extent holds the point, or -1.
    int InstanceAt(int x, int y, const ResourceLookup& game) const;
    int TopInstanceAt(int x, int y, const ResourceLookup& game) const;

    int TileCount() const { return static_cast<int>(mTiles.size()); }
    RoomTile GetTile(int i) const;
    void SetTile(int i, const RoomTile& tile);
    // Appends a copy with a new id; returns its index.
    int AddTile(const RoomTile& tile, RoomIdSource& ids);
    void DeleteTile(int i);
    void DeleteTilesAtDepth(std::int32_t depth);
    void ShiftTiles(std::int32_t dx, std::int32_t dy, std::int32_t depth);
    void LockTiles(bool locked, std::int32_t depth);
    // Stable: 0 by descending depth (every tile); 1 by X and 2 by Y, moving
    // only the tiles of the given depth.
    void SortTiles(int mode, std::int32_t depth);
    int FindTile(std::int32_t id) const;
    // The last tile of that depth holding the point, or -1.
    int TileAt(int x, int y, std::int32_t depth) const;

    bool HasInstancesOutside(const ResourceLookup& game) const;
    void RemoveInstancesOutside(const ResourceLookup& game);
    bool HasTilesOutside() const;
    void RemoveTilesOutside();
    // Drops instances of missing objects and tiles of missing backgrounds.
    void RemoveInvalid(const ResourceLookup& game);

    // Backgrounds, then instances and tiles by depth, then foregrounds, with
    // the room's top-left at (-offsetX, -offsetY). Sorts both lists by depth.
    void Draw(DrawTarget& canvas, int offsetX, int offsetY, const ResourceLookup& game);

    // After another game was appended: references move by the offsets and
    // every instance and tile gets a new id.
    void RemapAfterMerge(std::int32_t backgroundOffset, std::int32_t objectOffset, RoomIdSource& ids);

    // False (the room cleared) for a version outside 500..520 or more than
    // eight layers or views. Short data throws StreamReadError.
    bool LoadFromStream(CStream& stream);
    // Drops invalid instances and tiles first, then writes the record.
    void SaveToStream(CStream& stream, const ResourceLookup& game);
    // Writes the record as the room stands.
    void SaveToStream(CStream& stream) const;

    bool operator==(const CRoom&) const = default;

private:
    // The pixels an instance covers: its sprite's frame placed at its origin;
    // without a sprite the point itself, or a 16 x 16 box from it for hit
    // tests. False for a missing object.
    static bool InstanceExtent(const RoomInstance& instance, const ResourceLookup& game, bool forHitTest,
                               RoomExtent& extent);
    bool InstanceOutside(const RoomInstance& instance, const ResourceLookup& game) const;
    bool TileOutside(const RoomTile& tile) const;
    bool ReadRecord(CStream& stream);

    std::array<RoomBackground, kRoomLayerCount> mLayers;
    std::array<RoomView, kRoomViewCount> mViews;
    std::vector<RoomInstance> mInstances;
    std::vector<RoomTile> mTiles;
};

}  // namespace kestrin
