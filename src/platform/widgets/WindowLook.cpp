#include "platform/widgets/WindowLook.h"

#include <QApplication>
#include <QPalette>

namespace glimmer {

QFont windowFont(qreal points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor buttonFaceColor()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor buttonShadowColor()
{
    return QApplication::palette().color(QPalette::Dark);
}

ImageButtonLook raisedButtonLook(const QFont& font)
{
    ImageButtonLook look;
    look.restFill = buttonFaceColor();
    look.pressedFill = buttonShadowColor();
    look.outline = true;
    look.font = font;
    return look;
}

} // namespace glimmer
