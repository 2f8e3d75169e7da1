// Compile: the animation under construction as a compiled animation file (.gx).

#include "editor/Customfrm.h"
#include "editor/EditorSupport.h"
#include "formats/compiled_file.h"
#include "formats/regular_file.h"
#include "platform/Environment.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/WholeFile.h"
#include "runtime/Program.h"

#include <QFile>
#include <QFileInfo>

namespace glimmer {

namespace {

const QString kMissingIconMessage =
    QStringLiteral("One or more of the icon files are missing. Compilation aborted.");
const QString kWriteErrorMessage = QStringLiteral("Error writing to file. Compilation aborted.");

const QString kOwnIconMessage =
    QStringLiteral("A compiled animation cannot be saved over one of its own icon files.");

/// True when `target` is (or links to) the icon file of one of frames 1..`frames`.
template <typename Paths> bool isFrameIcon(const QString& target, const Paths& paths, int frames)
{
    const QString canonicalTarget = QFileInfo(target).canonicalFilePath();
    if (canonicalTarget.isEmpty())
        return false; // nothing of that name yet
    for (int i = 1; i <= frames; ++i) {
        const QString& icon = paths[static_cast<std::size_t>(i)];
        if (!icon.isEmpty() && QFileInfo(icon).canonicalFilePath() == canonicalTarget)
            return true;
    }
    return false;
}

/// Opens a frame's icon file for reading; only a regular file counts, so a
/// device or a pipe named as an icon never blocks the compile.
bool openIcon(QFile& icon)
{
    const QString path = icon.fileName();
    if (path.isEmpty() || !formats::isReadableRegularFile(toFsPath(path)))
        return false;
    return icon.open(QIODevice::ReadOnly);
}

} // namespace

void Customfrm::Image14_Click()
{
    auto& services = program_.services();
    // The dialog starts in the current directory, and the options dialog lists the
    // compiled files of the program's folder: so the program's folder it is.
    if (!services.environment.setCurrentDirectory(services.environment.programFolder()))
        return;
    if (Lenlbl->text().isEmpty()) {
        showError(program_, kNoFramesMessage);
        return;
    }

    const std::optional<QString> chosen = services.dialogs.show(
        {FileDialogMode::Save, QString(), QStringLiteral("Glimmerbox Files (.GX)| *.gx")});
    if (!chosen)
        return;

    const auto& state = program_.state();
    const int frames = Framestxt->text().toInt();
    const std::optional<std::string> title = titleBytes(Nametxt->text());
    if (!title || frames < 1 || frames > formats::kMaxFrames)
        return;
    formats::CompiledHeader header;
    header.iconSize = state.IconSize;
    header.speed = static_cast<std::int16_t>(Speedtxt->text().toInt());
    header.frameCount = static_cast<std::int16_t>(frames);
    header.title = *title;
    if (!isWritableName(*chosen))
        return;
    if (isFrameIcon(*chosen, state.FrameFiles, frames)) {
        showError(program_, kOwnIconMessage);
        return;
    }

    std::vector<std::string> records;
    for (int i = 1; i <= frames; ++i) {
        QFile icon(state.FrameFiles[static_cast<std::size_t>(i)]);
        if (!openIcon(icon)) {
            showError(program_, kMissingIconMessage);
            return;
        }
        // Only the first IconSize bytes: every accepted icon has exactly that length.
        const QByteArray record = icon.read(state.IconSize);
        icon.close();
        if (record.size() != state.IconSize) {
            showError(program_, kWriteErrorMessage);
            return;
        }
        records.emplace_back(record.constData(), static_cast<std::size_t>(record.size()));
    }
    const std::optional<std::string> bytes = formats::encodeCompiled(header, records);
    if (!bytes)
        return;
    switch (writeWholeFile(*chosen, *bytes, ExistingFile::Replace)) {
    case WholeFileOutcome::Written:
        break;
    case WholeFileOutcome::FolderReadOnly:
        showError(program_, folderCannotBeWrittenMessage(*chosen));
        return;
    case WholeFileOutcome::NotAFile:
    case WholeFileOutcome::Exists:
        return;
    case WholeFileOutcome::Failed:
        showError(program_, kWriteErrorMessage);
        return;
    }
    services.messages.ok(QStringLiteral("Your animation has been compiled!"),
                         MessageIcon::Information, QStringLiteral("Done"));
}

} // namespace glimmer
