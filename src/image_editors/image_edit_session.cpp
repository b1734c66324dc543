// The drawing tools on the working image. Figures (line and shapes) are
// drawn afresh at every move over the undo image's pixels of the previous
// figure's area, so the undo image doubles as the figure's background.

#include "image_editors/image_edit_session.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "imaging/flood_fill.h"
#include "platform/random_source.h"

namespace kestrin {

namespace {

// What a pen of the widest size can reach around a pixel.
constexpr int kPenReach = kMaxPenWidth / 2 + 1;

PixelArea AreaAround(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2) - kPenReach, std::min(y1, y2) - kPenReach, std::max(x1, x2) + kPenReach + 1,
            std::max(y1, y2) + kPenReach + 1};
}

ShapeKind ShapeOf(ImageTool tool) {
    if (tool == ImageTool::Ellipse) return ShapeKind::Ellipse;
    if (tool == ImageTool::RoundRect) return ShapeKind::RoundRect;
    return ShapeKind::Rectangle;
}

}  // namespace

void PixelArea::Add(const PixelArea& other) {
    if (other.Empty()) return;
    if (Empty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

ImageEditSession::ImageEditSession(const Bitmap24& image, DrawingSettings& settings)
    : mImage(image), mSettings(settings),
      mRandom([](int range) { return static_cast<int>(Random().Next(range)); }) {}

void ImageEditSession::TakeUndo() {
    mUndo = mImage;
    mChanged = true;
}

void ImageEditSession::TakeUndo(const Bitmap24& before) {
    mUndo = before;
    mChanged = true;
}

bool ImageEditSession::Apply(Image result) {
    if (!result) return false;
    TakeUndo();
    mImage = std::move(*result);
    return true;
}

void ImageEditSession::Undo() {
    if (!mUndo) return;
    std::swap(mImage, *mUndo);
    mChanged = true;
}

PixelArea ImageEditSession::Press(int x, int y, bool right) {
    if (mRunning) return {};
    mRight = right;
    mStartX = mLastX = x;
    mStartY = mLastY = y;
    mFigureArea = {};
    switch (mTool) {
    case ImageTool::Pick:
        // Picking changes no pixel: it keeps the last stroke's undo.
        if (mImage.Contains(x, y)) (right ? mSettings.rightColor : mSettings.leftColor) = mImage.Pixel(x, y);
        mRunning = mTool;
        return {};
    case ImageTool::Fill:
        if (!mImage.Contains(x, y) || mImage.Pixel(x, y) == DrawingColor()) return {};
        TakeUndo();
        FloodFill(mImage, x, y, DrawingColor());
        return {0, 0, mImage.Width(), mImage.Height()};
    case ImageTool::Text:
        mTextStart = std::pair{x, y};
        mTextRight = right;
        return {};
    case ImageTool::Spray:
        TakeUndo();
        mRunning = mTool;
        return SprayTick();
    case ImageTool::Paint:
        TakeUndo();
        mRunning = mTool;
        return Move(x, y);
    default:
        TakeUndo();
        mRunning = mTool;
        return DrawFigure(x, y);
    }
}

PixelArea ImageEditSession::Move(int x, int y, bool constrain) {
    if (!mRunning) return {};
    if (constrain && *mRunning != ImageTool::Paint && *mRunning != ImageTool::Pick && *mRunning != ImageTool::Spray) {
        int dx = x - mStartX, dy = y - mStartY;
        int side = std::max(std::abs(dx), std::abs(dy));
        auto toward = [side](int d) { return d < 0 ? -side : side; };
        if (*mRunning == ImageTool::Line && 2 * std::abs(dy) < std::abs(dx)) {
            dy = 0;  // nearer to horizontal
        } else if (*mRunning == ImageTool::Line && 2 * std::abs(dx) < std::abs(dy)) {
            dx = 0;  // nearer to vertical
        } else {
            dx = toward(dx);
            dy = toward(dy);
        }
        x = mStartX + dx;
        y = mStartY + dy;
    }
    switch (*mRunning) {
    case ImageTool::Paint: {
        DrawPenLine(mImage, mLastX, mLastY, x, y, mSettings.penWidth, DrawingColor());
        PixelArea area = AreaAround(mLastX, mLastY, x, y);
        mLastX = x;
        mLastY = y;
        return area;
    }
    case ImageTool::Pick:
        if (mImage.Contains(x, y)) (mRight ? mSettings.rightColor : mSettings.leftColor) = mImage.Pixel(x, y);
        return {};
    case ImageTool::Spray:
        mLastX = x;
        mLastY = y;
        return {};
    default:
        return DrawFigure(x, y);
    }
}

PixelArea ImageEditSession::DrawFigure(int x, int y) {
    PixelArea dirty = mFigureArea;
    if (!mFigureArea.Empty() && mUndo)
        mImage.CopyRect(*mUndo, mFigureArea.left, mFigureArea.top, mFigureArea.right, mFigureArea.bottom,
                        mFigureArea.left, mFigureArea.top);
    if (mRunning == ImageTool::Line)
        DrawPenLine(mImage, mStartX, mStartY, x, y, mSettings.penWidth, DrawingColor());
    else
        DrawShape(mImage, ShapeOf(*mRunning), mStartX, mStartY, x, y, mSettings.penWidth, mSettings.fillStyle,
                  DrawingColor(), OtherColor());
    mFigureArea = AreaAround(mStartX, mStartY, x, y);
    mLastX = x;
    mLastY = y;
    dirty.Add(mFigureArea);
    return dirty;
}

PixelArea ImageEditSession::SprayTick() {
    if (mRunning != ImageTool::Spray) return {};
    int size = mSettings.spraySize;
    SprayBurst(mImage, mLastX, mLastY, size, DrawingColor(), mRandom);
    return {mLastX - size / 2 - 1, mLastY - size / 2 - 1, mLastX + size / 2 + 2, mLastY + size / 2 + 2};
}

std::optional<std::pair<int, int>> ImageEditSession::TakeTextStart() { return std::exchange(mTextStart, std::nullopt); }

}  // namespace kestrin
