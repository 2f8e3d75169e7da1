#include "files/KeepAnimation.h"

#include "formats/compiled_file.h"
#include "formats/thumbnail.h"
#include "platform/Pictures.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

namespace glimmer {

namespace {

/// Every byte the loader could ever need: the header and 51 records of the largest
/// size. A longer file is no animation that was compiled.
constexpr std::size_t kLongestAnimation =
    formats::kCompiledHeaderSize +
    (formats::kMaxFrames + 1) * static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max());

std::optional<std::string> animationBytes(const QString& path)
{
    return readRegularFile(path, kLongestAnimation);
}

} // namespace

CompiledFileCheck checkCompiledFile(const QString& path)
{
    const std::optional<std::string> bytes =
        readRegularFileStart(path, formats::kLongestPlayableFile);
    if (!bytes)
        return CompiledFileCheck::Damaged;
    const std::string_view start(*bytes);
    if (start.size() >= formats::kCompiledMagic.size() &&
        !start.starts_with(formats::kCompiledMagic))
        return CompiledFileCheck::NewerVersion;
    // The player takes every frame or none.
    const auto records = formats::playableRecords(start);
    if (!records)
        return CompiledFileCheck::Damaged;
    for (const std::string_view record : *records) {
        if (!Pictures::decode(QByteArray(record.data(), static_cast<qsizetype>(record.size()))))
            return CompiledFileCheck::Damaged;
    }
    return CompiledFileCheck::Playable;
}

std::variant<QString, FileOutcome> keepAnimation(const QString& path, const QStringList& folders)
{
    const QFileInfo file(path);
    for (const QString& folder : folders) {
        if (QDir(folder) == file.absoluteDir())
            return file.absoluteFilePath();
    }
    const std::optional<std::string> bytes = animationBytes(path);
    if (!bytes || folders.isEmpty())
        return FileOutcome::silent();
    const QDir target(folders.front());
    if (!QDir().mkpath(target.path()))
        return FileOutcome::refused(folderCannotBeWrittenMessage(target.filePath(file.fileName())));

    QString base = file.completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("animation");
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? base : QStringLiteral("%1-%2").arg(base).arg(n);
        const QString candidate = target.filePath(name + QStringLiteral(".gx"));
        if (QFileInfo(candidate).exists() || QFileInfo(candidate).isSymLink()) {
            if (animationBytes(candidate) == bytes)
                return candidate; // received before
            continue;
        }
        switch (writeWholeFile(candidate, *bytes, ExistingFile::Keep)) {
        case WholeFileOutcome::Written:
            return candidate;
        case WholeFileOutcome::Exists:
            continue;
        case WholeFileOutcome::FolderReadOnly:
            return FileOutcome::refused(folderCannotBeWrittenMessage(candidate));
        case WholeFileOutcome::NotAFile:
        case WholeFileOutcome::Failed:
            return FileOutcome::silent();
        }
    }
    return FileOutcome::silent();
}

} // namespace glimmer
