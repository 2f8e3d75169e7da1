#pragma once

#include <QIconEngine>
#include <QImage>
#include <QPixmap>
#include <array>

namespace glimmer {

/// An icon engine for pixel art: at any requested size it gives the picture
/// enlarged by the largest whole factor that fits, nearest-neighbour, centred;
/// never a fractional, blurred stretch. Enlargements are made once, on first use,
/// and kept, so repainting the same frame allocates nothing.
class CrispIconEngine final : public QIconEngine {
public:
    explicit CrispIconEngine(const QImage& art);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    /// What a tray host that takes several sizes is offered: `offeredSizes` for the
    /// application's device pixel ratio (the highest of its screens).
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

    /// The whole factor for a box of `device` pixels: at least 1.
    int factorFor(const QSize& device) const;

    /// The sizes of `art` a tray host on screens of `scale` device pixels per point
    /// is offered: the enlargement by the whole part of `scale` (at least 1), for the
    /// usual slots of 16 to 24 points, and twice that where it fits a slot of
    /// `kLargestSlot` points, for tall panels. At scale 1 a 16x16 frame is offered at
    /// 16 and 32 pixels, at scale 2 at 32 and 64. A host over D-Bus fetches every
    /// offered picture again on every frame, so no size is offered that no slot
    /// needs. Qt's D-Bus tray completes the list: where no size of 22 pixels or
    /// less is offered it asks `pixmap` for 22 (the art at 1x, then), and where none
    /// of 23 to 64 is, for 64; the twice-as-large picture spares that 64.
    /// Empty for an empty `art`.
    static QList<QSize> offeredSizes(const QSize& art, qreal scale);

private:
    static constexpr int kLargestSlot = 32;
    const QPixmap& enlarged(int factor);

    QImage art_;
    static constexpr int kCachedFactors = 8;
    std::array<QPixmap, kCachedFactors + 1> cache_;
};

} // namespace glimmer
