#include "TestProgram.h"

#include "about/Aboutfrm.h"
#include "app/Windows.h"
#include "editor/Customfrm.h"
#include "formats/compiled_file.h"
#include "options/Optionfrm.h"
#include "runtime/frmTray.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace glimmer::test {

namespace {
QAction* entry(const frmTray& tray, const QString& caption)
{
    for (QAction* action : tray.menu().actions()) {
        if (!action->isSeparator() && action->text() == caption)
            return action;
    }
    qFatal("the tray menu has no entry %s", qPrintable(caption));
}
} // namespace

QString menuEntries(const frmTray& tray)
{
    QString result;
    result += entry(tray, "Options")->isEnabled() ? 'O' : '-';
    result += entry(tray, "Edit")->isEnabled() ? 'E' : '-';
    result += entry(tray, "About")->isEnabled() ? 'A' : '-';
    result += entry(tray, "Exit")->isEnabled() ? 'X' : '-';
    return result;
}

void choose(const frmTray& tray, const QString& caption)
{
    entry(tray, caption)->trigger();
}

int filledSlots(const frmTray& tray)
{
    int count = 0;
    while (count < formats::kMaxFrames && !tray.customFrame(count + 1).isNull())
        ++count;
    return count;
}

QStringList customEntries(const Optionfrm& window)
{
    QStringList result;
    for (int i = 0; i < window.Combo1->count(); ++i)
        result << window.Combo1->itemText(i);
    return result;
}

QStringList expectedMessages(const QString& message)
{
    return message.isEmpty() ? QStringList() : QStringList{message};
}

TestProgram::TestProgram() : previousDirectory(QDir::currentPath())
{
    environment.programDir = folder.path();
    QDir::setCurrent(folder.path());
    addWindows(program);
}

TestProgram::~TestProgram()
{
    QDir::setCurrent(previousDirectory);
}

Optionfrm& TestProgram::optionfrm()
{
    return static_cast<Optionfrm&>(program.window(WindowKind::Options));
}

Customfrm& TestProgram::customfrm()
{
    return static_cast<Customfrm&>(program.window(WindowKind::Editor));
}

Aboutfrm& TestProgram::aboutfrm()
{
    return static_cast<Aboutfrm&>(program.window(WindowKind::About));
}

} // namespace glimmer::test
