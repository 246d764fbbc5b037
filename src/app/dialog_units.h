#pragma once

#include <QRect>
#include <QSize>

class QFont;

namespace corvane::app {

/// Dialog templates are laid out in dialog units of the dialog's font: a horizontal unit is a
/// quarter of the font's average character width, a vertical unit an eighth of its height.
/// These turn them into pixels, rounding to the nearest pixel.
int dialogUnitsToPixelsX(const QFont& font, int x);
int dialogUnitsToPixelsY(const QFont& font, int y);
QSize dialogUnitsToPixels(const QFont& font, QSize units);
QRect dialogUnitsToPixels(const QFont& font, QRect units);

} // namespace corvane::app
