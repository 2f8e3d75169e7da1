#pragma once

#include "platform/SettingsStore.h"

namespace glimmer {

/// Settings in an INI file per application under the user's configuration folder
/// (on Linux `~/.config/<application>/<application>.conf`), one group per section.
class QtSettingsStore final : public SettingsStore {
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& fallback) const override;
    void save(const QString& application, const QString& section, const QString& key,
              const QString& value) override;
};

} // namespace glimmer
