#pragma once

#include <QString>

namespace glimmer {

/// The per-user settings store: text values by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    /// Returns the stored text, or `fallback` when the key has never been written.
    virtual QString read(const QString& application, const QString& section, const QString& key,
                         const QString& fallback) const = 0;

    /// Stores `value`. A store that cannot be written keeps its old value; nothing is reported.
    virtual void save(const QString& application, const QString& section, const QString& key,
                      const QString& value) = 0;
};

} // namespace glimmer
