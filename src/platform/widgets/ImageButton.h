#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace glimmer {

class ClickImage;
class Shape;

/// How an image button looks at rest and while a mouse button is held on it.
struct ImageButtonLook {
    bool restTransparent = false; ///< at rest only the outline shows
    QColor restFill;              ///< fill at rest, unless transparent
    QColor pressedFill;           ///< fill while pressed (always solid)
    bool outline = false;
    QFont font;
};

/// The program's buttons: a rounded-rectangle shape at the bottom, a centred caption
/// above it and a transparent picture on top that takes the mouse. Mouse down gives
/// the shape its pressed look, mouse up restores it; the command runs on the
/// picture's click. None of the three takes keyboard focus.
struct ImageButton {
    ClickImage* image = nullptr;
    QLabel* caption = nullptr;
    Shape* shape = nullptr;
};

/// The windows' names of the three controls, given to them as object names.
struct ImageButtonNames {
    const char* image;
    const char* caption;
    const char* shape;
};

/// Creates the three controls on `parent` at `geometry` (in that stacking order, the
/// picture on top), names them and wires the pressed look.
ImageButton makeImageButton(QWidget* parent, const QRect& geometry, const QString& caption,
                            const ImageButtonLook& look, const ImageButtonNames& names);

} // namespace glimmer
