#include "app/shell/dialog_units.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace corvane::app {

namespace {

// a * b / c rounded to nearest, as the dialog manager does it.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

int dialogUnitsToPixelsX(const QFont& font, int x)
{
    return mulDiv(x, QFontMetrics(font).averageCharWidth(), 4);
}

int dialogUnitsToPixelsY(const QFont& font, int y)
{
    return mulDiv(y, QFontMetrics(font).height(), 8);
}

QSize dialogUnitsToPixels(const QFont& font, QSize units)
{
    return {dialogUnitsToPixelsX(font, units.width()), dialogUnitsToPixelsY(font, units.height())};
}

QRect dialogUnitsToPixels(const QFont& font, QRect units)
{
    return {dialogUnitsToPixelsX(font, units.x()), dialogUnitsToPixelsY(font, units.y()),
        dialogUnitsToPixelsX(font, units.width()), dialogUnitsToPixelsY(font, units.height())};
}

QFont templateFont(const char* family, int pointSize, bool bold)
{
    QFont font(QString::fromLatin1(family), pointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

QFont systemTemplateFont()
{
    QFont font = templateFont("System", 10, true);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const int lineHeight = qRound(16.0 * dpi / 96.0);
    // A scalable font of 10 points has shorter lines than the bitmap font had.
    for (qreal points = 10.0; points <= 14.0; points += 0.5) {
        font.setPointSizeF(points);
        if (QFontMetrics(font).height() >= lineHeight)
            break;
    }
    return font;
}

void growToText(QWidget* control, int maxRight)
{
    QRect rect = control->geometry();
    const QSize hint = control->sizeHint();
    rect.setWidth(qMax(rect.width(), qMin(hint.width(), maxRight - rect.x())));
    if (hint.height() > rect.height()) {
        rect.moveTop(rect.y() - (hint.height() - rect.height()) / 2);
        rect.setHeight(hint.height());
    }
    control->setGeometry(rect);
}

} // namespace corvane::app
