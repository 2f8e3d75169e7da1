#pragma once

#include "formats/icon_rules.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace glimmer {

/// An animation as the editor holds it while it is made: what Save writes into a raw
/// file (.rgx), what Load reads back, and what Compile turns into a compiled file (.gx).
struct AnimationDraft {
    QString title;
    int speed = 1;     ///< the speed step, 1..10
    int frames = 0;    ///< the frame count, 1..50
    int iconSize = 0;  ///< the byte length every frame icon has
    QStringList icons; ///< the icon file of frames 1, 2, ... (at least `frames` of them;
                       ///< empty for a frame without one)
};

/// What an operation on a file tells the user when it ends.
struct FileOutcome {
    enum class Kind {
        Done,    ///< the file was written or read
        Silent,  ///< it failed in a way that has no sentence: nothing is shown
        Refused, ///< it failed: `message` says why, in one sentence
    };
    Kind kind = Kind::Done;
    QString message;

    static FileOutcome done() { return {Kind::Done, {}}; }
    static FileOutcome silent() { return {Kind::Silent, {}}; }
    static FileOutcome refused(QString message) { return {Kind::Refused, std::move(message)}; }
};

/// The title as both animation files store it (Windows-1252); nothing when a character
/// has no byte there.
std::optional<std::string> titleBytes(const QString& title);

/// True when `title` can be stored and read back as it is: every character has a
/// Windows-1252 byte and none is a control character (formats::isStorableTitle).
bool canBeTitle(const QString& title);

/// The icon rules (formats::checkIconFile) applied to the file `path`, as "Choose
/// Icon" applies them: its name first, then its length as it opens, never blocking on
/// something that is not a regular file; its content is not read.
formats::IconCheck checkFrameIcon(const QString& path, std::optional<std::uintmax_t> acceptedSize);

/// "The folder X cannot be written to.", X being the folder of the file `path`: the
/// sentence for a folder that takes no new file.
QString folderCannotBeWrittenMessage(const QString& path);

} // namespace glimmer
