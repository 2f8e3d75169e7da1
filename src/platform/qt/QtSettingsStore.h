#pragma once

#include "platform/SettingsStore.h"

namespace glimmer {

/// Settings in the desktop's native per-user store: on Linux an INI-style file per
/// application, `~/.config/<application>/<application>.conf` (or under
/// $XDG_CONFIG_HOME), one group per section.
class QtSettingsStore final : public SettingsStore {
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& fallback) const override;
    void save(const QString& application, const QString& section, const QString& key,
              const QString& value) override;
};

} // namespace glimmer
