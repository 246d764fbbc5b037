// The number frequency table: the list that "Show" fills, "Show All Lines", the pickers, a
// refused data file and the layout after a resize.
#include "app_support.h"

#include "app/shell/message_box.h"
#include "app/stats/freq_dlg.h"

#include "core/predict/history.h"
#include "core/stats/frequency.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane::app;
using corvane::test::writeBytes;

namespace {

// Sixteen draws from 20020102 to 20020118, with no draw on 20020104; numbers 1 to 49. The draw
// of 20020105 repeats 7, and 7 and 12 come again on 20020109 and 20020110; every other draw is
// 1, the day + 11, 33, 34, 35 and 36.
QByteArray sixteenDraws()
{
    QByteArray text;
    for (const int day : {2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}) {
        QByteArray line = QByteArray::number(20020100 + day);
        if (day == 5)
            line += " 7 7 20 30 40 49";
        else if (day == 9 || day == 10)
            line += " 7 12 21 31 41 48";
        else
            line += " 1 " + QByteArray::number(11 + day) + " 33 34 35 36";
        text += line + "\r\n";
    }
    return text;
}

QStringList headerTexts(const QTableWidget* list)
{
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << list->horizontalHeaderItem(c)->text();
    return texts;
}

QStringList rowTexts(const QTableWidget* list, int row)
{
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << (list->item(row, c) ? list->item(row, c)->text() : QStringLiteral("<none>"));
    return texts;
}

QStringList numberHeadings(int low, int high)
{
    QStringList texts {QStringLiteral("Day\\Lott")};
    for (int n = low; n <= high; ++n)
        texts << QString::number(n);
    return texts;
}

// The counts of a row as numbers, number n in cell n - low + 1.
int countOf(const QTableWidget* list, int row, int n, int low = 1)
{
    return list->item(row, n - low + 1)->text().trimmed().toInt();
}

struct Opened
{
    QTemporaryDir dir;
    FreqDlg dlg;
    QString path = dir.filePath(QStringLiteral("ca649.txt"));

    explicit Opened(const QByteArray& history)
    {
        writeBytes(path, history);
        dlg.m_path = path;
        dlg.m_title = QStringLiteral("Canadian 6/49--Times Of Each Lotto That Turned Up");
        dlg.show();
    }

    void period(QDate from, QDate to)
    {
        dlg.fromPicker()->setDate(from);
        dlg.toPicker()->setDate(to);
    }
};

} // namespace

class FreqDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void opening_captionFontAndEmptyList();
    void show_fillsOneRowOfTotals_data();
    void show_fillsOneRowOfTotals();
    void showAllLines_aRowPerDraw_countsNeverBelowTheRowUnder();
    void showTwice_sameList();
    void fewerNumbers_noOldColumnRemains();
    void refusedFile_toldOnce_listKept_data();
    void refusedFile_toldOnce_listKept();
    void pickers_textFormAndCentury_data();
    void pickers_textFormAndCentury();
    void typedYear_staysInTheCentury_data();
    void typedYear_staysInTheCentury();
    void opening_controlsAtTemplatePlaces();
    void resize_movesTheListAndButtons_data();
    void resize_movesTheListAndButtons();
};

void FreqDlgTest::opening_captionFontAndEmptyList()
{
    Opened opened(sixteenDraws());
    FreqDlg& dlg = opened.dlg;
    QCOMPARE(
        dlg.windowTitle(), QStringLiteral("Canadian 6/49--Times Of Each Lotto That Turned Up"));
    QCOMPARE(dlg.m_font.pixelSize(), 12);
    QCOMPARE(dlg.m_font.weight(), QFont::Medium);
    QCOMPARE(dlg.m_font.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(dlg.list()->columnCount(), 0);
    QCOMPARE(dlg.list()->rowCount(), 0);
    QVERIFY(!dlg.list()->isSortingEnabled());
    QVERIFY(!dlg.showAllBox()->isChecked());
    QVERIFY(dlg.showButton()->isDefault());
    QCOMPARE(dlg.exitButton()->text(), QStringLiteral("Exit"));
    QCOMPARE(dlg.fromPicker()->date(), QDate::currentDate());
    QCOMPARE(dlg.toPicker()->date(), QDate::currentDate());

    dlg.exitButton()->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void FreqDlgTest::show_fillsOneRowOfTotals_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("key");
    // number -> count in the period
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("both today, after the last draw: the last draw alone")
        << QDate::currentDate() << QDate::currentDate() << QStringLiteral("20020118")
        << QList<int> {1, 29, 33, 36, 7, 49} << QList<int> {1, 1, 1, 1, 0, 0};
    QTest::newRow("a draw repeating a number counts it twice")
        << QDate(2002, 1, 5) << QDate(2002, 1, 5) << QStringLiteral("20020105")
        << QList<int> {7, 20, 49, 1} << QList<int> {2, 1, 1, 0};
    QTest::newRow("from between draws: the earlier draw belongs to the period")
        << QDate(2002, 1, 4) << QDate(2002, 1, 10) << QStringLiteral("20020110")
        << QList<int> {7, 12, 1, 33} << QList<int> {4, 2, 4, 4};
    QTest::newRow("from after to: the same period")
        << QDate(2002, 1, 10) << QDate(2002, 1, 4) << QStringLiteral("20020110")
        << QList<int> {7, 12, 1, 33} << QList<int> {4, 2, 4, 4};
    QTest::newRow("before the first draw: from the first draw on")
        << QDate(2001, 6, 1) << QDate(2002, 1, 3) << QStringLiteral("20020103")
        << QList<int> {1, 13, 14, 36} << QList<int> {2, 1, 1, 2};
}

void FreqDlgTest::show_fillsOneRowOfTotals()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, key);
    QFETCH(QList<int>, numbers);
    QFETCH(QList<int>, counts);
    Opened opened(sixteenDraws());
    opened.period(from, to);
    opened.dlg.showButton()->click();

    const QTableWidget* list = opened.dlg.list();
    QVERIFY(opened.dlg.isVisible());
    QCOMPARE(headerTexts(list), numberHeadings(1, 49));
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(list->item(0, 0)->text(), key);
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(countOf(list, 0, numbers[i]), counts[i]);
    // Counts are written in four characters, left-aligned in their columns like the headings.
    QCOMPARE(list->item(0, 7)->text().size(), 4);
    QCOMPARE(list->item(0, 7)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
    QCOMPARE(list->font(), opened.dlg.m_font);
    // Every column is wide enough for what it shows.
    for (int c = 0; c < list->columnCount(); ++c) {
        const int text = list->fontMetrics().horizontalAdvance(list->item(0, c)->text());
        QVERIFY2(list->columnWidth(c) >= text, qPrintable(QString::number(c)));
    }
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void FreqDlgTest::showAllLines_aRowPerDraw_countsNeverBelowTheRowUnder()
{
    Opened opened(sixteenDraws());
    FreqDlg& dlg = opened.dlg;
    opened.period(QDate(2002, 1, 4), QDate(2002, 1, 10));
    // The box acts at the next "Show".
    dlg.showButton()->click();
    dlg.showAllBox()->click();
    QCOMPARE(dlg.m_showall, 1);
    QCOMPARE(dlg.list()->rowCount(), 1);
    dlg.showButton()->click();

    const QTableWidget* list = dlg.list();
    QCOMPARE(list->rowCount(), 7);
    QStringList keys;
    for (int r = 0; r < list->rowCount(); ++r)
        keys << list->item(r, 0)->text();
    QCOMPARE(keys,
        QStringList({QStringLiteral("20020110"), QStringLiteral("20020109"),
            QStringLiteral("20020108"), QStringLiteral("20020107"), QStringLiteral("20020106"),
            QStringLiteral("20020105"), QStringLiteral("20020103")}));
    // The first row holds the totals, the last the first draw's numbers alone.
    QCOMPARE(countOf(list, 0, 7), 4);
    QCOMPARE(countOf(list, 6, 7), 0);
    QCOMPARE(countOf(list, 6, 1), 1);
    QCOMPARE(countOf(list, 5, 7), 2);
    for (int r = 0; r + 1 < list->rowCount(); ++r) {
        for (int n = 1; n <= 49; ++n)
            QVERIFY(countOf(list, r, n) >= countOf(list, r + 1, n));
    }

    // Off again: one row of totals.
    dlg.showAllBox()->click();
    QCOMPARE(dlg.m_showall, 0);
    dlg.showButton()->click();
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(countOf(list, 0, 7), 4);
}

void FreqDlgTest::showTwice_sameList()
{
    Opened opened(sixteenDraws());
    opened.period(QDate(2002, 1, 2), QDate(2002, 1, 18));
    opened.dlg.showAllBox()->click();
    opened.dlg.showButton()->click();
    QList<QStringList> first;
    for (int r = 0; r < opened.dlg.list()->rowCount(); ++r)
        first << rowTexts(opened.dlg.list(), r);
    opened.dlg.showButton()->click();
    QCOMPARE(opened.dlg.list()->rowCount(), 16);
    for (int r = 0; r < opened.dlg.list()->rowCount(); ++r)
        QCOMPARE(rowTexts(opened.dlg.list(), r), first[r]);
}

void FreqDlgTest::fewerNumbers_noOldColumnRemains()
{
    Opened opened(sixteenDraws());
    opened.dlg.showButton()->click();
    QCOMPARE(opened.dlg.list()->columnCount(), 50);

    // The file now holds only the numbers 0 to 10: a column for 0, none past 10.
    QByteArray text;
    for (int i = 0; i < 16; ++i)
        text += QByteArray::number(20020102 + i) + " 0 2 3 4 10\n";
    QVERIFY(writeBytes(opened.path, text));
    opened.dlg.showButton()->click();
    const QTableWidget* list = opened.dlg.list();
    QCOMPARE(headerTexts(list), numberHeadings(0, 10));
    QCOMPARE(rowTexts(list, 0),
        QStringList({QStringLiteral("20020117"), QStringLiteral("   1"), QStringLiteral("   0"),
            QStringLiteral("   1"), QStringLiteral("   1"), QStringLiteral("   1"),
            QStringLiteral("   0"), QStringLiteral("   0"), QStringLiteral("   0"),
            QStringLiteral("   0"), QStringLiteral("   0"), QStringLiteral("   1")}));
}

void FreqDlgTest::refusedFile_toldOnce_listKept_data()
{
    QTest::addColumn<QByteArray>("replacement");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QString>("message");
    const QString tooFew = QString::fromLatin1(corvane::core::kTooFewLinesMessage)
                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTest::newRow("fifteen draws") << corvane::test::drawLines(15) << false << tooFew;
    QTest::newRow("missing file") << QByteArray() << true
                                  << QString::fromLatin1(corvane::core::kNoDataMessage);
}

void FreqDlgTest::refusedFile_toldOnce_listKept()
{
    QFETCH(QByteArray, replacement);
    QFETCH(bool, removed);
    QFETCH(QString, message);
    Opened opened(sixteenDraws());
    opened.period(QDate(2002, 1, 4), QDate(2002, 1, 10));
    opened.dlg.showButton()->click();
    const QStringList shown = rowTexts(opened.dlg.list(), 0);
    QVERIFY(removed ? QFile::remove(opened.path) : writeBytes(opened.path, replacement));

    opened.dlg.showButton()->click();
    QCOMPARE(MessageBox::takeShown(), QStringList({message}));
    QCOMPARE(opened.dlg.list()->rowCount(), 1);
    QCOMPARE(rowTexts(opened.dlg.list(), 0), shown);
    QVERIFY(opened.dlg.isVisible());
}

void FreqDlgTest::pickers_textFormAndCentury_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("key");
    QTest::newRow("one-digit month and day")
        << QDate(2002, 1, 5) << QStringLiteral("02-1-5") << 20020105.0;
    QTest::newRow("two-digit month and day")
        << QDate(2002, 12, 25) << QStringLiteral("02-12-25") << 20021225.0;
    QTest::newRow("last day of the range")
        << QDate(2099, 12, 31) << QStringLiteral("99-12-31") << 20991231.0;
    QTest::newRow("first day of the range")
        << QDate(2000, 1, 1) << QStringLiteral("00-1-1") << 20000101.0;
    QTest::newRow("a year of the last century is held at the range")
        << QDate(1999, 12, 31) << QStringLiteral("00-1-1") << 20000101.0;
}

void FreqDlgTest::pickers_textFormAndCentury()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QFETCH(double, key);
    Opened opened(sixteenDraws());
    for (QDateEdit* picker : {opened.dlg.fromPicker(), opened.dlg.toPicker()}) {
        QVERIFY(picker->calendarPopup());
        picker->setDate(date);
        QCOMPARE(picker->text(), text);
        QCOMPARE(corvane::core::frequency::pickerkey(picker->text().toStdString()), key);
    }
    opened.dlg.showButton()->click();
    QCOMPARE(opened.dlg.engine().m_fromkey, key);
    QCOMPARE(opened.dlg.engine().m_tokey, key);
}

void FreqDlgTest::typedYear_staysInTheCentury_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("year");
    QTest::newRow("99 is 2099") << QStringLiteral("99") << 2099;
    QTest::newRow("02 is 2002") << QStringLiteral("02") << 2002;
    QTest::newRow("00 is 2000") << QStringLiteral("00") << 2000;
}

void FreqDlgTest::typedYear_staysInTheCentury()
{
    QFETCH(QString, typed);
    QFETCH(int, year);
    Opened opened(sixteenDraws());
    QDateEdit* picker = opened.dlg.fromPicker();
    picker->setDate(QDate(2024, 3, 7));
    picker->setFocus();
    picker->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(picker, typed);
    QCOMPARE(picker->date(), QDate(year, 3, 7));
    QCOMPARE(picker->text(), typed + QStringLiteral("-3-7"));
}

void FreqDlgTest::opening_controlsAtTemplatePlaces()
{
    Opened opened(sixteenDraws());
    FreqDlg& dlg = opened.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    // In dialog units of the template's font: the list at 7, 15 (204 x 72), the buttons
    // 33 x 10 at 54, 92 and 129, 92, all inside a window of 218 x 106.
    const QRect list = dlg.list()->geometry();
    QVERIFY(list.left() > 0 && list.top() > dlg.fromPicker()->geometry().bottom());
    QVERIFY(list.right() < dlg.width() && dlg.showButton()->y() > list.bottom());
    QCOMPARE(dlg.showButton()->height(), dlg.exitButton()->height());
    QCOMPARE(dlg.showButton()->y(), dlg.exitButton()->y());
    QVERIFY(dlg.exitButton()->geometry().right() < dlg.width());
    QVERIFY(dlg.showButton()->geometry().bottom() < dlg.height());
}

void FreqDlgTest::resize_movesTheListAndButtons_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("listSize");
    QTest::addColumn<QPoint>("showAt");
    QTest::addColumn<QPoint>("exitAt");
    QTest::newRow("larger") << QSize(800, 600) << QSize(765, 515) << QPoint(200, 560)
                            << QPoint(400, 560);
    QTest::newRow("odd sizes divide toward zero")
        << QSize(503, 301) << QSize(468, 216) << QPoint(125, 261) << QPoint(251, 261);
    QTest::newRow("smaller") << QSize(250, 150) << QSize(215, 65) << QPoint(62, 110)
                             << QPoint(125, 110);
}

void FreqDlgTest::resize_movesTheListAndButtons()
{
    QFETCH(QSize, size);
    QFETCH(QSize, listSize);
    QFETCH(QPoint, showAt);
    QFETCH(QPoint, exitAt);
    Opened opened(sixteenDraws());
    FreqDlg& dlg = opened.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QPoint listAt = dlg.list()->pos();
    const QRect picker = dlg.fromPicker()->geometry();
    const QRect box = dlg.showAllBox()->geometry();

    dlg.resize(size);
    QTRY_COMPARE(dlg.size(), size);
    QCOMPARE(dlg.list()->geometry(), QRect(listAt, listSize));
    QCOMPARE(dlg.showButton()->geometry(), QRect(showAt, QSize(80, 28)));
    QCOMPARE(dlg.exitButton()->geometry(), QRect(exitAt, QSize(80, 28)));
    QCOMPARE(dlg.fromPicker()->geometry(), picker);
    QCOMPARE(dlg.showAllBox()->geometry(), box);
}

QTEST_MAIN(FreqDlgTest)
#include "freqdlg_test.moc"
