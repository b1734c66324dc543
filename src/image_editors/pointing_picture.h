#pragma once
// A picture shown at its own size that tells which pixel the left mouse
// button points at, on the press and while the button is held.

#include <QImage>
#include <QWidget>

namespace kestrin {

class TPointingPicture : public QWidget {
    Q_OBJECT
public:
    explicit TPointingPicture(QWidget* parent = nullptr);

    // The widget takes the picture's size.
    void SetImage(const QImage& image);
    const QImage& Picture() const { return mImage; }

signals:
    // A drag may leave the picture: the pixel may lie outside it.
    void Pointed(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Point(QMouseEvent* event);

    QImage mImage;
};

}  // namespace kestrin
