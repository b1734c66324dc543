#pragma once
// ChooseEvent and its window TEventForm: one button per event type; types
// with sub-numbers open a pop-up menu of them (alarms, steps, the objects for
// collisions, keys, mouse and joystick, other events).

#include <QDialog>
#include <functional>

class QMenu;

namespace kestrin {

class Game;

struct ChosenEvent {
    int type = -1;
    int number = -1;
    bool Cancelled() const { return type < 0; }
};

class TEventForm : public QDialog {
    Q_OBJECT
public:
    explicit TEventForm(Game& game, QWidget* parent = nullptr);
    ChosenEvent Chosen() const { return mChosen; }
    // What a click on the type's button does (tests call it with a menu answer installed).
    void ChooseType(int type);

private:
    Game& mGame;
    ChosenEvent mChosen;
};

// The menus of the buttons; each item's data is its sub-number, group heads have none.
void FillKeyMenu(QMenu& menu);
void FillMouseMenu(QMenu& menu);
void FillOtherMenu(QMenu& menu);
void FillAlarmMenu(QMenu& menu);
void FillStepMenu(QMenu& menu);

// Type and sub-number, or (-1, -1) when cancelled.
ChosenEvent ChooseEvent(Game& game);

// Tests answer ChooseEvent with this instead of showing the window.
class ScopedEventChoice {
public:
    explicit ScopedEventChoice(std::function<ChosenEvent()> answer);
    ~ScopedEventChoice();
    ScopedEventChoice(const ScopedEventChoice&) = delete;
    ScopedEventChoice& operator=(const ScopedEventChoice&) = delete;

private:
    std::function<ChosenEvent()> mPrevious;
};

}  // namespace kestrin
