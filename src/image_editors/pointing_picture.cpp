// TPointingPicture: paints the picture and reports the pixel under the mouse.

#include "image_editors/pointing_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace kestrin {

TPointingPicture::TPointingPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void TPointingPicture::SetImage(const QImage& image) {
    mImage = image;
    setFixedSize(mImage.size());
    update();
}

void TPointingPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), mImage, event->rect());
}

void TPointingPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Point(event);
}

void TPointingPicture::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) Point(event);
}

void TPointingPicture::Point(QMouseEvent* event) {
    const QPointF at = event->position();
    emit Pointed(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

}  // namespace kestrin
