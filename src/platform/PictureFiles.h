#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

namespace glimmer {

/// Reads picture files of any common kind (PNG, GIF, JPEG, BMP, WebP where Qt's plugin
/// is installed, ...) for the import into an animation; animated ones frame by frame,
/// with their delays.

struct PictureFrame {
    QImage image;    ///< Format_RGBA8888, straight alpha
    int delayMs = 0; ///< how long an animated picture shows this frame; 0 when unknown
};

struct PictureFile {
    enum class Failure { None, Missing, NotAPicture, Unreadable };
    Failure failure = Failure::None;
    std::vector<PictureFrame> frames; ///< in order; empty when the file holds none
    bool moreFrames = false;          ///< the file holds frames beyond `maxFrames`
};

/// Reads at most `maxFrames` frames of the picture file at `path`. Missing when
/// nothing is there (not even a dangling link); NotAPicture when
/// Qt knows no picture format in the file (or it is not a regular file); Unreadable
/// when its first frame cannot be decoded or is larger than the converter takes (see
/// formats::pictureSizeAllowed), which is checked before the pixels are allocated. A
/// frame after the first that fails ends the frames there.
PictureFile readPictureFile(const QString& path, int maxFrames);

/// The file dialog's filter for the pictures readPictureFile reads:
/// "Pictures|*.gif *.png ...".
QString pictureFileFilter();

} // namespace glimmer
