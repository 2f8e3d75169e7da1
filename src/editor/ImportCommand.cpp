// Import: pictures as a new animation in the editor.

#include "editor/Customfrm.h"
#include "editor/EditorSupport.h"
#include "files/Import.h"
#include "formats/compiled_file.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureFiles.h"
#include "runtime/Program.h"

namespace glimmer {

void Customfrm::Image19_Click()
{
    auto& services = program_.services();
    const std::optional<QStringList> chosen =
        services.dialogs.showSeveral({FileDialogMode::Open, QString(), pictureFileFilter()});
    if (!chosen)
        return;

    // Everything is read, converted and written before the animation in the editor
    // is touched: a failure leaves it as it was, and no folder or file behind.
    auto imported = importPictures(*chosen);
    if (const auto* failure = std::get_if<ImportFailure>(&imported)) {
        showError(program_, failure->message);
        return;
    }
    const ImportedAnimation& animation = std::get<ImportedAnimation>(imported);
    const auto written = writeFrameIcons(animation);
    if (const auto* failure = std::get_if<ImportFailure>(&written)) {
        showError(program_, failure->message);
        return;
    }
    const QStringList& icons = std::get<QStringList>(written);

    NewFile();
    setAnimation({animation.title, animation.speed, static_cast<int>(icons.size()),
                  static_cast<int>(animation.icons.front().size()), icons});
    Image6_Click();
    showFrame(1);
    if (animation.cut)
        services.messages.ok(importCutMessage(), MessageIcon::Information,
                             QStringLiteral("Glimmerbox"));
}

} // namespace glimmer
