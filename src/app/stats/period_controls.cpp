#include "app/stats/period_controls.h"

#include <QDate>
#include <QDateEdit>
#include <QFileInfo>
#include <QIcon>
#include <QWidget>

namespace corvane::app {

namespace {

// Tab leaves the picker for the next control, as in the date pickers users know; the arrow keys
// still move through the year, month and day.
class DatePicker : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override
    {
        return QAbstractSpinBox::focusNextPrevChild(next);
    }
};

} // namespace

QFont fontFromLogFont(const LogFont& logfont)
{
    QFont font(logfont.lfFaceName);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(logfont.lfHeight);
    font.setWeight(static_cast<QFont::Weight>(logfont.lfWeight));
    return font;
}

QDateEdit* makeDatePicker(QWidget* parent, bool calendar)
{
    auto* picker = new DatePicker(parent);
    // The keys take the century as 20 whatever the picker shows; the range keeps what the user
    // types within that century.
    picker->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
    picker->setDisplayFormat(QStringLiteral("yy-M-d"));
    picker->setCalendarPopup(calendar);
    picker->setDate(QDate::currentDate());
    return picker;
}

std::string pickerText(const QDateEdit* picker)
{
    // The date the picker holds, in its display form; a text still being typed is not yet one.
    return picker->date().toString(picker->displayFormat()).toLatin1().toStdString();
}

void loadSmallIcon(QWidget* window)
{
    const QString name = QStringLiteral("icon.ico");
    if (!QFileInfo(name).isFile())
        return;
    const QIcon icon(name);
    if (!icon.isNull())
        window->setWindowIcon(icon);
}

std::string corePath(const QString& path)
{
    return path.toUtf8().toStdString();
}

} // namespace corvane::app
