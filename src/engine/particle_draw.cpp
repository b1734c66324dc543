// Particle pictures and figures. A picture's bottom-left pixel is its
// see-through colour, so every shape but the square and the pixel leaves
// that corner empty.

#include "engine/particle_draw.h"

#include <algorithm>
#include <cmath>

#include "engine/canvas.h"
#include "engine/sprite_masks.h"

namespace kestrin::engine {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kMaxImages = 4096;
constexpr double kDrawable = 1e8;  // positions beyond are off any canvas
// What a system may cover in one frame, counting each particle's whole box:
// particles grown huge cost time however little of them shows, so past
// this the rest of the system is left out of the frame.
constexpr double kPixelBudget = 64.0 * 1024 * 1024;
// Plain figures walk their whole outline even off the canvas.
constexpr double kMaxFigureHalf = 256;

// Whether the point lies in the five-pointed star of the given radii.
bool InStar(double x, double y, double outer, double inner) {
    double corners[10][2];
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? outer : inner, a = (90.0 + 36.0 * i) * kPi / 180.0;
        corners[i][0] = r * std::cos(a);
        corners[i][1] = -r * std::sin(a);
    }
    bool inside = false;
    for (int i = 0, j = 9; i < 10; j = i++) {
        const double xi = corners[i][0], yi = corners[i][1], xj = corners[j][0], yj = corners[j][1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

}  // namespace

bool ParticleDrawer::ShapeCovers(int shape, int x, int y) {
    const double dx = x - 7.5, dy = y - 7.5;
    switch (shape) {
        case kShapeDisk: return dx * dx + dy * dy <= 64.0;
        case kShapeSquare: return true;
        case kShapeDiamond: return std::fabs(dx) + std::fabs(dy) <= 8.0;
        case kShapeStar: return InStar(dx, dy, 8.0, 3.4);
        case kShapePlus: return std::fabs(dx) < 2.0 || std::fabs(dy) < 2.0;
        case kShapeCross: return (std::fabs(dx - dy) < 2.5 || std::fabs(dx + dy) < 2.5) && dx * dx + dy * dy <= 56.25;
        default: return true;  // the pixel
    }
}

const Bitmap24& ParticleDrawer::ShapeImage(int shape, std::uint32_t color) {
    const std::uint64_t key = (static_cast<std::uint64_t>(shape) << 32) | color;
    auto found = mImages.find(key);
    if (found != mImages.end()) return found->second;
    if (mImages.size() >= kMaxImages) mImages.clear();
    const int size = ShapeSize(shape);
    // Anything but the colour itself does as the see-through colour.
    Bitmap24 image(size, size, color ^ 0x808080u);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (ShapeCovers(shape, x, y)) image.SetPixel(x, y, color);
    return mImages.emplace(key, std::move(image)).first->second;
}

void ParticleDrawer::DrawFigure(Canvas& canvas, int shape, double x, double y, double size, std::uint32_t color) {
    const double half = std::min(ShapeSize(shape) * size / 2, kMaxFigureHalf);
    const int left = static_cast<int>(std::floor(x - half)), right = static_cast<int>(std::floor(x + half));
    const int top = static_cast<int>(std::floor(y - half)), bottom = static_cast<int>(std::floor(y + half));
    const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    switch (shape) {
        case kShapeDisk: canvas.Ellipse(left, top, right, bottom, color, false); break;
        case kShapeDiamond:
            canvas.Line(cx, top, right, cy, color);
            canvas.Line(right, cy, cx, bottom, color);
            canvas.Line(cx, bottom, left, cy, color);
            canvas.Line(left, cy, cx, top, color);
            break;
        case kShapeStar:
        case kShapePlus:
        case kShapeCross:
            if (shape != kShapeCross) {
                canvas.Line(cx, top, cx, bottom, color);
                canvas.Line(left, cy, right, cy, color);
            }
            if (shape != kShapePlus) {
                canvas.Line(left, top, right, bottom, color);
                canvas.Line(left, bottom, right, top, color);
            }
            break;
        default: canvas.Rectangle(left, top, std::max(left, right - 1), std::max(top, bottom - 1), color, false);
    }
}

void ParticleDrawer::Draw(const ParticleSystems& model, const ParticleSystem& system, Canvas& canvas, double dx,
                          double dy, const SpriteLookup& sprites) {
    const std::size_t count = system.particles.size();
    double budget = kPixelBudget;
    for (std::size_t k = 0; k < count; ++k) {
        const Particle& p = system.particles[system.oldToNew ? k : count - 1 - k];
        const ParticleType* look = model.Type(p.look);
        if (!look || !(p.size > 0)) continue;
        const double alpha = std::clamp(model.AlphaOf(p), 0.0, 1.0);
        const double x = p.x + dx, y = p.y + dy;
        if (!(alpha > 0) || !(std::fabs(x) < kDrawable && std::fabs(y) < kDrawable)) continue;
        ImageTransform transform;
        transform.xscale = transform.yscale = p.size;
        transform.alpha = alpha;
        const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
        const SpriteFrames* sprite = look->sprite >= 0 ? sprites(look->sprite) : nullptr;
        const bool drawsSprite = sprite && sprite->FrameCount() > 0;
        const double side = drawsSprite ? std::max(sprite->width, sprite->height) : ShapeSize(look->shape);
        if (budget <= 0) break;
        budget -= side * p.size * side * p.size;
        if (drawsSprite) {
            const int frames = sprite->FrameCount();
            int frame = p.frame % frames;
            if (look->animate)
                frame = look->stretch ? std::min(frames - 1, frames * p.age / std::max(1, p.life))
                                      : (p.frame + p.age) % frames;
            const Bitmap24& image = *sprite->images[frame];
            transform.xorigin = sprite->xorigin;
            transform.yorigin = sprite->yorigin;
            transform.blend = model.ColorOf(p);
            canvas.DrawTransformed(image, DrawRect{0, 0, image.Width(), image.Height()}, ix, iy, transform,
                                   sprite->transparent);
            continue;
        }
        const std::uint32_t color = model.ColorOf(p);
        if (!system.spriteBased) {
            DrawFigure(canvas, look->shape, x, y, p.size, color);
            continue;
        }
        const Bitmap24& image = ShapeImage(look->shape, color);
        // Whole-pixel origins keep a particle of size 1 on the pixel it is at.
        transform.xorigin = image.Width() / 2;
        transform.yorigin = image.Height() / 2;
        canvas.DrawTransformed(image, DrawRect{0, 0, image.Width(), image.Height()}, ix, iy, transform,
                               !ShapeCovers(look->shape, 0, image.Height() - 1));
    }
}

}  // namespace kestrin::engine
