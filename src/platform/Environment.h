#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace glimmer {

/// The process's surroundings: folders, the screen, and the abrupt end.
class Environment {
public:
    virtual ~Environment() = default;

    /// The folder that holds the program's executable.
    virtual QString programFolder() const = 0;
    /// The folder the user's own compiled animations go into: the program folder when
    /// it can be written to (a build, an install into the user's home), else the
    /// user's folder, $XDG_DATA_HOME/glimmerbox (~/.local/share/glimmerbox), which
    /// need not exist yet (see makeAnimationsFolder).
    virtual QString animationsFolder() const = 0;
    virtual QString currentDirectory() const = 0;
    /// Makes `folder` the current directory of the whole process; false when it cannot.
    virtual bool setCurrentDirectory(const QString& folder) = 0;
    /// Size of the screen the windows are centred on, in device-independent pixels.
    virtual QSize screenSize() const = 0;
    /// Ends the process at once: no window is unloaded, nothing is cleaned up.
    [[noreturn]] virtual void terminate(int exitCode) = 0;
};

/// The folders that hold compiled animations, the one a bare name is looked for in
/// first at the front: the animations folder, then the program folder when it is
/// another one.
QStringList animationFolders(const Environment& environment);

/// The file a name in the "Custom" setting stands for: a bare name (no folder in it)
/// is looked for in animationFolders() in turn, and is the first one's file when it is
/// in none of them; any other name is the file it names.
QString findAnimation(const Environment& environment, const QString& name);

/// The name "Custom" keeps for the file `path`: its bare name when findAnimation finds
/// this very file under it, else the path itself.
QString animationName(const Environment& environment, const QString& path);

/// Makes the animations folder when it does not exist yet; false when it cannot.
bool makeAnimationsFolder(const Environment& environment);

} // namespace glimmer
