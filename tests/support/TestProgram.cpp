#include "TestProgram.h"

#include "runtime/frmTray.h"

#include <QAction>

namespace glimmer::test {

QString menuEntries(const frmTray& tray)
{
    QString result;
    result += tray.Showmnu->isEnabled() ? 'O' : '-';
    result += tray.Editmnu->isEnabled() ? 'E' : '-';
    result += tray.mnuTrayAbout->isEnabled() ? 'A' : '-';
    result += tray.mnuTrayExit->isEnabled() ? 'X' : '-';
    return result;
}

TestProgram::TestProgram() : previousDirectory(QDir::currentPath())
{
    environment.programDir = folder.path();
    QDir::setCurrent(folder.path());
}

TestProgram::~TestProgram()
{
    QDir::setCurrent(previousDirectory);
}

} // namespace glimmer::test
