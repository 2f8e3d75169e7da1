#include "runtime/BuiltinFrames.h"

#include "platform/Pictures.h"

#include <QImage>
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
        // The program's own icons: read as icons straight away, without the
        // format sniffing and size checks that files from elsewhere go through.
        const QImage image(path, "ICO");
        frames.push_back(Pictures::trayIcon(image));
    }
    return frames;
}

} // namespace glimmer
