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
/// The stand-in for "System" 10 points, the original platform's bold bitmap font, whose lines
/// are 16 pixels tall on a screen of 96 dots an inch (its dialog units are 8 by 16 pixels): a
/// bold sans-serif as large as needed for lines as tall, so that a template drawn for it has
/// the room it had there.
QFont systemTemplateFont();

/// Where the font is wider or taller than the one a template was drawn for, a control placed
/// from it can clip its text: this widens the control to its size hint, but not past maxRight
/// (in its parent's pixels), and makes it as tall as its hint, keeping its vertical centre.
void growToText(QWidget* control, int maxRight);

} // namespace corvane::app
