#pragma once
// Drawing the particles of a system onto a canvas. Shapes are made here
// rather than read from files: each is a 16 x 16 picture (the pixel 1 x 1)
// that a particle of size 1 shows at that size, in its colour and alpha. A
// system that is not sprite based draws them as plain opaque figures
// instead. A sprite is tinted with the particle's colour: white leaves it
// as it is.

#include <cstdint>
#include <functional>
#include <unordered_map>

#include "engine/particle_systems.h"
#include "imaging/bitmap24.h"

namespace kestrin::engine {

class Canvas;
struct SpriteFrames;

class ParticleDrawer {
public:
    using SpriteLookup = std::function<const SpriteFrames*(int sprite)>;

    // The particles as they are now, moved by (dx, dy).
    void Draw(const ParticleSystems& model, const ParticleSystem& system, Canvas& canvas, double dx, double dy,
              const SpriteLookup& sprites);

    // Whether the shape covers the pixel of its picture.
    static bool ShapeCovers(int shape, int x, int y);
    static int ShapeSize(int shape) { return shape == kShapePixel ? 1 : 16; }

private:
    const Bitmap24& ShapeImage(int shape, std::uint32_t color);
    void DrawFigure(Canvas& canvas, int shape, double x, double y, double size, std::uint32_t color);

    // Pictures by shape and colour, forgotten all at once when too many
    // colours have been asked for.
    std::unordered_map<std::uint64_t, Bitmap24> mImages;
};

}  // namespace kestrin::engine
