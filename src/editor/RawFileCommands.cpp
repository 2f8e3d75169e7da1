// Save and Load: the animation under construction as a raw animation file (.rgx).

#include "editor/Customfrm.h"
#include "editor/EditorSupport.h"
#include "files/RawAnimationFile.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "runtime/Program.h"

namespace glimmer {

namespace {

const QString kRawFilter = QStringLiteral("Raw Glimmerbox Files (.RGX)| *.rgx");

} // namespace

void Customfrm::Image16_Click()
{
    const std::optional<QString> chosen =
        program_.services().dialogs.show({FileDialogMode::Save, QString(), kRawFilter});
    if (!chosen)
        return;
    if (Lenlbl->text().isEmpty()) {
        showError(program_, kNoFramesMessage);
        return;
    }
    if (report(saveRawAnimation(*chosen, draft()))) {
        program_.services().messages.ok(QStringLiteral("File was saved successfully."),
                                        MessageIcon::Information, QStringLiteral("Glimmerbox"));
    }
}

void Customfrm::Image17_Click()
{
    const std::optional<QString> chosen =
        program_.services().dialogs.show({FileDialogMode::Open, QString(), kRawFilter});
    if (chosen)
        loadRawFile(*chosen);
}

void Customfrm::loadRawFile(const QString& path)
{
    if (!endsWithLetters(path, "RGX")) {
        showError(program_, QStringLiteral("This is not a valid .RGX file. Refer to Readme.txt "
                                           "for more information."));
        return;
    }

    // From here the previous animation is gone, whatever happens next.
    NewFile();
    const auto loaded = loadRawAnimation(path);
    if (const auto* animation = std::get_if<AnimationDraft>(&loaded)) {
        setAnimation(*animation);
        // Only frame 1's icon is opened now; the others wait for the compile.
        const QString first = model_.FrameFiles[1];
        Filenamelbl->setText(first);
        if (first.isEmpty()) {
            Iconimg->clear();
            return;
        }
        if (const std::optional<QImage> picture = Pictures::load(first)) {
            Iconimg->setPixmap(Pictures::stretched(*picture, Iconimg->size()));
            return;
        }
        showError(program_, QStringLiteral("One or more icons listed in this file are missing. "
                                           "Refer to Readme.txt for more information."));
    } else {
        showError(program_, QStringLiteral("An error occured while trying to load. Refer to "
                                           "Readme.txt for more information."));
    }
    // Nothing of a half-loaded file survives.
    NewFile();
}

AnimationDraft Customfrm::draft() const
{
    AnimationDraft animation;
    animation.title = Nametxt->text();
    animation.speed = Speedtxt->text().toInt();
    animation.frames = Framestxt->text().toInt();
    animation.iconSize = model_.IconSize;
    for (int i = 1; i <= formats::kMaxFrames; ++i)
        animation.icons << model_.FrameFiles[static_cast<std::size_t>(i)];
    return animation;
}

void Customfrm::setAnimation(const AnimationDraft& animation)
{
    model_.IconSize = static_cast<std::int16_t>(animation.iconSize);
    for (qsizetype i = 0; i < animation.icons.size() && i < formats::kMaxFrames; ++i)
        model_.FrameFiles[static_cast<std::size_t>(i + 1)] = animation.icons[i];

    // The title box keeps at most its first 12 characters.
    Nametxt->setText(animation.title);
    Speedtxt->setText(QString::number(animation.speed));
    Framestxt->setText(QString::number(animation.frames));
    Lenlbl->setText(QString::number(model_.IconSize));
    VScroll2->setValue(11 - animation.speed);
    VScroll1->setValue(formats::kMaxFrames + 1 - animation.frames);
    HScroll1->setMaximum(animation.frames);
    HScroll1->setValue(1);
}

bool Customfrm::report(const FileOutcome& outcome)
{
    if (outcome.kind == FileOutcome::Kind::Refused)
        showError(program_, outcome.message);
    return outcome.kind == FileOutcome::Kind::Done;
}

} // namespace glimmer
