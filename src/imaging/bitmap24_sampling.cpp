// The sampling operations: stretch, rotate by any angle, scale, filter, blur.
// Sample positions are worked out once per column and per row, then each
// result row is filled in one pass over its pixels.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "imaging/bitmap24_ops.h"

namespace kestrin {

namespace {

// round(sum / count) with halves to even, for non-negative sums.
inline int RoundDiv(std::int64_t sum, std::int64_t count) {
    std::int64_t q = sum / count, r = sum % count;
    if (2 * r > count || (2 * r == count && (q & 1))) ++q;
    return static_cast<int>(q);
}

inline int RoundHalfEven(double v) { return static_cast<int>(std::lrint(v)); }

// The same rounding without a library call, for the inner sampling loops:
// adding and taking away 1.5 * 2^52 leaves v rounded to an integer, halves
// to even, for any |v| below 2^51 (sample coordinates are far smaller).
inline int RoundHalfEvenFast(double v) {
    constexpr double kShift = 6755399441055744.0;
    return static_cast<int>((v + kShift) - kShift);
}

// Sums of the colour samples of one result pixel and the averaging rule
// shared by the sampling operations.
struct SampleSum {
    std::int64_t blue = 0, green = 0, red = 0;
    int used = 0, transparent = 0;

    void Add(const std::uint8_t* p, bool t, const std::uint8_t* key) {
        if (t && p[0] == key[0] && p[1] == key[1] && p[2] == key[2]) {
            ++transparent;
        } else {
            blue += p[0];
            green += p[1];
            red += p[2];
            ++used;
        }
    }
    // Leaves the pixel alone (it holds the transparent colour) unless the
    // colour samples win.
    void Store(std::uint8_t* d) const {
        if (used == 0 || used < transparent) return;
        d[0] = static_cast<std::uint8_t>(RoundDiv(blue, used));
        d[1] = static_cast<std::uint8_t>(RoundDiv(green, used));
        d[2] = static_cast<std::uint8_t>(RoundDiv(red, used));
    }
};

void KeyBytes(ColorValue c, std::uint8_t key[3]) {
    key[0] = static_cast<std::uint8_t>(BlueOf(c));
    key[1] = static_cast<std::uint8_t>(GreenOf(c));
    key[2] = static_cast<std::uint8_t>(RedOf(c));
}

}  // namespace

Image Bitmap24_Stretch(const Bitmap24* image, int width, int height, bool t, int quality) {
    if (!Bitmap24Guard(image, "Stretch")) return nullptr;
    int w = image->Width(), h = image->Height();
    ColorValue tc = image->TransparentColor();
    auto result = std::make_unique<Bitmap24>(width, height, tc);
    int W = result->Width(), H = result->Height();

    if (quality <= 1) {
        // Nearest neighbour: result column x shows source column x * w div W.
        std::vector<int> columns(W);
        for (int x = 0; x < W; ++x) columns[x] = static_cast<int>(static_cast<std::int64_t>(x) * w / W);
        for (int y = 0; y < H; ++y) {
            const std::uint8_t* s = image->Row(static_cast<int>(static_cast<std::int64_t>(y) * h / H));
            std::uint8_t* d = result->Row(y);
            for (int x = 0; x < W; ++x, d += 3) std::memcpy(d, s + 3 * columns[x], 3);
        }
        return result;
    }

    int n = quality;
    double sx = static_cast<double>(W) / w, sy = static_cast<double>(H) / h;
    // Source column of sample l of result column x (-1 outside), and likewise rows.
    std::vector<int> columns(static_cast<std::size_t>(W) * n), rows(static_cast<std::size_t>(H) * n);
    for (int x = 0; x < W; ++x)
        for (int l = 0; l < n; ++l) {
            int c = RoundHalfEven((x + static_cast<double>(l) / n) / sx);
            columns[static_cast<std::size_t>(x) * n + l] = c >= 0 && c < w ? c : -1;
        }
    for (int y = 0; y < H; ++y)
        for (int k = 0; k < n; ++k) {
            int r = RoundHalfEven((y + static_cast<double>(k) / n) / sy);
            rows[static_cast<std::size_t>(y) * n + k] = r >= 0 && r < h ? r : -1;
        }
    std::uint8_t key[3];
    KeyBytes(tc, key);
    std::vector<SampleSum> sums(W);
    for (int y = 0; y < H; ++y) {
        std::fill(sums.begin(), sums.end(), SampleSum{});
        for (int k = 0; k < n; ++k) {
            int r = rows[static_cast<std::size_t>(y) * n + k];
            if (r < 0) continue;
            const std::uint8_t* s = image->Row(r);
            const int* col = columns.data();
            for (int x = 0; x < W; ++x) {
                SampleSum& sum = sums[x];
                for (int l = 0; l < n; ++l, ++col)
                    if (*col >= 0) sum.Add(s + 3 * *col, t, key);
            }
        }
        std::uint8_t* d = result->Row(y);
        for (int x = 0; x < W; ++x, d += 3) sums[x].Store(d);
    }
    return result;
}

Image Bitmap24_Rotate(const Bitmap24* image, int quality, bool t, double degrees) {
    if (!Bitmap24Guard(image, "Rotate")) return nullptr;
    // fmod rather than repeated steps of 360, so a huge angle cannot hang.
    double a = std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0.0;
    if (a < 0) a += 360;
    if (a >= 360) a -= 360;
    if (a == 0) return Bitmap24_CreateCopy(image);
    if (a == 90) return Bitmap24_Rotate90(image, false, false);
    if (a == 180) return Bitmap24_Rotate180(image);
    if (a == 270) return Bitmap24_Rotate90(image, true, false);

    int w = image->Width(), h = image->Height();
    int n = quality < 1 ? 1 : quality;
    ColorValue tc = image->TransparentColor();
    auto result = std::make_unique<Bitmap24>(w, h, tc);
    double radians = a * std::numbers::pi / 180;
    double c = std::cos(radians), s = std::sin(radians);
    double cx = w / 2.0, cy = h / 2.0;
    // The x and y parts of both source coordinates, per sample position.
    std::vector<double> xc(static_cast<std::size_t>(w) * n), xs(xc.size());
    for (int x = 0; x < w; ++x)
        for (int l = 0; l < n; ++l) {
            double px = x + static_cast<double>(l) / n;
            xc[static_cast<std::size_t>(x) * n + l] = (px - cx) * c;
            xs[static_cast<std::size_t>(x) * n + l] = (px - cx) * s;
        }
    std::uint8_t key[3];
    KeyBytes(tc, key);
    std::vector<SampleSum> sums(w);
    for (int y = 0; y < h; ++y) {
        std::fill(sums.begin(), sums.end(), SampleSum{});
        for (int k = 0; k < n; ++k) {
            double py = y + static_cast<double>(k) / n;
            double ys = (py - cy) * s, yc = (py - cy) * c;
            std::size_t i = 0;
            for (int x = 0; x < w; ++x) {
                SampleSum& sum = sums[x];
                for (int l = 0; l < n; ++l, ++i) {
                    int col = RoundHalfEvenFast(cx + xc[i] - ys);
                    int row = RoundHalfEvenFast(cy + xs[i] + yc);
                    if (col >= 0 && col < w && row >= 0 && row < h) sum.Add(image->Row(row) + 3 * col, t, key);
                }
            }
        }
        std::uint8_t* d = result->Row(y);
        for (int x = 0; x < w; ++x, d += 3) sums[x].Store(d);
    }
    return result;
}

namespace {

Image ScaleTo(const Bitmap24* image, int width, int height, bool t, bool newSize, int placement, int quality) {
    Image stretched = Bitmap24_Stretch(image, width, height, t, quality);
    if (!stretched || newSize) return stretched;
    auto result = std::make_unique<Bitmap24>(image->Width(), image->Height(), image->TransparentColor());
    int x, y;
    PlacementPosition(placement, result->Width(), result->Height(), stretched->Width(), stretched->Height(), x, y);
    result->Draw(*stretched, x, y);
    return result;
}

}  // namespace

Image Bitmap24_Scale(const Bitmap24* image, int quality, int placement, bool t, bool newSize, double factorX,
                     double factorY) {
    if (!Bitmap24Guard(image, "Scale")) return nullptr;
    // Sizes beyond the image limits (or not numbers at all) are cut to them
    // before they become integers.
    auto size = [](double v) {
        if (!(v > 0)) return 0;
        return v > kMaxImageSide ? kMaxImageSide : RoundHalfEven(v);
    };
    return ScaleTo(image, size(image->Width() * factorX), size(image->Height() * factorY), t, newSize, placement,
                   quality);
}

Image Bitmap24_ScaleSize(const Bitmap24* image, int width, int height, bool t, bool newSize, int placement,
                         int quality) {
    if (!Bitmap24Guard(image, "ScaleSize")) return nullptr;
    return ScaleTo(image, width, height, t, newSize, placement, quality);
}

Image Bitmap24_Filter(const Bitmap24* image, int kernelWidth, int kernelHeight, bool t,
                      const std::vector<double>& weights) {
    if (!Bitmap24Guard(image, "Filter")) return nullptr;
    int w = image->Width(), h = image->Height();
    ColorValue tc = image->TransparentColor();
    auto result = std::make_unique<Bitmap24>(w, h, tc);
    if (kernelWidth < 1 || kernelHeight < 1 ||
        weights.size() < static_cast<std::size_t>(kernelWidth) * static_cast<std::size_t>(kernelHeight))
        return result;
    std::uint8_t key[3];
    KeyBytes(tc, key);
    int ox = kernelWidth / 2, oy = kernelHeight / 2;
    for (int y = 0; y < h; ++y) {
        std::uint8_t* d = result->Row(y);
        for (int x = 0; x < w; ++x, d += 3) {
            double blue = 0, green = 0, red = 0, weightSum = 0;
            int used = 0, transparent = 0;
            for (int ky = 0; ky < kernelHeight; ++ky) {
                int sy = y + ky - oy;
                if (sy < 0 || sy >= h) continue;
                const std::uint8_t* row = image->Row(sy);
                for (int kx = 0; kx < kernelWidth; ++kx) {
                    int sx = x + kx - ox;
                    if (sx < 0 || sx >= w) continue;
                    const std::uint8_t* p = row + 3 * sx;
                    if (t && p[0] == key[0] && p[1] == key[1] && p[2] == key[2]) {
                        ++transparent;
                        continue;
                    }
                    double weight = weights[static_cast<std::size_t>(ky) * kernelWidth + kx];
                    ++used;
                    weightSum += weight;
                    blue += weight * p[0];
                    green += weight * p[1];
                    red += weight * p[2];
                }
            }
            if (weightSum > 0 && used >= transparent) {
                auto channel = [weightSum](double sum) {
                    double v = std::nearbyint(sum / weightSum);
                    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
                };
                d[0] = channel(blue);
                d[1] = channel(green);
                d[2] = channel(red);
            }
        }
    }
    return result;
}

Image Bitmap24_Blur(const Bitmap24* image, int amount, bool t) {
    if (!Bitmap24Guard(image, "Filter")) return nullptr;
    if (amount < 0) amount = 0;
    // A box of equal weights is separable: sum each row's window, then sum
    // those sums down each column's window. The counts of used and
    // transparent samples are summed the same way.
    int w = image->Width(), h = image->Height();
    ColorValue tc = image->TransparentColor();
    auto result = std::make_unique<Bitmap24>(w, h, tc);
    std::uint8_t key[3];
    KeyBytes(tc, key);
    constexpr int kFields = 5;  // blue, green, red, used, transparent
    std::vector<std::int32_t> rowSums(static_cast<std::size_t>(w) * h * kFields);
    std::vector<std::int32_t> values(static_cast<std::size_t>(w) * kFields);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = image->Row(y);
        for (int x = 0; x < w; ++x, s += 3) {
            std::int32_t* v = &values[static_cast<std::size_t>(x) * kFields];
            bool seeThrough = t && s[0] == key[0] && s[1] == key[1] && s[2] == key[2];
            v[0] = seeThrough ? 0 : s[0];
            v[1] = seeThrough ? 0 : s[1];
            v[2] = seeThrough ? 0 : s[2];
            v[3] = seeThrough ? 0 : 1;
            v[4] = seeThrough ? 1 : 0;
        }
        std::int32_t window[kFields] = {0, 0, 0, 0, 0};
        for (int x = 0; x < amount && x < w; ++x)
            for (int f = 0; f < kFields; ++f) window[f] += values[static_cast<std::size_t>(x) * kFields + f];
        std::int32_t* out = &rowSums[static_cast<std::size_t>(y) * w * kFields];
        for (int x = 0; x < w; ++x) {
            int enter = x + amount, leave = x - amount - 1;
            if (enter < w)
                for (int f = 0; f < kFields; ++f) window[f] += values[static_cast<std::size_t>(enter) * kFields + f];
            if (leave >= 0)
                for (int f = 0; f < kFields; ++f) window[f] -= values[static_cast<std::size_t>(leave) * kFields + f];
            std::memcpy(out + static_cast<std::size_t>(x) * kFields, window, sizeof window);
        }
    }
    std::vector<std::int32_t> column(static_cast<std::size_t>(w) * kFields, 0);
    std::size_t rowFields = static_cast<std::size_t>(w) * kFields;
    for (int y = 0; y < amount && y < h; ++y)
        for (std::size_t i = 0; i < rowFields; ++i) column[i] += rowSums[static_cast<std::size_t>(y) * rowFields + i];
    for (int y = 0; y < h; ++y) {
        int enter = y + amount, leave = y - amount - 1;
        if (enter < h)
            for (std::size_t i = 0; i < rowFields; ++i) column[i] += rowSums[static_cast<std::size_t>(enter) * rowFields + i];
        if (leave >= 0)
            for (std::size_t i = 0; i < rowFields; ++i) column[i] -= rowSums[static_cast<std::size_t>(leave) * rowFields + i];
        std::uint8_t* d = result->Row(y);
        for (int x = 0; x < w; ++x, d += 3) {
            const std::int32_t* v = &column[static_cast<std::size_t>(x) * kFields];
            if (v[3] == 0 || v[3] < v[4]) continue;
            d[0] = static_cast<std::uint8_t>(RoundDiv(v[0], v[3]));
            d[1] = static_cast<std::uint8_t>(RoundDiv(v[1], v[3]));
            d[2] = static_cast<std::uint8_t>(RoundDiv(v[2], v[3]));
        }
    }
    return result;
}

}  // namespace kestrin
