#include "files/Import.h"

#include "formats/animation_import.h"
#include "formats/compiled_file.h"
#include "formats/natural_order.h"
#include "formats/raw_file.h"
#include "formats/text_encoding.h"
#include "formats/title.h"
#include "platform/PictureFiles.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace glimmer {

namespace {

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

ImportFailure failed(const QString& format, const QString& name)
{
    return {format.arg(name)};
}

ImportFailure cannotBeRead(const QString& path)
{
    return failed(QStringLiteral("The picture %1 cannot be read."), fileName(path));
}

ImportFailure cannotWriteTo(const QDir& folder)
{
    return failed(QStringLiteral("The folder %1 cannot be written to."),
                  QDir::toNativeSeparators(folder.absolutePath()));
}

/// The title of an animation made from `picture`: its name as a title can hold it, or
/// a word of our own when no character of it can be held.
QString titleFrom(const QString& picture)
{
    const QByteArray name = QFileInfo(picture).completeBaseName().toUtf8();
    const std::string title = formats::titleFromName(std::string_view(name.data(), name.size()));
    return title.empty() ? QStringLiteral("Animation") : QString::fromStdString(title);
}

std::optional<std::string> frameIcon(const QImage& image, const formats::PictureRegion& region)
{
    const formats::RgbaPicture picture{
        image.width(), image.height(), static_cast<std::size_t>(image.bytesPerLine()),
        std::span(image.constBits(), static_cast<std::size_t>(image.sizeInBytes()))};
    const auto frame = formats::convertToFrame(picture, region);
    if (!frame)
        return std::nullopt;
    return formats::encodeFrame(*frame);
}

std::optional<std::string> wholeFrameIcon(const QImage& image)
{
    return frameIcon(image, {0, 0, image.width(), image.height()});
}

std::optional<ImportFailure> readFailure(const QString& path, PictureFile::Failure failure)
{
    switch (failure) {
    case PictureFile::Failure::None:
        return std::nullopt;
    case PictureFile::Failure::Missing:
        return failed(QStringLiteral("The file %1 does not exist."), fileName(path));
    case PictureFile::Failure::NotAPicture:
        return failed(QStringLiteral("The file %1 is not a picture that can be imported."),
                      fileName(path));
    case PictureFile::Failure::Unreadable:
        break;
    }
    return cannotBeRead(path);
}

/// The frames of one picture file, each converted as soon as it is decoded. The first
/// frame waits for the second: alone, it is a still picture, which may be a strip.
std::optional<ImportFailure> importOnePicture(const QString& path, ImportedAnimation& animation,
                                              std::vector<int>& delays)
{
    std::optional<QImage> first;
    bool unconvertible = false;
    const auto add = [&](const QImage& image, int delayMs) {
        auto icon = wholeFrameIcon(image);
        if (!icon) {
            unconvertible = true;
            return;
        }
        animation.icons.push_back(std::move(*icon));
        delays.push_back(delayMs);
    };
    int firstDelay = 0;
    const PictureFile file = readPictureFile(path, formats::kMaxFrames, [&](PictureFrame&& frame) {
        if (unconvertible)
            return;
        if (!first && animation.icons.empty()) {
            first = std::move(frame.image);
            firstDelay = frame.delayMs;
            return;
        }
        if (first) {
            add(*first, firstDelay);
            first.reset();
        }
        add(frame.image, frame.delayMs);
    });
    if (auto failure = readFailure(path, file.failure))
        return failure;
    if (unconvertible)
        return cannotBeRead(path);
    animation.cut = file.moreFrames;
    if (!first)
        return std::nullopt;

    // A still picture: one frame, or a strip of square frames.
    std::vector<formats::PictureRegion> regions =
        formats::stillFrames(first->width(), first->height());
    animation.cut = formats::keepFirstFrames(regions);
    for (const formats::PictureRegion& region : regions) {
        auto icon = frameIcon(*first, region);
        if (!icon)
            return cannotBeRead(path);
        animation.icons.push_back(std::move(*icon));
    }
    return std::nullopt;
}

/// Several pictures: the first frame of each, whole.
std::optional<ImportFailure> importEachPicture(const QStringList& paths,
                                               ImportedAnimation& animation)
{
    for (const QString& path : paths) {
        bool unconvertible = false;
        const PictureFile file = readPictureFile(path, 1, [&](PictureFrame&& frame) {
            auto icon = wholeFrameIcon(frame.image);
            if (icon)
                animation.icons.push_back(std::move(*icon));
            else
                unconvertible = true;
        });
        if (auto failure = readFailure(path, file.failure))
            return failure;
        if (unconvertible)
            return cannotBeRead(path);
    }
    return std::nullopt;
}

/// The paths of TITLE.rgx and TITLE.gx in `folder`, or of TITLE-n.rgx and TITLE-n.gx for
/// the first n from 2 on where neither name is taken.
std::pair<QString, QString> freeAnimationNames(const QDir& folder, const QString& title)
{
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? title : QStringLiteral("%1-%2").arg(title).arg(n);
        const QString raw = folder.filePath(name + QStringLiteral(".rgx"));
        const QString compiled = folder.filePath(name + QStringLiteral(".gx"));
        if (!QFileInfo(raw).exists() && !QFileInfo(raw).isSymLink() &&
            !QFileInfo(compiled).exists() && !QFileInfo(compiled).isSymLink())
            return {raw, compiled};
    }
}

} // namespace

QString importCutMessage()
{
    return QStringLiteral("Only the first %1 frames were imported: an animation holds no more.")
        .arg(formats::kMaxFrames);
}

std::variant<ImportedAnimation, ImportFailure> importPictures(const QStringList& pictures)
{
    ImportedAnimation animation;
    if (pictures.isEmpty())
        return ImportFailure{QStringLiteral("No picture was chosen.")};

    QStringList ordered = pictures;
    std::sort(ordered.begin(), ordered.end(), [](const QString& a, const QString& b) {
        return formats::compareNatural(fileName(a).toStdString(), fileName(b).toStdString()) < 0;
    });
    animation.firstPicture = ordered.front();
    animation.title = titleFrom(animation.firstPicture);

    std::vector<int> delays;
    std::optional<ImportFailure> failure;
    if (ordered.size() == 1) {
        failure = importOnePicture(ordered.front(), animation, delays);
    } else {
        animation.cut = ordered.size() > formats::kMaxFrames;
        failure = importEachPicture(ordered.mid(0, formats::kMaxFrames), animation);
    }
    if (failure)
        return *failure;
    if (animation.icons.empty())
        return cannotBeRead(animation.firstPicture);
    animation.speed = formats::speedStepForDelays(delays);
    return animation;
}

std::variant<QStringList, ImportFailure> writeFrameIcons(const ImportedAnimation& animation,
                                                         const QString& parent)
{
    const QFileInfo first(animation.firstPicture);
    // Named after the picture, without double quotes: a raw file could not always
    // name an icon whose path holds one.
    QString base = first.completeBaseName().remove(QLatin1Char('"'));
    if (base.isEmpty())
        base = QStringLiteral("frame");
    QDir beside = parent.isEmpty() ? first.absoluteDir() : QDir(parent);
    QString folderName = base + QStringLiteral("-frames");
    for (int n = 2; beside.exists(folderName); ++n)
        folderName = base + QStringLiteral("-frames-%1").arg(n);
    if (!beside.mkdir(folderName))
        return cannotWriteTo(beside);
    QDir folder(beside.filePath(folderName));

    QStringList paths;
    for (std::size_t i = 0; i < animation.icons.size(); ++i) {
        const QString path = folder.filePath(
            QStringLiteral("%1%2.ico").arg(base).arg(i + 1, 2, 10, QLatin1Char('0')));
        if (writeWholeFile(path, animation.icons[i], ExistingFile::Keep) !=
            WholeFileOutcome::Written) {
            folder.removeRecursively(); // the folder is the import's own, new one
            return cannotWriteTo(beside);
        }
        paths << QDir::toNativeSeparators(path);
    }
    return paths;
}

std::variant<QStringList, ImportFailure> writeAnimationFiles(const ImportedAnimation& animation,
                                                             const QStringList& iconPaths,
                                                             const QString& folder)
{
    const QByteArray titleUtf8 = animation.title.toUtf8();
    const auto titleInFile =
        formats::utf8ToWindows1252(std::string_view(titleUtf8.constData(), titleUtf8.size()));
    const QDir target(folder);
    if (!titleInFile || iconPaths.size() != static_cast<qsizetype>(animation.icons.size()))
        return cannotWriteTo(target);

    const auto frames = static_cast<std::int16_t>(animation.icons.size());
    const auto iconSize = static_cast<std::int16_t>(animation.icons.front().size());
    formats::RawAnimation raw;
    raw.title = *titleInFile;
    raw.speed = std::to_string(animation.speed);
    raw.frameCount = std::to_string(frames);
    raw.iconSize = std::to_string(iconSize);
    for (const QString& path : iconPaths)
        raw.paths.push_back(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
    const formats::RawWriteResult rawFile = formats::encodeRaw(raw);

    formats::CompiledHeader header;
    header.iconSize = iconSize;
    header.speed = static_cast<std::int16_t>(animation.speed);
    header.frameCount = frames;
    header.title = *titleInFile;
    const auto compiled = formats::encodeCompiled(header, animation.icons);
    if (rawFile.error != formats::RawWriteError::None || !compiled)
        return failed(QStringLiteral("The animation %1 cannot be written as a file."),
                      animation.title);

    // Another import may take the same names meanwhile: then the next pair is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto [rawPath, compiledPath] = freeAnimationNames(target, animation.title);
        const WholeFileOutcome rawWritten =
            writeWholeFile(rawPath, rawFile.bytes, ExistingFile::Keep);
        if (rawWritten == WholeFileOutcome::Exists)
            continue;
        if (rawWritten != WholeFileOutcome::Written)
            return cannotWriteTo(target);
        const WholeFileOutcome compiledWritten =
            writeWholeFile(compiledPath, *compiled, ExistingFile::Keep);
        if (compiledWritten != WholeFileOutcome::Written) {
            QFile::remove(rawPath); // the import's own, new file
            if (compiledWritten == WholeFileOutcome::Exists)
                continue;
            return cannotWriteTo(target);
        }
        return QStringList{QDir::toNativeSeparators(rawPath),
                           QDir::toNativeSeparators(compiledPath)};
    }
    return cannotWriteTo(target);
}

} // namespace glimmer
