#include "editor/Customfrm.h"

#include "runtime/Program.h"
#include "runtime/frmTray.h"

namespace glimmer {

Customfrm::Customfrm(Program& program)
    : Form(program, QStringLiteral("Custom Glimmerbox"), QSize(393, 233))
{
}

void Customfrm::Form_Load()
{
    centreOnScreen();
}

void Customfrm::Form_Unload()
{
    frmTray& tray = program_.tray();
    tray.Showmnu->setEnabled(true);
    tray.mnuTrayAbout->setEnabled(true);
    tray.mnuTrayExit->setEnabled(true);
    tray.Editmnu->setEnabled(true);
}

} // namespace glimmer
