#include "platform/widgets/ImageButton.h"

#include "platform/widgets/ClickImage.h"
#include "platform/widgets/Shape.h"

#include <QLabel>

namespace glimmer {

ImageButton makeImageButton(QWidget* parent, const QRect& geometry, const QString& caption,
                            const ImageButtonLook& look, const ImageButtonNames& names)
{
    ImageButton button;
    button.shape = new Shape(parent);
    button.shape->setGeometry(geometry);
    button.shape->setOutline(look.outline);
    button.shape->setFillTransparent(look.restTransparent);
    button.shape->setFillColor(look.restTransparent ? look.pressedFill : look.restFill);

    button.caption = new QLabel(caption, parent);
    button.caption->setGeometry(geometry);
    button.caption->setAlignment(Qt::AlignCenter);
    button.caption->setFont(look.font);
    button.caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    button.caption->setFocusPolicy(Qt::NoFocus);

    button.image = new ClickImage(parent);
    button.image->setGeometry(geometry);

    button.image->setObjectName(QString::fromLatin1(names.image));
    button.caption->setObjectName(QString::fromLatin1(names.caption));
    button.shape->setObjectName(QString::fromLatin1(names.shape));

    Shape* shape = button.shape;
    QObject::connect(button.image, &ClickImage::mouseDown, shape, [shape, look] {
        shape->setFillColor(look.pressedFill);
        shape->setFillTransparent(false);
    });
    QObject::connect(button.image, &ClickImage::mouseUp, shape, [shape, look] {
        shape->setFillTransparent(look.restTransparent);
        shape->setFillColor(look.restTransparent ? look.pressedFill : look.restFill);
    });
    return button;
}

} // namespace glimmer
