#include "platform/Pictures.h"

#include "platform/CrispIconEngine.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace glimmer {

namespace {

/// An icon holds pictures of at most 256 x 256 pixels.
constexpr int kLargestSide = 256;
/// Enough for the largest icon picture in any format Qt decodes it to.
constexpr int kAllocationLimitMegabytes = 1;

bool tooLarge(QSize size)
{
    return size.width() > kLargestSide || size.height() > kLargestSide;
}

} // namespace

std::optional<QImage> Pictures::decode(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // A few kilobytes of an animation file can be a compressed picture of thousands
    // of pixels a side, which would take tens of megabytes per frame: anything
    // larger than an icon is refused, where possible before its pixels are read.
    reader.setAllocationLimit(kAllocationLimitMegabytes);
    if (tooLarge(reader.size()))
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull() || tooLarge(image.size()))
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

bool Pictures::sameFrame(const QIcon& shown, const QIcon& next)
{
    // The key names the icon's shared data and changes when an icon is altered, and
    // no two icons ever share one: a frame made anew at the address of an old one
    // (a custom animation loaded again) is a new frame.
    return shown.cacheKey() == next.cacheKey();
}

QPixmap Pictures::stretched(const QImage& picture, QSize size)
{
    return QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace glimmer
