#include "TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QtEndian>

namespace glimmer::test {

namespace {

void put16(QByteArray& out, int value)
{
    const auto v = qToLittleEndian(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&v), 2);
}

void put32(QByteArray& out, qint64 value)
{
    const auto v = qToLittleEndian(static_cast<quint32>(value));
    out.append(reinterpret_cast<const char*>(&v), 4);
}

/// A palette entry: blue, green, red, reserved.
QByteArray bgr0(const QColor& colour)
{
    QByteArray entry(4, '\0');
    entry[0] = static_cast<char>(colour.blue());
    entry[1] = static_cast<char>(colour.green());
    entry[2] = static_cast<char>(colour.red());
    return entry;
}

/// Palette entry `i`: a distinct colour per entry.
QByteArray paletteEntry(int i)
{
    return bgr0(QColor((i * 53 + 40) & 0xFF, (i * 91) & 0xFF, (i * 37) & 0xFF));
}

QByteArray trueColourIcon(const IconSpec& icon)
{
    QImage image(icon.side, icon.side, QImage::Format_ARGB32);
    image.fill(icon.rgb.isValid() ? icon.rgb : QColor(Qt::black));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image))
        qFatal("the icon writer is missing");
    return buffer.data();
}

QByteArray paletteIcon(const IconSpec& icon)
{
    const int side = icon.side;
    const int bits = icon.bitsPerPixel;
    const int colours = 1 << bits;
    const int xorRow = ((side * bits + 31) / 32) * 4;
    const int andRow = ((side + 31) / 32) * 4;
    const int imageSize = 40 + colours * 4 + (xorRow + andRow) * side;

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // icon
    put16(out, 1); // one image
    out.append(static_cast<char>(side));
    out.append(static_cast<char>(side));
    out.append(static_cast<char>(colours >= 256 ? 0 : colours));
    out.append('\0');
    put16(out, 1);
    put16(out, bits);
    put32(out, imageSize);
    put32(out, 22);

    put32(out, 40);
    put32(out, side);
    put32(out, side * 2);
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);
    put32(out, (xorRow + andRow) * side);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int i = 0; i < colours; ++i)
        out += i == icon.colour && icon.rgb.isValid() ? bgr0(icon.rgb) : paletteEntry(i);
    QByteArray row(xorRow, '\0');
    for (int x = 0; x < side; ++x) {
        if (bits == 8)
            row[x] = static_cast<char>(icon.colour);
        else
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? icon.colour : icon.colour << 4));
    }
    for (int y = 0; y < side; ++y)
        out.append(row);
    out.append(QByteArray(andRow * side, '\0')); // every pixel opaque
    return out;
}

/// `text` filled with spaces to `width` bytes, or cut to it.
QByteArray field(const QByteArray& text, int width)
{
    return text.leftJustified(width, ' ', true);
}

} // namespace

QByteArray iconBytes(const IconSpec& icon)
{
    QByteArray bytes = icon.bitsPerPixel == 32 ? trueColourIcon(icon) : paletteIcon(icon);
    if (icon.length > bytes.size())
        bytes.append(QByteArray(icon.length - bytes.size(), '\0'));
    return bytes;
}

QByteArray pictureBytes(int width, int height, const QList<QColor>& colours)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            image.setPixelColor(x, y, colours[(x / height) % colours.size()]);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0);
    if (!writer.write(image))
        qFatal("the PNG writer is missing");
    return buffer.data();
}

QByteArray compiledFile(const CompiledSpec& file)
{
    QList<QByteArray> records;
    for (const QColor& colour : file.colours)
        records << iconBytes({.bitsPerPixel = 32, .rgb = colour});
    records += file.frames;
    const GxField size =
        file.iconSize.value_or(records.isEmpty() ? 318 : static_cast<int>(records.front().size()));
    const GxField count = file.frameCount.value_or(static_cast<int>(records.size()));
    return file.tag + field(size.text, 5) + field(file.speed.text, 2) + field(count.text, 2) +
           field(file.title, 12) + records.join();
}

QByteArray textLines(const QList<QByteArray>& lines, const QByteArray& end)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + end;
    return out;
}

QColor frameColour(const QIcon& frame)
{
    if (frame.isNull())
        return {};
    return frame.pixmap(16, 16).toImage().pixelColor(8, 8);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace glimmer::test
