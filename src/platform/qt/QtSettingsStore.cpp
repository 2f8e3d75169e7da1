#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace glimmer {

namespace {
QString keyPath(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString QtSettingsStore::read(const QString& application, const QString& section,
                              const QString& key, const QString& fallback) const
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, application,
                             application);
    return settings.value(keyPath(section, key), fallback).toString();
}

void QtSettingsStore::save(const QString& application, const QString& section, const QString& key,
                           const QString& value)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, application, application);
    settings.setValue(keyPath(section, key), value);
}

} // namespace glimmer
