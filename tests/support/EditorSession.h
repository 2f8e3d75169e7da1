#pragma once

// A program with the editor opened from the tray menu, and helpers that make
// real icon files and drive the editor the way a user would.

#include "TestProgram.h"
#include "editor/Customfrm.h"
#include "platform/widgets/ClickImage.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace glimmer::test {

/// The complete bytes of a one-image Windows icon file, `side` x `side` pixels at
/// `bitsPerPixel` (4 or 8), every pixel painted with palette entry `colour`.
/// 16x16 at 4 bits is 318 bytes, 32x32 at 4 bits 766, 16x16 at 8 bits 1406.
QByteArray iconBytes(int side, int bitsPerPixel, int colour);

/// A 16x16 16-colour icon padded with zero bytes to exactly `length` bytes.
QByteArray paddedIcon(int length, int colour = 1);

/// Writes `bytes` to `path`, replacing what was there; fails the test otherwise.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

class EditorSession final {
public:
    /// Starts the program and chooses "Edit" in the tray menu.
    EditorSession();

    Customfrm& editor() { return t.customfrm(); }
    Program& program() { return t.program; }

    /// Writes an icon file named `name` into the session's folder; returns its path.
    QString icon(const QString& name, const QByteArray& bytes);
    /// A 318-byte 16x16 16-colour icon painted with `colour`.
    QString smallIcon(const QString& name, int colour = 1);

    /// "Choose Icon" with the dialog answering `path`.
    void chooseIcon(const QString& path);
    /// Chooses `path` for frame `frame`, moving the scroller there first.
    void chooseIconFor(int frame, const QString& path);
    void goToFrame(int frame);
    void setFrameCount(int frames);
    void setSpeed(int speed);

    /// The picture `Iconimg` shows now (null when it shows none).
    QImage shownPicture();
    /// The editor's path for `frame`.
    QString frameFile(int frame) const;

    TestProgram t;
};

} // namespace glimmer::test
