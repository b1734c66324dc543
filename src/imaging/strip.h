#pragma once
// Cutting frames out of a strip picture: the ten strip settings (kept for the
// whole run and shared by every import), where each frame lies, the cutting
// walk, and what the answer to the placement question does to an incoming
// frame of another size.

#include <optional>
#include <string>
#include <vector>

#include "imaging/bitmap24.h"

namespace kestrin {

struct StripSettings {
    int number = 1;   // frames to cut
    int perRow = 1;   // frames per row
    int width = 32;   // frame size
    int height = 32;
    int xOffset = 0;  // margin
    int yOffset = 0;
    int hCell = 0;    // frame widths skipped from the left
    int vCell = 0;    // frame heights skipped from the top
    int xSep = 0;     // gaps between frames and rows
    int ySep = 0;
};

// The settings of this run.
StripSettings& CurrentStripSettings();

struct StripPoint {
    int x = 0;
    int y = 0;
    bool operator==(const StripPoint&) const = default;
};

// Top-left corner of frame k (from 0).
StripPoint StripFramePosition(const StripSettings& settings, int k);

// The frames the settings ask for stay within the image limits, each and
// all together.
bool StripFramesFit(const StripSettings& settings);

// The frames, each width x height, cut in order; parts of a rectangle outside
// the picture keep the empty-frame colour. None when number is not positive
// or the frames would exceed the image limits.
std::optional<std::vector<Image>> CutStrip(const Bitmap24& picture, const StripSettings& settings);

// Steps 1, 2, 6 of an import without its window: decode the file and cut it.
// None (after "Could not load the file.") when the file cannot be decoded.
std::optional<std::vector<Image>> CutStripFromFile(const std::string& fileName, const StripSettings& settings);

// The answers of the placement question.
inline constexpr int kPlacementCancel = -1;
inline constexpr int kPlacementTopLeft = 0;
inline constexpr int kPlacementCentre = 1;
inline constexpr int kPlacementStretch = 2;

// An incoming frame brought to the frame-set size as the answer asks: the
// canvas resized with placement 7 or 5, or the picture stretched with
// quality 3. None for the cancel answer.
Image ApplyPlacementAnswer(const Bitmap24& frame, int answer, int width, int height, bool transparent);

}  // namespace kestrin
