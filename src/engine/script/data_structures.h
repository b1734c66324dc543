#pragma once
// The data structures code can make: stacks, queues, lists, maps and
// priority queues, each kind numbered from 0, owned by one interpreter.

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/value.h"

namespace kestrin::engine {

// Reals before strings; reals by value, strings byte by byte.
struct ValueOrder {
    bool operator()(const Value& a, const Value& b) const {
        if (a.IsString() != b.IsString()) return b.IsString();
        return a.IsString() ? a.Text() < b.Text() : a.Real() < b.Real();
    }
};

class DataStructures {
public:
    // Elements one structure may hold, and structures of one kind that may
    // exist at once, so a runaway loop ends in an error.
    static constexpr std::size_t kMaxElements = 1 << 18;
    static constexpr std::size_t kMaxStructures = 1 << 16;

    struct Priority {
        std::vector<std::pair<Value, Value>> entries;  // value, priority
    };
    template <typename T>
    struct Kind {
        std::vector<std::unique_ptr<T>> items;
        // No free id lies below this one, so making many structures does not
        // search from 0 each time.
        std::size_t freeFrom = 0;

        Kind() = default;
        // A deep copy, for saving the game.
        Kind(const Kind& other) {
            items.reserve(other.items.size());
            for (const auto& item : other.items) items.push_back(item ? std::make_unique<T>(*item) : nullptr);
        }
        Kind& operator=(const Kind& other) {
            Kind copy(other);
            items = std::move(copy.items);
            freeFrom = 0;
            return *this;
        }
        Kind(Kind&&) noexcept = default;
        Kind& operator=(Kind&&) noexcept = default;

        // The structure with that id, or null.
        T* Find(double id) {
            if (!(id >= 0) || id >= static_cast<double>(items.size())) return nullptr;
            return items[static_cast<std::size_t>(id)].get();
        }
        // The first free id; -1 when kMaxStructures exist.
        double Create() {
            std::size_t at = std::min(freeFrom, items.size());
            while (at < items.size() && items[at]) ++at;
            if (at == kMaxStructures) return -1;
            if (at == items.size()) items.emplace_back();
            items[at] = std::make_unique<T>();
            freeFrom = at + 1;
            return static_cast<double>(at);
        }
        void Destroy(double id) {
            if (!Find(id)) return;
            items[static_cast<std::size_t>(id)].reset();
            freeFrom = std::min(freeFrom, static_cast<std::size_t>(id));
        }
    };

    Kind<std::deque<Value>> stacks, queues;
    Kind<std::vector<Value>> lists;
    Kind<std::multimap<Value, Value, ValueOrder>> maps;
    Kind<Priority> priorities;
    // Reals closer than this count as equal when structures search for them.
    double precision = 1e-7;

    bool Same(const Value& a, const Value& b) const {
        if (a.IsString() != b.IsString()) return false;
        return a.IsString() ? a.Text() == b.Text() : std::abs(a.Real() - b.Real()) <= precision;
    }
};

}  // namespace kestrin::engine
