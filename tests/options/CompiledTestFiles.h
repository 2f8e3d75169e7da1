#pragma once

// Compiled animation files for tests, written for real into a test's folder.

#include "formats/compiled_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <string>
#include <vector>

namespace glimmer::test {

/// The complete content of a one-image 16x16 icon file filled with `colour`; every
/// colour gives the same length.
inline QByteArray iconFile(const QColor& colour)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image))
        qFatal("the icon writer is missing");
    return buffer.data();
}

/// The bytes of a compiled file with one frame per colour. The header fields are
/// written as given (so a test may declare more or fewer frames than it carries).
inline QByteArray compiledFile(const std::string& title, int speed,
                               const std::vector<QColor>& colours, int declaredFrames = -1)
{
    formats::CompiledHeader header;
    header.iconSize = static_cast<std::int16_t>(iconFile(Qt::black).size());
    header.speed = static_cast<std::int16_t>(speed);
    header.frameCount = static_cast<std::int16_t>(
        declaredFrames >= 0 ? declaredFrames : static_cast<int>(colours.size()));
    header.title = title;
    const auto head = formats::encodeCompiledHeader(header);
    if (!head)
        qFatal("header does not encode");
    QByteArray bytes(head->data(), static_cast<qsizetype>(head->size()));
    for (const QColor& colour : colours)
        bytes += iconFile(colour);
    return bytes;
}

/// Writes `bytes` to `path`, replacing what was there.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

/// The colour in the middle of a frame as the tray would draw it; invalid for an
/// empty slot.
inline QColor frameColour(const QIcon& frame)
{
    if (frame.isNull())
        return {};
    return frame.pixmap(16, 16).toImage().pixelColor(8, 8);
}

} // namespace glimmer::test
