#include "platform/qt/QtEnvironment.h"

#include "platform/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <cstdlib>

namespace glimmer {

QString QtEnvironment::programFolder() const
{
    // Qt resolves links to the executable, so a bin/glimmerbox that links into the
    // program's folder leads there; an executable installed apart from its data finds
    // the folder from its own place, and one run from the build folder has it beside.
    const QString executableFolder = QCoreApplication::applicationDirPath();
    if constexpr (kProgramFolderFromExecutable[0] != '\0') {
        const QString installed = QDir::cleanPath(executableFolder + QLatin1Char('/') +
                                                  QLatin1String(kProgramFolderFromExecutable));
        if (QFileInfo(installed).isDir())
            return installed;
    }
    return executableFolder;
}

QString QtEnvironment::animationsFolder() const
{
    const QString program = programFolder();
    if (QFileInfo(program).isWritable())
        return program;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/glimmerbox");
}

QString QtEnvironment::currentDirectory() const
{
    return QDir::currentPath();
}

bool QtEnvironment::setCurrentDirectory(const QString& folder)
{
    return QDir::setCurrent(folder);
}

QSize QtEnvironment::screenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(640, 480);
}

void QtEnvironment::terminate(int exitCode)
{
    std::_Exit(exitCode);
}

} // namespace glimmer
