#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace corvane::app {

/// Dialog templates are laid out in dialog units of the dialog's font: a horizontal unit is a
/// quarter of the font's average character width, a vertical unit an eighth of its height.
/// These turn them into pixels, rounding to the nearest pixel.
int dialogUnitsToPixelsX(const QFont& font, int x);
int dialogUnitsToPixelsY(const QFont& font, int y);
QSize dialogUnitsToPixels(const QFont& font, QSize units);
QRect dialogUnitsToPixels(const QFont& font, QRect units);

/// The font a dialog template names, or the sans-serif font that stands in for it where the
/// platform lacks it. A template is measured in its own font: measured in another, its
/// controls are too small or too large for their texts.
QFont templateFont(const char* family, int pointSize, bool bold = false);

/// Where the font is wider or taller than the one a template was drawn for, a control placed
/// from it can clip its text: this widens the control to its size hint, but not past maxRight
/// (in its parent's pixels), and makes it as tall as its hint, keeping its vertical centre.
void growToText(QWidget* control, int maxRight);

} // namespace corvane::app
