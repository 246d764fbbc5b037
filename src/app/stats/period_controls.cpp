#include "app/stats/period_controls.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDateEdit>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace corvane::app {

namespace {

// Tab leaves the picker for the next control, as in the date pickers users know; the arrow keys
// still move through the year, month and day, and so does the separator typed after a field.
class DatePicker : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override
    {
        return QAbstractSpinBox::focusNextPrevChild(next);
    }

    void focusInEvent(QFocusEvent* event) override
    {
        m_leftByItself = false;
        QDateEdit::focusInEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (isSeparator(event)) {
            event->accept();
            // A field whose last digit already moved on (24 in the year, 12 in the month) is
            // finished: the separator typed after it stays in the field it moved to.
            const int next = currentSectionIndex() + 1;
            if (!m_leftByItself && next < sectionCount())
                setSelectedSection(sectionAt(next));
            m_leftByItself = false;
            return;
        }
        const int before = currentSectionIndex();
        const bool digit = !event->text().isEmpty() && event->text().at(0).isDigit();
        QDateEdit::keyPressEvent(event);
        m_leftByItself = digit && currentSectionIndex() != before;
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        QDateEdit::mousePressEvent(event);
        if (!calendarPopup())
            return;
        QWidget* popup = calendarWidget()->window();
        if (popup != window() && popup->isVisible())
            alignRight(popup);
    }

private:
    bool isSeparator(const QKeyEvent* event) const
    {
        const Qt::KeyboardModifiers typing = Qt::ShiftModifier | Qt::KeypadModifier;
        return event->text() == QStringLiteral("-") && !(event->modifiers() & ~typing);
    }

    // The calendar drops down with its right edge at the picker's, as long as the screen
    // leaves room for it on the left.
    void alignRight(QWidget* popup) const
    {
        int x = mapToGlobal(QPoint(width(), 0)).x() - popup->width();
        if (const QScreen* shown = screen())
            x = qMax(x, shown->availableGeometry().left());
        popup->move(x, popup->y());
    }

    /// The last digit typed filled its field, and the picker moved to the next one.
    bool m_leftByItself = false;
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

QDateEdit* makeDatePicker(QWidget* parent)
{
    auto* picker = new DatePicker(parent);
    // The keys take the century as 20 whatever the picker shows; the range keeps what the user
    // types within that century.
    picker->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
    picker->setDisplayFormat(QStringLiteral("yy-M-d"));
    picker->setCalendarPopup(true);
    picker->setDate(QDate::currentDate());
    return picker;
}

int pickerWidth(const QDateEdit* picker)
{
    // The size hint makes room for the range's first and last dates; in a font whose digits
    // differ in width another date can be wider still.
    const QFontMetrics metrics(picker->font());
    int digit = 0;
    for (char c = '0'; c <= '9'; ++c)
        digit = qMax(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    const int widest = 6 * digit + 2 * metrics.horizontalAdvance(QLatin1Char('-'));
    const int hinted = metrics.horizontalAdvance(QStringLiteral("99-12-31"));
    return picker->sizeHint().width() + qMax(0, widest - hinted);
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
