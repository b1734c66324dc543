#pragma once
// Pixel writing for the path editor's picture: lines, marks and the
// exclusive-or grid written straight into an RGB32 image. A long path puts
// thousands of short wide segments and small discs in view; handing each to
// a painter costs far more than the few pixels it covers.

#include <QImage>
#include <QPointF>
#include <functional>
#include <vector>

class QPainter;

namespace kestrin {

// A small figure (a disc, a square) as runs of one colour each, measured
// from its centre pixel.
class PathMark {
public:
    // Paints the figure once, centred on a pixel no more than reach pixels
    // from any of its own, without antialiasing, and keeps its opaque pixels.
    static PathMark Render(int reach, const std::function<void(QPainter&, QPointF centre)>& paint);

private:
    struct Run {
        int dy;
        int dx0;
        int dx1;  // inclusive
        QRgb colour;
    };

    friend class PathRaster;
    std::vector<Run> mRuns;
};

// Writes only inside a rectangle of the image: a partial redraw leaves the
// rest as it was, and every pixel inside comes out as a whole redraw makes it.
class PathRaster {
public:
    PathRaster(QImage& image, const QRect& area);

    void Fill(QRgb colour);
    // The same pixels of a picture of at least 32 bits per pixel.
    void CopyFrom(const QImage& picture);
    // A segment from one pixel centre up to, not including, the step of the
    // other, as a polyline's next segment starts there. The width is
    // measured across the line, so a slanted line covers more rows per
    // column.
    void Line(QPointF a, QPointF b, QRgb colour, int width);
    // A square of pixels around the pixel nearest to the centre: a round
    // join of a narrow line.
    void Block(QPointF centre, QRgb colour, int reach);
    void Stamp(const PathMark& mark, QPointF centre);
    // Inverts the columns and then the rows at the given image coordinates,
    // so that where two lines cross the picture shows through again.
    void XorGridLines(const std::vector<int>& columns, const std::vector<int>& rows);

private:
    QRgb* Row(int y);
    void Span(int row, int x0, int x1, QRgb colour);

    QRect mArea;
    uchar* mBits = nullptr;
    qsizetype mStride = 0;
};

}  // namespace kestrin
