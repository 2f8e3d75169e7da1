#include "platform/widgets/ClickImage.h"

#include <QMouseEvent>

namespace glimmer {

ClickImage::ClickImage(QWidget* parent) : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setScaledContents(true);
}

void ClickImage::simulateClick()
{
    emit mouseDown();
    emit mouseUp();
    emit clicked();
}

void ClickImage::mousePressEvent(QMouseEvent* event)
{
    // Any button shows the pressed look; only the left button makes a click.
    pressed_ = event->button() == Qt::LeftButton;
    emit mouseDown();
    event->accept();
}

void ClickImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    emit mouseUp();
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace glimmer
