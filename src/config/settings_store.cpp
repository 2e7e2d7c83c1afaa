#include "config/settings_store.h"

#include <QSettings>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace config {

namespace {

QString entryKey(const QString &section, const QString &key)
{
    return section.toLower() + u'/' + key.toLower();
}

} // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            applicationName(), applicationName()))
{
}

SettingsStore::SettingsStore(const QString &iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::applicationName()
{
    return u"Pinora32"_s;
}

QString SettingsStore::get(const QString &section, const QString &key, const QString &defaultValue) const
{
    const QVariant value = settings_->value(entryKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited value with unquoted commas comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    return value.toString();
}

bool SettingsStore::contains(const QString &section, const QString &key) const
{
    return settings_->contains(entryKey(section, key));
}

void SettingsStore::set(const QString &section, const QString &key, const QString &value)
{
    settings_->setValue(entryKey(section, key), value);
}

void SettingsStore::remove(const QString &section, const QString &key)
{
    settings_->remove(entryKey(section, key));
}

bool SettingsStore::sync()
{
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString SettingsStore::fileName() const
{
    return settings_->fileName();
}

} // namespace config
