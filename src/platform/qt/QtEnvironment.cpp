#include "platform/qt/QtEnvironment.h"

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
    return QCoreApplication::applicationDirPath();
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
