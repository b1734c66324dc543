// Adding, deleting, changing, merging and shifting moments.

#include "editors/moment_commands.h"

#include <algorithm>
#include <limits>

#include "resources/time_line.h"

namespace kestrin {

namespace {

// The range length the model takes, in 64 bits so that no subtraction wraps.
std::int32_t RangeLength(std::int32_t from, std::int32_t till) {
    const std::int64_t range = static_cast<std::int64_t>(till) - from;
    return static_cast<std::int32_t>(std::min<std::int64_t>(range, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

MomentOutcome AddMomentCommand(CTimeLine& timeLine, std::int32_t step) {
    if (step < 0) return {false, -1, kMomentsNegative};
    return {false, timeLine.AddMoment(step), nullptr};
}

MomentOutcome DeleteMomentCommand(CTimeLine& timeLine, int index) {
    if (!timeLine.DeleteMomentAt(index)) return {};
    return {true, index, nullptr};
}

MomentOutcome ChangeMomentCommand(CTimeLine& timeLine, int index, std::int32_t newStep) {
    const CEvent* event = timeLine.GetMomentEvent(index);
    if (!event || timeLine.GetMomentStep(index) == newStep) return {};
    if (newStep < 0) return {false, -1, kMomentsNegative};
    if (timeLine.FindMoment(newStep) >= 0) return {false, -1, kMomentExists};
    CEvent actions;
    actions.Assign(*event);
    timeLine.DeleteMomentAt(index);
    const int moved = timeLine.AddMoment(newStep);
    timeLine.GetMomentEvent(moved)->Assign(actions);
    return {true, moved, nullptr};
}

MomentOutcome MergeMomentsCommand(CTimeLine& timeLine, std::int32_t from, std::int32_t till) {
    from = std::max(from, 0);
    if (till < from) return {};
    timeLine.MergeMoments(from, RangeLength(from, till));
    return {true, timeLine.FindMoment(from), nullptr};
}

MomentOutcome ShiftMomentsCommand(CTimeLine& timeLine, int selected, std::int32_t from, std::int32_t till,
                                  std::int32_t amount) {
    from = std::max(from, 0);
    if (till < from) return {};
    for (int i = 0; i < timeLine.MomentCount(); ++i) {
        const std::int64_t step = timeLine.GetMomentStep(i);
        if (step >= from && step <= till && step + amount < 0) return {false, -1, kMomentsNegative};
    }
    timeLine.ShiftMoments(from, RangeLength(from, till), amount);
    return {true, selected, nullptr};
}

}  // namespace kestrin
