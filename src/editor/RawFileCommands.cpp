// Save and Load: the animation under construction as a raw animation file (.rgx).

#include "editor/Customfrm.h"
#include "editor/EditorSupport.h"
#include "formats/compiled_file.h"
#include "formats/raw_file.h"
#include "formats/regular_file.h"
#include "formats/text_encoding.h"
#include "formats/title.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Pictures.h"
#include "platform/WholeFile.h"
#include "runtime/Program.h"

#include <QFile>

namespace glimmer {

namespace {

const QString kRawFilter = QStringLiteral("Raw Glimmerbox Files (.RGX)| *.rgx");

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

std::string fileSystemBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

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

    formats::RawAnimation animation;
    const std::optional<std::string> title = titleBytes(Nametxt->text());
    if (!title || !formats::isStorableTitle(*title)) {
        showError(program_, QStringLiteral("The animation title holds a character that a .RGX "
                                           "file cannot store."));
        return;
    }
    animation.title = *title;
    animation.speed = Speedtxt->text().toStdString();
    animation.frameCount = Framestxt->text().toStdString();
    animation.iconSize = Lenlbl->text().toStdString();
    // Entries above the frame count are kept in memory but not written.
    const int frames = Framestxt->text().toInt();
    for (int i = 1; i <= frames && i <= formats::kMaxFrames; ++i)
        animation.paths.push_back(
            fileSystemBytes(program_.state().FrameFiles[static_cast<std::size_t>(i)]));

    // Encoded before the file is touched, so a value that would not read back
    // leaves no file behind (and an existing one unchanged).
    const formats::RawWriteResult encoded = formats::encodeRaw(animation);
    if (encoded.error != formats::RawWriteError::None) {
        showError(program_, unwritableMessage(animation, encoded.badValueIndex));
        return;
    }

    // Written whole or not at all: a failure keeps whatever the name held before.
    switch (writeWholeFile(*chosen, encoded.bytes, ExistingFile::Replace)) {
    case WholeFileOutcome::Written:
        break;
    case WholeFileOutcome::FolderReadOnly:
        showError(program_, folderCannotBeWrittenMessage(*chosen));
        return;
    case WholeFileOutcome::NotAFile:
    case WholeFileOutcome::Exists:
    case WholeFileOutcome::Failed:
        return;
    }
    program_.services().messages.ok(QStringLiteral("File was saved successfully."),
                                    MessageIcon::Information, QStringLiteral("Glimmerbox"));
}

void Customfrm::Image17_Click()
{
    const std::optional<QString> chosen =
        program_.services().dialogs.show({FileDialogMode::Open, QString(), kRawFilter});
    if (!chosen)
        return;
    if (!endsWithLetters(*chosen, "RGX")) {
        showError(program_, QStringLiteral("This is not a valid .RGX file. Refer to Readme.txt "
                                           "for more information."));
        return;
    }

    // From here the previous animation is gone, whatever happens next.
    NewFile();
    switch (readRawFile(*chosen)) {
    case LoadResult::Loaded:
        return;
    case LoadResult::LoadFailure:
        showError(program_, QStringLiteral("An error occured while trying to load. Refer to "
                                           "Readme.txt for more information."));
        break;
    case LoadResult::MissingIcon:
        showError(program_, QStringLiteral("One or more icons listed in this file are missing. "
                                           "Refer to Readme.txt for more information."));
        break;
    }
    // Nothing of a half-loaded file survives.
    NewFile();
}

void Customfrm::setAnimation(const QString& title, int speed, int frames, int iconSize,
                             const QStringList& paths)
{
    auto& state = program_.state();
    state.IconSize = static_cast<std::int16_t>(iconSize);
    for (qsizetype i = 0; i < paths.size() && i < formats::kMaxFrames; ++i)
        state.FrameFiles[static_cast<std::size_t>(i + 1)] = paths[i];

    // The title box keeps at most its first 12 characters.
    Nametxt->setText(title);
    Speedtxt->setText(QString::number(speed));
    Framestxt->setText(QString::number(frames));
    Lenlbl->setText(QString::number(state.IconSize));
    VScroll2->setValue(11 - speed);
    VScroll1->setValue(formats::kMaxFrames + 1 - frames);
    HScroll1->setMaximum(frames);
    HScroll1->setValue(1);
}

Customfrm::LoadResult Customfrm::readRawFile(const QString& fileName)
{
    const std::optional<std::string> bytes =
        formats::readRegularFile(toFsPath(fileName), kRawReadLimit);
    if (!bytes)
        return LoadResult::LoadFailure;
    const formats::RawReadResult raw = formats::decodeRaw(*bytes);
    if (raw.outcome != formats::RawReadOutcome::Ok)
        return LoadResult::LoadFailure;
    // The icon size is a byte count every frame icon must have; the icon rules never
    // accept more than the limit, so a file that claims otherwise is no editor file.
    const bool inRange = raw.speed >= 1 && raw.speed <= 10 && raw.frameCount >= 1 &&
                         raw.frameCount <= formats::kMaxFrames && raw.iconSize >= 0 &&
                         raw.iconSize <= formats::kMaxIconSize;
    if (!inRange)
        return LoadResult::LoadFailure;
    // The editor never holds a title it could not save again (a line break, a tab or
    // another control character written into the file by hand): the same rule as Save's.
    if (!formats::isStorableTitle(raw.title))
        return LoadResult::LoadFailure;
    const QString title = QString::fromStdString(formats::windows1252ToUtf8(raw.title));

    QStringList paths;
    for (const std::string& path : raw.paths)
        paths << QFile::decodeName(QByteArray::fromStdString(path));
    setAnimation(title, raw.speed, raw.frameCount, raw.iconSize, paths);

    // Only frame 1's icon is opened now; the others wait for the compile.
    const QString first = program_.state().FrameFiles[1];
    Filenamelbl->setText(first);
    if (first.isEmpty()) {
        Iconimg->clear();
        return LoadResult::Loaded;
    }
    const std::optional<QImage> picture = Pictures::load(first);
    if (!picture)
        return LoadResult::MissingIcon;
    Iconimg->setPixmap(Pictures::stretched(*picture, Iconimg->size()));
    return LoadResult::Loaded;
}

} // namespace glimmer
