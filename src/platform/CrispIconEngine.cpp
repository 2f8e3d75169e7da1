#include "platform/CrispIconEngine.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace glimmer {

CrispIconEngine::CrispIconEngine(const QImage& art)
    : art_(art.convertToFormat(QImage::Format_ARGB32_Premultiplied))
{
}

int CrispIconEngine::factorFor(const QSize& device) const
{
    if (art_.isNull())
        return 1;
    return std::max(1, std::min(device.width() / art_.width(), device.height() / art_.height()));
}

const QPixmap& CrispIconEngine::enlarged(int factor)
{
    if (factor <= kCachedFactors) {
        QPixmap& cached = cache_[static_cast<std::size_t>(factor)];
        if (cached.isNull())
            cached = QPixmap::fromImage(
                art_.scaled(art_.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        return cached;
    }
    static thread_local QPixmap large;
    large = QPixmap::fromImage(
        art_.scaled(art_.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return large;
}

void CrispIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State)
{
    if (art_.isNull())
        return;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSize device = (QSizeF(rect.size()) * ratio).toSize();
    const int factor = factorFor(device);
    const QPixmap& picture = enlarged(factor);
    // Place the enlargement on whole device pixels in the middle of the box.
    const QSizeF logical = QSizeF(picture.size()) / ratio;
    const QPointF topLeft(
        rect.x() + std::floor((rect.width() - logical.width()) * ratio / 2) / ratio,
        rect.y() + std::floor((rect.height() - logical.height()) * ratio / 2) / ratio);
    const bool smooth = painter->testRenderHint(QPainter::SmoothPixmapTransform);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawPixmap(QRectF(topLeft, logical), picture, QRectF(picture.rect()));
    painter->setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

QPixmap CrispIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State)
{
    if (art_.isNull())
        return {};
    if (size.width() < art_.width() || size.height() < art_.height())
        return QPixmap::fromImage(art_.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return enlarged(factorFor(size));
}

QPixmap CrispIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                      qreal scale)
{
    QPixmap picture = pixmap((QSizeF(size) * scale).toSize(), mode, state);
    picture.setDevicePixelRatio(scale);
    return picture;
}

QSize CrispIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    if (art_.isNull())
        return {};
    if (size.width() < art_.width() || size.height() < art_.height())
        return art_.size().scaled(size, Qt::KeepAspectRatio);
    return art_.size() * factorFor(size);
}

QList<QSize> CrispIconEngine::offeredSizes(const QSize& art, qreal scale)
{
    if (art.isEmpty())
        return {};
    const int factor = std::max(1, static_cast<int>(std::floor(scale)));
    QList<QSize> sizes{art * factor};
    const QSize twice = art * (2 * factor);
    if (std::max(twice.width(), twice.height()) <= kLargestSlot * scale)
        sizes.append(twice);
    return sizes;
}

QList<QSize> CrispIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    return offeredSizes(art_.size(), qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}

QIconEngine* CrispIconEngine::clone() const
{
    return new CrispIconEngine(art_);
}

QString CrispIconEngine::key() const
{
    return QStringLiteral("glimmerbox-crisp");
}

bool CrispIconEngine::isNull()
{
    return art_.isNull();
}

} // namespace glimmer
