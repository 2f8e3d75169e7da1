#pragma once

// A program with the editor opened from the tray menu, driven the way a user drives
// it, with its icon files written into the program's folder.

#include "TestFiles.h"
#include "TestProgram.h"
#include "editor/Customfrm.h"
#include "platform/widgets/ClickImage.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace glimmer::test {

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
    /// Writes the PNG `pictureBytes` makes into the session's folder; returns its path.
    QString picture(const QString& name, int width, int height, const QList<QColor>& colours);

    /// "Choose Icon" with the dialog answering `path`.
    void chooseIcon(const QString& path);
    /// Chooses `path` for frame `frame`, moving the scroller there first.
    void chooseIconFor(int frame, const QString& path);
    void goToFrame(int frame);
    void setFrameCount(int frames);
    void setSpeed(int speed);

    /// "Compile", "Save" and "Load" as clicked, with the dialog answering `path`.
    void compile(const QString& path);
    void save(const QString& path);
    void load(const QString& path);
    /// "Import" as clicked, with the dialog answering `pictures`.
    void importPictures(const QStringList& pictures);

    /// The picture `Iconimg` shows now (null when it shows none).
    QImage shownPicture();
    /// The editor's path for `frame`.
    QString frameFile(int frame);
    /// The animation the editor holds, in one comparable line: title, speed, frame
    /// count, icon size as shown and as held, then the paths of all 50 frames.
    QString animation();

    TestProgram t;
};

} // namespace glimmer::test
