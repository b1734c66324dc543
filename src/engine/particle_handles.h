#pragma once
// The handles game code holds for particle types, systems and the items of a
// system.

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace kestrin::engine {

// Handles to values, the lowest free handle first, at most a bound at once.
template <typename T>
class HandleSlots {
public:
    explicit HandleSlots(int bound) : mBound(bound) {}
    // -1 when the bound is reached.
    int Add(T value) {
        for (std::size_t i = 0; i < mSlots.size(); ++i)
            if (!mSlots[i]) {
                mSlots[i] = std::move(value);
                return static_cast<int>(i);
            }
        if (static_cast<int>(mSlots.size()) >= mBound) return -1;
        mSlots.push_back(std::move(value));
        return static_cast<int>(mSlots.size()) - 1;
    }
    // Null for a handle that names nothing (negative, fractional, too large, NaN).
    T* Find(double handle) {
        if (!(handle >= 0 && handle < static_cast<double>(mSlots.size())) || handle != std::floor(handle)) return nullptr;
        auto& slot = mSlots[static_cast<std::size_t>(handle)];
        return slot ? &*slot : nullptr;
    }
    const T* Find(double handle) const { return const_cast<HandleSlots*>(this)->Find(handle); }
    bool Remove(double handle) {
        if (!Find(handle)) return false;
        mSlots[static_cast<std::size_t>(handle)].reset();
        while (!mSlots.empty() && !mSlots.back()) mSlots.pop_back();
        return true;
    }
    void Clear() { mSlots.clear(); }
    bool Empty() const { return mSlots.empty(); }
    template <typename F>
    void ForEach(F&& visit) {
        for (std::size_t i = 0; i < mSlots.size(); ++i)
            if (mSlots[i]) visit(static_cast<int>(i), *mSlots[i]);
    }

private:
    std::vector<std::optional<T>> mSlots;
    int mBound;
};

}  // namespace kestrin::engine
