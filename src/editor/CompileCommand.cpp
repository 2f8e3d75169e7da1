// Compile: the animation under construction as a compiled animation file (.gx).

#include "editor/Customfrm.h"
#include "editor/EditorSupport.h"
#include "files/Compile.h"
#include "platform/Environment.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "runtime/Program.h"

namespace glimmer {

void Customfrm::Image14_Click()
{
    auto& services = program_.services();
    // The dialog starts in the current directory, and the options dialog lists the
    // compiled files of the animations folder (the program's folder, or the user's
    // where the program's is read-only): so that folder it is.
    Environment& environment = services.environment;
    if (!makeAnimationsFolder(environment) ||
        !environment.setCurrentDirectory(environment.animationsFolder()))
        return;
    if (Lenlbl->text().isEmpty()) {
        showError(program_, kNoFramesMessage);
        return;
    }
    const std::optional<QString> chosen = services.dialogs.show(
        {FileDialogMode::Save, QString(), QStringLiteral("Glimmerbox Files (.GX)| *.gx")});
    if (!chosen)
        return;
    if (report(compileAnimation(draft(), *chosen))) {
        services.messages.ok(QStringLiteral("Your animation has been compiled!"),
                             MessageIcon::Information, QStringLiteral("Done"));
    }
}

} // namespace glimmer
