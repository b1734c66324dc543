// Generated frame sequences.

#include "resources/animation_create.h"

#include <cmath>

#include "imaging/bitmap24_ops.h"
#include "platform/delayed_progress.h"

namespace kestrin {

namespace {

std::unique_ptr<TAnimation> EmptyLike(const TAnimation& source) {
    auto result = std::make_unique<TAnimation>(source.Width(), source.Height());
    result->SetTransparent(source.Transparent());
    return result;
}

const Bitmap24* S(const TAnimation& source, int k) { return source.GetImage(k % source.FrameCount()); }

// round(256 k / (n - 1)); the sequences that use it are offered for n > 1 only.
int Ramp(int k, int n) { return static_cast<int>(std::nearbyint(256.0 * k / std::max(n - 1, 1))); }

// Frame k of the result is make(k); nothing for an empty source.
template <typename Make>
std::unique_ptr<TAnimation> Generate(const TAnimation& source, int n, Make make) {
    auto result = EmptyLike(source);
    if (source.FrameCount() == 0) return result;
    for (int k = 0; k < n; ++k) {
        if (Image frame = make(k)) result->AddImage(*frame);
        ReportProgressStep(k + 1, n);
    }
    return result;
}

std::unique_ptr<TAnimation> ScaleSequence(const TAnimation& source, int n, int placement, bool grow, bool horizontal,
                                          bool vertical) {
    bool t = source.Transparent();
    return Generate(source, n, [&](int k) {
        double f = grow ? static_cast<double>(k + 1) / n : 1 - static_cast<double>(k) / n;
        return Bitmap24_Scale(S(source, k), 3, placement, t, false, horizontal ? f : 1.0, vertical ? f : 1.0);
    });
}

// Flatten and raise squeeze vertically for the top and bottom centre
// placements and horizontally for every other one.
std::unique_ptr<TAnimation> SquashSequence(const TAnimation& source, int n, int placement, bool grow) {
    bool vertical = placement == 2 || placement == 8;
    return ScaleSequence(source, n, placement, grow, !vertical, vertical);
}

}  // namespace

std::unique_ptr<TAnimation> Animation_SetLength(const TAnimation& source, int n) {
    return Generate(source, n, [&](int k) { return Bitmap24_CreateCopy(S(source, k)); });
}

std::unique_ptr<TAnimation> Animation_StretchLength(const TAnimation& source, int n) {
    int count = source.FrameCount();
    return Generate(source, n, [&](int k) {
        return Bitmap24_CreateCopy(source.GetImage(static_cast<int>(std::int64_t{k} * count / n)));
    });
}

std::unique_ptr<TAnimation> Animation_Reverse(const TAnimation& source) {
    int count = source.FrameCount();
    return Generate(source, count, [&](int k) { return Bitmap24_CreateCopy(source.GetImage(count - 1 - k)); });
}

std::unique_ptr<TAnimation> Animation_AddReverse(const TAnimation& source) {
    int count = source.FrameCount();
    return Generate(source, 2 * count, [&](int k) {
        return Bitmap24_CreateCopy(source.GetImage(k < count ? k : 2 * count - 1 - k));
    });
}

std::unique_ptr<TAnimation> Animation_Translation(const TAnimation& source, int n, int dx, int dy) {
    return Generate(source, n, [&](int k) {
        return Bitmap24_Shift(S(source, k), static_cast<int>(std::nearbyint(static_cast<double>(k) * dx / n)),
                              static_cast<int>(std::nearbyint(static_cast<double>(k) * dy / n)));
    });
}

std::unique_ptr<TAnimation> Animation_Rotation(const TAnimation& source, int n, double degrees) {
    return Generate(source, n, [&](int k) {
        return Bitmap24_Rotate(S(source, k), 3, source.Transparent(), degrees * k / n);
    });
}

std::unique_ptr<TAnimation> Animation_Colorize(const TAnimation& source, int n, int hue) {
    bool t = source.Transparent();
    return Generate(source, n, [&](int k) {
        Image coloured = Bitmap24_SetHue(S(source, k), hue, t);
        return Bitmap24_Morph(S(source, k), coloured.get(), Ramp(k, n), t);
    });
}

std::unique_ptr<TAnimation> Animation_FadeTo(const TAnimation& source, int n, ColorValue color) {
    return Generate(source, n, [&](int k) { return Bitmap24_Fade(S(source, k), color, Ramp(k, n), source.Transparent()); });
}

std::unique_ptr<TAnimation> Animation_Shrink(const TAnimation& source, int n, int placement) {
    return ScaleSequence(source, n, placement, false, true, true);
}

std::unique_ptr<TAnimation> Animation_Grow(const TAnimation& source, int n, int placement) {
    return ScaleSequence(source, n, placement, true, true, true);
}

std::unique_ptr<TAnimation> Animation_Disappear(const TAnimation& source, int n) {
    return Generate(source, n, [&](int k) {
        return Bitmap24_Transparency(S(source, k), static_cast<int>(std::int64_t{256} * k / n));
    });
}

std::unique_ptr<TAnimation> Animation_Flatten(const TAnimation& source, int n, int placement) {
    return SquashSequence(source, n, placement, false);
}

std::unique_ptr<TAnimation> Animation_Raise(const TAnimation& source, int n, int placement) {
    return SquashSequence(source, n, placement, true);
}

std::unique_ptr<TAnimation> Animation_Overlay(const TAnimation& source, const TAnimation& other, int n) {
    if (other.FrameCount() == 0) return EmptyLike(source);
    return Generate(source, n, [&](int k) { return Bitmap24_Overlay(S(source, k), S(other, k), 0); });
}

std::unique_ptr<TAnimation> Animation_Morph(const TAnimation& source, const TAnimation& other, int n) {
    if (other.FrameCount() == 0) return EmptyLike(source);
    return Generate(source, n, [&](int k) {
        return Bitmap24_Morph(S(source, k), S(other, k), Ramp(k, n), source.Transparent());
    });
}

}  // namespace kestrin
