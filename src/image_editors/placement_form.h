#pragma once
// The placement question (TPlacementForm): what to do with incoming frames
// whose size differs from the frame set's.

#include <QDialog>

#include "imaging/strip.h"

namespace kestrin {

// One of the kPlacement answers; the close box answers top-left.
int RunPlacementForm();

class TPlacementForm : public QDialog {
    Q_OBJECT
public:
    explicit TPlacementForm(QWidget* parent = nullptr);

    // The button's answer, or top-left when the window closed another way.
    int Answer() const { return mAnswer; }

private:
    int mAnswer = kPlacementTopLeft;
};

}  // namespace kestrin
