#include "platform/Pictures.h"

#include "platform/CrispIconEngine.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace glimmer {

std::optional<QImage> Pictures::decode(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

std::optional<QImage> Pictures::load(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > maxBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.read(maxBytes));
}

QIcon Pictures::trayIcon(const QImage& frame)
{
    if (frame.isNull())
        return {};
    return QIcon(new CrispIconEngine(frame));
}

QPixmap Pictures::stretched(const QImage& picture, QSize size)
{
    return QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace glimmer
