#pragma once
// The flow of an action list: blocks, else, exit, repeat and questions
// decide which actions run and how often; running one action is left to the
// performer. A "unit" is one action, a block from its start to its matching
// end, or a question or repeat together with the unit it governs (and a
// question's else part).

namespace kestrin {
class CAction;
class CEvent;
}  // namespace kestrin

namespace kestrin::engine {

inline constexpr int kKindNormal = 0, kKindBegin = 1, kKindEnd = 2, kKindElse = 3, kKindExit = 4,
                     kKindRepeat = 5, kKindVariable = 6, kKindCode = 7;

class ActionPerformer {
public:
    virtual ~ActionPerformer() = default;
    // Runs an ordinary, variable or code action (index within the list) and
    // gives its answer: for a question, whether it holds (Not already applied).
    virtual bool Perform(const CAction& action, int index) = 0;
    // How often a repeat action repeats: its argument rounded down.
    virtual double RepeatCount(const CAction& action, int index) = 0;
    // The list must stop now (an exit in code, the game ended, an aborting error).
    virtual bool Stopped() const = 0;
};

void RunActionList(const CEvent& list, ActionPerformer& performer);

}  // namespace kestrin::engine
