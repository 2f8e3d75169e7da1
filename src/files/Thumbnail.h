#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <string_view>

namespace glimmer {

/// The picture a file manager shows for a compiled animation: its first frame, each pixel
/// a square block of one colour (never blended with its neighbours), transparent where
/// the frame is, at most `size` pixels a side (formats::thumbnailSize says how large).
/// A file the player would refuse has none: every frame must be there and be a picture,
/// as the player needs them, although only the first is shown.

/// The thumbnail of the compiled file held in `bytes` (only its first
/// formats::kLongestPlayableFile bytes count), Format_ARGB32. nullopt when the player
/// would not play it, or when `size` is below 1.
std::optional<QImage> thumbnailOf(std::string_view bytes, int size);

/// The same for the file at `path`, read as the player reads it: only a regular file,
/// never more bytes than can count; a folder, a pipe, a device or a file that cannot be
/// opened gives nullopt at once.
std::optional<QImage> thumbnailOfFile(const QString& path, int size);

/// `frame` at the thumbnail size for `size` (see formats::thumbnailSize): enlarged
/// nearest-neighbour, or reduced smoothly when it is larger than the size. A null
/// picture for a null frame or a size below 1.
QImage thumbnailPicture(const QImage& frame, int size);

/// `picture` as the bytes of a PNG file, with its transparency.
QByteArray pngBytes(const QImage& picture);

} // namespace glimmer
