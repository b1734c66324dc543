#pragma once
// The strip window (TStripForm): the ten strip settings over the picture with
// every frame outlined, for cutting frames out of a strip.

#include <QDialog>
#include <array>

#include "imaging/bitmap24.h"
#include "imaging/strip.h"

namespace kestrin {

class TPointingPicture;
class TValueEdit;

// OK with frames beyond the image limits says this and keeps the window open.
inline constexpr const char* kFramesTooLargeMessage = "The frames would be too large.";

// Shows the window modally over the picture with the run's settings; true on
// OK. Changes stay in the run's settings either way.
bool RunStripForm(const Bitmap24& picture, bool lockSize);

class TStripForm : public QDialog {
    Q_OBJECT
public:
    // Edits CurrentStripSettings() directly; a locked size leaves width and
    // height as they are.
    TStripForm(const Bitmap24& picture, bool lockSize, QWidget* parent = nullptr);

    void accept() override;

private:
    struct Field {
        const char* name;
        const char* caption;
        int StripSettings::*setting;
        bool counted;  // a count or a size: 1..100000; the others have no limit
    };
    static const std::array<Field, 10> kFields;

    void FieldEdited();
    void SetOffsets(int x, int y);
    void ShowFields();
    void ShowOutlines();

    Bitmap24 mPicture;
    std::array<TValueEdit*, 10> mEdits{};
    TPointingPicture* mImage = nullptr;
    bool mShowing = false;
};

}  // namespace kestrin
