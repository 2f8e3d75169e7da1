#include "app/OpenFiles.h"

#include "editor/Customfrm.h"
#include "files/KeepAnimation.h"
#include "files/RawAnimationFile.h"
#include "formats/speed_steps.h"
#include "platform/Environment.h"
#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "platform/SettingsStore.h"
#include "runtime/CustomLoader.h"
#include "runtime/Program.h"
#include "runtime/frmTray.h"

#include <QFileInfo>

namespace glimmer {

namespace {

void refuse(Program& program, const QString& text)
{
    program.services().messages.ok(text, MessageIcon::Critical, QStringLiteral("Error"));
}

QString busyMessage(const QString& path, const QString& window)
{
    return QStringLiteral("The file %1 cannot be opened while the %2 window is open.")
        .arg(QFileInfo(path).fileName(), window);
}

/// The raw file: the editor opens with it, unless it would fail to load there. The
/// tray menu's "Edit" is open to it only while no other window is open, and so is
/// this.
void openRawFile(Program& program, const QString& path)
{
    const std::pair<WindowKind, QString> windows[] = {
        {WindowKind::Editor, QStringLiteral("Custom Glimmerbox")},
        {WindowKind::Options, QStringLiteral("Animation Options")},
        {WindowKind::About, QStringLiteral("About")},
    };
    for (const auto& [kind, title] : windows) {
        if (program.isWindowShown(kind)) {
            refuse(program, busyMessage(path, title));
            return;
        }
    }
    // Checked before the editor opens, so that a file that fails changes nothing;
    // the editor's own Load then reads it again and shows frame 1.
    const auto loaded = loadRawAnimation(path);
    const auto* animation = std::get_if<AnimationDraft>(&loaded);
    if (!animation) {
        refuse(program, QStringLiteral("An error occured while trying to load. Refer to "
                                       "Readme.txt for more information."));
        return;
    }
    const QString first = animation->icons.value(0);
    if (!first.isEmpty() && !Pictures::load(first)) {
        refuse(program, QStringLiteral("One or more icons listed in this file are missing. Refer "
                                       "to Readme.txt for more information."));
        return;
    }
    program.tray().Editmnu_Click();
    static_cast<Customfrm&>(program.window(WindowKind::Editor)).loadRawFile(path);
}

/// The compiled file: kept, played, and remembered for the next start.
void openCompiledFile(Program& program, const QString& path)
{
    if (program.isWindowShown(WindowKind::Options)) {
        refuse(program, busyMessage(path, QStringLiteral("Animation Options")));
        return;
    }
    switch (checkCompiledFile(path)) {
    case CompiledFileCheck::Playable:
        break;
    case CompiledFileCheck::NewerVersion:
        refuse(program,
               QStringLiteral("The custom animation you tried to load is a newer version."));
        return;
    case CompiledFileCheck::Damaged:
        refuse(program,
               QStringLiteral("An error has occured while trying to load the custom animation."));
        return;
    }
    const Environment& environment = program.services().environment;
    const auto kept = keepAnimation(path, animationFolders(environment));
    if (const auto* outcome = std::get_if<FileOutcome>(&kept)) {
        if (outcome->kind == FileOutcome::Kind::Refused)
            refuse(program, outcome->message);
        return;
    }
    SettingsStore& settings = program.services().settings;
    const auto save = [&settings](const QString& key, const QString& value) {
        settings.save(Setting::Application, Setting::Section, key, value);
    };
    save(Setting::Custom, animationName(environment, std::get<QString>(kept)));
    LoadCustomAnimation(program);
    program.playAnimation(Animation::Custom);
    if (const auto interval = formats::intervalForStep(program.state().CustomSpeed))
        program.setInterval(*interval);
    save(Setting::Previous, QString::number(Animation::Custom));
    save(Setting::Speed, QString::number(program.interval()));
}

} // namespace

void openFiles(Program& program, const QStringList& files)
{
    if (files.isEmpty() || program.isFinished())
        return;
    if (program.modal().isOpen()) {
        program.whenNoBoxIsOpen([&program, files] { openFiles(program, files); });
        return;
    }
    for (const QString& path : files) {
        if (path.endsWith(QStringLiteral(".rgx"), Qt::CaseInsensitive))
            openRawFile(program, path);
        else
            openCompiledFile(program, path);
    }
}

} // namespace glimmer
