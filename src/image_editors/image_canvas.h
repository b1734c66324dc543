#pragma once
// The image editor's drawing area: the working image enlarged by the zoom,
// painted for the exposed rectangle only (the enlarged picture is never
// made), a checkerboard where the transparent colour is, and the pixel grid
// in exclusive-or above zoom 3, and optionally the onion skin: neighbouring
// frames blended faintly over the display. Mouse events arrive as image
// pixels.

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "image_editors/image_edit_session.h"

namespace kestrin {

inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 16;
inline constexpr int kGridFromZoom = 4;

class TImageCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TImageCanvas(QWidget* parent = nullptr);

    // The image shown; it must outlive the canvas or be replaced first.
    void SetImage(const Bitmap24* image);
    void SetZoom(int zoom);
    int Zoom() const { return mZoom; }
    void SetGrid(bool on);
    bool GridShown() const { return mGrid && mZoom >= kGridFromZoom; }
    // See-through pixels show the checkerboard.
    void SetSeeThrough(bool on);
    // Frames blended faintly over what is shown; the image is not touched.
    void SetOnionSkin(std::vector<Bitmap24> frames);
    void SetOnionSkinShown(bool on);
    bool OnionSkinShown() const { return mOnionShown && !mOnionFrames.empty(); }
    // Repaints the image pixels of the area (everything when empty).
    void RepaintArea(const PixelArea& area);
    // Follows a change of the image's size.
    void ImageResized();
    // The image pixel under a widget position (may lie outside the image).
    QPoint PixelAt(QPoint position) const;

signals:
    void PixelPressed(int x, int y, bool right);
    void PixelMoved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void PixelReleased();
    // Ctrl+wheel: steps up or down, at a widget position.
    void ZoomWheel(int steps, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRgb WithOnionSkin(QRgb shown, int x, int y) const;

    const Bitmap24* mImage = nullptr;
    int mZoom = 1;
    bool mGrid = true;
    bool mSeeThrough = false;
    std::vector<Bitmap24> mOnionFrames;
    std::vector<ColorValue> mOnionKeys;
    bool mOnionShown = true;
    // The exposed area's pixels, kept between paints.
    QImage mBuffer;
};

}  // namespace kestrin
