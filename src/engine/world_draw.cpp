// Drawing a frame of the room, the first visible view, scrolling
// backgrounds and views that follow an instance; the caption.

#include <algorithm>
#include <cmath>

#include "engine/canvas.h"
#include "engine/world.h"
#include "resources/event_types.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

std::string Number(double value) {
    const double rounded = std::round(value);
    return std::to_string(static_cast<long long>(rounded));
}

}  // namespace

const RoomView* World::ShownView() const {
    if (!mRoom.viewsEnabled) return nullptr;
    for (const RoomView& view : mRoom.views)
        if (view.Visible && view.ViewW > 0 && view.ViewH > 0) return &view;
    return nullptr;
}

double World::ViewLeft() const {
    const RoomView* view = ShownView();
    return view ? view->ViewX : 0;
}

double World::ViewTop() const {
    const RoomView* view = ShownView();
    return view ? view->ViewY : 0;
}

void World::FrameSize(int& width, int& height) const {
    const RoomView* view = ShownView();
    width = view ? view->ViewW : mRoom.width;
    height = view ? view->ViewH : mRoom.height;
}

std::string World::Caption() const {
    std::string caption = mValues.roomCaption;
    auto add = [&](const std::string& label, double value) {
        if (!caption.empty()) caption += "  ";
        caption += label + Number(value);
    };
    if (mValues.showScore) add(mValues.captionScore, mValues.score);
    if (mValues.showLives) add(mValues.captionLives, mValues.lives);
    if (mValues.showHealth) add(mValues.captionHealth, mValues.health);
    return caption;
}

void World::ScrollBackgrounds() {
    for (int i = 0; i < kRoomLayerCount; ++i) {
        mRoom.layerX[i] += mRoom.layers[i].HSpeed;
        mRoom.layerY[i] += mRoom.layers[i].VSpeed;
    }
}

void World::FollowViews() {
    if (!mRoom.viewsEnabled) return;
    for (RoomView& view : mRoom.views) {
        if (!view.Visible || view.Follow < 0) continue;
        std::vector<Instance*> followed = InstancesOf(view.Follow);
        if (followed.empty()) continue;
        const Instance& target = *followed.front();
        // Keep the instance at least a border away from each edge, moving at
        // most the view's speed per step (-1: no limit).
        auto follow = [](std::int32_t& at, std::int32_t size, std::int32_t border, std::int32_t speed, double pos,
                         int roomSize) {
            double wanted = at;
            if (pos - at < border) wanted = pos - border;
            if (at + size - pos < border) wanted = pos + border - size;
            wanted = std::clamp(wanted, 0.0, static_cast<double>(std::max(0, roomSize - size)));
            double move = wanted - at;
            if (speed >= 0) move = std::clamp(move, -static_cast<double>(speed), static_cast<double>(speed));
            at += static_cast<std::int32_t>(std::lround(move));
        };
        follow(view.ViewX, view.ViewW, view.HBorder, view.HSpeed, target.x, mRoom.width);
        follow(view.ViewY, view.ViewH, view.VBorder, view.VSpeed, target.y, mRoom.height);
    }
}

void World::DrawLayers(Canvas& canvas, bool foreground, int offsetX, int offsetY) {
    for (int i = 0; i < kRoomLayerCount; ++i) {
        const RoomBackground& layer = mRoom.layers[i];
        if (!layer.Visible || layer.Foreground != foreground || layer.Background < 0) continue;
        const CBackground* background = mGame.Backgrounds().ResourceAt(layer.Background);
        if (!background || background->Width <= 0 || background->Height <= 0) continue;
        double xScale = 1.0, yScale = 1.0;
        if (layer.Stretch) {
            xScale = static_cast<double>(mRoom.width) / background->Width;
            yScale = static_cast<double>(mRoom.height) / background->Height;
        }
        background->DrawTiled(canvas, static_cast<int>(std::floor(mRoom.layerX[i])) - offsetX,
                              static_cast<int>(std::floor(mRoom.layerY[i])) - offsetY, layer.TileH, layer.TileV,
                              xScale, yScale);
    }
}

void World::DrawInstance(Canvas& canvas, Instance& instance) {
    const ObjectEntry* entry = mObjects.Entry(instance.object);
    if (entry && entry->events[kEventDraw].size() > 0 && entry->events[kEventDraw][0].event) {
        RunEvent(entry->events[kEventDraw][0], instance, nullptr, kEventDraw, 0);
        return;
    }
    const SpriteFrames* sprite = Sprite(instance.spriteIndex);
    if (!sprite || sprite->FrameCount() == 0) return;
    const Bitmap24& image = *sprite->images[sprite->FrameOf(instance.imageIndex)];
    canvas.DrawImage(image, static_cast<int>(std::floor(instance.x)) - sprite->xorigin,
                     static_cast<int>(std::floor(instance.y)) - sprite->yorigin, sprite->transparent);
}

void World::Draw(Canvas& canvas) {
    const RoomView* view = ShownView();
    const int offsetX = view ? view->ViewX : 0, offsetY = view ? view->ViewY : 0;
    canvas.SetOrigin(0, 0);
    if (mRoom.drawColor) {
        const DrawRect clip = canvas.ClipRect();
        canvas.Rectangle(clip.left, clip.top, clip.right - 1, clip.bottom - 1, static_cast<ColorValue>(mRoom.color),
                         false);
    }
    DrawLayers(canvas, false, offsetX, offsetY);

    // Deepest first; tiles before instances of the same depth.
    std::vector<Instance*> order;
    for (auto& instance : mInstances)
        if (instance->alive && instance->visible) order.push_back(instance.get());
    std::stable_sort(order.begin(), order.end(), [](const Instance* a, const Instance* b) { return a->depth > b->depth; });
    std::vector<const RoomTile*> tiles;
    for (const RoomTile& tile : mRoom.tiles) tiles.push_back(&tile);
    std::stable_sort(tiles.begin(), tiles.end(), [](const RoomTile* a, const RoomTile* b) { return a->Depth > b->Depth; });

    canvas.SetOrigin(offsetX, offsetY);
    mCanvas = &canvas;
    std::size_t nextTile = 0;
    auto drawTile = [&](const RoomTile& tile) {
        const CBackground* background = mGame.Backgrounds().ResourceAt(tile.Background);
        if (!background) return;
        background->DrawPart(canvas, tile.X, tile.Y,
                             DrawRect{tile.Left, tile.Top, tile.Left + tile.Width, tile.Top + tile.Height});
    };
    for (Instance* instance : order) {
        while (nextTile < tiles.size() && tiles[nextTile]->Depth >= instance->depth) drawTile(*tiles[nextTile++]);
        if (instance->alive) DrawInstance(canvas, *instance);
        if (mEnded) break;
    }
    while (nextTile < tiles.size()) drawTile(*tiles[nextTile++]);
    mCanvas = nullptr;

    canvas.SetOrigin(0, 0);
    DrawLayers(canvas, true, offsetX, offsetY);
}

}  // namespace kestrin::engine
