// The lottery selection dialog: its lists, transitions and results, and "Update Online".
#include "app_support.h"
#include "dlg3_driver.h"
#include "http_servers.h"

#include "app/catalogue/dlg3.h"
#include "app/catalogue/update_progress.h"
#include "app/shell/message_box.h"

#include "net/data_server.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace corvane::app;
using corvane::test::click;
using corvane::test::clickRegion;
using corvane::test::clickRow;
using corvane::test::doubleClickRow;
using corvane::test::entries;
using corvane::test::readBytes;
using corvane::test::ScriptedHttpServer;
using corvane::test::selectedRow;
using corvane::test::ShownDlg3;
using corvane::test::StaticHttpServer;
using corvane::test::writeBytes;

namespace {

const QStringList kCountries
    = {QStringLiteral("Australia"), QStringLiteral("Canada"), QStringLiteral("Germany"),
        QStringLiteral("Ireland"), QStringLiteral("Mexico"), QStringLiteral("New Zealand"),
        QStringLiteral("Singapore"), QStringLiteral("Spain"), QStringLiteral("United Kingdom"),
        QStringLiteral("Belgium"), QStringLiteral("South Africa"), QStringLiteral("Brazil"),
        QStringLiteral("Hong Kong"), QStringLiteral("Turkey"), QStringLiteral("Taiwan")};
const QStringList kAustralia
    = {QStringLiteral("Tattslotto"), QStringLiteral("Wednesday Tattslotto"),
        QStringLiteral("NSW Lotto 1"), QStringLiteral("Powerball"), QStringLiteral("Oz Lotto"),
        QStringLiteral("Wednesday Gold Lotto")};
const QStringList kArizona = {QStringLiteral("Powerball"), QStringLiteral("Arizona The Pick"),
    QStringLiteral("Arizona Fantasy 5"), QStringLiteral("Arizona Pick 3")};

const QByteArray kOldFile = QByteArrayLiteral("20020101 1 2 3 4 5 6\r\n");

// The dialog's display state, to show that an action left it alone.
struct Shown
{
    int other;
    bool usChecked;
    QStringList regions;
    int region;
    QStringList lotteries;
    int lottery;
    bool startup;
    bool operator==(const Shown& o) const
    {
        return other == o.other && usChecked == o.usChecked && regions == o.regions
            && region == o.region && lotteries == o.lotteries && lottery == o.lottery
            && startup == o.startup;
    }
};

Shown shown(const Dlg3& dlg)
{
    return {dlg.m_bOther, dlg.radio(Dlg3::kUnitedStates)->isChecked(), entries(dlg.stateList()),
        selectedRow(dlg.stateList()), entries(dlg.lottoList()), selectedRow(dlg.lottoList()),
        dlg.startupCheck()->isChecked()};
}

} // namespace

class Dlg3Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opening_showsTheOtherCountriesWithTattslotto();
    void unitedStates_listsTheRegionsWithArizona();
    void choosing_data();
    void choosing();
    void radioClickedAgain_listsAfresh_data();
    void radioClickedAgain_listsAfresh();
    void selectionsByTheProgram_neverRunTheChangeHandler();
    void startupCheck_togglesTheFlag();
    void cancelAndEscape_reject_data();
    void cancelAndEscape_reject();

    void updateOnline_fetchesTheSelectedLottery_data();
    void updateOnline_fetchesTheSelectedLottery();
    void updateOnline_failure_keepsTheFileAndSaysWhy();
    void updateOnline_withNoLottery_doesNothing();
    void updateOnline_setsTheFileName_whichOpenKeepsWhenNothingIsSelected();
    void progressDialog_cancel_leavesTheFile();

private:
    StaticHttpServer m_static;
    QTemporaryDir m_dataDir;
};

void Dlg3Test::initTestCase()
{
    corvane::test::isolateFromTheUser();
    corvane::test::bypassProxies();
    if (!m_static.start())
        QFAIL(qPrintable(m_static.error()));
}

void Dlg3Test::init()
{
    MessageBox::takeShown();
    MessageBox::takeShownIcons();
    qunsetenv(corvane::net::kDataServerVariable);
}

void Dlg3Test::cleanup()
{
    qunsetenv(corvane::net::kDataServerVariable);
}

void Dlg3Test::opening_showsTheOtherCountriesWithTattslotto()
{
    ShownDlg3 dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Corvane For Windows"));
    QCOMPARE(dlg.m_bOther, 1);
    QVERIFY(dlg.radio(Dlg3::kOtherStates)->isChecked());
    QVERIFY(!dlg.radio(Dlg3::kUnitedStates)->isChecked());
    QCOMPARE(entries(dlg.stateList()), kCountries);
    QCOMPARE(selectedRow(dlg.stateList()), 0);
    QCOMPARE(entries(dlg.lottoList()), kAustralia);
    QCOMPARE(selectedRow(dlg.lottoList()), 0);
    QVERIFY(!dlg.startupCheck()->isChecked());
    QVERIFY(dlg.button(Dlg3::kOpen)->isDefault());
    QCOMPARE(dlg.button(Dlg3::kOpen)->text(), QStringLiteral("OPEN"));
    QCOMPARE(dlg.button(Dlg3::kUpdateOnline)->text(), QStringLiteral("Update Online"));
    QCOMPARE(dlg.button(Dlg3::kCancel)->text(), QStringLiteral("Cancel"));
    QCOMPARE(dlg.m_filename, QString());
}

void Dlg3Test::unitedStates_listsTheRegionsWithArizona()
{
    ShownDlg3 dlg;
    click(dlg.radio(Dlg3::kUnitedStates));
    QCOMPARE(dlg.m_bOther, 0);
    QVERIFY(!dlg.radio(Dlg3::kOtherStates)->isChecked());
    const QStringList regions = entries(dlg.stateList());
    QCOMPARE(regions.size(), 52);
    QCOMPARE(regions.mid(0, 4),
        QStringList({QStringLiteral("Alabama"), QStringLiteral("Alaska"), QStringLiteral("Arizona"),
            QStringLiteral("Arkansas")}));
    QCOMPARE(regions.at(13), QStringLiteral("IIIinois"));
    QCOMPARE(regions.last(), QStringLiteral("Wyoming"));
    QCOMPARE(selectedRow(dlg.stateList()), 2);
    QCOMPARE(entries(dlg.lottoList()), kArizona);
    QCOMPARE(selectedRow(dlg.lottoList()), 0);
}

void Dlg3Test::choosing_data()
{
    QTest::addColumn<bool>("unitedStates");
    QTest::addColumn<QString>("region"); // empty: the one selected at first
    QTest::addColumn<int>("lottery"); // -1: the one selected at first
    QTest::addColumn<QString>("how"); // OPEN, Enter or double-click
    QTest::addColumn<QString>("file"); // empty: the dialog stays open
    QTest::addColumn<int>("sel");

    const QString open = QStringLiteral("OPEN");
    const QString enter = QStringLiteral("Enter");
    const QString dbl = QStringLiteral("double-click");
    QTest::newRow("OPEN right away")
        << false << QString() << -1 << open << QStringLiteral("au645.txt") << 0;
    QTest::newRow("Enter right away")
        << false << QString() << -1 << enter << QStringLiteral("au645.txt") << 0;
    QTest::newRow("double-click Tattslotto")
        << false << QString() << 0 << dbl << QStringLiteral("au645.txt") << 0;
    QTest::newRow("Australia's Powerball")
        << false << QString() << 3 << open << QStringLiteral("au545.txt") << 3;
    QTest::newRow("Taiwan") << false << QStringLiteral("Taiwan") << -1 << open
                            << QStringLiteral("twl.txt") << 0;
    QTest::newRow("United States, OPEN")
        << true << QString() << -1 << open << QStringLiteral("pb545.txt") << 0;
    QTest::newRow("Missouri's Powerball(pb545")
        << true << QStringLiteral("Missouri") << 0 << open << QStringLiteral("pb545.txt") << 0;
    QTest::newRow("Georgia's Lotto South with its blank")
        << true << QStringLiteral("Georgia") << 1 << enter << QStringLiteral("ls649.txt") << 1;
    QTest::newRow("Oregon's last, scrolled to")
        << true << QStringLiteral("Oregon") << 6 << dbl << QStringLiteral("or4-10.txt") << 6;

    QTest::newRow("Spain, OPEN") << false << QStringLiteral("Spain") << -1 << open << QString()
                                 << -1;
    QTest::newRow("Spain, Enter") << false << QStringLiteral("Spain") << -1 << enter << QString()
                                  << -1;
    QTest::newRow("Alabama, OPEN")
        << true << QStringLiteral("Alabama") << -1 << open << QString() << -1;
    QTest::newRow("Wyoming, double-click")
        << true << QStringLiteral("Wyoming") << -1 << dbl << QString() << -1;
}

void Dlg3Test::choosing()
{
    QFETCH(bool, unitedStates);
    QFETCH(QString, region);
    QFETCH(int, lottery);
    QFETCH(QString, how);
    QFETCH(QString, file);
    QFETCH(int, sel);
    ShownDlg3 dlg;
    if (unitedStates)
        click(dlg.radio(Dlg3::kUnitedStates));
    if (!region.isEmpty())
        QVERIFY(clickRegion(dlg, region));
    if (lottery >= 0)
        clickRow(dlg.lottoList(), lottery);
    if (file.isEmpty())
        QCOMPARE(dlg.lottoList()->count(), 0);

    if (how == QLatin1String("OPEN"))
        click(dlg.button(Dlg3::kOpen));
    else if (how == QLatin1String("Enter"))
        QTest::keyClick(dlg.lottoList(), Qt::Key_Return);
    else
        doubleClickRow(dlg.lottoList(), file.isEmpty() ? -1 : lottery);

    QCOMPARE(dlg.m_nSel, sel);
    QCOMPARE(dlg.m_filename, file);
    if (file.isEmpty()) {
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), 0);
    } else {
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void Dlg3Test::radioClickedAgain_listsAfresh_data()
{
    QTest::addColumn<bool>("unitedStates");
    QTest::addColumn<QString>("regionBefore");
    QTest::newRow("Other States after Mexico") << false << QStringLiteral("Mexico");
    QTest::newRow("Other States after Spain") << false << QStringLiteral("Spain");
    QTest::newRow("United States after Texas") << true << QStringLiteral("Texas");
    QTest::newRow("United States after Alabama") << true << QStringLiteral("Alabama");
}

void Dlg3Test::radioClickedAgain_listsAfresh()
{
    QFETCH(bool, unitedStates);
    QFETCH(QString, regionBefore);
    ShownDlg3 dlg;
    QRadioButton* radio = dlg.radio(unitedStates ? Dlg3::kUnitedStates : Dlg3::kOtherStates);
    if (unitedStates)
        click(radio);
    QVERIFY(clickRegion(dlg, regionBefore));
    QCOMPARE(dlg.stateList()->currentItem()->text(), regionBefore);
    click(radio);
    QVERIFY(radio->isChecked());
    if (unitedStates) {
        QCOMPARE(dlg.stateList()->count(), 52);
        QCOMPARE(selectedRow(dlg.stateList()), 2);
        QCOMPARE(entries(dlg.lottoList()), kArizona);
    } else {
        QCOMPARE(entries(dlg.stateList()), kCountries);
        QCOMPARE(selectedRow(dlg.stateList()), 0);
        QCOMPARE(entries(dlg.lottoList()), kAustralia);
    }
    QCOMPARE(selectedRow(dlg.lottoList()), 0);
}

void Dlg3Test::selectionsByTheProgram_neverRunTheChangeHandler()
{
    ShownDlg3 dlg;
    QSignalSpy changes(dlg.stateList(), &QListWidget::currentRowChanged);
    click(dlg.radio(Dlg3::kUnitedStates));
    click(dlg.radio(Dlg3::kOtherStates));
    click(dlg.radio(Dlg3::kUnitedStates));
    QCOMPARE(changes.count(), 0);

    // The user's selections do run it, by mouse and by keyboard.
    QVERIFY(clickRegion(dlg, QStringLiteral("California")));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(dlg.lottoList()->item(0)->text(), QStringLiteral("California SuperLotto Plus"));
    dlg.stateList()->setFocus();
    QTest::keyClick(dlg.stateList(), Qt::Key_Up);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(dlg.stateList()->currentItem()->text(), QStringLiteral("Arkansas"));
    QCOMPARE(dlg.lottoList()->count(), 0);
    QTest::keyClick(dlg.stateList(), Qt::Key_Up);
    QCOMPARE(entries(dlg.lottoList()), kArizona);
}

void Dlg3Test::startupCheck_togglesTheFlag()
{
    ShownDlg3 dlg;
    click(dlg.startupCheck());
    QCOMPARE(dlg.m_bStartup, 1);
    QVERIFY(dlg.startupCheck()->isChecked());
    click(dlg.startupCheck());
    QCOMPARE(dlg.m_bStartup, 0);
    QVERIFY(!dlg.startupCheck()->isChecked());
}

void Dlg3Test::cancelAndEscape_reject_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
}

void Dlg3Test::cancelAndEscape_reject()
{
    QFETCH(bool, escape);
    ShownDlg3 dlg;
    if (escape)
        QTest::keyClick(dlg.lottoList(), Qt::Key_Escape);
    else
        click(dlg.button(Dlg3::kCancel));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void Dlg3Test::updateOnline_fetchesTheSelectedLottery_data()
{
    QTest::addColumn<bool>("unitedStates");
    QTest::addColumn<QString>("file");
    QTest::newRow("right after opening: Tattslotto") << false << QStringLiteral("au645.txt");
    QTest::newRow("United States: Powerball") << true << QStringLiteral("pb545.txt");
}

void Dlg3Test::updateOnline_fetchesTheSelectedLottery()
{
    QFETCH(bool, unitedStates);
    QFETCH(QString, file);
    QVERIFY(m_static.put(file, QByteArrayLiteral("20020103 1 2 3\n20020104 4 5 6\n")));
    qputenv(corvane::net::kDataServerVariable, m_static.baseUrl().toUtf8());
    const QString local = QDir(m_dataDir.path()).filePath(file);
    QVERIFY(writeBytes(local, kOldFile));

    ShownDlg3 dlg;
    dlg.m_dataDir = m_dataDir.path();
    if (unitedStates)
        click(dlg.radio(Dlg3::kUnitedStates));
    const Shown before = shown(dlg);
    click(dlg.button(Dlg3::kUpdateOnline));
    QCOMPARE(MessageBox::takeShown(),
        QStringList {QStringLiteral("Data Updated Finished Successfully")});
    QCOMPARE(MessageBox::takeShownIcons(), QList<QMessageBox::Icon> {QMessageBox::NoIcon});
    QCOMPARE(readBytes(local), QByteArrayLiteral("20020103 1 2 3\r\n20020104 4 5 6\r\n"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), 0);
    QVERIFY(shown(dlg) == before);
    QCOMPARE(dlg.m_filename, file);
    QCOMPARE(dlg.m_nSel, 0);
    QCOMPARE(dlg.m_bStartup, 0);
    QVERIFY(!QApplication::overrideCursor());
}

void Dlg3Test::updateOnline_failure_keepsTheFileAndSaysWhy()
{
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswer(
        QByteArrayLiteral("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot Found"),
        ScriptedHttpServer::After::Close);
    qputenv(corvane::net::kDataServerVariable, server.baseUrl().toUtf8());
    const QString local = QDir(m_dataDir.path()).filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));

    ShownDlg3 dlg;
    dlg.m_dataDir = m_dataDir.path();
    click(dlg.button(Dlg3::kUpdateOnline));
    QCOMPARE(MessageBox::takeShown(),
        QStringList {QStringLiteral("The data server answered \"404 Not Found\" instead of "
                                    "sending au645.txt. The local file was not changed.")});
    // Told in the same plain box as a success: the text and OK, no icon.
    QCOMPARE(MessageBox::takeShownIcons(), QList<QMessageBox::Icon> {QMessageBox::NoIcon});
    QCOMPARE(readBytes(local), kOldFile);
    QVERIFY(dlg.isVisible());
}

void Dlg3Test::updateOnline_withNoLottery_doesNothing()
{
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    qputenv(corvane::net::kDataServerVariable, server.baseUrl().toUtf8());
    ShownDlg3 dlg;
    dlg.m_dataDir = m_dataDir.path();
    QVERIFY(clickRegion(dlg, QStringLiteral("Spain")));
    const Shown before = shown(dlg);
    click(dlg.button(Dlg3::kUpdateOnline));
    QTest::qWait(50);
    QCOMPARE(server.requestCount(), 0);
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(dlg.m_nSel, -1);
    QVERIFY(shown(dlg) == before);
    QVERIFY(dlg.isVisible());
}

void Dlg3Test::updateOnline_setsTheFileName_whichOpenKeepsWhenNothingIsSelected()
{
    qputenv(corvane::net::kDataServerVariable, corvane::test::refusedBaseUrl().toUtf8());
    ShownDlg3 dlg;
    dlg.m_dataDir = m_dataDir.path();
    click(dlg.button(Dlg3::kUpdateOnline));
    QCOMPARE(MessageBox::takeShown(), QStringList {QStringLiteral("Connection failed")});
    QCOMPARE(dlg.m_filename, QStringLiteral("au645.txt"));
    QVERIFY(clickRegion(dlg, QStringLiteral("Spain")));
    click(dlg.button(Dlg3::kOpen));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.m_nSel, -1);
    QCOMPARE(dlg.m_filename, QStringLiteral("au645.txt"));
}

void Dlg3Test::progressDialog_cancel_leavesTheFile()
{
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswer(QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Length: 2000\r\n\r\n1 2 3\n"),
        ScriptedHttpServer::After::StayOpen);
    qputenv(corvane::net::kDataServerVariable, server.baseUrl().toUtf8());
    const QString local = QDir(m_dataDir.path()).filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));

    ShownDlg3 dlg;
    dlg.m_dataDir = m_dataDir.path();
    dlg.m_transferTimeout = std::chrono::minutes(2);
    const Shown before = shown(dlg);
    bool sawProgress = false;
    bool progressIsModal = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* progress = dlg.findChild<UpdateProgressDialog*>();
        if (!progress || !progress->isVisible())
            return;
        sawProgress = true;
        poll.stop();
        if (const QCursor* busy = QApplication::overrideCursor())
            cursor = busy->shape();
        progressIsModal = QApplication::activeModalWidget() == progress;
        click(progress->cancelButton());
    });
    poll.start(20);
    click(dlg.button(Dlg3::kUpdateOnline));
    QVERIFY(sawProgress);
    QVERIFY(progressIsModal);
    QCOMPARE(cursor, Qt::BusyCursor);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(readBytes(local), kOldFile);
    QVERIFY(!dlg.findChild<UpdateProgressDialog*>());
    QVERIFY(dlg.isVisible());
    QVERIFY(shown(dlg) == before);
}

QTEST_MAIN(Dlg3Test)
#include "dlg3_test.moc"
