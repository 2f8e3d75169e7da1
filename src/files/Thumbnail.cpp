#include "files/Thumbnail.h"

#include "formats/thumbnail.h"
#include "platform/Pictures.h"
#include "platform/RegularFile.h"

#include <QBuffer>

namespace glimmer {

namespace {

std::optional<QImage> decode(std::string_view record)
{
    return Pictures::decode(QByteArray(record.data(), static_cast<qsizetype>(record.size())));
}

} // namespace

std::optional<QImage> thumbnailOf(std::string_view bytes, int size)
{
    const auto records = formats::playableRecords(bytes.substr(0, formats::kLongestPlayableFile));
    if (!records)
        return std::nullopt;
    const auto first = decode(records->front());
    if (!first)
        return std::nullopt;
    // The player takes every frame or none: a file it refuses shows no picture either.
    for (std::size_t i = 1; i < records->size(); ++i) {
        if (!decode((*records)[i]))
            return std::nullopt;
    }
    QImage picture = thumbnailPicture(*first, size);
    if (picture.isNull())
        return std::nullopt;
    return picture;
}

std::optional<QImage> thumbnailOfFile(const QString& path, int size)
{
    const auto bytes = readRegularFileStart(path, formats::kLongestPlayableFile);
    if (!bytes)
        return std::nullopt;
    return thumbnailOf(*bytes, size);
}

QImage thumbnailPicture(const QImage& frame, int size)
{
    if (frame.isNull())
        return {};
    const auto target = formats::thumbnailSize(frame.width(), frame.height(), size);
    if (!target)
        return {};
    const QSize to(target->width, target->height);
    if (target->factor > 0) // copies of whole pixels: the colours stay exactly as they are
        return frame.convertToFormat(QImage::Format_ARGB32)
            .scaled(to, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // Reducing mixes neighbours, which is right only with the colours weighted by alpha.
    return frame.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(to, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

QByteArray pngBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace glimmer
