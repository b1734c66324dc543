#pragma once
// Where the game's frame goes in its window. In a window the frame fills it
// (the player may have resized it), and the window first takes the frame's
// size times the game's windowed scale. Full screen, the frame is shown at
// the game's full-screen scale, centred, with black around it; scale 0
// makes it as large as the screen allows without changing its shape.

namespace kestrin::runner {

struct FrameRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const FrameRect&, const FrameRect&) = default;
};

// The window's size for a frame at a scale in percent (1..999; anything
// else is taken as 100), at least one pixel each way.
void ScaledWindowSize(int frameWidth, int frameHeight, int scale, int& width, int& height);

FrameRect PlaceFrame(int windowWidth, int windowHeight, int frameWidth, int frameHeight, bool fullScreen,
                     int fullScale);

// A point of the window as a point of the frame placed there.
void WindowToFrame(const FrameRect& placed, int frameWidth, int frameHeight, double x, double y, double& frameX,
                   double& frameY);

}  // namespace kestrin::runner
