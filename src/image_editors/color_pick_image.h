#pragma once
// A small picture the user takes colours from with the left or right
// button held: the palette, the colour picker and the transparent-colour box.

#include <QLabel>

#include "imaging/bitmap24.h"

namespace kestrin {

class TColorPickImage : public QLabel {
    Q_OBJECT
public:
    explicit TColorPickImage(const QString& name, QWidget* parent = nullptr);
    void SetPicture(const Bitmap24& picture);

signals:
    void ColorPicked(ColorValue color, bool right);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void PickAt(QPoint position, Qt::MouseButtons buttons);

    Bitmap24 mPicture{1, 1};
};

}  // namespace kestrin
