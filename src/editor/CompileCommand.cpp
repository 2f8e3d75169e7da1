// Compile: the animation under construction as a compiled animation file (.gx).

#include "editor/Customfrm.h"
#include "editor/EditorSupport.h"
#include "formats/compiled_file.h"
#include "formats/regular_file.h"
#include "platform/Environment.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "runtime/Program.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    const std::optional<std::string> headerBytes = formats::encodeCompiledHeader(header);
    if (!headerBytes)
        return;

    if (!isWritableName(*chosen))
        return;
    if (isFrameIcon(*chosen, state.FrameFiles, frames)) {
        showError(program_, kOwnIconMessage);
        return;
    }

    // Written into a temporary file beside the target, which takes the target's
    // place only once every record is written and the file is safely on disk: a
    // failure leaves an older file of that name exactly as it was, and no other.
    QSaveFile compiled(*chosen);
    compiled.setDirectWriteFallback(false);
    if (!compiled.open(QIODevice::WriteOnly))
        return;
    const auto headerSize = static_cast<qint64>(headerBytes->size());
    if (compiled.write(headerBytes->data(), headerSize) != headerSize)
        return; // silently, and the temporary file goes with `compiled`

    // The message comes first; once it is closed, every file is closed and the
    // unfinished compiled file is dropped.
    const auto abort = [&](QFile* icon, const QString& message) {
        showError(program_, message);
        if (icon)
            icon->close();
        compiled.cancelWriting();
    };

    const qint64 iconSize = state.IconSize;
    for (int i = 1; i <= frames; ++i) {
        QFile icon(state.FrameFiles[static_cast<std::size_t>(i)]);
        if (!openIcon(icon)) {
            abort(&icon, kMissingIconMessage);
            return;
        }
        // Only the first IconSize bytes: every accepted icon has exactly that length.
        const QByteArray record = icon.read(iconSize);
        if (record.size() != iconSize || compiled.write(record) != iconSize) {
            abort(&icon, kWriteErrorMessage);
            return;
        }
        icon.close();
    }
    // commit() would not notice a flush that fails (a full disk), so the flush is
    // checked first; commit() then syncs the file and puts it in place.
    if (!compiled.flush() || !compiled.commit()) {
        abort(nullptr, kWriteErrorMessage);
        return;
    }
    services.messages.ok(QStringLiteral("Your animation has been compiled!"),
                         MessageIcon::Information, QStringLiteral("Done"));
}

} // namespace glimmer
