#include "platform/widgets/Shape.h"

#include <QPainter>

namespace glimmer {

Shape::Shape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(const QColor& color)
{
    fill_ = color;
    update();
}

void Shape::setFillTransparent(bool transparent)
{
    transparentFill_ = transparent;
    update();
}

void Shape::setOutline(bool outline)
{
    outline_ = outline;
    update();
}

void Shape::setOutlineColor(const QColor& color)
{
    outlineColor_ = color;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(outline_ ? QPen(outlineColor_, 1) : QPen(Qt::NoPen));
    painter.setBrush(transparentFill_ ? QBrush(Qt::NoBrush) : QBrush(fill_));
    const qreal inset = outline_ ? 0.5 : 0.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const qreal radius = qMin(8.0, qMin(box.width(), box.height()) / 4.0);
    painter.drawRoundedRect(box, radius, radius);
}

LineShape::LineShape(QWidget* parent, int x1, int x2, int y, const QColor& color)
    : QWidget(parent), color_(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(x1, y, x2 - x1 + 1, 1);
}

void LineShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
}

} // namespace glimmer
