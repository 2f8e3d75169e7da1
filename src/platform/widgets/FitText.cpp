#include "platform/widgets/FitText.h"

#include <QAbstractButton>
#include <QLabel>

namespace glimmer {

namespace {

constexpr qreal kSmallestPoints = 6.0;
constexpr qreal kStep = 0.25;

const QLabel* textLabel(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && !label->text().isEmpty() ? label : nullptr;
}

const QAbstractButton* captionedButton(const QWidget* widget)
{
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    return button && !button->text().isEmpty() ? button : nullptr;
}

} // namespace

bool textFits(const QWidget* widget)
{
    if (const QLabel* label = textLabel(widget)) {
        if (label->wordWrap())
            return label->heightForWidth(label->width()) <= label->height();
        const QRect box = label->contentsRect();
        const QFontMetrics metrics = label->fontMetrics();
        return metrics.horizontalAdvance(label->text()) <= box.width() &&
               metrics.height() <= box.height();
    }
    if (const QAbstractButton* button = captionedButton(widget)) {
        // The style's own measure of indicator, spacing and caption.
        return button->sizeHint().width() <= button->width();
    }
    return true;
}

void fitText(QWidget* widget)
{
    QFont font = widget->font();
    while (!textFits(widget) && font.pointSizeF() - kStep >= kSmallestPoints) {
        font.setPointSizeF(font.pointSizeF() - kStep);
        widget->setFont(font);
    }
}

void fitTexts(QWidget* window)
{
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (textLabel(child) || captionedButton(child))
            fitText(child);
    }
}

} // namespace glimmer
