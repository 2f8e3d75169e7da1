#pragma once

#include <QImage>
#include <QString>
#include <functional>

namespace glimmer {

/// Reads picture files of any common kind (PNG, GIF, JPEG, BMP, ICO, WebP where Qt's
/// plugin is installed, ...) for the import into an animation; animated ones frame by
/// frame, with their delays.

struct PictureFrame {
    QImage image;    ///< Format_RGBA8888, straight alpha
    int delayMs = 0; ///< how long an animated picture shows this frame; 0 when unknown
};

struct PictureFile {
    enum class Failure { None, Missing, NotAPicture, Unreadable };
    Failure failure = Failure::None;
    int frames = 0;          ///< how many frames were handed over
    bool moreFrames = false; ///< the file holds frames beyond `maxFrames`
};

/// Receives each frame as soon as it is decoded; it keeps what it needs (the frame is
/// not kept by the reader, so a long animation never lies in memory whole).
using PictureFrameSink = std::function<void(PictureFrame&& frame)>;

/// Reads at most `maxFrames` frames of the picture file at `path` and hands them to
/// `onFrame` in order. An icon or cursor file holding several pictures gives one frame:
/// its 16x16 picture if it has one (the deepest of several), else its largest.
///
/// Missing when nothing is there (not even a dangling link); NotAPicture when Qt knows
/// no picture format in the file (or it is not a regular file); Unreadable when its
/// first frame cannot be decoded, or when it is larger than the import takes
/// (formats::pictureSizeAllowed, and for an animated picture the canvas its header
/// declares, formats::canvasSizeAllowed), which is checked before any pixel is
/// allocated. A frame after the first that fails ends the frames there.
PictureFile readPictureFile(const QString& path, int maxFrames, const PictureFrameSink& onFrame);

/// The file dialog's filter for the pictures readPictureFile reads:
/// "Pictures|*.gif *.png ...".
QString pictureFileFilter();

} // namespace glimmer
