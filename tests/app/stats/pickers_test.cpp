// The date pickers of both statistics dialogs, as the user meets them: whole dates typed from
// the keyboard with their separators, every date shown whole, and the calendar drop-downs.
#include "app_support.h"

#include "app/shell/message_box.h"
#include "app/stats/drawpoint.h"
#include "app/stats/freq_dlg.h"

#include "core/stats/frequency.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace corvane::app;
using corvane::test::writeBytes;

namespace {

enum class Kind { Frequency, Chart };

// One of the two dialogs, shown on a history of 16 draws from 20020101, and active, so that
// keys go where the user's would.
struct Opened
{
    QTemporaryDir dir;
    std::unique_ptr<QDialog> dlg;
    QDateEdit* from = nullptr;
    QDateEdit* to = nullptr;

    explicit Opened(Kind kind)
    {
        const QString path = dir.filePath(QStringLiteral("ca649.txt"));
        writeBytes(path, corvane::test::drawLines(16));
        if (kind == Kind::Frequency) {
            auto freq = std::make_unique<FreqDlg>();
            freq->m_path = path;
            from = freq->fromPicker();
            to = freq->toPicker();
            dlg = std::move(freq);
        } else {
            auto chart = std::make_unique<Drawpoint>();
            chart->m_path = path;
            from = chart->fromPicker();
            to = chart->toPicker();
            dlg = std::move(chart);
        }
        // Both start on a date unlike any typed below, so that every field must change.
        from->setDate(QDate(2031, 7, 9));
        to->setDate(QDate(2031, 7, 9));
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
    }

    // Keys go where the focus is, as on a keyboard.
    static void type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
};

QString shown(const QDateEdit* picker)
{
    return picker->text();
}

const QLineEdit* editor(const QDateEdit* picker)
{
    return picker->findChild<QLineEdit*>();
}

} // namespace

class PickersTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void typedDates_fillBothPickers_data();
    void typedDates_fillBothPickers();
    void separatorAtTheLastField_staysInThePicker_data();
    void separatorAtTheLastField_staysInThePicker();
    void typedDates_makeThePeriod_data();
    void typedDates_makeThePeriod();
    void everyDate_shownWhole_data();
    void everyDate_shownWhole();
    void bothPickers_haveACalendarAlignedRight_data();
    void bothPickers_haveACalendarAlignedRight();
};

void PickersTest::typedDates_fillBothPickers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("fromTyped");
    QTest::addColumn<QDate>("fromDate");
    QTest::addColumn<QString>("toTyped");
    QTest::addColumn<QDate>("toDate");

    for (const Kind kind : {Kind::Frequency, Kind::Chart}) {
        const char* name = kind == Kind::Frequency ? "frequency" : "chart";
        const int k = static_cast<int>(kind);
        QTest::addRow("%s: two-digit fields", name)
            << k << QStringLiteral("24-12-20") << QDate(2024, 12, 20) << QStringLiteral("25-11-30")
            << QDate(2025, 11, 30);
        QTest::addRow("%s: one-digit month and day", name)
            << k << QStringLiteral("02-1-5") << QDate(2002, 1, 5) << QStringLiteral("03-2-7")
            << QDate(2003, 2, 7);
        QTest::addRow("%s: leading zeros", name)
            << k << QStringLiteral("02-01-05") << QDate(2002, 1, 5) << QStringLiteral("02-09-08")
            << QDate(2002, 9, 8);
        QTest::addRow("%s: the range's ends", name)
            << k << QStringLiteral("00-1-1") << QDate(2000, 1, 1) << QStringLiteral("99-12-31")
            << QDate(2099, 12, 31);
        QTest::addRow("%s: month 1 then 10", name)
            << k << QStringLiteral("19-1-10") << QDate(2019, 1, 10) << QStringLiteral("19-10-1")
            << QDate(2019, 10, 1);
    }
}

void PickersTest::typedDates_fillBothPickers()
{
    QFETCH(int, kind);
    QFETCH(QString, fromTyped);
    QFETCH(QDate, fromDate);
    QFETCH(QString, toTyped);
    QFETCH(QDate, toDate);
    Opened opened(static_cast<Kind>(kind));
    QVERIFY(QTest::qWaitForWindowActive(opened.dlg.get()));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opened.from));

    Opened::type(fromTyped);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opened.from));
    QCOMPARE(opened.from->date(), fromDate);
    QCOMPARE(opened.to->date(), QDate(2031, 7, 9));

    // Tab leaves the picker for the next one.
    Opened::press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opened.to));
    Opened::type(toTyped);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opened.to));
    QCOMPARE(opened.to->date(), toDate);
    QCOMPARE(opened.from->date(), fromDate);
    Opened::press(Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != opened.to);
    QVERIFY(QApplication::focusWidget() != opened.from);
}

void PickersTest::separatorAtTheLastField_staysInThePicker_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("frequency") << static_cast<int>(Kind::Frequency);
    QTest::newRow("chart") << static_cast<int>(Kind::Chart);
}

void PickersTest::separatorAtTheLastField_staysInThePicker()
{
    QFETCH(int, kind);
    Opened opened(static_cast<Kind>(kind));
    QVERIFY(QTest::qWaitForWindowActive(opened.dlg.get()));
    // One separator too many, and a date typed again over the first: the focus never leaves.
    Opened::type(QStringLiteral("24-12-20-"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opened.from));
    QCOMPARE(opened.from->date(), QDate(2024, 12, 20));
    QCOMPARE(opened.to->date(), QDate(2031, 7, 9));
    // Back to the year with the arrows, then a date in full once more.
    opened.from->setSelectedSection(QDateTimeEdit::YearSection);
    Opened::type(QStringLiteral("03-4-5"));
    QCOMPARE(opened.from->date(), QDate(2003, 4, 5));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opened.from));
}

void PickersTest::typedDates_makeThePeriod_data()
{
    separatorAtTheLastField_staysInThePicker_data();
}

void PickersTest::typedDates_makeThePeriod()
{
    QFETCH(int, kind);
    Opened opened(static_cast<Kind>(kind));
    QVERIFY(QTest::qWaitForWindowActive(opened.dlg.get()));
    Opened::type(QStringLiteral("02-1-3"));
    Opened::press(Qt::Key_Tab);
    Opened::type(QStringLiteral("02-1-12"));
    QCOMPARE(shown(opened.from), QStringLiteral("02-1-3"));
    QCOMPARE(shown(opened.to), QStringLiteral("02-1-12"));
    // Enter presses "Show", the default button.
    Opened::press(Qt::Key_Return);
    QVERIFY(MessageBox::takeShown().isEmpty());
    if (static_cast<Kind>(kind) == Kind::Frequency) {
        const auto& engine = static_cast<FreqDlg*>(opened.dlg.get())->engine();
        QCOMPARE(engine.m_fromkey, 20020103.0);
        QCOMPARE(engine.m_tokey, 20020112.0);
        QCOMPARE(engine.m_fromrow, 2);
        QCOMPARE(engine.m_torow, 11);
    } else {
        const auto& chart = static_cast<Drawpoint*>(opened.dlg.get())->chart();
        QVERIFY(chart);
        QVERIFY(!chart->lines.empty());
        QCOMPARE(chart->lines.front().label, std::string("20020103"));
    }
}

void PickersTest::everyDate_shownWhole_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDate>("date");
    for (const Kind kind : {Kind::Frequency, Kind::Chart}) {
        const char* name = kind == Kind::Frequency ? "frequency" : "chart";
        const int k = static_cast<int>(kind);
        for (const QDate date : {QDate(2024, 12, 20), QDate(2099, 12, 31), QDate(2088, 10, 28),
                 QDate(2000, 11, 11), QDate(2044, 10, 24)})
            QTest::addRow("%s: %s", name, qPrintable(date.toString(Qt::ISODate))) << k << date;
    }
}

void PickersTest::everyDate_shownWhole()
{
    QFETCH(int, kind);
    QFETCH(QDate, date);
    Opened opened(static_cast<Kind>(kind));
    QVERIFY(QTest::qWaitForWindowExposed(opened.dlg.get()));
    for (QDateEdit* picker : {opened.from, opened.to}) {
        picker->setDate(date);
        const QString text = shown(picker);
        QCOMPARE(text, date.toString(QStringLiteral("yy-M-d")));
        // The text box inside the picker keeps a margin of two pixels on either side.
        const QFontMetrics metrics(editor(picker)->font());
        const int room = editor(picker)->width() - 4;
        QVERIFY2(metrics.horizontalAdvance(text) <= room,
            qPrintable(text + QStringLiteral(" in ") + QString::number(room)));
        // The picker stays inside the dialog, clear of its neighbours.
        QVERIFY(picker->geometry().right() < opened.dlg->width());
    }
    QVERIFY(opened.from->geometry().right() < opened.to->geometry().left());
}

void PickersTest::bothPickers_haveACalendarAlignedRight_data()
{
    separatorAtTheLastField_staysInThePicker_data();
}

void PickersTest::bothPickers_haveACalendarAlignedRight()
{
    QFETCH(int, kind);
    Opened opened(static_cast<Kind>(kind));
    QVERIFY(QTest::qWaitForWindowActive(opened.dlg.get()));
    for (QDateEdit* picker : {opened.from, opened.to}) {
        QVERIFY(picker->calendarPopup());
        // A press on the drop-down button at the picker's right end opens the calendar.
        QTest::mousePress(
            picker, Qt::LeftButton, {}, QPoint(picker->width() - 4, picker->height() / 2));
        QCalendarWidget* calendar = picker->calendarWidget();
        QVERIFY(calendar);
        QWidget* popup = calendar->window();
        QTRY_VERIFY(popup->isVisible());
        const QPoint pickerCorner = picker->mapToGlobal(QPoint(picker->width(), picker->height()));
        QCOMPARE(popup->geometry().right() + 1, pickerCorner.x());
        // Just below the picker, as Qt places it (within the pixel of the picker's edge).
        QVERIFY(qAbs(popup->geometry().top() - pickerCorner.y()) <= 1);
        popup->close();
        QTRY_VERIFY(!popup->isVisible());
    }
}

QTEST_MAIN(PickersTest)
#include "pickers_test.moc"
