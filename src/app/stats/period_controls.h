#pragma once

#include <QFont>
#include <QString>

#include <string>

class QDateEdit;
class QWidget;

namespace corvane::app {

/// The description a statistics dialog keeps of its font: a height in pixels, a weight on the
/// 100 to 900 scale, and a face. A face that is not installed gives way to the platform's
/// sans-serif font.
struct LogFont
{
    int lfHeight = 12;
    int lfWeight = 500;
    QString lfFaceName = QStringLiteral("MS Sans Serif");
};

QFont fontFromLogFont(const LogFont& logfont);

/// A date picker of the statistics: today's date in the form yy-M-d, the years 2000 to 2099
/// only (so typing 99 means 2099, as the draw keys read it), a date typed whole with its
/// separators, and a drop-down calendar aligned to its right edge.
QDateEdit* makeDatePicker(QWidget* parent);

/// The width at which the picker shows every date of its range whole, in its font.
int pickerWidth(const QDateEdit* picker);

/// The picker's text as the period engine reads it.
std::string pickerText(const QDateEdit* picker);

/// Makes "icon.ico" in the current directory the window's small icon; without it the window
/// keeps the icon it has.
void loadSmallIcon(QWidget* window);

/// The path as the core opens it.
std::string corePath(const QString& path);

} // namespace corvane::app
