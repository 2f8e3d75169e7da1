#include "files/RawAnimationFile.h"

#include "formats/compiled_file.h"
#include "formats/raw_file.h"
#include "formats/text_encoding.h"
#include "formats/title.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QFile>

namespace glimmer {

namespace {

/// Raw files are small; this bound keeps a stray huge file from being read whole
/// while leaving room for hand-edited files with very long lines.
constexpr std::size_t kRawReadLimit = std::size_t{4} << 20;

/// Why a value cannot be written so that it reads back the same.
QString unwritableReason(const std::string& value)
{
    if (value.find_first_of("\r\n") != std::string::npos)
        return QStringLiteral("a line break");
    if (value.find(',') != std::string::npos)
        return QStringLiteral("both a comma and a double quote");
    if (!value.empty() && value.front() == '"')
        return QStringLiteral("a double quote at its start");
    return QStringLiteral("a double quote and blanks at its ends");
}

/// The one sentence that tells which value stopped the save.
QString unwritableMessage(const formats::RawAnimation& animation, std::size_t index)
{
    if (index == formats::kRawTitleIndex) {
        return QStringLiteral("The animation title cannot be saved in a .RGX file because it "
                              "holds %1.")
            .arg(unwritableReason(animation.title));
    }
    if (index >= formats::kRawFirstPathIndex) {
        const std::size_t frame = index - formats::kRawFirstPathIndex;
        return QStringLiteral("The icon path of frame %1 cannot be saved in a .RGX file because "
                              "it holds %2.")
            .arg(frame + 1)
            .arg(unwritableReason(animation.paths[frame]));
    }
    return QStringLiteral("This animation cannot be saved in a .RGX file.");
}

} // namespace

FileOutcome saveRawAnimation(const QString& path, const AnimationDraft& animation)
{
    const std::optional<std::string> title = titleBytes(animation.title);
    if (!title || !formats::isStorableTitle(*title)) {
        return FileOutcome::refused(
            QStringLiteral("The animation title holds a character that a .RGX file cannot store."));
    }
    formats::RawAnimation raw;
    raw.title = *title;
    raw.speed = std::to_string(animation.speed);
    raw.frameCount = std::to_string(animation.frames);
    raw.iconSize = std::to_string(animation.iconSize);
    // Entries above the frame count are kept by the editor but not written.
    for (qsizetype i = 0; i < animation.frames && i < formats::kMaxFrames; ++i)
        raw.paths.push_back(QFile::encodeName(animation.icons.value(i)).toStdString());

    // Encoded before the file is touched, so a value that would not read back
    // leaves no file behind (and an existing one unchanged).
    const formats::RawWriteResult encoded = formats::encodeRaw(raw);
    if (encoded.error != formats::RawWriteError::None)
        return FileOutcome::refused(unwritableMessage(raw, encoded.badValueIndex));

    switch (writeWholeFile(path, encoded.bytes, ExistingFile::Replace)) {
    case WholeFileOutcome::Written:
        return FileOutcome::done();
    case WholeFileOutcome::FolderReadOnly:
        return FileOutcome::refused(folderCannotBeWrittenMessage(path));
    case WholeFileOutcome::NotAFile:
    case WholeFileOutcome::Exists:
    case WholeFileOutcome::Failed:
        break;
    }
    return FileOutcome::silent();
}

std::variant<AnimationDraft, RawLoadFailure> loadRawAnimation(const QString& path)
{
    const std::optional<std::string> bytes = readRegularFile(path, kRawReadLimit);
    if (!bytes)
        return RawLoadFailure::Unreadable;
    const formats::RawReadResult raw = formats::decodeRaw(*bytes);
    if (raw.outcome != formats::RawReadOutcome::Ok)
        return RawLoadFailure::Malformed;
    // The icon size is a byte count every frame icon must have; the icon rules never
    // accept more than the limit, so a file that claims otherwise is no editor file.
    const bool inRange = raw.speed >= 1 && raw.speed <= 10 && raw.frameCount >= 1 &&
                         raw.frameCount <= formats::kMaxFrames && raw.iconSize >= 0 &&
                         raw.iconSize <= formats::kMaxIconSize;
    // The editor never holds a title it could not save again (a line break, a tab or
    // another control character written into the file by hand): Save's own rule.
    if (!inRange || !formats::isStorableTitle(raw.title))
        return RawLoadFailure::Malformed;

    AnimationDraft animation;
    animation.title = QString::fromStdString(formats::windows1252ToUtf8(raw.title));
    animation.speed = raw.speed;
    animation.frames = raw.frameCount;
    animation.iconSize = raw.iconSize;
    for (const std::string& icon : raw.paths)
        animation.icons << QFile::decodeName(QByteArray::fromStdString(icon));
    return animation;
}

} // namespace glimmer
