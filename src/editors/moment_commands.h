#pragma once
// The time-line editor's moment commands on the model, without widgets: the
// window asks the values, these act on the moment the user selected (by its
// position, since shifting can leave two moments on one step) and say what
// to select afterwards and which message to show.

#include <cstdint>

namespace kestrin {

class CTimeLine;

inline constexpr const char* kMomentsNegative = "Moments cannot be negative.";
inline constexpr const char* kMomentExists = "New moment already exists.";

struct MomentOutcome {
    bool changed = false;          // the time line changed (mark)
    int select = -1;               // the line to select after refilling
    const char* message = nullptr; // to show instead, nothing done
};

// Adding does not count as a change: an empty moment is dropped on the next opening.
MomentOutcome AddMomentCommand(CTimeLine& timeLine, std::int32_t step);
MomentOutcome DeleteMomentCommand(CTimeLine& timeLine, int index);
MomentOutcome ChangeMomentCommand(CTimeLine& timeLine, int index, std::int32_t newStep);
// Ranges run from `from` to `till` inclusive; till below from is empty, and
// a negative from counts as 0.
MomentOutcome MergeMomentsCommand(CTimeLine& timeLine, std::int32_t from, std::int32_t till);
MomentOutcome ShiftMomentsCommand(CTimeLine& timeLine, int selected, std::int32_t from, std::int32_t till,
                                  std::int32_t amount);

}  // namespace kestrin
