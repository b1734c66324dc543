// QtSettingsStore: preferences keys as QSettings groups.

#include "app/qt_settings_store.h"

#include <QSettings>

#include "app/text_convert.h"

namespace kestrin {

namespace {

QString Path(const std::string& key, const std::string& name) { return ToQt(key) + QLatin1Char('/') + ToQt(name); }

}  // namespace

std::unique_ptr<QSettings> OpenUserSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kestrin"),
                                       QStringLiteral("Kestrin"));
}

bool QtSettingsStore::KeyExists(const std::string& key) const {
    mSettings.beginGroup(ToQt(key));
    bool exists = !mSettings.childKeys().isEmpty() || !mSettings.childGroups().isEmpty();
    mSettings.endGroup();
    return exists;
}

std::optional<std::int32_t> QtSettingsStore::ReadInteger(const std::string& key, const std::string& name) const {
    QVariant value = mSettings.value(Path(key, name));
    bool ok = false;
    int number = value.toInt(&ok);
    if (!value.isValid() || !ok) return std::nullopt;
    return number;
}

std::optional<std::string> QtSettingsStore::ReadText(const std::string& key, const std::string& name) const {
    QVariant value = mSettings.value(Path(key, name));
    if (!value.isValid()) return std::nullopt;
    return FromQt(value.toString());
}

void QtSettingsStore::WriteInteger(const std::string& key, const std::string& name, std::int32_t value) {
    mSettings.setValue(Path(key, name), value);
}

void QtSettingsStore::WriteText(const std::string& key, const std::string& name, const std::string& value) {
    mSettings.setValue(Path(key, name), ToQt(value));
}

}  // namespace kestrin
