#pragma once
// The picture of the path editor's drawing: white, the room behind the path,
// the snap grid drawn with exclusive-or, the path as a black line with a
// yellow line on it, and the control points.

#include <QImage>
#include <QPoint>
#include <QRect>

namespace kestrin {

class CPath;
class PathIndex;

struct PathPictureState {
    QPoint origin;  // room coordinates of the top-left pixel
    bool showGrid = true;
    int selected = -1;
    int hovered = -1;  // the point under the mouse, -1 for none
};

// Paints the whole image (RGB32). roomPicture, when not null, was drawn at
// the same origin and size.
void DrawPathPicture(QImage& image, const CPath& path, const QImage* roomPicture, const PathPictureState& state);
// Paints only the area of the image, each pixel there as a whole paint
// would: enough when only the marks within the area changed. An index made
// from the path as it is now spares testing the parts of it far from the
// view; without one (or with one made before the path grew or shrank) every
// part is tested.
void DrawPathPicture(QImage& image, const CPath& path, const QImage* roomPicture, const PathPictureState& state,
                     const QRect& area, const PathIndex* index = nullptr);

// The pixels a control point's mark can cover, in view coordinates.
QRect PathMarkArea(QPointF viewPosition);

}  // namespace kestrin
