#pragma once
// TCodeForm: the code editor, one modal dialog for a piece of code handed to
// it — an action's code (with its applies-to choice), a room's or an
// instance's creation code — or, with code mode off, an action's plain text.

#include <QDialog>
#include <optional>

#include "editors/editor_dialogs.h"
#include "language/game_names.h"

class QRadioButton;
class QLineEdit;
class QToolButton;

namespace kestrin {

class Game;
class TCodeEditorFrame;

inline constexpr const char* kSaveChangesToCode = "Save the changes to the code?";

class TCodeForm : public QDialog {
    Q_OBJECT
public:
    // game may be null: then no names are coloured and no object can be chosen.
    TCodeForm(Game* game, const CodeEditRequest& request, QWidget* parent = nullptr);

    TCodeEditorFrame* Frame() const { return mFrame; }
    bool Modified() const { return mModified; }
    bool Confirmed() const { return mConfirmed; }
    // The text and applies-to value, when the user confirmed a change.
    std::optional<CodeEditResult> Result() const;

public slots:
    // Esc and the close box: the close question.
    void reject() override;

protected:
    // A click on the object's name chooses another, like its menu button.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseObject();
    void ShowWho();

    std::unique_ptr<GameNames> mNames;
    Game* mGame;
    TCodeEditorFrame* mFrame;
    QRadioButton* mWhoSelf = nullptr;
    QRadioButton* mWhoOther = nullptr;
    QRadioButton* mWhoObject = nullptr;
    QLineEdit* mWhoName = nullptr;
    QToolButton* mWhoMenuBtn = nullptr;
    bool mShowAppliesTo;
    std::int32_t mAppliesTo;
    bool mModified = false;
    bool mConfirmed = false;
};

// The game whose names the code editor colours and whose objects it offers;
// without one set, the main window's.
void SetCodeEditorGame(Game* game);
Game* CodeEditorGame();

// Runs the code editor modally over the active window.
std::optional<CodeEditResult> RunCodeForm(const CodeEditRequest& request);

}  // namespace kestrin
