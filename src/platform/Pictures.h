#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <optional>

namespace glimmer {

/// Turns icon files into pictures. Decoding happens here and only here, so the
/// player and the windows handle ready-made pictures.
class Pictures final {
public:
    /// Decodes the complete content of an icon file held in memory. Nothing when the
    /// bytes are not a picture Qt can read, or a picture larger than an icon can
    /// hold (256 x 256 pixels).
    static std::optional<QImage> decode(const QByteArray& bytes);

    /// Reads and decodes an icon file. Only regular files of at most `maxBytes` are
    /// read, so a FIFO or a device never blocks and a huge file is never loaded whole.
    static std::optional<QImage> load(const QString& path, qint64 maxBytes = 1 << 20);

    /// The tray's form of a frame: at any slot size the picture enlarged by a whole
    /// factor, nearest-neighbour, centred (see CrispIconEngine), and offered to hosts
    /// that take several sizes at the sizes the screen's scale needs; a larger slot or
    /// a high-density screen shows sharp pixels instead of a blurred stretch.
    static QIcon trayIcon(const QImage& frame);

    /// Whether `next` is the very frame `shown` is (a copy of the same icon), so that
    /// a tray showing `shown` has nothing new to show. Compares identities, not
    /// pixels, so it costs nothing per tick: two frames made from equal pictures are
    /// two frames.
    static bool sameFrame(const QIcon& shown, const QIcon& next);

    /// A picture stretched to `size` for display in a window's image box.
    static QPixmap stretched(const QImage& picture, QSize size);
};

} // namespace glimmer
