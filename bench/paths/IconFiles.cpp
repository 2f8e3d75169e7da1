#include "IconFiles.h"

#include <QFile>
#include <QtEndian>

namespace glimmer::bench {

namespace {

void put16(QByteArray& out, int value)
{
    const auto v = qToLittleEndian(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&v), 2);
}

void put32(QByteArray& out, int value)
{
    const auto v = qToLittleEndian(static_cast<quint32>(value));
    out.append(reinterpret_cast<const char*>(&v), 4);
}

} // namespace

QByteArray iconOfLength(int length, int colour)
{
    constexpr int side = 16;
    constexpr int xorRow = 8; // 16 pixels at 4 bits
    constexpr int andRow = 4; // 16 pixels at 1 bit, rows padded to 32 bits
    constexpr int imageSize = 40 + 16 * 4 + (xorRow + andRow) * side;

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon
    put16(out, 1); // one image
    out.append(static_cast<char>(side));
    out.append(static_cast<char>(side));
    out.append(static_cast<char>(16)); // colours
    out.append('\0');
    put16(out, 1); // planes
    put16(out, 4); // bits per pixel
    put32(out, imageSize);
    put32(out, 22); // the picture follows the directory

    put32(out, 40); // BITMAPINFOHEADER
    put32(out, side);
    put32(out, side * 2); // colour and mask
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, (xorRow + andRow) * side);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int i = 0; i < 16; ++i) {
        out.append(static_cast<char>((i * 37) & 0xFF));
        out.append(static_cast<char>((i * 91) & 0xFF));
        out.append(static_cast<char>((i * 53 + 40) & 0xFF));
        out.append('\0');
    }
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < xorRow; ++x)
            out.append(static_cast<char>(((colour + x + y) & 0x0F) << 4 | (colour & 0x0F)));
    }
    out.append(QByteArray(andRow * side, '\0')); // every pixel opaque
    if (out.size() < length)
        out.append(QByteArray(length - out.size(), '\0'));
    return out;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace glimmer::bench
