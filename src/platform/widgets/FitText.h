#pragma once

class QWidget;

namespace glimmer {

/// The windows' fixed texts stand in boxes of fixed size, measured for a narrow
/// sans-serif face with Arial's widths (Liberation Sans on Debian).
/// On a desktop whose fonts run wider (a machine with only DejaVu fonts, say) a text
/// that would be cut off gets a smaller font instead, in quarter-point steps down to
/// 6 points, so every word stays readable and nothing moves.

/// True when the text of `widget` (a label or a button with a caption) is shown
/// whole in its box with its current font. Other widgets always fit.
bool textFits(const QWidget* widget);

/// Shrinks the font of `widget` until its text fits its box (see above).
void fitText(QWidget* widget);

/// Fits every label and captioned button inside `window` that holds a text now: to
/// be called once the window's fixed texts are in place.
void fitTexts(QWidget* window);

} // namespace glimmer
