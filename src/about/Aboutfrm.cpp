#include "about/Aboutfrm.h"

#include "options/Optionfrm.h"
#include "runtime/Program.h"
#include "runtime/frmTray.h"

namespace glimmer {

Aboutfrm::Aboutfrm(Program& program)
    : Form(program, QStringLiteral("About"), QSize(twips(4560), twips(2835)))
{
}

void Aboutfrm::Form_Load()
{
    centreOnScreen();
}

void Aboutfrm::Form_Unload()
{
    frmTray& tray = program_.tray();
    tray.Showmnu->setEnabled(true);
    tray.mnuTrayAbout->setEnabled(true);
    tray.mnuTrayExit->setEnabled(true);
    program_.optionfrm().setEnabled(true);
    tray.Editmnu->setEnabled(true);
}

} // namespace glimmer
