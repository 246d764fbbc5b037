// The result dialog and the dialog-unit helper.
#include "app/shell/dialog_units.h"
#include "app/shell/dlg2.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace corvane::app;

class Dlg2Test : public QObject
{
    Q_OBJECT

private slots:
    void dialogUnits_data();
    void dialogUnits();
    void dialog_isMeasuredInItsTemplateFont();
    void dialog_hasTheTemplatesSizeAndControls();
    void exec_showsTitleAndText_andOkCloses_data();
    void exec_showsTitleAndText_andOkCloses();
    void longText_scrollsBothWaysWithoutWrapping();
    void typing_digitsAndEnterOnly();
};

void Dlg2Test::dialogUnits_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("9 pt") << 9;
    QTest::newRow("10 pt") << 10;
    QTest::newRow("14 pt") << 14;
}

void Dlg2Test::dialogUnits()
{
    QFETCH(int, pointSize);
    QFont font = QApplication::font();
    font.setPointSize(pointSize);
    const QFontMetrics metrics(font);
    const int w = metrics.averageCharWidth();
    const int h = metrics.height();
    QCOMPARE(dialogUnitsToPixelsX(font, 4), w);
    QCOMPARE(dialogUnitsToPixelsY(font, 8), h);
    QCOMPARE(dialogUnitsToPixelsX(font, 181), (181 * w + 2) / 4);
    QCOMPARE(dialogUnitsToPixelsY(font, 102), (102 * h + 4) / 8);
    QCOMPARE(dialogUnitsToPixels(font, QSize(0, 0)), QSize(0, 0));
    QCOMPARE(dialogUnitsToPixels(font, QRect(8, 11, 165, 67)),
        QRect((8 * w + 2) / 4, (11 * h + 4) / 8, (165 * w + 2) / 4, (67 * h + 4) / 8));
}

void Dlg2Test::dialog_isMeasuredInItsTemplateFont()
{
    // Template 131 is drawn in "System" 10 points, the original platform's bold bitmap font with
    // lines 16 pixels tall at 96 dots an inch (or a bold sans-serif with lines as tall): larger
    // than the default font, so the caption and the text have the room they had there.
    Dlg2 dlg;
    const QFont font = dlg.font();
    QCOMPARE(font.family(), QStringLiteral("System"));
    QVERIFY(font.bold());
    QVERIFY(font.pointSizeF() >= 10.0);
    const qreal dpi = dlg.logicalDpiY();
    QVERIFY(QFontMetrics(font).height() >= qRound(16 * dpi / 96));
    QCOMPARE(dlg.textBox()->font(), font);
    QCOMPARE(dlg.size(), dialogUnitsToPixels(font, QSize(181, 102)));
    QVERIFY(dlg.width() > dialogUnitsToPixelsX(QApplication::font(), 181));
    // At least as large as the template in the platform's own font (8 x 16 pixels a unit pair).
    QVERIFY(dlg.width() >= qRound(181 * 8 / 4 * dpi / 96));
    QVERIFY(dlg.height() >= qRound(102 * 16 / 8 * dpi / 96));
    // A caption with a system menu and its close box, but no minimize or maximize box, which
    // would take the caption's room (the hints count only where the flags are customized).
    const Qt::WindowFlags flags = dlg.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void Dlg2Test::dialog_hasTheTemplatesSizeAndControls()
{
    Dlg2 dlg;
    const QFont font = dlg.font();
    QCOMPARE(dlg.size(), dialogUnitsToPixels(font, QSize(181, 102)));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QCOMPARE(dlg.textBox()->geometry(), dialogUnitsToPixels(font, QRect(8, 11, 165, 67)));
    auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("IDOK"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->geometry(), dialogUnitsToPixels(font, QRect(69, 81, 50, 14)));
    QVERIFY(dlg.m_text.isEmpty());
    QVERIFY(dlg.m_title.isEmpty());
    QVERIFY(dlg.isModal());
}

void Dlg2Test::exec_showsTitleAndText_andOkCloses_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("a caption") << QStringLiteral("Canadian 6/49--Corvane For Windows");
    QTest::newRow("empty caption") << QString();
}

void Dlg2Test::exec_showsTitleAndText_andOkCloses()
{
    QFETCH(QString, title);
    Dlg2 dlg;
    dlg.m_title = title;
    dlg.m_text
        = QStringLiteral("   The 'X' Lottery \r\n   After 20020101 Could Be:\r\n\r\n   1   2   ");
    QString shownTitle;
    QString shownText;
    QTimer::singleShot(0, &dlg, [&] {
        shownTitle = dlg.windowTitle();
        shownText = dlg.textBox()->toPlainText();
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("IDOK")), Qt::LeftButton);
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QTRY_VERIFY(!dlg.isVisible());
    QCOMPARE(shownTitle, title);
    QCOMPARE(shownText,
        QStringLiteral("   The 'X' Lottery \n   After 20020101 Could Be:\n\n   1   2   "));
}

void Dlg2Test::longText_scrollsBothWaysWithoutWrapping()
{
    Dlg2 dlg;
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QString(200, QLatin1Char('0' + i % 10)) + QStringLiteral("\r\n");
    dlg.m_text = text;
    bool bothVisible = false;
    int horizontalRange = 0;
    int verticalRange = 0;
    // Checks run after exec, so that a failure cannot leave the dialog open.
    QTimer::singleShot(0, &dlg, [&] {
        QPlainTextEdit* box = dlg.textBox();
        bothVisible
            = box->horizontalScrollBar()->isVisible() && box->verticalScrollBar()->isVisible();
        horizontalRange = box->horizontalScrollBar()->maximum();
        verticalRange = box->verticalScrollBar()->maximum();
        dlg.accept();
    });
    dlg.exec();
    QPlainTextEdit* box = dlg.textBox();
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(bothVisible);
    // Unwrapped, a 200-character line is wider than the box.
    QVERIFY(horizontalRange > 0);
    QVERIFY(verticalRange > 0);
    QCOMPARE(box->document()->blockCount(), 61);
}

void Dlg2Test::typing_digitsAndEnterOnly()
{
    Dlg2 dlg;
    dlg.m_text = QStringLiteral("1");
    QString typed;
    bool stillOpen = false;
    QTimer::singleShot(0, &dlg, [&] {
        QPlainTextEdit* box = dlg.textBox();
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, QStringLiteral("2a b-3"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("x4"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QStringLiteral("5"));
        typed = box->toPlainText();
        // Enter in the box makes a line; it does not press OK.
        stillOpen = dlg.isVisible();
        dlg.accept();
    });
    dlg.exec();
    QVERIFY(!dlg.textBox()->isReadOnly());
    QCOMPARE(typed, QStringLiteral("123\n5"));
    QVERIFY(stillOpen);
}

QTEST_MAIN(Dlg2Test)
#include "dlg2_test.moc"
