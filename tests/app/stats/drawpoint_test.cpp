// The distribution chart as it is painted: the balls where the numbers stand, none in the last
// number column, a white background, a new chart never mixed with the old one, the data file
// read at "Show", at a resize and at a change of dates but not at a paint, a refusal told once,
// and the layout after a resize. Also run at a device pixel ratio of 2.
#include "app_support.h"

#include "app/shell/message_box.h"
#include "app/stats/drawpoint.h"

#include "core/predict/history.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane::app;
using corvane::test::writeBytes;

namespace {

// Twenty draws of 6 numbers, 20020101 to 20020120. The draw of 20020105 is 3 17 22 30 41 45;
// every other one 8 11 26 35 38 49.
QByteArray twentyDraws()
{
    QByteArray text;
    for (int day = 1; day <= 20; ++day) {
        text += QByteArray::number(20020100 + day);
        text += day == 5 ? " 3 17 22 30 41 45\r\n" : " 8 11 26 35 38 49\r\n";
    }
    return text;
}

const QList<int> kFifth {3, 17, 22, 30, 41};
const QList<int> kOthers {8, 11, 26, 35, 38};

int columnX(int n)
{
    return n * 18 + 60;
}

int lineY(int i)
{
    return 90 + 20 * i;
}

// A picture of the dialog in logical pixels, whatever the device pixel ratio.
class Shot
{
public:
    explicit Shot(QWidget* widget)
        : m_image(widget->grab().toImage())
        , m_ratio(m_image.devicePixelRatio())
    { }

    // Device pixels of the logical rectangle whose colour passes test.
    template<class Test>
    int count(const QRect& logical, Test test) const
    {
        const QRect device(QPoint(int(logical.left() * m_ratio), int(logical.top() * m_ratio)),
            QSize(int(logical.width() * m_ratio), int(logical.height() * m_ratio)));
        int n = 0;
        for (int y = device.top(); y <= device.bottom(); ++y) {
            for (int x = device.left(); x <= device.right(); ++x) {
                if (m_image.rect().contains(x, y) && test(m_image.pixelColor(x, y)))
                    ++n;
            }
        }
        return n;
    }

    int notWhite(const QRect& logical) const
    {
        return count(logical, [](const QColor& c) { return c.rgb() != qRgb(255, 255, 255); });
    }

    // The ball is red with a white middle and a highlight; its shell is what is counted.
    int ballRed(const QRect& logical) const
    {
        return count(logical,
            [](const QColor& c) { return c.red() > 110 && c.green() < 110 && c.blue() < 110; });
    }

    // Whether the ball picture for this ratio, laid on white, stands exactly at topLeft.
    bool ballAt(QPoint topLeft) const
    {
        const bool dense = m_ratio > 1.0;
        QImage ball(
            dense ? QStringLiteral(":/chart/ball@2x.png") : QStringLiteral(":/chart/ball.png"));
        // Pixel for pixel: the picture's own ratio (2 for the larger one) is not to scale it.
        ball.setDevicePixelRatio(1.0);
        QImage expected(ball.size(), m_image.format());
        expected.fill(Qt::white);
        QPainter(&expected).drawImage(0, 0, ball);
        const QPoint at(int(topLeft.x() * m_ratio), int(topLeft.y() * m_ratio));
        return m_image.copy(QRect(at, ball.size())) == expected;
    }

    double ratio() const { return m_ratio; }

private:
    QImage m_image;
    double m_ratio;
};

// The inner rows of the ball's box of number n on line i: the balls of the lines above and
// below reach 6 pixels into the box, never into these rows.
QRect ballBox(int n, int i)
{
    return QRect(columnX(n) - 14, lineY(i) - 23 + 6, 26, 14);
}

struct Opened
{
    QTemporaryDir dir;
    Drawpoint dlg;
    QString path = dir.filePath(QStringLiteral("ca649.txt"));

    explicit Opened(const QByteArray& history = twentyDraws())
    {
        writeBytes(path, history);
        dlg.m_path = path;
        dlg.m_title = QStringLiteral("Canadian 6/49--Distribution Of Each Lotto That Turned Up");
        dlg.show();
    }

    void period(QDate from, QDate to)
    {
        dlg.fromPicker()->setDate(from);
        dlg.toPicker()->setDate(to);
    }

    // Large enough for every column and line of the chart; the resize draws the chart.
    bool enlarge()
    {
        if (!QTest::qWaitForWindowExposed(&dlg))
            return false;
        dlg.resize(1000, 600);
        return dlg.size() == QSize(1000, 600);
    }
};

} // namespace

class DrawpointTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void newDialog_controlsOnWhite_noChart();
    void show_ballsWhereTheNumbersStand_noneInTheLastColumn();
    void show_afterChangingTheDates_drawsTheNewChartAlone();
    void changedDates_redrawn_paintReadsNothing();
    void lowWindow_headingsOnly();
    void refusedFile_toldOnce_nothingDrawn_data();
    void refusedFile_toldOnce_nothingDrawn();
    void resize_placesTheControls_andDraws_data();
    void resize_placesTheControls_andDraws();
};

void DrawpointTest::newDialog_controlsOnWhite_noChart()
{
    Opened opened;
    Drawpoint& dlg = opened.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(),
        QStringLiteral("Canadian 6/49--Distribution Of Each Lotto That Turned Up"));
    QCOMPARE(dlg.m_drawn, 0);
    QVERIFY(!dlg.chart());
    QVERIFY(dlg.fromPicker()->calendarPopup());
    QVERIFY(dlg.toPicker()->calendarPopup());
    QCOMPARE(dlg.fromPicker()->date(), QDate::currentDate());
    QCOMPARE(dlg.toPicker()->date(), QDate::currentDate());
    QVERIFY(dlg.showButton()->isDefault());
    QCOMPARE(dlg.cancelButton()->text(), QStringLiteral("Cancel"));
    QCOMPARE(dlg.m_font.pixelSize(), 12);
    QCOMPARE(dlg.m_font.weight(), QFont::Medium);

    // Between the top row of controls and the buttons there is white only.
    const Shot shot(&dlg);
    QCOMPARE(shot.notWhite(QRect(0, 30, dlg.width(), dlg.showButton()->y() - 31)), 0);
    QVERIFY(shot.notWhite(dlg.showButton()->geometry()) > 0);
    QVERIFY(MessageBox::takeShown().isEmpty());

    dlg.cancelButton()->click();
    QVERIFY(!dlg.isVisible());
}

void DrawpointTest::show_ballsWhereTheNumbersStand_noneInTheLastColumn()
{
    Opened opened;
    Drawpoint& dlg = opened.dlg;
    QVERIFY(opened.enlarge());
    opened.period(QDate(2002, 1, 1), QDate(2002, 1, 20));
    dlg.showButton()->click();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.m_drawn, 1);
    QVERIFY(dlg.chart());
    QCOMPARE(dlg.chart()->lines.size(), std::size_t(20));

    const Shot shot(&dlg);
    if (qgetenv("QT_SCALE_FACTOR") == "2")
        QCOMPARE(shot.ratio(), 2.0);
    for (const int n : kFifth) {
        QVERIFY2(
            shot.ballAt(QPoint(columnX(n) - 14, lineY(4) - 23)), qPrintable(QString::number(n)));
        QVERIFY(shot.ballRed(ballBox(n, 4)) > 100);
    }
    // The last number column gets no ball, on any line.
    QCOMPARE(shot.notWhite(ballBox(45, 4)), 0);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(shot.notWhite(ballBox(49, i)), 0);
    // The other lines have their balls elsewhere.
    for (const int n : kOthers) {
        QVERIFY(shot.ballRed(ballBox(n, 3)) > 100);
        QCOMPARE(shot.ballRed(ballBox(n, 4)), 0);
    }
    // Black texts: the headings 01 to 49 (the lowest is never above 1) and the date labels.
    QVERIFY(shot.notWhite(QRect(columnX(1) - 16, 45, 32, 20)) > 0);
    QVERIFY(shot.notWhite(QRect(columnX(49) - 16, 45, 32, 20)) > 0);
    QCOMPARE(shot.notWhite(QRect(columnX(50) - 16, 45, 32, 20)), 0);
    QVERIFY(shot.notWhite(QRect(0, lineY(4) - 25, 80, 20)) > 0);
    const auto black = [](const QColor& c) { return c.lightness() < 60; };
    QVERIFY(shot.count(QRect(0, lineY(4) - 25, 80, 20), black) > 0);
    // Below the last line only white until the buttons.
    QCOMPARE(
        shot.notWhite(QRect(0, lineY(19) + 13, 1000, dlg.showButton()->y() - lineY(19) - 14)), 0);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void DrawpointTest::show_afterChangingTheDates_drawsTheNewChartAlone()
{
    Opened opened;
    Drawpoint& dlg = opened.dlg;
    QVERIFY(opened.enlarge());
    opened.period(QDate(2002, 1, 1), QDate(2002, 1, 20));
    dlg.showButton()->click();
    QVERIFY(Shot(&dlg).ballRed(ballBox(8, 0)) > 100);

    opened.period(QDate(2002, 1, 5), QDate(2002, 1, 20));
    dlg.showButton()->click();
    QCOMPARE(dlg.chart()->lines.size(), std::size_t(16));
    QCOMPARE(dlg.chart()->lines.front().label, std::string("20020105"));

    const Shot shot(&dlg);
    for (const int n : kFifth)
        QVERIFY(shot.ballAt(QPoint(columnX(n) - 14, lineY(0) - 23)));
    // Nothing of the old first line, nor of the four lines the new period no longer has.
    for (const int n : kOthers) {
        QCOMPARE(shot.ballRed(ballBox(n, 0)), 0);
        QVERIFY(shot.ballRed(ballBox(n, 1)) > 100);
    }
    QCOMPARE(shot.notWhite(QRect(0, lineY(15) + 13, 1000, lineY(19) + 13 - lineY(15) - 13)), 0);
}

void DrawpointTest::changedDates_redrawn_paintReadsNothing()
{
    Opened opened;
    Drawpoint& dlg = opened.dlg;
    QVERIFY(opened.enlarge());
    opened.period(QDate(2002, 1, 1), QDate(2002, 1, 20));
    dlg.showButton()->click();

    // A drawn chart follows the pickers without "Show".
    dlg.fromPicker()->setDate(QDate(2002, 1, 5));
    QCOMPARE(dlg.chart()->lines.front().label, std::string("20020105"));
    QVERIFY(Shot(&dlg).ballAt(QPoint(columnX(3) - 14, lineY(0) - 23)));

    // Painting reads no file: with the file gone, paints draw the chart and tell nothing.
    QVERIFY(QFile::remove(opened.path));
    dlg.repaint();
    const Shot shot(&dlg);
    QVERIFY(shot.ballAt(QPoint(columnX(3) - 14, lineY(0) - 23)));
    QCoreApplication::processEvents();
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void DrawpointTest::lowWindow_headingsOnly()
{
    Opened opened;
    Drawpoint& dlg = opened.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    opened.period(QDate(2002, 1, 1), QDate(2002, 1, 20));
    dlg.resize(1000, 169);
    QVERIFY(dlg.chart());
    QVERIFY(dlg.chart()->lines.empty());
    QCOMPARE(dlg.chart()->headings.size(), std::size_t(49));
    const Shot shot(&dlg);
    QVERIFY(shot.notWhite(QRect(columnX(3) - 16, 45, 32, 20)) > 0);
    QCOMPARE(shot.ballRed(QRect(0, 66, 1000, dlg.showButton()->y() - 66)), 0);
}

void DrawpointTest::refusedFile_toldOnce_nothingDrawn_data()
{
    QTest::addColumn<bool>("byShow");
    QTest::addColumn<int>("resizes");
    QTest::newRow("show") << true << 0;
    QTest::newRow("one resize") << false << 1;
    QTest::newRow("a run of resizes, as a drag makes them") << false << 4;
}

void DrawpointTest::refusedFile_toldOnce_nothingDrawn()
{
    QFETCH(bool, byShow);
    QFETCH(int, resizes);
    Opened opened;
    Drawpoint& dlg = opened.dlg;
    QVERIFY(opened.enlarge());
    opened.period(QDate(2002, 1, 1), QDate(2002, 1, 20));
    dlg.showButton()->click();
    QVERIFY(Shot(&dlg).ballRed(ballBox(3, 4)) > 100);
    QVERIFY(writeBytes(opened.path, corvane::test::drawLines(15)));

    if (byShow)
        dlg.showButton()->click();
    for (int i = 1; i <= resizes; ++i)
        dlg.resize(1000 + 10 * i, 600);
    QCoreApplication::processEvents();
    const QString tooFew = QString::fromLatin1(corvane::core::kTooFewLinesMessage)
                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(MessageBox::takeShown(), QStringList({tooFew}));
    QVERIFY(!dlg.chart());
    QCOMPARE(dlg.m_drawn, 0);
    QCOMPARE(Shot(&dlg).notWhite(QRect(0, 30, dlg.width(), dlg.showButton()->y() - 31)), 0);

    // Paints and changes of the dates read nothing more and tell nothing more.
    dlg.repaint();
    dlg.fromPicker()->setDate(QDate(2002, 1, 3));
    QCoreApplication::processEvents();
    QVERIFY(MessageBox::takeShown().isEmpty());

    // The next "Show" reads the file again.
    QVERIFY(writeBytes(opened.path, twentyDraws()));
    dlg.showButton()->click();
    QVERIFY(dlg.chart());
    QVERIFY(Shot(&dlg).ballRed(ballBox(3, 2)) > 100);
}

void DrawpointTest::resize_placesTheControls_andDraws_data()
{
    QTest::addColumn<QSize>("size");
    // Left edges of "Period:", "From", the From picker, "To" and the To picker.
    QTest::addColumn<QList<int>>("lefts");
    QTest::addColumn<QPoint>("showAt");
    QTest::addColumn<QPoint>("cancelAt");
    QTest::newRow("1000 x 600") << QSize(1000, 600) << QList<int> {300, 360, 405, 500, 525}
                                << QPoint(333, 560) << QPoint(666, 560);
    QTest::newRow("0.3 x 517 is 155.1") << QSize(517, 301) << QList<int> {155, 215, 260, 355, 380}
                                        << QPoint(172, 261) << QPoint(344, 261);
    QTest::newRow("0.3 x 33 is 9.9")
        << QSize(33, 50) << QList<int> {9, 69, 114, 209, 234} << QPoint(11, 10) << QPoint(22, 10);
}

void DrawpointTest::resize_placesTheControls_andDraws()
{
    QFETCH(QSize, size);
    QFETCH(QList<int>, lefts);
    QFETCH(QPoint, showAt);
    QFETCH(QPoint, cancelAt);
    Opened opened;
    Drawpoint& dlg = opened.dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.m_drawn, 0);
    dlg.resize(size);
    QCOMPARE(dlg.size(), size);

    const QList<QWidget*> top {dlg.findChild<QLabel*>(QStringLiteral("1030")),
        dlg.findChild<QLabel*>(QStringLiteral("1031")), dlg.fromPicker(),
        dlg.findChild<QLabel*>(QStringLiteral("1022")), dlg.toPicker()};
    const QList<QSize> sizes {{60, 24}, {40, 24}, {90, 24}, {20, 22}, {90, 24}};
    for (int i = 0; i < top.size(); ++i) {
        QVERIFY(top[i]);
        QCOMPARE(top[i]->geometry(), QRect(QPoint(lefts[i], 5), sizes[i]));
    }
    QCOMPARE(dlg.showButton()->geometry(), QRect(showAt, QSize(80, 28)));
    QCOMPARE(dlg.cancelButton()->geometry(), QRect(cancelAt, QSize(80, 28)));
    // A resize draws the chart, also when "Show" was never pressed.
    QCOMPARE(dlg.m_drawn, 1);
    QVERIFY(dlg.chart());
    QVERIFY(MessageBox::takeShown().isEmpty());
}

QTEST_MAIN(DrawpointTest)
#include "drawpoint_test.moc"
