// CTimeLine: moment operations and the record.

#include "resources/time_line.h"

#include <algorithm>
#include <utility>

#include "stream/stream.h"

namespace kestrin {

namespace {
constexpr std::int32_t kTimeLineVersion = 500;
// A step, then an event's version and action count.
constexpr std::size_t kMinMomentSize = 12;

// first + range without overflow.
std::int64_t RangeEnd(std::int32_t first, std::int32_t range) {
    return static_cast<std::int64_t>(first) + range;
}
}  // namespace

void CTimeLine::Assign(const CTimeLine* other) {
    if (other == this) return;
    Clear();
    if (!other) return;
    for (const auto& moment : other->mMoments) {
        auto copy = std::make_unique<CEvent>();
        copy->Assign(*moment.event);
        mMoments.push_back({moment.step, std::move(copy)});
    }
}

CEvent* CTimeLine::GetMomentEvent(int i) {
    return i >= 0 && i < MomentCount() ? mMoments[i].event.get() : nullptr;
}

const CEvent* CTimeLine::GetMomentEvent(int i) const {
    return i >= 0 && i < MomentCount() ? mMoments[i].event.get() : nullptr;
}

std::int32_t CTimeLine::GetMomentStep(int i) const {
    return i >= 0 && i < MomentCount() ? mMoments[i].step : 0;
}

int CTimeLine::FindMoment(std::int32_t step) const {
    for (int i = 0; i < MomentCount(); ++i)
        if (mMoments[i].step == step) return i;
    return -1;
}

int CTimeLine::AddMoment(std::int32_t step) {
    int before = -1;
    for (int i = 0; i < MomentCount(); ++i)
        if (mMoments[i].step < step) before = i;
    int i = before + 1;
    if (i < MomentCount() && mMoments[i].step == step) return i;
    mMoments.insert(mMoments.begin() + i, Moment{step, std::make_unique<CEvent>()});
    return i;
}

bool CTimeLine::DeleteMoment(std::int32_t step) {
    for (int i = MomentCount() - 1; i >= 0; --i) {
        if (mMoments[i].step == step) {
            mMoments.erase(mMoments.begin() + i);
            return true;
        }
    }
    return false;
}

bool CTimeLine::DeleteMomentAt(int i) {
    if (i < 0 || i >= MomentCount()) return false;
    mMoments.erase(mMoments.begin() + i);
    return true;
}

int CTimeLine::ChangeMoment(std::int32_t step, std::int32_t newStep) {
    int from = FindMoment(step);
    if (from < 0 || FindMoment(newStep) >= 0) return -1;
    // The moment found is the one that moves, actions and all, even when a
    // shift left another moment on the same step.
    std::unique_ptr<CEvent> actions = std::move(mMoments[from].event);
    mMoments.erase(mMoments.begin() + from);
    int to = AddMoment(newStep);
    mMoments[to].event = std::move(actions);
    return to;
}

void CTimeLine::ShiftMoments(std::int32_t first, std::int32_t range, std::int32_t delta) {
    std::int64_t last = RangeEnd(first, range);
    for (auto& moment : mMoments)
        if (moment.step >= first && moment.step <= last)
            moment.step = static_cast<std::int32_t>(
                std::clamp<std::int64_t>(std::int64_t(moment.step) + delta, INT32_MIN, INT32_MAX));
    Sort();
}

void CTimeLine::MergeMoments(std::int32_t first, std::int32_t range) {
    std::int64_t last = RangeEnd(first, range);
    int i = AddMoment(first);
    while (i + 1 < MomentCount() && mMoments[i + 1].step <= last) {
        mMoments[i].event->Append(*mMoments[i + 1].event);
        mMoments.erase(mMoments.begin() + i + 1);
    }
}

void CTimeLine::RemoveEmptyMoments() {
    std::erase_if(mMoments, [](const Moment& moment) { return moment.event->Empty(); });
}

void CTimeLine::Sort() {
    // An exchange sort, so that moments with equal steps end up as the
    // editor has always shown them.
    int count = MomentCount();
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (mMoments[j].step < mMoments[i].step) std::swap(mMoments[i], mMoments[j]);
}

void CTimeLine::RemapAfterMerge(const MergeOffsets& offsets) {
    for (auto& moment : mMoments)
        if (!moment.event->Empty()) moment.event->RemapAfterMerge(offsets);
}

bool CTimeLine::LoadFromStream(CStream& stream) {
    Clear();
    if (stream.ReadInteger() != kTimeLineVersion) return false;
    std::int32_t count = stream.ReadInteger();
    if (count > 0 && static_cast<std::size_t>(count) > stream.Remaining() / kMinMomentSize) throw StreamReadError();
    for (std::int32_t i = 0; i < count; ++i) {
        Moment moment{stream.ReadInteger(), std::make_unique<CEvent>()};
        if (!moment.event->LoadFromStream(stream)) {
            Clear();
            return false;
        }
        mMoments.push_back(std::move(moment));
    }
    return true;
}

void CTimeLine::SaveToStream(CStream& stream) {
    stream.WriteInteger(kTimeLineVersion);
    stream.WriteInteger(MomentCount());
    for (auto& moment : mMoments) {
        stream.WriteInteger(moment.step);
        moment.event->SaveToStream(stream);
    }
}

}  // namespace kestrin
