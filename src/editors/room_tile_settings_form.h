#pragma once
// TTileSettingsForm: the cell grid over the tileset (tile width and height,
// offsets, separations).

#include <QDialog>

#include "editors/room_tileset.h"

namespace kestrin {

class TValueEdit;

class TTileSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TTileSettingsForm(const TileSettings& settings, QWidget* parent = nullptr);
    TileSettings Settings() const;

private:
    TValueEdit* mWidth;
    TValueEdit* mHeight;
    TValueEdit* mXOffset;
    TValueEdit* mYOffset;
    TValueEdit* mHSep;
    TValueEdit* mVSep;
};

}  // namespace kestrin
