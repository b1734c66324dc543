// Building the paint list: show rules, the depth merge of instances and
// tiles, culling; and drawing a list through the core drawing target.

#include "editors/room_paint_list.h"

#include <algorithm>
#include <optional>

#include "imaging/draw_target.h"
#include "resources/background.h"
#include "resources/object.h"
#include "resources/room.h"
#include "resources/sprite.h"

namespace kestrin {

namespace {

constexpr int kPlaceholderSize = 16;
constexpr ColorValue kBlack = 0;

// What drawing needs of one object, looked up once per list instead of once
// per instance.
struct ObjectLook {
    bool exists = false;
    std::int32_t depth = 0;
    std::int32_t sprite = -1;  // -1: the placeholder
    std::int32_t xOrigin = 0, yOrigin = 0, width = kPlaceholderSize, height = kPlaceholderSize;
};

ObjectLook LookUp(const ResourceLookup& game, std::int32_t index) {
    ObjectLook look;
    const CObject* object = game.ObjectAt(index);
    if (!object) return look;
    look.exists = true;
    look.depth = object->Depth;
    if (const CSprite* sprite = object->Sprite >= 0 ? game.SpriteAt(object->Sprite) : nullptr) {
        look.sprite = object->Sprite;
        look.xOrigin = sprite->XOrigin;
        look.yOrigin = sprite->YOrigin;
        look.width = sprite->Width;
        look.height = sprite->Height;
    }
    return look;
}

class ObjectLooks {
public:
    explicit ObjectLooks(const ResourceLookup& game) : mGame(game) {
        mLooks.resize(static_cast<std::size_t>(std::max(0, game.ResourceCount(ResourceKind::Object))));
        for (std::size_t i = 0; i < mLooks.size(); ++i) mLooks[i] = LookUp(game, static_cast<std::int32_t>(i));
    }
    ObjectLook operator()(std::int32_t index) const {
        if (index >= 0 && static_cast<std::size_t>(index) < mLooks.size()) return mLooks[index];
        return LookUp(mGame, index);
    }

private:
    const ResourceLookup& mGame;
    std::vector<ObjectLook> mLooks;
};

RoomArea AreaOf(const RoomInstance& instance, const ObjectLook& look) {
    if (!look.exists) return {};
    const std::int64_t left = std::int64_t{instance.X} - look.xOrigin;
    const std::int64_t top = std::int64_t{instance.Y} - look.yOrigin;
    return {left, top, left + look.width, top + look.height};
}

RoomArea AreaOf(const RoomTile& tile) {
    return {tile.X, tile.Y, std::int64_t{tile.X} + tile.Width, std::int64_t{tile.Y} + tile.Height};
}

bool DrawableLayer(const RoomBackground& layer, const ResourceLookup& game) {
    if (!layer.Visible || layer.Background < 0) return false;
    const CBackground* background = game.BackgroundAt(layer.Background);
    return background && background->Width > 0 && background->Height > 0;
}

int Clamped(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

RoomArea RoomArea::United(const RoomArea& other) const {
    if (Empty()) return other;
    if (other.Empty()) return *this;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

RoomArea RoomArea::Intersected(const RoomArea& other) const {
    RoomArea result{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                    std::min(bottom, other.bottom)};
    return result.Empty() ? RoomArea{} : result;
}

RoomArea InstanceArea(const CRoom& room, int index, const ResourceLookup& game) {
    if (index < 0 || index >= room.InstanceCount()) return {};
    const RoomInstance& instance = room.Instances()[index];
    return AreaOf(instance, LookUp(game, instance.Object));
}

RoomArea TileArea(const CRoom& room, int index) {
    if (index < 0 || index >= room.TileCount()) return {};
    return AreaOf(room.Tiles()[index]);
}

void SortRoomForDrawing(CRoom& room, const ResourceLookup& game) {
    room.SortInstances(0, game);
    room.SortTiles(0, 0);
}

RoomPaintList BuildRoomPaintList(const CRoom& room, const ResourceLookup& game, const RoomShowRules& rules,
                                 const RoomArea& area) {
    RoomPaintList list;
    const bool onBackgrounds = rules.tab == RoomTab::Backgrounds;
    const bool backgrounds = rules.backgrounds || (onBackgrounds && !rules.selectedLayerForeground);
    const bool foregrounds = rules.foregrounds || (onBackgrounds && rules.selectedLayerForeground);
    // System colours (high byte set) cannot be shown; their low bytes are.
    list.fill = backgrounds && room.DrawColor ? static_cast<ColorValue>(room.Color) & 0xFFFFFF : kBlack;
    for (int i = 0; i < kRoomLayerCount; ++i) {
        const RoomBackground layer = room.GetLayer(i);
        if (!DrawableLayer(layer, game)) continue;
        if (!layer.Foreground && backgrounds) list.backgroundLayers.push_back(i);
        if (layer.Foreground && foregrounds) list.foregroundLayers.push_back(i);
    }

    const bool objects = rules.objects || rules.tab == RoomTab::Objects;
    const bool onTiles = rules.tab == RoomTab::Tiles;
    const ObjectLooks looks(game);
    const std::vector<RoomInstance>& instances = room.Instances();
    const std::vector<RoomTile>& tiles = room.Tiles();
    std::size_t nextTile = 0;
    auto addTile = [&](int index) {
        const RoomTile& tile = tiles[index];
        if (!rules.tiles && !(onTiles && tile.Depth == rules.currentLayer)) return;
        if (!AreaOf(tile).Intersects(area)) return;
        list.items.push_back({RoomPaintItem::Kind::Tile, index, tile.Background, tile.X, tile.Y});
    };
    for (std::size_t i = 0; i < instances.size(); ++i) {
        const ObjectLook look = looks(instances[i].Object);
        if (!look.exists) continue;
        // On equal depth the tile comes first.
        while (nextTile < tiles.size() && tiles[nextTile].Depth >= look.depth) addTile(static_cast<int>(nextTile++));
        if (!objects) continue;
        const RoomArea extent = AreaOf(instances[i], look);
        if (!extent.Intersects(area)) continue;
        list.items.push_back({look.sprite >= 0 ? RoomPaintItem::Kind::Sprite : RoomPaintItem::Kind::Placeholder,
                              static_cast<int>(i), look.sprite, extent.left, extent.top});
    }
    while (nextTile < tiles.size()) addTile(static_cast<int>(nextTile++));

    list.grid = rules.grid;
    list.views = room.ViewsEnabled && (rules.views || rules.tab == RoomTab::Views);
    return list;
}

void PaintRoomList(const RoomPaintList& list, const CRoom& room, const ResourceLookup& game, DrawTarget& target,
                   std::int64_t offsetX, std::int64_t offsetY, const Bitmap24* placeholder) {
    const DrawRect clip = target.ClipRect();
    if (clip.right > clip.left && clip.bottom > clip.top)
        target.DrawStretched(Bitmap24(1, 1, list.fill), clip.left, clip.top, clip.right - clip.left,
                             clip.bottom - clip.top, false);
    auto drawLayers = [&](const std::vector<int>& layers) {
        for (int i : layers) {
            const RoomBackground layer = room.GetLayer(i);
            const CBackground* background = game.BackgroundAt(layer.Background);
            if (!background) continue;
            double xScale = 1.0, yScale = 1.0;
            if (layer.Stretch) {
                xScale = static_cast<double>(room.Width) / background->Width;
                yScale = static_cast<double>(room.Height) / background->Height;
            }
            background->DrawTiled(target, Clamped(layer.X - offsetX), Clamped(layer.Y - offsetY), layer.TileH,
                                  layer.TileV, xScale, yScale);
        }
    };
    drawLayers(list.backgroundLayers);
    for (const RoomPaintItem& item : list.items) {
        const int x = Clamped(item.x - offsetX), y = Clamped(item.y - offsetY);
        switch (item.kind) {
            case RoomPaintItem::Kind::Sprite:
                if (const CSprite* sprite = game.SpriteAt(item.resource))
                    sprite->DrawAt(target, Clamped(item.x + sprite->XOrigin - offsetX),
                                   Clamped(item.y + sprite->YOrigin - offsetY));
                break;
            case RoomPaintItem::Kind::Placeholder:
                if (placeholder) target.DrawImage(*placeholder, x, y, true);
                break;
            case RoomPaintItem::Kind::Tile: {
                const RoomTile& tile = room.Tiles()[item.index];
                if (const CBackground* background = game.BackgroundAt(tile.Background))
                    background->DrawPart(target, x, y,
                                         DrawRect{tile.Left, tile.Top, Clamped(std::int64_t{tile.Left} + tile.Width),
                                                  Clamped(std::int64_t{tile.Top} + tile.Height)});
                break;
            }
        }
    }
    drawLayers(list.foregroundLayers);
}

}  // namespace kestrin
