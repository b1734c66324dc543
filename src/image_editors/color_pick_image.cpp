// Colours are read from the image itself, not from the screen.

#include "image_editors/color_pick_image.h"

#include <QMouseEvent>
#include <QPixmap>

#include "image_editors/qt_draw_target.h"

namespace kestrin {

TColorPickImage::TColorPickImage(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setCursor(Qt::CrossCursor);
}

void TColorPickImage::SetPicture(const Bitmap24& picture) {
    mPicture = picture;
    setPixmap(QPixmap::fromImage(ToQImage(mPicture, false)));
    setFixedSize(mPicture.Width(), mPicture.Height());
}

void TColorPickImage::mousePressEvent(QMouseEvent* event) { PickAt(event->position().toPoint(), event->buttons()); }

void TColorPickImage::mouseMoveEvent(QMouseEvent* event) { PickAt(event->position().toPoint(), event->buttons()); }

void TColorPickImage::PickAt(QPoint position, Qt::MouseButtons buttons) {
    if (!mPicture.Contains(position.x(), position.y())) return;
    bool right = buttons & Qt::RightButton;
    if (!right && !(buttons & Qt::LeftButton)) return;
    emit ColorPicked(mPicture.Pixel(position.x(), position.y()), right);
}

}  // namespace kestrin
