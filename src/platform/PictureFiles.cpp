#include "platform/PictureFiles.h"

#include "formats/picture_convert.h"
#include "formats/picture_header.h"
#include "platform/FilePath.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

namespace glimmer {

namespace {

/// Qt refuses to allocate more than this for one picture: the converter's largest
/// picture in 32-bit pixels, so no decoder can be talked into more than the import
/// would take anyway.
constexpr int kAllocationLimitMegabytes =
    static_cast<int>((formats::kMaxPicturePixels * 4) >> 20) + 1;

/// An icon file names its pictures in a directory of up to 65535 entries; real ones
/// have a handful, and only this many are looked at.
constexpr int kMaxIconPictures = 32;

bool isIconFormat(const QByteArray& format)
{
    return format == "ico" || format == "cur";
}

/// Whether the picture may be decoded at all, judged from what it declares before its
/// pixels are read: the canvas of an animated picture, else the picture's size.
bool declaredSizeAllowed(QFile& file, QImageReader& reader)
{
    const QByteArray start = file.peek(formats::kCanvasHeaderBytes);
    if (const auto canvas =
            formats::declaredCanvas(std::string_view(start.constData(), start.size()))) {
        if (!formats::canvasSizeAllowed(*canvas))
            return false;
    }
    // The icon reader loses its place when asked for the size first; an icon's own
    // pictures are small, and the allocation limit guards the rest.
    if (isIconFormat(reader.format()))
        return true;
    const QSize size = reader.size();
    return !size.isValid() || formats::pictureSizeAllowed(size.width(), size.height());
}

/// The picture of an icon file that suits a 16x16 frame best: a 16x16 one (the deepest
/// of several), else the largest (the first of equals). Null when none can be read.
QImage bestIconPicture(QImageReader& reader)
{
    const int count = std::min(reader.imageCount(), kMaxIconPictures);
    QImage best;
    const auto better = [&best](const QImage& candidate) {
        if (best.isNull())
            return true;
        const bool exact = candidate.size() == QSize(16, 16);
        const bool bestExact = best.size() == QSize(16, 16);
        if (exact != bestExact)
            return exact;
        if (exact)
            return candidate.depth() > best.depth();
        const auto area = [](const QImage& image) {
            return qint64{image.width()} * image.height();
        };
        return area(candidate) > area(best);
    };
    for (int i = 0; i < std::max(count, 1); ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage candidate = reader.read();
        if (!candidate.isNull() &&
            formats::pictureSizeAllowed(candidate.width(), candidate.height()) && better(candidate))
            best = candidate;
    }
    return best;
}

} // namespace

PictureFile readPictureFile(const QString& path, int maxFrames, const PictureFrameSink& onFrame)
{
    PictureFile result;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        result.failure = PictureFile::Failure::Missing;
        return result;
    }
    // A FIFO or a device is never opened: the reader would wait on it.
    QFile file(path);
    if (!isReadableRegularFile(toFsPath(path)) || !file.open(QIODevice::ReadOnly)) {
        result.failure = PictureFile::Failure::NotAPicture;
        return result;
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kAllocationLimitMegabytes);
    if (!reader.canRead()) {
        result.failure = PictureFile::Failure::NotAPicture;
        return result;
    }
    if (!declaredSizeAllowed(file, reader)) {
        result.failure = PictureFile::Failure::Unreadable;
        return result;
    }

    const auto hand = [&](const QImage& image, int delayMs) {
        onFrame({image.convertToFormat(QImage::Format_RGBA8888), std::max(delayMs, 0)});
        ++result.frames;
    };
    if (isIconFormat(reader.format())) {
        if (const QImage best = bestIconPicture(reader); !best.isNull() && maxFrames > 0)
            hand(best, 0);
    } else {
        while (reader.canRead()) {
            if (result.frames == maxFrames) {
                result.moreFrames = true;
                break;
            }
            const QImage image = reader.read();
            if (image.isNull() || !formats::pictureSizeAllowed(image.width(), image.height()))
                break;
            // The delay the reader reports now belongs to the frame just read.
            hand(image, reader.nextImageDelay());
        }
    }
    if (result.frames == 0)
        result.failure = PictureFile::Failure::Unreadable;
    return result;
}

QString pictureFileFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    }
    patterns.removeDuplicates();
    return QStringLiteral("Pictures|") + patterns.join(QLatin1Char(' '));
}

} // namespace glimmer
