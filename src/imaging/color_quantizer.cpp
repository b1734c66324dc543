// Median-cut colour quantisation with nearest-colour mapping.

#include "imaging/color_quantizer.h"

#include <algorithm>
#include <array>

namespace kestrin {

namespace {

struct Entry {
    std::array<int, 3> channel;  // red, green, blue
    std::uint32_t count;
};

struct Box {
    std::size_t begin, end;  // range of the entry list
    int widest = 0;          // channel with the largest range
    int range = 0;
};

void Measure(const std::vector<Entry>& entries, Box& box) {
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], entries[i].channel[c]);
            hi[c] = std::max(hi[c], entries[i].channel[c]);
        }
    box.range = -1;
    for (int c = 0; c < 3; ++c)
        if (hi[c] - lo[c] > box.range) {
            box.range = hi[c] - lo[c];
            box.widest = c;
        }
}

}  // namespace

ColorQuantizer::ColorQuantizer(const std::vector<const Bitmap24*>& images, int maxColors) {
    std::unordered_map<ColorValue, std::uint32_t> histogram;
    for (const Bitmap24* image : images) {
        if (!image) continue;
        for (int y = 0; y < image->Height(); ++y) {
            const std::uint8_t* p = image->Row(y);
            for (int x = 0; x < image->Width(); ++x, p += 3) ++histogram[PixelColor(p)];
        }
    }
    if (histogram.empty()) {
        mPalette.push_back(0);
        return;
    }
    if (static_cast<int>(histogram.size()) <= maxColors) {
        for (const auto& [color, count] : histogram) mPalette.push_back(color);
        std::sort(mPalette.begin(), mPalette.end());
        for (std::size_t i = 0; i < mPalette.size(); ++i) mNearest[mPalette[i]] = static_cast<std::uint8_t>(i);
        return;
    }
    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (const auto& [color, count] : histogram) entries.push_back({{RedOf(color), GreenOf(color), BlueOf(color)}, count});
    // Keep the cut independent of the hash order.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.channel < b.channel; });

    std::vector<Box> boxes{{0, entries.size()}};
    Measure(entries, boxes[0]);
    while (static_cast<int>(boxes.size()) < maxColors) {
        // Split the box with the widest channel range at its weighted median.
        auto it = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            bool aSplit = a.end - a.begin > 1, bSplit = b.end - b.begin > 1;
            if (aSplit != bSplit) return !aSplit;
            return a.range < b.range;
        });
        if (it->end - it->begin < 2) break;
        Box box = *it;
        int c = box.widest;
        std::sort(entries.begin() + static_cast<std::ptrdiff_t>(box.begin), entries.begin() + static_cast<std::ptrdiff_t>(box.end),
                  [c](const Entry& a, const Entry& b) { return a.channel[c] < b.channel[c] || (a.channel[c] == b.channel[c] && a.channel < b.channel); });
        std::uint64_t total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) total += entries[i].count;
        std::uint64_t running = 0;
        std::size_t cut = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end - 1; ++i) {
            running += entries[i].count;
            cut = i + 1;
            if (2 * running >= total) break;
        }
        Box first{box.begin, cut}, second{cut, box.end};
        Measure(entries, first);
        Measure(entries, second);
        *it = first;
        boxes.push_back(second);
    }
    for (const Box& box : boxes) {
        std::array<std::uint64_t, 3> sum{0, 0, 0};
        std::uint64_t count = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c) sum[c] += static_cast<std::uint64_t>(entries[i].channel[c]) * entries[i].count;
            count += entries[i].count;
        }
        mPalette.push_back(MakeColor(static_cast<int>((sum[0] + count / 2) / count), static_cast<int>((sum[1] + count / 2) / count),
                                     static_cast<int>((sum[2] + count / 2) / count)));
    }
}

std::uint8_t ColorQuantizer::IndexOf(ColorValue color) {
    auto found = mNearest.find(color);
    if (found != mNearest.end()) return found->second;
    int best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < mPalette.size(); ++i) {
        int dr = RedOf(color) - RedOf(mPalette[i]), dg = GreenOf(color) - GreenOf(mPalette[i]),
            db = BlueOf(color) - BlueOf(mPalette[i]);
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    mNearest[color] = static_cast<std::uint8_t>(best);
    return static_cast<std::uint8_t>(best);
}

}  // namespace kestrin
