// CRoom: defaults, the operations of the room editor, outside tests, sorts,
// the stored record and drawing.

#include "resources/room.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "imaging/draw_target.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/sprite.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

// An instance without a sprite is hit inside this box from its position.
constexpr int kPlaceholderSize = 16;

// Smallest stored sizes, to check counts against the bytes that remain.
constexpr std::size_t kInstanceRecordMin = 6 * 4;
constexpr std::size_t kTileRecordMin = 9 * 4;

// Positions and references read from a file may lie anywhere in 32 bits;
// moving them wraps instead of overflowing.
std::int32_t Moved(std::int32_t value, std::int32_t by) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + static_cast<std::uint32_t>(by));
}

template <class T>
bool InRange(const std::vector<T>& list, int i) {
    return i >= 0 && static_cast<std::size_t>(i) < list.size();
}

const CSprite* SpriteOfObject(const ResourceLookup& game, const CObject& object) {
    return object.Sprite >= 0 ? game.SpriteAt(object.Sprite) : nullptr;
}

std::optional<std::int32_t> ObjectDepth(const ResourceLookup& game, std::int32_t object) {
    const CObject* found = game.ObjectAt(object);
    if (!found) return std::nullopt;
    return found->Depth;
}

// Stable insertion sort: an element moves in front of its predecessor while
// before(element, predecessor) holds.
template <class T, class Before, class Moves>
void InsertionSort(std::vector<T>& list, Before before, Moves moves) {
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (!moves(list[i])) continue;
        for (std::size_t j = i; j > 0 && before(list[j], list[j - 1]); --j) std::swap(list[j], list[j - 1]);
    }
}

// The order a stable insertion sort gives, in O(n log n), and nothing moved
// when the list is in order already (the room editor sorts on every paint).
template <class T, class Before>
void StableSortByKey(std::vector<T>& list, Before before) {
    bool inOrder = true;
    for (std::size_t i = 1; i < list.size() && inOrder; ++i) inOrder = !before(list[i], list[i - 1]);
    if (!inOrder) std::stable_sort(list.begin(), list.end(), before);
}

// By descending object depth. An instance of a missing object neither moves
// nor lets another pass it, so it splits the list into runs that are sorted
// on their own; this is exactly what the insertion sort does.
void SortInstancesByDepth(std::vector<RoomInstance>& list, const ResourceLookup& game) {
    std::vector<std::optional<std::int32_t>> depths(list.size());
    bool inOrder = true;
    for (std::size_t i = 0; i < list.size(); ++i) {
        depths[i] = ObjectDepth(game, list[i].Object);
        if (i > 0 && depths[i] && depths[i - 1] && *depths[i] > *depths[i - 1]) inOrder = false;
    }
    if (inOrder) return;
    std::vector<std::size_t> order(list.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto deeper = [&depths](std::size_t a, std::size_t b) { return *depths[a] > *depths[b]; };
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        if (i < list.size() && depths[i]) continue;
        std::stable_sort(order.begin() + runStart, order.begin() + i, deeper);
        runStart = i + 1;
    }
    std::vector<RoomInstance> sorted;
    sorted.reserve(list.size());
    for (std::size_t i : order) sorted.push_back(std::move(list[i]));
    list.swap(sorted);
}

}  // namespace

void CRoom::Clear() {
    Caption.clear();
    Speed = 30;
    Width = 640;
    Height = 480;
    SnapX = 16;
    SnapY = 16;
    Isometric = false;
    Persistent = false;
    Color = kRoomDefaultColor;
    DrawColor = true;
    CreationCode.clear();
    ViewsEnabled = false;
    mLayers.fill(RoomBackground{});
    mViews.fill(RoomView{});
    mInstances.clear();
    mTiles.clear();
    EditorSettings = RoomEditorSettings{};
}

void CRoom::Assign(const CRoom* other) {
    if (other == this) return;
    Clear();
    if (other) *this = *other;
}

RoomBackground CRoom::GetLayer(int i) const { return i >= 0 && i < kRoomLayerCount ? mLayers[i] : RoomBackground{}; }

void CRoom::SetLayer(int i, const RoomBackground& layer) {
    if (i >= 0 && i < kRoomLayerCount) mLayers[i] = layer;
}

RoomView CRoom::GetView(int i) const { return i >= 0 && i < kRoomViewCount ? mViews[i] : RoomView{}; }

void CRoom::SetView(int i, const RoomView& view) {
    if (i >= 0 && i < kRoomViewCount) mViews[i] = view;
}

// Instances.

RoomInstance CRoom::GetInstance(int i) const { return InRange(mInstances, i) ? mInstances[i] : RoomInstance{}; }

void CRoom::SetInstance(int i, const RoomInstance& instance) {
    if (InRange(mInstances, i)) mInstances[i] = instance;
}

int CRoom::AddInstance(std::int32_t x, std::int32_t y, std::int32_t object, RoomIdSource& ids) {
    RoomInstance instance;
    instance.X = x;
    instance.Y = y;
    instance.Object = object;
    instance.Id = ids.NewInstanceId();
    mInstances.push_back(std::move(instance));
    return InstanceCount() - 1;
}

void CRoom::DeleteInstance(int i) {
    if (InRange(mInstances, i)) mInstances.erase(mInstances.begin() + i);
}

void CRoom::MoveInstanceToEnd(int i) {
    if (InRange(mInstances, i)) std::rotate(mInstances.begin() + i, mInstances.begin() + i + 1, mInstances.end());
}

void CRoom::MoveInstanceToStart(int i) {
    if (InRange(mInstances, i)) std::rotate(mInstances.begin(), mInstances.begin() + i, mInstances.begin() + i + 1);
}

void CRoom::ShiftInstances(std::int32_t dx, std::int32_t dy) {
    for (RoomInstance& instance : mInstances) {
        instance.X = Moved(instance.X, dx);
        instance.Y = Moved(instance.Y, dy);
    }
}

void CRoom::LockInstances(bool locked) {
    for (RoomInstance& instance : mInstances) instance.Locked = locked;
}

void CRoom::SortInstances(int mode, const ResourceLookup& game) {
    if (mode == 1) {
        StableSortByKey(mInstances, [](const RoomInstance& a, const RoomInstance& b) { return a.X < b.X; });
    } else if (mode == 2) {
        StableSortByKey(mInstances, [](const RoomInstance& a, const RoomInstance& b) { return a.Y < b.Y; });
    } else {
        SortInstancesByDepth(mInstances, game);
    }
}

int CRoom::FindInstance(std::int32_t id) const {
    for (int i = 0; i < InstanceCount(); ++i) {
        if (mInstances[i].Id == id) return i;
    }
    return -1;
}

bool CRoom::InstanceExtent(const RoomInstance& instance, const ResourceLookup& game, bool forHitTest,
                           RoomExtent& extent) {
    const CObject* object = game.ObjectAt(instance.Object);
    if (!object) return false;
    if (const CSprite* sprite = SpriteOfObject(game, *object)) {
        extent.left = std::int64_t{instance.X} - sprite->XOrigin;
        extent.top = std::int64_t{instance.Y} - sprite->YOrigin;
        extent.right = extent.left + sprite->Width - 1;
        extent.bottom = extent.top + sprite->Height - 1;
    } else {
        const int size = forHitTest ? kPlaceholderSize : 1;
        extent = {instance.X, instance.Y, std::int64_t{instance.X} + size - 1, std::int64_t{instance.Y} + size - 1};
    }
    return true;
}

int CRoom::InstanceAt(int x, int y, const ResourceLookup& game) const {
    for (int i = 0; i < InstanceCount(); ++i) {
        RoomExtent extent;
        if (InstanceExtent(mInstances[i], game, true, extent) && extent.Holds(x, y)) return i;
    }
    return -1;
}

int CRoom::TopInstanceAt(int x, int y, const ResourceLookup& game) const {
    for (int i = InstanceCount() - 1; i >= 0; --i) {
        RoomExtent extent;
        if (InstanceExtent(mInstances[i], game, true, extent) && extent.Holds(x, y)) return i;
    }
    return -1;
}

// Tiles.

RoomTile CRoom::GetTile(int i) const { return InRange(mTiles, i) ? mTiles[i] : RoomTile{}; }

void CRoom::SetTile(int i, const RoomTile& tile) {
    if (InRange(mTiles, i)) mTiles[i] = tile;
}

int CRoom::AddTile(const RoomTile& tile, RoomIdSource& ids) {
    RoomTile copy = tile;
    copy.Id = ids.NewTileId();
    mTiles.push_back(copy);
    return TileCount() - 1;
}

void CRoom::DeleteTile(int i) {
    if (InRange(mTiles, i)) mTiles.erase(mTiles.begin() + i);
}

void CRoom::DeleteTilesAtDepth(std::int32_t depth) {
    std::erase_if(mTiles, [depth](const RoomTile& tile) { return tile.Depth == depth; });
}

void CRoom::ShiftTiles(std::int32_t dx, std::int32_t dy, std::int32_t depth) {
    for (RoomTile& tile : mTiles) {
        if (tile.Depth != depth) continue;
        tile.X = Moved(tile.X, dx);
        tile.Y = Moved(tile.Y, dy);
    }
}

void CRoom::LockTiles(bool locked, std::int32_t depth) {
    for (RoomTile& tile : mTiles) {
        if (tile.Depth == depth) tile.Locked = locked;
    }
}

void CRoom::SortTiles(int mode, std::int32_t depth) {
    auto ofDepth = [depth](const RoomTile& tile) { return tile.Depth == depth; };
    if (mode == 0) {
        StableSortByKey(mTiles, [](const RoomTile& a, const RoomTile& b) { return a.Depth > b.Depth; });
    } else if (mode == 1) {
        // A tile of the layer passes any predecessor with a larger X, whatever
        // its depth, which no key order expresses.
        InsertionSort(mTiles, [](const RoomTile& a, const RoomTile& b) { return a.X < b.X; }, ofDepth);
    } else if (mode == 2) {
        InsertionSort(mTiles, [](const RoomTile& a, const RoomTile& b) { return a.Y < b.Y; }, ofDepth);
    }
}

int CRoom::FindTile(std::int32_t id) const {
    for (int i = 0; i < TileCount(); ++i) {
        if (mTiles[i].Id == id) return i;
    }
    return -1;
}

int CRoom::TileAt(int x, int y, std::int32_t depth) const {
    for (int i = TileCount() - 1; i >= 0; --i) {
        const RoomTile& tile = mTiles[i];
        if (tile.Depth != depth) continue;
        // In 64 bits, so that a huge stored size cannot wrap.
        const std::int64_t right = std::int64_t{tile.X} + tile.Width - 1;
        const std::int64_t bottom = std::int64_t{tile.Y} + tile.Height - 1;
        if (x >= tile.X && x <= right && y >= tile.Y && y <= bottom) return i;
    }
    return -1;
}

// Outside tests.

bool CRoom::InstanceOutside(const RoomInstance& instance, const ResourceLookup& game) const {
    RoomExtent extent;
    if (!InstanceExtent(instance, game, false, extent)) return false;
    return extent.right < 0 || extent.left > std::int64_t{Width} - 1 || extent.bottom < 0 ||
           extent.top > std::int64_t{Height} - 1;
}

bool CRoom::TileOutside(const RoomTile& tile) const {
    return tile.X >= Width || std::int64_t{tile.X} + tile.Width <= 0 || tile.Y >= Height ||
           std::int64_t{tile.Y} + tile.Height <= 0;
}

bool CRoom::HasInstancesOutside(const ResourceLookup& game) const {
    return std::any_of(mInstances.begin(), mInstances.end(),
                       [&](const RoomInstance& instance) { return InstanceOutside(instance, game); });
}

void CRoom::RemoveInstancesOutside(const ResourceLookup& game) {
    std::erase_if(mInstances, [&](const RoomInstance& instance) { return InstanceOutside(instance, game); });
}

bool CRoom::HasTilesOutside() const {
    return std::any_of(mTiles.begin(), mTiles.end(), [&](const RoomTile& tile) { return TileOutside(tile); });
}

void CRoom::RemoveTilesOutside() {
    std::erase_if(mTiles, [&](const RoomTile& tile) { return TileOutside(tile); });
}

void CRoom::RemoveInvalid(const ResourceLookup& game) {
    // A kind the game does not keep cannot be checked, so its references stay.
    if (game.TracksKind(ResourceKind::Object)) {
        std::erase_if(mInstances, [&](const RoomInstance& instance) {
            return !game.ResourceExists(ResourceKind::Object, instance.Object);
        });
    }
    if (game.TracksKind(ResourceKind::Background)) {
        std::erase_if(mTiles, [&](const RoomTile& tile) {
            return !game.ResourceExists(ResourceKind::Background, tile.Background);
        });
    }
}

// Drawing.

void CRoom::Draw(DrawTarget& canvas, int offsetX, int offsetY, const ResourceLookup& game) {
    if (DrawColor) {
        const DrawRect clip = canvas.ClipRect();
        if (clip.right > clip.left && clip.bottom > clip.top) {
            canvas.DrawStretched(Bitmap24(1, 1, Color), clip.left, clip.top, clip.right - clip.left,
                                 clip.bottom - clip.top, false);
        }
    }
    auto drawLayers = [&](bool foreground) {
        for (const RoomBackground& layer : mLayers) {
            if (!layer.Visible || layer.Foreground != foreground || layer.Background < 0) continue;
            const CBackground* background = game.BackgroundAt(layer.Background);
            if (!background || background->Width <= 0 || background->Height <= 0) continue;
            double xScale = 1.0, yScale = 1.0;
            if (layer.Stretch) {
                xScale = static_cast<double>(Width) / background->Width;
                yScale = static_cast<double>(Height) / background->Height;
            }
            background->DrawTiled(canvas, Moved(layer.X, -offsetX), Moved(layer.Y, -offsetY), layer.TileH, layer.TileV, xScale,
                                  yScale);
        }
    };
    drawLayers(false);

    SortInstances(0, game);
    SortTiles(0, 0);
    std::size_t nextTile = 0;
    auto drawTile = [&](const RoomTile& tile) {
        const CBackground* background = tile.Background >= 0 ? game.BackgroundAt(tile.Background) : nullptr;
        if (!background) return;
        background->DrawPart(canvas, Moved(tile.X, -offsetX), Moved(tile.Y, -offsetY),
                             DrawRect{tile.Left, tile.Top, Moved(tile.Left, tile.Width), Moved(tile.Top, tile.Height)});
    };
    for (const RoomInstance& instance : mInstances) {
        const CObject* object = game.ObjectAt(instance.Object);
        if (!object) continue;
        // On equal depth the tile comes first.
        while (nextTile < mTiles.size() && mTiles[nextTile].Depth >= object->Depth) drawTile(mTiles[nextTile++]);
        if (const CSprite* sprite = SpriteOfObject(game, *object)) {
            sprite->DrawAt(canvas, Moved(instance.X, -offsetX), Moved(instance.Y, -offsetY));
        }
    }
    while (nextTile < mTiles.size()) drawTile(mTiles[nextTile++]);

    drawLayers(true);
}

void CRoom::RemapAfterMerge(std::int32_t backgroundOffset, std::int32_t objectOffset, RoomIdSource& ids) {
    for (RoomBackground& layer : mLayers) {
        if (layer.Background >= 0) layer.Background = MergedIndex(layer.Background, backgroundOffset);
    }
    for (RoomInstance& instance : mInstances) {
        instance.Object = MergedIndex(instance.Object, objectOffset);
        instance.Id = ids.NewInstanceId();
    }
    for (RoomTile& tile : mTiles) {
        tile.Background = MergedIndex(tile.Background, backgroundOffset);
        tile.Id = ids.NewTileId();
    }
}

// The stored record.

bool CRoom::LoadFromStream(CStream& stream) {
    Clear();
    try {
        if (ReadRecord(stream)) return true;
    } catch (...) {
        Clear();
        throw;
    }
    Clear();
    return false;
}

bool CRoom::ReadRecord(CStream& stream) {
    const std::int32_t version = stream.ReadInteger();
    if (version < kRoomOldestVersion || version > kRoomVersion) return false;
    const bool current = version >= 520;
    Caption = stream.ReadString();
    Width = stream.ReadInteger();
    Height = stream.ReadInteger();
    SnapY = stream.ReadInteger();
    SnapX = stream.ReadInteger();
    if (current) Isometric = stream.ReadBoolean();
    Speed = stream.ReadInteger();
    Persistent = stream.ReadBoolean();
    Color = stream.ReadInteger();
    DrawColor = stream.ReadBoolean();
    CreationCode = stream.ReadString();

    const std::int32_t layerCount = stream.ReadInteger();
    if (layerCount < 0 || layerCount > kRoomLayerCount) return false;
    for (int i = 0; i < layerCount; ++i) {
        RoomBackground& layer = mLayers[i];
        layer.Visible = stream.ReadBoolean();
        layer.Foreground = stream.ReadBoolean();
        layer.Background = stream.ReadInteger();
        layer.X = stream.ReadInteger();
        layer.Y = stream.ReadInteger();
        layer.TileH = stream.ReadBoolean();
        layer.TileV = stream.ReadBoolean();
        layer.HSpeed = stream.ReadInteger();
        layer.VSpeed = stream.ReadInteger();
        if (current) layer.Stretch = stream.ReadBoolean();
    }

    ViewsEnabled = stream.ReadBoolean();
    const std::int32_t viewCount = stream.ReadInteger();
    if (viewCount < 0 || viewCount > kRoomViewCount) return false;
    for (int i = 0; i < viewCount; ++i) {
        RoomView& view = mViews[i];
        view.Visible = stream.ReadBoolean();
        for (std::int32_t* field : {&view.ViewX, &view.ViewY, &view.ViewW, &view.ViewH, &view.PortX, &view.PortY,
                                    &view.HBorder, &view.VBorder, &view.HSpeed, &view.VSpeed, &view.Follow}) {
            *field = stream.ReadInteger();
        }
    }

    const std::size_t instanceCount = static_cast<std::size_t>(std::max(0, stream.ReadInteger()));
    if (instanceCount > stream.Remaining() / kInstanceRecordMin) throw StreamReadError();
    mInstances.reserve(instanceCount);
    for (std::size_t i = 0; i < instanceCount; ++i) {
        RoomInstance instance;
        instance.X = stream.ReadInteger();
        instance.Y = stream.ReadInteger();
        instance.Object = stream.ReadInteger();
        instance.Id = stream.ReadInteger();
        instance.Code = stream.ReadString();
        instance.Locked = stream.ReadBoolean();
        mInstances.push_back(std::move(instance));
    }

    const std::size_t tileCount = static_cast<std::size_t>(std::max(0, stream.ReadInteger()));
    if (tileCount > stream.Remaining() / kTileRecordMin) throw StreamReadError();
    mTiles.reserve(tileCount);
    for (std::size_t i = 0; i < tileCount; ++i) {
        RoomTile tile;
        for (std::int32_t* field : {&tile.X, &tile.Y, &tile.Background, &tile.Left, &tile.Top, &tile.Width,
                                    &tile.Height, &tile.Depth, &tile.Id}) {
            *field = stream.ReadInteger();
        }
        if (current) tile.Locked = stream.ReadBoolean();
        mTiles.push_back(tile);
    }

    RoomEditorSettings& settings = EditorSettings;
    settings.Remembered = stream.ReadBoolean();
    settings.WindowWidth = stream.ReadInteger();
    settings.WindowHeight = stream.ReadInteger();
    std::vector<bool*> flags = {&settings.ShowGrid,        &settings.ShowObjects,      &settings.ShowTiles,
                                &settings.ShowBackgrounds, &settings.ShowForegrounds,  &settings.ShowViews,
                                &settings.DeleteUnderlyingObjects, &settings.DeleteUnderlyingTiles};
    if (!current) {
        // The older layout had two more flags, fourth and tenth; they are dropped.
        flags.insert(flags.begin() + 3, nullptr);
        flags.push_back(nullptr);
    }
    for (bool* flag : flags) {
        const bool value = stream.ReadBoolean();
        if (flag) *flag = value;
    }
    settings.TileWidth = stream.ReadInteger();
    settings.TileHeight = stream.ReadInteger();
    settings.TileHSep = stream.ReadInteger();
    settings.TileVSep = stream.ReadInteger();
    if (current) {
        settings.TileXOffset = stream.ReadInteger();
        settings.TileYOffset = stream.ReadInteger();
    }
    settings.ActiveTab = stream.ReadInteger();
    settings.HScroll = stream.ReadInteger();
    settings.VScroll = stream.ReadInteger();
    return true;
}

void CRoom::SaveToStream(CStream& stream, const ResourceLookup& game) {
    RemoveInvalid(game);
    SaveToStream(stream);
}

void CRoom::SaveToStream(CStream& stream) const {
    stream.WriteInteger(kRoomVersion);
    stream.WriteString(Caption);
    stream.WriteInteger(Width);
    stream.WriteInteger(Height);
    stream.WriteInteger(SnapY);
    stream.WriteInteger(SnapX);
    stream.WriteBoolean(Isometric);
    stream.WriteInteger(Speed);
    stream.WriteBoolean(Persistent);
    stream.WriteInteger(Color);
    stream.WriteBoolean(DrawColor);
    stream.WriteString(CreationCode);
    stream.WriteInteger(kRoomLayerCount);
    for (const RoomBackground& layer : mLayers) {
        stream.WriteBoolean(layer.Visible);
        stream.WriteBoolean(layer.Foreground);
        stream.WriteInteger(layer.Background);
        stream.WriteInteger(layer.X);
        stream.WriteInteger(layer.Y);
        stream.WriteBoolean(layer.TileH);
        stream.WriteBoolean(layer.TileV);
        stream.WriteInteger(layer.HSpeed);
        stream.WriteInteger(layer.VSpeed);
        stream.WriteBoolean(layer.Stretch);
    }
    stream.WriteBoolean(ViewsEnabled);
    stream.WriteInteger(kRoomViewCount);
    for (const RoomView& view : mViews) {
        stream.WriteBoolean(view.Visible);
        for (std::int32_t field : {view.ViewX, view.ViewY, view.ViewW, view.ViewH, view.PortX, view.PortY,
                                   view.HBorder, view.VBorder, view.HSpeed, view.VSpeed, view.Follow}) {
            stream.WriteInteger(field);
        }
    }
    stream.WriteInteger(InstanceCount());
    for (const RoomInstance& instance : mInstances) {
        stream.WriteInteger(instance.X);
        stream.WriteInteger(instance.Y);
        stream.WriteInteger(instance.Object);
        stream.WriteInteger(instance.Id);
        stream.WriteString(instance.Code);
        stream.WriteBoolean(instance.Locked);
    }
    stream.WriteInteger(TileCount());
    for (const RoomTile& tile : mTiles) {
        for (std::int32_t field : {tile.X, tile.Y, tile.Background, tile.Left, tile.Top, tile.Width, tile.Height,
                                   tile.Depth, tile.Id}) {
            stream.WriteInteger(field);
        }
        stream.WriteBoolean(tile.Locked);
    }
    const RoomEditorSettings& settings = EditorSettings;
    stream.WriteBoolean(settings.Remembered);
    stream.WriteInteger(settings.WindowWidth);
    stream.WriteInteger(settings.WindowHeight);
    for (bool flag : {settings.ShowGrid, settings.ShowObjects, settings.ShowTiles, settings.ShowBackgrounds,
                      settings.ShowForegrounds, settings.ShowViews, settings.DeleteUnderlyingObjects,
                      settings.DeleteUnderlyingTiles}) {
        stream.WriteBoolean(flag);
    }
    stream.WriteInteger(settings.TileWidth);
    stream.WriteInteger(settings.TileHeight);
    stream.WriteInteger(settings.TileHSep);
    stream.WriteInteger(settings.TileVSep);
    stream.WriteInteger(settings.TileXOffset);
    stream.WriteInteger(settings.TileYOffset);
    stream.WriteInteger(settings.ActiveTab);
    stream.WriteInteger(settings.HScroll);
    stream.WriteInteger(settings.VScroll);
}

}  // namespace kestrin
