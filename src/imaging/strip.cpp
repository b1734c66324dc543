// Strip cutting and the placement answers.

#include "imaging/strip.h"

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
    int perRow = s.perRow < 1 ? 1 : s.perRow;
    int column = k % perRow, row = k / perRow;
    return {s.xOffset + s.width * s.hCell + column * (s.width + s.xSep),
            s.yOffset + s.height * s.vCell + row * (s.height + s.ySep)};
}

std::optional<std::vector<Image>> CutStrip(const Bitmap24& picture, const StripSettings& s) {
    if (s.number <= 0 || s.width < 1 || s.height < 1 || s.width > kMaxImageSide || s.height > kMaxImageSide ||
        std::int64_t{s.number} * s.width * s.height > kMaxAnimationPixels)
        return std::nullopt;
    int perRow = s.perRow < 1 ? 1 : s.perRow;
    std::vector<Image> frames;
    frames.reserve(static_cast<std::size_t>(s.number));
    int startX = s.xOffset + s.width * s.hCell;
    int x = startX, y = s.yOffset + s.height * s.vCell, column = 0;
    for (int k = 0; k < s.number; ++k) {
        auto frame = std::make_unique<Bitmap24>(s.width, s.height, kEmptyFrameColor);
        frame->CopyRect(picture, x, y, x + s.width, y + s.height, 0, 0);
        frames.push_back(std::move(frame));
        if (column + 1 == perRow) {
            x = startX;
            y += s.height + s.ySep;
            column = 0;
        } else {
            x += s.width + s.xSep;
            ++column;
        }
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
