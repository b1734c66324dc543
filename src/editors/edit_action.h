#pragma once
// EditAction: the one way an action in an event or a moment is edited. The
// definition's interface kind picks the argument dialog, the direction
// dialog or the code editor (internal, or the external one the preferences
// name). The result says whether the action really changed.

#include <functional>

namespace kestrin {

class CAction;
class Game;
class TActionForm;

inline constexpr const char* kCannotEditUnknownAction = "Cannot edit unknown action.";

bool EditAction(Game& game, CAction& action);

// Tests answer the argument dialog with this instead of running it modally:
// it gets the filled dialog and returns true for OK.
using ActionFormAnswer = std::function<bool(TActionForm&)>;

class ScopedActionFormAnswer {
public:
    explicit ScopedActionFormAnswer(ActionFormAnswer answer);
    ~ScopedActionFormAnswer();
    ScopedActionFormAnswer(const ScopedActionFormAnswer&) = delete;
    ScopedActionFormAnswer& operator=(const ScopedActionFormAnswer&) = delete;

private:
    ActionFormAnswer mPrevious;
};

}  // namespace kestrin
