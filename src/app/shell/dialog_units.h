#pragma once

#include <QRect>
#include <QSize>

class QFont;
class QWidget;

namespace corvane::app {

/// Dialog templates are laid out in dialog units of the dialog's font: a horizontal unit is a
/// quarter of the font's average character width, a vertical unit an eighth of its height.
/// These turn them into pixels, rounding to the nearest pixel.
int dialogUnitsToPixelsX(const QFont& font, int x);
int dialogUnitsToPixelsY(const QFont& font, int y);
QSize dialogUnitsToPixels(const QFont& font, QSize units);
QRect dialogUnitsToPixels(const QFont& font, QRect units);

/// Where the font is wider or taller than the one a template was drawn for, a control placed
/// from it can clip its text: this widens the control to its size hint, but not past maxRight
/// (in its parent's pixels), and makes it as tall as its hint, keeping its vertical centre.
void growToText(QWidget* control, int maxRight);

} // namespace corvane::app
