#include "runtime/CustomLoader.h"

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "runtime/Program.h"

namespace glimmer {

void LoadCustomAnimation(Program& program)
{
    auto& state = program.state();
    const QString name = program.services().settings.read(Setting::Application, Setting::Section,
                                                          Setting::Custom, QString());
    if (name.isEmpty()) {
        program.services().messages.ok(
            QStringLiteral("You want to display a custom animation, but none is selected. Please "
                           "select one."),
            MessageIcon::Critical, QStringLiteral("Error"));
        state.CurrentAnimation = Animation::Aquarium;
        return;
    }
    // Reading the file comes with the compiled-file reader.
    state.CurrentAnimation = Animation::Aquarium;
}

} // namespace glimmer
