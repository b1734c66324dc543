#pragma once
// TileImage: the current tileset's whole picture (opaque) with the tile
// selection outlined. The left button picks the cell under the mouse; with
// Alt, pressing sets the selection's corner and moving its size.

#include <QImage>
#include <QWidget>
#include <functional>

#include "editors/room_tileset.h"

namespace kestrin {

class TTileImage : public QWidget {
    Q_OBJECT
public:
    explicit TTileImage(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    void SetSelection(const TileSelection& selection);
    const TileSelection& Selection() const { return mSelection; }
    TileSettings settings;

signals:
    void SelectionChanged(const kestrin::TileSelection& selection);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Pick(QMouseEvent* event, bool press);

    QImage mPicture;
    TileSelection mSelection;
};

}  // namespace kestrin
