#include "platform/qt/QtEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

namespace glimmer {

QString QtEnvironment::programFolder() const
{
    return QCoreApplication::applicationDirPath();
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
