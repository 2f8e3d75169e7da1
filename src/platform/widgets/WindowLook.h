#pragma once

#include "platform/widgets/ImageButton.h"

#include <QColor>
#include <QFont>
#include <QRect>

namespace glimmer {

// How the program's windows look, in one place: the unit some of them place their
// controls in, the face their texts are set in, the colours they are drawn with, and
// their raised buttons.

/// Twips (1/1440 inch) to pixels at 96 dots per inch. Some windows place their
/// controls in this finer unit, which keeps every position and size the layout
/// names exact; Qt scales the pixels for denser screens.
constexpr int twips(int value)
{
    return value / 15;
}

/// A control's box given in twips (left, top, width, height), in pixels.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

/// The face of the windows' texts, `points` large: Arial, or a face with its widths
/// where it is not installed (Liberation Sans on Debian, Arimo, ...). The controls stand
/// at fixed places sized for it; the desktop's default face usually runs wider, and
/// FitText shrinks what would not fit.
QFont windowFont(qreal points, bool bold = false);

/// The system's 3D colours, which the windows draw with.
QColor buttonFaceColor();
QColor buttonShadowColor();

/// The options and about boxes' buttons: outlined, filled with the button face at
/// rest and with the button shadow while pressed.
ImageButtonLook raisedButtonLook(const QFont& font);

} // namespace glimmer
