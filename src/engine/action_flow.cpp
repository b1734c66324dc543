// Walking an action list by its kinds.

#include "engine/action_flow.h"

#include <cmath>

#include "resources/event.h"

namespace kestrin::engine {

namespace {

class ListRunner {
public:
    ListRunner(const CEvent& list, ActionPerformer& performer)
        : mList(list), mPerformer(performer), mCount(list.ActionCount()) {}

    void Run() { RunRange(0, mCount); }

private:
    int KindAt(int i) const {
        const CAction* action = mList.GetAction(i);
        return action ? action->Kind : kKindNormal;
    }
    bool QuestionAt(int i) const {
        const CAction* action = mList.GetAction(i);
        return action && action->IsQuestion && (action->Kind == kKindNormal || action->Kind < 0 || action->Kind > 10);
    }

    // The matching end of the block starting at i, or the list's end.
    int MatchingEnd(int i) const {
        int depth = 0;
        for (int j = i; j < mCount; ++j) {
            if (KindAt(j) == kKindBegin) ++depth;
            else if (KindAt(j) == kKindEnd && --depth == 0) return j;
        }
        return mCount;
    }

    // The index after the unit that starts at i.
    int UnitEnd(int i, int depth = 0) const {
        if (i >= mCount || depth > mCount) return mCount;
        const int kind = KindAt(i);
        if (kind == kKindBegin) return MatchingEnd(i) + 1;
        if (kind == kKindRepeat) return UnitEnd(i + 1, depth + 1);
        if (QuestionAt(i)) {
            int end = UnitEnd(i + 1, depth + 1);
            if (end < mCount && KindAt(end) == kKindElse) end = UnitEnd(end + 1, depth + 1);
            return end;
        }
        return i + 1;
    }

    void RunUnit(int i) {
        if (i >= mCount) return;
        if (KindAt(i) == kKindBegin) RunRange(i + 1, MatchingEnd(i));
        else RunRange(i, UnitEnd(i));
    }

    void RunRange(int begin, int end) {
        bool lastQuestionFalse = false;
        int i = begin;
        while (i < end && !mStop) {
            if (mPerformer.Stopped()) {
                mStop = true;
                return;
            }
            const CAction& action = *mList.GetAction(i);
            switch (action.Kind) {
                case kKindBegin:
                    RunRange(i + 1, MatchingEnd(i));
                    i = MatchingEnd(i) + 1;
                    break;
                case kKindEnd:
                    ++i;
                    break;
                case kKindElse:
                    if (lastQuestionFalse) RunUnit(i + 1);
                    lastQuestionFalse = false;
                    i = UnitEnd(i + 1);
                    break;
                case kKindExit:
                    mStop = true;
                    return;
                case kKindRepeat: {
                    const double times = std::floor(mPerformer.RepeatCount(action, i));
                    for (double k = 0; k < times && !mStop && !mPerformer.Stopped(); ++k) RunUnit(i + 1);
                    i = UnitEnd(i + 1);
                    break;
                }
                case 8:
                case 9:
                case 10:
                    ++i;
                    break;
                default: {
                    const bool answer = mPerformer.Perform(action, i);
                    if (QuestionAt(i)) {
                        lastQuestionFalse = !answer;
                        if (!answer) {
                            // Skip the governed unit; an else after it is seen next.
                            i = UnitEnd(i + 1);
                            break;
                        }
                        // A true answer runs the governed unit; its else part is skipped.
                        const int governed = UnitEnd(i + 1);
                        RunRange(i + 1, governed);
                        i = governed;
                        if (i < end && KindAt(i) == kKindElse) i = UnitEnd(i + 1);
                        lastQuestionFalse = false;
                        break;
                    }
                    ++i;
                    break;
                }
            }
        }
    }

    const CEvent& mList;
    ActionPerformer& mPerformer;
    const int mCount;
    bool mStop = false;
};

}  // namespace

void RunActionList(const CEvent& list, ActionPerformer& performer) {
    ListRunner runner(list, performer);
    runner.Run();
}

}  // namespace kestrin::engine
