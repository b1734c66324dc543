#pragma once
// Instances by id, with the last one found kept at hand: code reads and
// writes one instance's variables many times in a row, and each access
// names the instance by its id.

#include <cstdint>
#include <unordered_map>

namespace kestrin::engine {

struct Instance;

class InstanceIndex {
public:
    Instance* Find(std::int32_t id) const {
        if (mLast && id == mLastId) return mLast;
        auto found = mById.find(id);
        if (found == mById.end()) return nullptr;
        mLastId = id;
        mLast = found->second;
        return mLast;
    }
    bool Contains(std::int32_t id) const { return mById.count(id) != 0; }
    void Set(std::int32_t id, Instance* instance) {
        mById[id] = instance;
        if (id == mLastId) mLast = nullptr;
    }
    void Erase(std::int32_t id) {
        mById.erase(id);
        if (id == mLastId) mLast = nullptr;
    }
    void Clear() {
        mById.clear();
        mLast = nullptr;
    }

private:
    std::unordered_map<std::int32_t, Instance*> mById;
    mutable std::int32_t mLastId = 0;
    mutable Instance* mLast = nullptr;
};

}  // namespace kestrin::engine
