#include "editor/Import.h"

#include "editor/EditorSupport.h"
#include "editor/TitleValidator.h"
#include "formats/animation_import.h"
#include "formats/compiled_file.h"
#include "formats/natural_order.h"
#include "formats/raw_file.h"
#include "platform/PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace glimmer {

namespace {

constexpr int kTitleLength = 12;

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

ImportFailure failed(const QString& format, const QString& name)
{
    return {format.arg(name)};
}

/// The first picture's base name as the title box would hold it and Save could
/// write it: the characters an animation file can store (double quotes left out, as
/// a raw file could not always hold them), at most twelve.
QString titleFrom(const QString& picture)
{
    QString title;
    for (const QChar c : QFileInfo(picture).completeBaseName()) {
        if (title.size() == kTitleLength)
            break;
        if (c != QLatin1Char('"') && TitleValidator::canHold(QString(c)))
            title += c;
    }
    return title.trimmed();
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
    return failed(QStringLiteral("The picture %1 cannot be read."), fileName(path));
}

/// Writes `bytes` to `path` whole or not at all.
bool writeWhole(const QString& path, const std::string& bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    const auto size = static_cast<qint64>(bytes.size());
    return file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
           file.flush() && file.commit();
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
    if (ordered.size() == 1) {
        const QString& path = ordered.front();
        const PictureFile file = readPictureFile(path, formats::kMaxFrames);
        if (auto failure = readFailure(path, file.failure))
            return *failure;
        animation.cut = file.moreFrames;
        if (file.frames.size() == 1) {
            // A still picture: one frame, or a strip of square frames.
            const QImage& image = file.frames.front().image;
            std::vector<formats::PictureRegion> regions =
                formats::stillFrames(image.width(), image.height());
            animation.cut = formats::keepFirstFrames(regions);
            for (const formats::PictureRegion& region : regions) {
                auto icon = frameIcon(image, region);
                if (!icon)
                    return failed(QStringLiteral("The picture %1 cannot be read."), fileName(path));
                animation.icons.push_back(std::move(*icon));
            }
        } else {
            for (const PictureFrame& frame : file.frames) {
                auto icon =
                    frameIcon(frame.image, {0, 0, frame.image.width(), frame.image.height()});
                if (!icon)
                    return failed(QStringLiteral("The picture %1 cannot be read."), fileName(path));
                animation.icons.push_back(std::move(*icon));
                delays.push_back(frame.delayMs);
            }
        }
    } else {
        animation.cut = ordered.size() > formats::kMaxFrames;
        ordered = ordered.mid(0, formats::kMaxFrames);
        for (const QString& path : ordered) {
            const PictureFile file = readPictureFile(path, 1);
            if (auto failure = readFailure(path, file.failure))
                return *failure;
            const QImage& image = file.frames.front().image;
            auto icon = frameIcon(image, {0, 0, image.width(), image.height()});
            if (!icon)
                return failed(QStringLiteral("The picture %1 cannot be read."), fileName(path));
            animation.icons.push_back(std::move(*icon));
        }
    }
    if (animation.icons.empty())
        return failed(QStringLiteral("The picture %1 cannot be read."),
                      fileName(animation.firstPicture));
    animation.speed = formats::speedStepForDelays(delays);
    return animation;
}

std::variant<QStringList, ImportFailure> writeFrameIcons(const ImportedAnimation& animation)
{
    const QFileInfo first(animation.firstPicture);
    // Named after the picture, without double quotes: a raw file could not always
    // name an icon whose path holds one.
    QString base = first.completeBaseName().remove(QLatin1Char('"'));
    if (base.isEmpty())
        base = QStringLiteral("frame");
    QDir beside = first.absoluteDir();
    QString folderName = base + QStringLiteral("-frames");
    for (int n = 2; beside.exists(folderName); ++n)
        folderName = base + QStringLiteral("-frames-%1").arg(n);
    const auto cannotWrite = [&] {
        return failed(QStringLiteral("The folder %1 cannot be written to."),
                      QDir::toNativeSeparators(beside.absolutePath()));
    };
    if (!beside.mkdir(folderName))
        return cannotWrite();
    QDir folder(beside.filePath(folderName));

    QStringList paths;
    for (std::size_t i = 0; i < animation.icons.size(); ++i) {
        const QString path = folder.filePath(
            QStringLiteral("%1%2.ico").arg(base).arg(i + 1, 2, 10, QLatin1Char('0')));
        if (!writeWhole(path, animation.icons[i])) {
            folder.removeRecursively(); // the folder is the import's own, new one
            return cannotWrite();
        }
        paths << QDir::toNativeSeparators(path);
    }
    return paths;
}

std::variant<QStringList, ImportFailure> writeAnimationFiles(const ImportedAnimation& animation,
                                                             const QStringList& iconPaths,
                                                             const QString& folder)
{
    const auto titleInFile = titleBytes(animation.title);
    const QDir target(folder);
    const auto cannotWrite = [&] {
        return failed(QStringLiteral("The folder %1 cannot be written to."),
                      QDir::toNativeSeparators(target.absolutePath()));
    };
    if (!titleInFile || iconPaths.size() != static_cast<qsizetype>(animation.icons.size()))
        return cannotWrite();

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

    const QString name = animation.title.isEmpty() ? QStringLiteral("animation") : animation.title;
    const QString rawPath = target.filePath(name + QStringLiteral(".rgx"));
    const QString compiledPath = target.filePath(name + QStringLiteral(".gx"));
    const bool rawExisted = QFileInfo::exists(rawPath);
    if (!writeWhole(rawPath, rawFile.bytes))
        return cannotWrite();
    if (!writeWhole(compiledPath, *compiled)) {
        if (!rawExisted)
            QFile::remove(rawPath); // the import's own; an older file stays replaced
        return cannotWrite();
    }
    return QStringList{QDir::toNativeSeparators(rawPath), QDir::toNativeSeparators(compiledPath)};
}

} // namespace glimmer
