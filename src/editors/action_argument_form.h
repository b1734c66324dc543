#pragma once
// TActionForm: the modal dialog that edits one action's arguments, laid out
// from its definition. It shows either the argument rows (ValueBox) or the
// nine direction buttons with a speed (MotionBox), and the applies-to choice.
// Nothing reaches the action before WriteBack, which the caller runs on OK.

#include <QDialog>
#include <array>
#include <cstdint>
#include <vector>

#include "editors/argument_row.h"
#include "resources/action.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace kestrin {

class CActionDefinition;
class Game;

// Rows the dialog can show; a definition asking for more is cut here.
inline constexpr int kArgumentRows = kActionSlots;

class TActionForm : public QDialog {
    Q_OBJECT
public:
    TActionForm(Game& game, const CAction& action, const CActionDefinition& definition, QWidget* parent = nullptr);

    // The dialog's values into the action; true when that changed it.
    bool WriteBack(CAction& action) const;

    // Number of argument rows in use.
    int RowCount() const { return mRowCount; }
    const ArgumentRow& Row(int n) const { return mRows[static_cast<std::size_t>(n)]; }
    // Opens the row's chooser as a click on its value box or menu button.
    void ChooseValue(int n, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct RowWidgets {
        QLabel* caption = nullptr;
        QLineEdit* value = nullptr;
        QToolButton* menuButton = nullptr;
    };

    void BuildAppliesTo(QWidget* parent);
    void BuildValueBox(QWidget* parent);
    void BuildMotionBox(QWidget* parent);
    void SetUpAppliesTo();
    void SetUpRows();
    void ShowRow(int n);
    void ChooseObject(const QPoint& globalPos);
    void ShowWhoObject(std::int32_t object);
    std::int32_t AppliesTo() const;

    Game& mGame;
    CAction mAction;
    const CActionDefinition& mDefinition;
    bool mDirections;
    int mRowCount = 0;
    std::array<ArgumentRow, kArgumentRows> mRows;
    std::array<RowWidgets, kArgumentRows> mRowWidgets;
    std::int32_t mWhoObject = 0;

    QLabel* mActionImg = nullptr;
    QGroupBox* mWhoBox = nullptr;
    QRadioButton* mWhoSelf = nullptr;
    QRadioButton* mWhoOther = nullptr;
    QRadioButton* mWhoObjectBtn = nullptr;
    QLineEdit* mWhoName = nullptr;
    QToolButton* mWhoMenuBtn = nullptr;
    QGroupBox* mValueBox = nullptr;
    QCheckBox* mRelativeBtn = nullptr;
    QCheckBox* mNotBtn = nullptr;
    QGroupBox* mMotionBox = nullptr;
    std::array<QToolButton*, 9> mMotion{};
    QLineEdit* mSpeedEdit = nullptr;
    QCheckBox* mRelative2Btn = nullptr;
};

}  // namespace kestrin
