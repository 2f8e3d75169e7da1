#include "platform/PictureFiles.h"

#include "formats/picture_convert.h"
#include "formats/regular_file.h"
#include "platform/FilePath.h"

#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

namespace glimmer {

PictureFile readPictureFile(const QString& path, int maxFrames)
{
    PictureFile result;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        result.failure = PictureFile::Failure::Missing;
        return result;
    }
    // A FIFO or a device is never opened: the reader would wait on it.
    if (!formats::isReadableRegularFile(toFsPath(path))) {
        result.failure = PictureFile::Failure::NotAPicture;
        return result;
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        result.failure = PictureFile::Failure::NotAPicture;
        return result;
    }
    const QSize size = reader.size();
    if (size.isValid() && !formats::pictureSizeAllowed(size.width(), size.height())) {
        result.failure = PictureFile::Failure::Unreadable;
        return result;
    }
    while (reader.canRead()) {
        if (static_cast<int>(result.frames.size()) == maxFrames) {
            result.moreFrames = true;
            break;
        }
        QImage image = reader.read();
        if (image.isNull() || !formats::pictureSizeAllowed(image.width(), image.height()))
            break;
        // The delay the reader reports now belongs to the frame just read.
        result.frames.push_back(
            {image.convertToFormat(QImage::Format_RGBA8888), std::max(reader.nextImageDelay(), 0)});
    }
    if (result.frames.empty())
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
