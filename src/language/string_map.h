#pragma once
// NameIndex: a hash index of names searched with a string_view, built for
// the checker's lookups of every name token (open addressing, short keys).

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

template <typename Value>
class NameIndex {
public:
    NameIndex() : mSlots(16) {}

    // Adds the name with its value unless it is already there; returns
    // whether it was added (the first value of a name is kept).
    bool Insert(std::string_view name, const Value& value) {
        const std::uint64_t hash = Hash(name);
        if (FindSlot(name, hash).key != 0) return false;
        if ((mKeys.size() + 1) * 2 > mSlots.size()) Grow();
        mKeys.emplace_back(name);
        mValues.push_back(value);
        Place(hash, static_cast<std::uint32_t>(mKeys.size()));
        return true;
    }

    const Value* Find(std::string_view name) const {
        const Slot& slot = FindSlot(name, Hash(name));
        return slot.key ? &mValues[slot.key - 1] : nullptr;
    }
    bool Contains(std::string_view name) const { return Find(name) != nullptr; }
    std::size_t Size() const { return mKeys.size(); }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t key = 0;  // 1-based index into mKeys; 0 for an empty slot
    };

    // Eight characters at a time: names are short.
    static std::uint64_t Hash(std::string_view name) {
        std::uint64_t hash = name.size() * 0x9E3779B97F4A7C15ull;
        const char* at = name.data();
        std::size_t left = name.size();
        for (; left >= 8; at += 8, left -= 8) {
            std::uint64_t word;
            std::memcpy(&word, at, 8);
            hash = (hash ^ word) * 0xBF58476D1CE4E5B9ull;
            hash ^= hash >> 31;
        }
        if (left > 0) {
            // The last eight characters when there are that many, else the
            // few there are (a memcpy of a variable length is a call).
            std::uint64_t word = 0;
            if (name.size() >= 8)
                std::memcpy(&word, name.data() + name.size() - 8, 8);
            else
                for (std::size_t k = 0; k < left; ++k) word |= std::uint64_t(static_cast<unsigned char>(at[k])) << (8 * k);
            hash = (hash ^ word) * 0x94D049BB133111EBull;
        }
        return hash ^ (hash >> 29);
    }

    const Slot& FindSlot(std::string_view name, std::uint64_t hash) const {
        const std::size_t mask = mSlots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = mSlots[i];
            if (slot.key == 0 || (slot.hash == hash && mKeys[slot.key - 1] == name)) return slot;
        }
    }

    void Place(std::uint64_t hash, std::uint32_t key) {
        const std::size_t mask = mSlots.size() - 1;
        std::size_t i = hash & mask;
        while (mSlots[i].key != 0) i = (i + 1) & mask;
        mSlots[i] = Slot{hash, key};
    }

    void Grow() {
        std::vector<Slot> old(mSlots.size() * 2);
        old.swap(mSlots);
        for (const Slot& slot : old)
            if (slot.key) Place(slot.hash, slot.key);
    }

    std::vector<std::string> mKeys;
    std::vector<Value> mValues;
    std::vector<Slot> mSlots;  // a power of two, at most half full
};

using NameSet = NameIndex<char>;  // not bool: values are handed out by address

}  // namespace kestrin
