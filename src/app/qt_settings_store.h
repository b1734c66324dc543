#pragma once
// The per-user settings store on QSettings: a key is a group path such as
// "Kestrin/Version 5/Preferences", integers stay integers, texts stay texts.

#include "platform/preferences.h"

#include <memory>

class QSettings;

namespace kestrin {

class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QSettings& settings) : mSettings(settings) {}
    bool KeyExists(const std::string& key) const override;
    std::optional<std::int32_t> ReadInteger(const std::string& key, const std::string& name) const override;
    std::optional<std::string> ReadText(const std::string& key, const std::string& name) const override;
    void WriteInteger(const std::string& key, const std::string& name, std::int32_t value) override;
    void WriteText(const std::string& key, const std::string& name, const std::string& value) override;

private:
    QSettings& mSettings;
};

// The user's own settings file of Kestrin, the one start-up reads and the
// preferences dialog and the end of the run write.
std::unique_ptr<QSettings> OpenUserSettings();

}  // namespace kestrin
