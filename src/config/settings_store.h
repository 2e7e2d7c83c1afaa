#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace config {

// The per-user settings of the program: an INI file under the application
// name "Pinora32" in the user's XDG config folder. Every value is text.
// Section and key names are folded to lower case, so "Setting"/"setting" and
// "info_Left"/"info_left" name the same entry.
class SettingsStore {
public:
    // The user's own settings file (QSettings::IniFormat, UserScope,
    // organisation and application "Pinora32").
    SettingsStore();
    // An explicit INI file (tests, or a portable install).
    explicit SettingsStore(const QString &iniFile);
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The stored text, or defaultValue when the entry is missing.
    QString get(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    bool contains(const QString &section, const QString &key) const;
    void set(const QString &section, const QString &key, const QString &value);
    void remove(const QString &section, const QString &key);

    // Writes pending changes to the file; false when the file cannot be written.
    bool sync();
    QString fileName() const;

    static QString applicationName();

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace config
