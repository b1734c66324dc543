#pragma once
// The picture of the path editor's drawing: white, the room behind the path,
// the snap grid drawn with exclusive-or, the path as a black line with a
// yellow line on it, and the control points.

#include <QImage>
#include <QPoint>

namespace kestrin {

class CPath;

struct PathPictureState {
    QPoint origin;  // room coordinates of the top-left pixel
    bool showGrid = true;
    int selected = -1;
    int hovered = -1;  // the point under the mouse, -1 for none
};

// Paints the whole image (RGB32). roomPicture, when not null, was drawn at
// the same origin and size.
void DrawPathPicture(QImage& image, const CPath& path, const QImage* roomPicture, const PathPictureState& state);

}  // namespace kestrin
