#include "files/Compile.h"

#include "formats/compiled_file.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <vector>

namespace glimmer {

namespace {

const QString kMissingIconMessage =
    QStringLiteral("One or more of the icon files are missing. Compilation aborted.");
const QString kWriteErrorMessage = QStringLiteral("Error writing to file. Compilation aborted.");
const QString kOwnIconMessage =
    QStringLiteral("A compiled animation cannot be saved over one of its own icon files.");

/// True when `path` names nothing yet or a regular file: the only kind of name
/// written to (never a device, a pipe or a folder).
bool isWritableName(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && (!info.exists() || info.isFile());
}

/// True when `target` is (or links to) the icon file of one of the first `frames`.
bool isFrameIcon(const QString& target, const QStringList& icons, int frames)
{
    const QString canonicalTarget = QFileInfo(target).canonicalFilePath();
    if (canonicalTarget.isEmpty())
        return false; // nothing of that name yet
    for (qsizetype i = 0; i < frames && i < icons.size(); ++i) {
        if (!icons[i].isEmpty() && QFileInfo(icons[i]).canonicalFilePath() == canonicalTarget)
            return true;
    }
    return false;
}

} // namespace

FileOutcome compileAnimation(const AnimationDraft& animation, const QString& target)
{
    const std::optional<std::string> title = titleBytes(animation.title);
    if (!title || animation.frames < 1 || animation.frames > formats::kMaxFrames)
        return FileOutcome::silent();
    formats::CompiledHeader header;
    header.iconSize = static_cast<std::int16_t>(animation.iconSize);
    header.speed = static_cast<std::int16_t>(animation.speed);
    header.frameCount = static_cast<std::int16_t>(animation.frames);
    header.title = *title;

    if (!isWritableName(target))
        return FileOutcome::silent();
    if (isFrameIcon(target, animation.icons, animation.frames))
        return FileOutcome::refused(kOwnIconMessage);

    std::vector<std::string> records;
    for (int i = 0; i < animation.frames; ++i) {
        // Only a regular file counts: a device or a pipe named as an icon never
        // blocks the compile.
        const QString path = animation.icons.value(i);
        QFile icon(path);
        if (!isReadableRegularFile(path) || !icon.open(QIODevice::ReadOnly))
            return FileOutcome::refused(kMissingIconMessage);
        // Only the first IconSize bytes: every accepted icon has exactly that length.
        const QByteArray record = icon.read(animation.iconSize);
        if (record.size() != animation.iconSize)
            return FileOutcome::refused(kWriteErrorMessage);
        records.emplace_back(record.constData(), static_cast<std::size_t>(record.size()));
    }
    const std::optional<std::string> bytes = formats::encodeCompiled(header, records);
    if (!bytes)
        return FileOutcome::silent();
    switch (writeWholeFile(target, *bytes, ExistingFile::Replace)) {
    case WholeFileOutcome::Written:
        return FileOutcome::done();
    case WholeFileOutcome::FolderReadOnly:
        return FileOutcome::refused(folderCannotBeWrittenMessage(target));
    case WholeFileOutcome::NotAFile:
    case WholeFileOutcome::Exists:
        return FileOutcome::silent();
    case WholeFileOutcome::Failed:
        break;
    }
    return FileOutcome::refused(kWriteErrorMessage);
}

} // namespace glimmer
