#pragma once

// The files tests hand to the program, built byte by byte so that any of them may be
// made odd on purpose, and the plain reads and writes that put them on disk.

#include <QByteArray>
#include <QColor>
#include <QIcon>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace glimmer::test {

/// What `iconBytes` paints: a one-image icon of `side` x `side` pixels, all opaque.
struct IconSpec {
    int side = 16;
    /// 4 or 8: pixels index a palette whose entries all differ; 32: true colour.
    int bitsPerPixel = 4;
    /// The palette entry every pixel takes (at 4 and 8 bits).
    int colour = 1;
    /// When valid, the colour of every pixel: at 4 and 8 bits palette entry `colour`
    /// holds it; at 32 bits it is black when not valid.
    QColor rgb = {};
    /// When longer than the icon, zero bytes after it fill the file to this length.
    qsizetype length = 0;
};

/// The complete bytes of a one-image Windows icon file as `icon` describes it. Without
/// padding, 16x16 at 4 bits is 318 bytes, 32x32 at 4 bits 766, 16x16 at 8 bits 1406.
/// At 32 bits Qt's own icon writer lays the file out; its length does not depend on
/// the colour.
QByteArray iconBytes(const IconSpec& icon = {});

/// A `width` x `height` PNG picture whose squares of `height` pixels take `colours` in
/// turn, left to right; compressed as far as PNG goes.
QByteArray pictureBytes(int width, int height, const QList<QColor>& colours);

/// A header field of a compiled file as stored: a number in decimal, or any bytes.
struct GxField {
    GxField(int number) : text(QByteArray::number(number)) {}
    GxField(const char* bytes) : text(bytes) {}
    GxField(const QByteArray& bytes) : text(bytes) {}
    QByteArray text;
};

/// What `compiledFile` writes. Each header field is stored as given, filled with
/// spaces to its width or cut to it, so a test may make any field malformed.
struct CompiledSpec {
    QByteArray title = {}; ///< 12 bytes
    GxField speed = 5;     ///< 2 bytes
    /// The first records: one 16x16 true-colour icon per colour, all of one length, that
    /// `frameColour` tells apart again.
    std::vector<QColor> colours = {};
    /// The records after those, each as given.
    QList<QByteArray> frames = {};
    /// 5 bytes; by default the length of the first record (318 without records).
    std::optional<GxField> iconSize = {};
    /// 2 bytes; by default the number of records.
    std::optional<GxField> frameCount = {};
    /// The first five bytes, stored as given (neither filled nor cut).
    QByteArray tag = "GX2.0";
};

/// The bytes of a compiled animation file (.gx): tag, icon size, speed, frame count and
/// title, then the records.
QByteArray compiledFile(const CompiledSpec& file);

/// Text file content: every line followed by `end`.
QByteArray textLines(const QList<QByteArray>& lines, const QByteArray& end = "\r\n");

/// The colour in the middle of a frame as the tray would draw it; invalid for an
/// empty slot.
QColor frameColour(const QIcon& frame);

/// Writes `bytes` to `path`, replacing what was there. A file that cannot be written
/// ends the run (a test cannot go on without its input).
void writeFile(const QString& path, const QByteArray& bytes);

/// The whole content of `path`; empty when it cannot be read.
QByteArray readFile(const QString& path);

} // namespace glimmer::test
