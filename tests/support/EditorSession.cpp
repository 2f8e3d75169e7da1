#include "EditorSession.h"

#include "runtime/frmTray.h"

#include <QFile>
#include <QTest>
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

} // namespace

QByteArray iconBytes(int side, int bitsPerPixel, int colour)
{
    const int colours = 1 << bitsPerPixel;
    const int xorRow = ((side * bitsPerPixel + 31) / 32) * 4;
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
    put16(out, bitsPerPixel);
    put32(out, imageSize);
    put32(out, 22);

    put32(out, 40);
    put32(out, side);
    put32(out, side * 2);
    put16(out, 1);
    put16(out, bitsPerPixel);
    put32(out, 0);
    put32(out, (xorRow + andRow) * side);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int i = 0; i < colours; ++i) {
        // Blue, green, red, reserved: a distinct colour per entry.
        out.append(static_cast<char>((i * 37) & 0xFF));
        out.append(static_cast<char>((i * 91) & 0xFF));
        out.append(static_cast<char>((i * 53 + 40) & 0xFF));
        out.append('\0');
    }
    QByteArray row(xorRow, '\0');
    for (int x = 0; x < side; ++x) {
        if (bitsPerPixel == 8)
            row[x] = static_cast<char>(colour);
        else
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? colour : colour << 4));
    }
    for (int y = 0; y < side; ++y)
        out.append(row);
    out.append(QByteArray(andRow * side, '\0')); // every pixel opaque
    return out;
}

QByteArray paddedIcon(int length, int colour)
{
    QByteArray bytes = iconBytes(16, 4, colour);
    bytes.append(QByteArray(length - bytes.size(), '\0'));
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

EditorSession::EditorSession()
{
    t.program.start();
    choose(t.program.tray(), "Edit");
}

QString EditorSession::icon(const QString& name, const QByteArray& bytes)
{
    const QString path = t.path(name);
    writeFile(path, bytes);
    return path;
}

QString EditorSession::smallIcon(const QString& name, int colour)
{
    return icon(name, iconBytes(16, 4, colour));
}

void EditorSession::chooseIcon(const QString& path)
{
    t.dialogs.answers.push_back(path);
    editor().Image10_Click();
}

void EditorSession::chooseIconFor(int frame, const QString& path)
{
    goToFrame(frame);
    chooseIcon(path);
}

void EditorSession::goToFrame(int frame)
{
    editor().HScroll1->setValue(frame);
}

void EditorSession::setFrameCount(int frames)
{
    editor().VScroll1->setValue(51 - frames);
}

void EditorSession::setSpeed(int speed)
{
    editor().VScroll2->setValue(11 - speed);
}

QImage EditorSession::shownPicture()
{
    return editor().Iconimg->pixmap().toImage();
}

QString EditorSession::frameFile(int frame) const
{
    return t.program.state().FrameFiles[static_cast<std::size_t>(frame)];
}

} // namespace glimmer::test
