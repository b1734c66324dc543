#pragma once
// CTimeLine: moments (a step and the actions to perform then), kept sorted by
// step.

#include <cstdint>
#include <memory>
#include <vector>

#include "resources/event.h"
#include "resources/resource_kind.h"

namespace kestrin {

class CStream;

class CTimeLine {
public:
    CTimeLine() = default;

    void Clear() { mMoments.clear(); }
    void Assign(const CTimeLine* other);

    int MomentCount() const { return static_cast<int>(mMoments.size()); }
    // Null outside the list.
    CEvent* GetMomentEvent(int i);
    const CEvent* GetMomentEvent(int i) const;
    // 0 outside the list.
    std::int32_t GetMomentStep(int i) const;
    // The first moment with that step, or -1.
    int FindMoment(std::int32_t step) const;

    // The index of the moment with that step, made empty when there was none.
    int AddMoment(std::int32_t step);
    // Removes the last moment with that step.
    bool DeleteMoment(std::int32_t step);
    // Removes moment i; false outside the list. Shifting can leave two
    // moments on one step, and the editor deletes the one the user chose.
    bool DeleteMomentAt(int i);
    // Moves a moment's actions to a new step; -1 (nothing changed) when no
    // moment has step or one already has newStep.
    int ChangeMoment(std::int32_t step, std::int32_t newStep);
    // Adds delta to every step in first..first+range, then sorts. Moments
    // that land on the same step both stay.
    void ShiftMoments(std::int32_t first, std::int32_t range, std::int32_t delta);
    // Joins all moments in first..first+range into one at first, actions in
    // step order.
    void MergeMoments(std::int32_t first, std::int32_t range);
    void RemoveEmptyMoments();
    void Sort();

    void RemapAfterMerge(const MergeOffsets& offsets);

    // False (the time line left empty) for a record version other than 500
    // or a moment that fails. Moments are taken in stored order.
    bool LoadFromStream(CStream& stream);
    void SaveToStream(CStream& stream);

private:
    struct Moment {
        std::int32_t step = 0;
        std::unique_ptr<CEvent> event;
    };

    std::vector<Moment> mMoments;
};

}  // namespace kestrin
