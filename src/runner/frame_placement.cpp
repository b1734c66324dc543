// The frame's place in the window and the window's scaled size.

#include "runner/frame_placement.h"

#include <algorithm>
#include <cstdint>

namespace kestrin::runner {

namespace {

int ValidScale(int scale) { return scale >= 1 && scale <= 999 ? scale : 100; }

int Scaled(int size, int scale) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{size} * scale / 100, 1, 1 << 20));
}

}  // namespace

void ScaledWindowSize(int frameWidth, int frameHeight, int scale, int& width, int& height) {
    width = Scaled(std::max(frameWidth, 1), ValidScale(scale));
    height = Scaled(std::max(frameHeight, 1), ValidScale(scale));
}

FrameRect PlaceFrame(int windowWidth, int windowHeight, int frameWidth, int frameHeight, bool fullScreen,
                     int fullScale) {
    if (!fullScreen || frameWidth <= 0 || frameHeight <= 0) return {0, 0, windowWidth, windowHeight};
    int width, height;
    if (fullScale == 0) {
        // The larger of the two fits is too large one way.
        if (std::int64_t{windowWidth} * frameHeight <= std::int64_t{windowHeight} * frameWidth) {
            width = windowWidth;
            height = static_cast<int>(std::int64_t{frameHeight} * windowWidth / frameWidth);
        } else {
            height = windowHeight;
            width = static_cast<int>(std::int64_t{frameWidth} * windowHeight / frameHeight);
        }
    } else {
        ScaledWindowSize(frameWidth, frameHeight, fullScale, width, height);
    }
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

void WindowToFrame(const FrameRect& placed, int frameWidth, int frameHeight, double x, double y, double& frameX,
                   double& frameY) {
    frameX = (x - placed.x) * frameWidth / std::max(1, placed.width);
    frameY = (y - placed.y) * frameHeight / std::max(1, placed.height);
}

}  // namespace kestrin::runner
