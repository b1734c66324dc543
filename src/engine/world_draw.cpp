// Drawing a frame of the room through its visible views, the mouse seen
// through them, scrolling backgrounds and views that follow an instance; the
// caption.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "engine/canvas.h"
#include "engine/particle_draw.h"
#include "engine/world.h"
#include "resources/background.h"
#include "resources/event_types.h"
#include "storage/game.h"

namespace kestrin::engine {

namespace {

std::string Number(double value) {
    const double rounded = std::round(value);
    return std::to_string(static_cast<long long>(rounded));
}

}  // namespace

std::vector<int> World::ShownViews() const {
    std::vector<int> shown;
    if (!mRoom.viewsEnabled) return shown;
    for (int i = 0; i < kRoomViewCount; ++i) {
        const RoomView& view = mRoom.views[i];
        if (view.Visible && view.ViewW > 0 && view.ViewH > 0) shown.push_back(i);
    }
    return shown;
}

// A port is as large as its view: the room is shown unscaled.
DrawRect World::PortBox() const {
    DrawRect box{0, 0, mRoom.width, mRoom.height};
    bool first = true;
    for (int i : ShownViews()) {
        const RoomView& v = mRoom.views[i];
        const DrawRect port{v.PortX, v.PortY, v.PortX + v.ViewW, v.PortY + v.ViewH};
        if (first) box = port;
        else box = {std::min(box.left, port.left), std::min(box.top, port.top), std::max(box.right, port.right),
                    std::max(box.bottom, port.bottom)};
        first = false;
    }
    return box;
}

void World::FrameSize(int& width, int& height) const {
    const DrawRect box = PortBox();
    width = box.right - box.left;
    height = box.bottom - box.top;
}

void World::MouseInRoom(double& x, double& y) const {
    const std::vector<int> shown = ShownViews();
    x = mInput.MouseX();
    y = mInput.MouseY();
    if (shown.empty()) return;
    const DrawRect box = PortBox();
    const double sx = x + box.left, sy = y + box.top;
    const RoomView* through = &mRoom.views[shown.front()];
    for (int i : shown) {
        const RoomView& v = mRoom.views[i];
        if (sx >= v.PortX && sx < v.PortX + v.ViewW && sy >= v.PortY && sy < v.PortY + v.ViewH) {
            through = &v;
            break;
        }
    }
    x = sx - through->PortX + through->ViewX;
    y = sy - through->PortY + through->ViewY;
}

double World::MouseRoomX() const {
    double x, y;
    MouseInRoom(x, y);
    return x;
}

double World::MouseRoomY() const {
    double x, y;
    MouseInRoom(x, y);
    return y;
}

int World::TakeRoomTransition(int& frames) {
    const int kind = mTransition;
    frames = std::max(1, mTransitionFrames);
    mTransition = 0;
    return kind;
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
    ImageTransform transform;
    transform.xorigin = sprite->xorigin;
    transform.yorigin = sprite->yorigin;
    transform.xscale = instance.imageXScale;
    transform.yscale = instance.imageYScale;
    transform.alpha = instance.imageAlpha;
    canvas.DrawTransformed(image, DrawRect{0, 0, image.Width(), image.Height()},
                           static_cast<int>(std::floor(instance.x)), static_cast<int>(std::floor(instance.y)), transform,
                           sprite->transparent);
}

void World::DrawTile(Canvas& canvas, const PlayedTile& tile) {
    const CBackground* background = mGame.Backgrounds().ResourceAt(tile.Background);
    if (!tile.look.visible || !background) return;
    // In 64 bits: a far corner plus a large size from a room file must not wrap around.
    auto end = [](std::int32_t start, std::int32_t size) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{start} + size, INT32_MIN, INT32_MAX));
    };
    const DrawRect part{tile.Left, tile.Top, end(tile.Left, tile.Width), end(tile.Top, tile.Height)};
    if (tile.look == TileLook{}) {
        background->DrawPart(canvas, tile.X, tile.Y, part);
        return;
    }
    const Bitmap24* image = background->DisplayImage();
    if (!image) return;
    // Only the part inside the picture shows; the corner asked for stays
    // at the tile's position, so a part reaching out before the picture
    // starts further in, as unscaled tiles are drawn.
    const DrawRect inside{std::max(part.left, 0), std::max(part.top, 0), part.right, part.bottom};
    ImageTransform transform;
    transform.xorigin = static_cast<double>(part.left) - inside.left;
    transform.yorigin = static_cast<double>(part.top) - inside.top;
    transform.xscale = tile.look.xscale;
    transform.yscale = tile.look.yscale;
    transform.alpha = tile.look.alpha;
    canvas.DrawTransformed(*image, inside, tile.X, tile.Y, transform, background->Transparent);
}

void World::DrawParticles(Canvas& canvas, const ParticleSystem& system, double dx, double dy) {
    mParticleDrawer->Draw(*mParticles, system, canvas, dx, dy, [this](int sprite) { return Sprite(sprite); });
}

const Bitmap24* World::LastFrame() const { return mFrameCanvas ? &mFrameCanvas->Picture() : nullptr; }

void World::Draw(Canvas& canvas) {
    Canvas* const stepCanvas = mFrameCanvas;
    mFrameCanvas = &canvas;
    DrawViews(canvas);
    mFrameCanvas = stepCanvas;
}

void World::DrawViews(Canvas& canvas) {
    const std::vector<int> shown = ShownViews();
    if (shown.empty()) {
        canvas.BeginPort(DrawRect{0, 0, mRoom.width, mRoom.height});
        DrawRoomPart(canvas, 0, 0);
        canvas.EndPort();
        return;
    }
    // What no port covers stays black.
    const DrawRect box = PortBox();
    canvas.BeginPort(DrawRect{0, 0, box.right - box.left, box.bottom - box.top});
    canvas.SetOrigin(0, 0);
    canvas.Rectangle(0, 0, box.right - box.left - 1, box.bottom - box.top - 1, 0, false);
    canvas.EndPort();
    for (int i : shown) {
        if (mEnded) break;
        const RoomView& v = mRoom.views[i];
        mViewCurrent = i;
        canvas.BeginPort(DrawRect{v.PortX - box.left, v.PortY - box.top, v.PortX - box.left + v.ViewW,
                                  v.PortY - box.top + v.ViewH});
        // A draw event may move the view; this port shows where it was.
        DrawRoomPart(canvas, v.ViewX, v.ViewY);
        canvas.EndPort();
    }
    mViewCurrent = 0;
}

void World::DrawRoomPart(Canvas& canvas, int offsetX, int offsetY) {
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
    std::vector<const PlayedTile*> tiles;
    for (const PlayedTile& tile : mRoom.tiles) tiles.push_back(&tile);
    std::stable_sort(tiles.begin(), tiles.end(),
                     [](const PlayedTile* a, const PlayedTile* b) { return a->Depth > b->Depth; });

    canvas.SetOrigin(offsetX, offsetY);
    mCanvas = &canvas;
    std::size_t nextTile = 0;
    // Particle systems by handle, since draw events may make or destroy some.
    std::vector<std::pair<double, int>> systems;
    if (!mParticles->NoSystems()) {
        mParticles->ForEachSystem([&](int handle, const ParticleSystem& system) {
            if (system.automaticDraw) systems.emplace_back(system.depth, handle);
        });
        std::stable_sort(systems.begin(), systems.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    }
    std::size_t nextSystem = 0;
    auto drawSystem = [&](int handle) {
        const ParticleSystem* system = mParticles->System(handle);
        if (system && system->automaticDraw) DrawParticles(canvas, *system, 0, 0);
    };
    // Tiles and systems down to the depth: tiles of that depth too, systems
    // only deeper, so a system shows over the instances of its own depth.
    auto drawDownTo = [&](double depth, bool all) {
        for (;;) {
            const bool tile = nextTile < tiles.size() && (all || tiles[nextTile]->Depth >= depth);
            const bool system = nextSystem < systems.size() && (all || systems[nextSystem].first > depth);
            if (!tile && !system) return;
            if (tile && (!system || tiles[nextTile]->Depth >= systems[nextSystem].first))
                DrawTile(canvas, *tiles[nextTile++]);
            else
                drawSystem(systems[nextSystem++].second);
        }
    };
    for (Instance* instance : order) {
        drawDownTo(instance->depth, false);
        if (instance->alive) DrawInstance(canvas, *instance);
        if (mEnded) break;
    }
    drawDownTo(0, true);
    mCanvas = nullptr;

    canvas.SetOrigin(0, 0);
    DrawLayers(canvas, true, offsetX, offsetY);
}

}  // namespace kestrin::engine
