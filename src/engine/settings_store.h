#pragma once
// The per-user settings store the game's registry functions keep values in:
// named values, each a string or a real, under '/'-separated key paths. The
// runner keeps them in the system's store for this user; headless play and
// the tests keep them in memory while the game runs.

#include <cstddef>
#include <map>
#include <string>

namespace kestrin::engine {

struct SettingValue {
    bool isText = false;
    std::string text;
    double real = 0;
};

class SettingsStore {
public:
    // A store holds at most this many values; more are refused.
    static constexpr std::size_t kMaxValues = 4096;

    virtual ~SettingsStore() = default;
    virtual bool Read(const std::string& path, SettingValue& value) const = 0;
    // False when the store refused it (full, or the system would not).
    virtual bool Write(const std::string& path, const SettingValue& value) = 0;
};

class MemorySettings : public SettingsStore {
public:
    bool Read(const std::string& path, SettingValue& value) const override {
        auto found = mValues.find(path);
        if (found == mValues.end()) return false;
        value = found->second;
        return true;
    }
    bool Write(const std::string& path, const SettingValue& value) override {
        if (mValues.size() >= kMaxValues && !mValues.count(path)) return false;
        mValues[path] = value;
        return true;
    }

private:
    std::map<std::string, SettingValue> mValues;
};

}  // namespace kestrin::engine
