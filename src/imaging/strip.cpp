// Strip cutting and the placement answers.

#include "imaging/strip.h"

#include <algorithm>
#include <cstdint>

#include "imaging/bitmap24_ops.h"
#include "imaging/gif_codec.h"
#include "imaging/picture.h"
#include "platform/user_interface.h"

namespace kestrin {

StripSettings& CurrentStripSettings() {
    static StripSettings settings;
    return settings;
}

StripPoint StripFramePosition(const StripSettings& s, int k) {
    std::int64_t perRow = s.perRow < 1 ? 1 : s.perRow;
    std::int64_t column = k % perRow, row = k / perRow;
    // Offsets, cells and gaps have no limit; in 64 bits nothing overflows, and
    // a position far beyond any picture is held where a frame's far edge
    // still fits in an int.
    auto hold = [](std::int64_t v) {
        constexpr std::int64_t kFar = std::int64_t{1} << 30;
        return static_cast<int>(std::clamp(v, -kFar, kFar));
    };
    return {hold(std::int64_t{s.xOffset} + std::int64_t{s.width} * s.hCell + column * (std::int64_t{s.width} + s.xSep)),
            hold(std::int64_t{s.yOffset} + std::int64_t{s.height} * s.vCell + row * (std::int64_t{s.height} + s.ySep))};
}

bool StripFramesFit(const StripSettings& s) {
    return s.width >= 1 && s.height >= 1 && s.width <= kMaxImageSide && s.height <= kMaxImageSide &&
           std::int64_t{s.number} * s.width * s.height <= kMaxAnimationPixels;
}

std::optional<std::vector<Image>> CutStrip(const Bitmap24& picture, const StripSettings& s) {
    if (s.number <= 0 || !StripFramesFit(s)) return std::nullopt;
    std::vector<Image> frames;
    frames.reserve(static_cast<std::size_t>(s.number));
    for (int k = 0; k < s.number; ++k) {
        StripPoint at = StripFramePosition(s, k);
        auto frame = std::make_unique<Bitmap24>(s.width, s.height, kEmptyFrameColor);
        frame->CopyRect(picture, at.x, at.y, at.x + s.width, at.y + s.height, 0, 0);
        frames.push_back(std::move(frame));
    }
    return frames;
}

std::optional<std::vector<Image>> CutStripFromFile(const std::string& fileName, const StripSettings& settings) {
    auto picture = ReadPictureFile(fileName);
    if (!picture) {
        ShowMessage("Could not load the file.");
        return std::nullopt;
    }
    Image working = Bitmap24_FromGraphic(*picture, true);
    return CutStrip(*working, settings);
}

Image ApplyPlacementAnswer(const Bitmap24& frame, int answer, int width, int height, bool transparent) {
    switch (answer) {
    case kPlacementCancel: return nullptr;
    case kPlacementCentre: return Bitmap24_Resize(&frame, width, height, 5);
    case kPlacementStretch: return Bitmap24_Stretch(&frame, width, height, transparent, 3);
    default: return Bitmap24_Resize(&frame, width, height, 7);
    }
}

}  // namespace kestrin
