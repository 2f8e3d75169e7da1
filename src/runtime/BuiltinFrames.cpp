#include "runtime/BuiltinFrames.h"

#include "platform/Pictures.h"

#include <QString>

namespace glimmer {

std::vector<QIcon> loadBuiltinFrames(const BuiltinSet& set)
{
    std::vector<QIcon> frames;
    frames.reserve(static_cast<std::size_t>(set.frameCount));
    for (int i = 0; i < set.frameCount; ++i) {
        const QString path = QStringLiteral(":/frames/%1/%2.ico")
                                 .arg(QLatin1String(set.folder))
                                 .arg(i, 2, 10, QLatin1Char('0'));
        const auto image = Pictures::load(path);
        frames.push_back(image ? Pictures::trayIcon(*image) : QIcon());
    }
    return frames;
}

} // namespace glimmer
