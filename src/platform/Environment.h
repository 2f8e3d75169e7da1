#pragma once

#include <QSize>
#include <QString>

namespace glimmer {

/// The process's surroundings: folders, the screen, and the abrupt end.
class Environment {
public:
    virtual ~Environment() = default;

    /// The folder that holds the program's executable.
    virtual QString programFolder() const = 0;
    virtual QString currentDirectory() const = 0;
    /// Makes `folder` the current directory of the whole process; false when it cannot.
    virtual bool setCurrentDirectory(const QString& folder) = 0;
    /// Size of the screen the windows are centred on, in device-independent pixels.
    virtual QSize screenSize() const = 0;
    /// Ends the process at once: no window is unloaded, nothing is cleaned up.
    [[noreturn]] virtual void terminate(int exitCode) = 0;
};

} // namespace glimmer
