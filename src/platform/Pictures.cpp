#include "platform/Pictures.h"

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
    QIcon icon;
    const QImage source = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    icon.addPixmap(QPixmap::fromImage(source));
    for (int factor = 2; factor <= 4; ++factor) {
        icon.addPixmap(QPixmap::fromImage(
            source.scaled(source.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    }
    return icon;
}

QPixmap Pictures::stretched(const QImage& picture, QSize size)
{
    return QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace glimmer
