#include "options/Optionfrm.h"

#include "runtime/Program.h"
#include "runtime/frmTray.h"

namespace glimmer {

Optionfrm::Optionfrm(Program& program)
    : Form(program, QStringLiteral("Animation Options"), QSize(twips(5100), twips(3390)))
{
}

void Optionfrm::Form_Load()
{
    centreOnScreen();
}

void Optionfrm::Form_Unload()
{
    frmTray& tray = program_.tray();
    tray.Showmnu->setEnabled(true);
    tray.mnuTrayAbout->setEnabled(true);
    tray.mnuTrayExit->setEnabled(true);
    tray.Editmnu->setEnabled(true);
}

} // namespace glimmer
