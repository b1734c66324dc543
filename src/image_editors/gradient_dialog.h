#pragma once
// TGradientDialog: two colours and one of the six gradient kinds; OK keeps
// the choice for the next use.

#include <QDialog>
#include <array>
#include <optional>

#include "image_editors/image_dialogs.h"

class QToolButton;

namespace kestrin {

class TGradientDialog : public QDialog {
    Q_OBJECT
public:
    explicit TGradientDialog(QWidget* parent = nullptr);

    GradientChoice Choice() const { return mChoice; }
    static std::optional<GradientChoice> Ask();

private:
    void ChooseColor(bool second);
    void RefreshButtons();

    GradientChoice mChoice;
    QToolButton* mColor1 = nullptr;
    QToolButton* mColor2 = nullptr;
    std::array<QToolButton*, 6> mKinds{};
};

}  // namespace kestrin
