#include "runtime/StartupSettings.h"

#include <limits>

namespace glimmer {

std::int16_t previousAnimationFromSetting(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return kDefaultAnimation;
    return static_cast<std::int16_t>(value);
}

int intervalFromSetting(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 1 ? value : kDefaultInterval;
}

} // namespace glimmer
