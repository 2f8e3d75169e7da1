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
    /// The art at 1x to 4x: what a tray host that takes several sizes is offered.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

    /// The whole factor for a box of `device` pixels: at least 1.
    int factorFor(const QSize& device) const;

private:
    const QPixmap& enlarged(int factor);

    QImage art_;
    static constexpr int kCachedFactors = 8;
    std::array<QPixmap, kCachedFactors + 1> cache_;
};

} // namespace glimmer
