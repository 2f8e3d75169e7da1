// "Choose Icon": gives the current frame an icon file that passes the icon rules.

#include "editor/Customfrm.h"
#include "editor/EditorSupport.h"
#include "files/Animation.h"
#include "formats/icon_rules.h"
#include "platform/FileDialogs.h"
#include "platform/Pictures.h"
#include "runtime/Program.h"

namespace glimmer {

namespace {

/// The message of a refused icon file; empty for the verdicts that have none.
QString refusalMessage(formats::IconVerdict verdict)
{
    switch (verdict) {
    case formats::IconVerdict::NotAnIconFile:
        return QStringLiteral(
            "This is not a valid icon file. Refer to Readme.txt for more information.");
    case formats::IconVerdict::NotSuitable:
        return QStringLiteral(
            "This icon is not suitable for Glimmerbox. Refer to Readme.txt for more information.");
    case formats::IconVerdict::DifferentFormat:
        return QStringLiteral("You must choose the same icon format for all animation frames. "
                              "Refer to Readme.txt for more information.");
    case formats::IconVerdict::Accepted:
    case formats::IconVerdict::CannotBeOpened:
        break;
    }
    return {};
}

} // namespace

void Customfrm::Image10_Click()
{
    const std::optional<QString> chosen = program_.services().dialogs.show(
        {FileDialogMode::Open, QString(), QStringLiteral("Icon Files | *.ico")});
    if (!chosen)
        return;
    const QString path = *chosen;

    std::optional<std::uintmax_t> accepted;
    if (const std::optional<int> size = acceptedIconSize())
        accepted = static_cast<std::uintmax_t>(*size);
    const formats::IconCheck check = checkFrameIcon(path, accepted);

    if (check.verdict == formats::IconVerdict::CannotBeOpened)
        return;
    if (check.verdict != formats::IconVerdict::Accepted) {
        showError(program_, refusalMessage(check.verdict));
        return;
    }
    if (!accepted) {
        // The first icon fixes the size that every frame of this animation shares.
        Lenlbl->setText(QString::number(check.length));
        model_.IconSize = static_cast<std::int16_t>(check.length);
    }

    Filenamelbl->setText(path);
    const int frame = HScroll1->value();
    model_.FrameFiles[static_cast<std::size_t>(frame)] = path;

    // A file that passes the rules but is no picture stays recorded, unseen.
    if (const std::optional<QImage> picture = Pictures::load(path))
        Iconimg->setPixmap(Pictures::stretched(*picture, Iconimg->size()));
}

} // namespace glimmer
