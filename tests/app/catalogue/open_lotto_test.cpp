// The application's commands: "Open &Lottory Data" with the start-up file, the idle item " ",
// and "Update Online" from the running program.
#include "app_support.h"
#include "dlg3_driver.h"
#include "http_servers.h"

#include "app/catalogue/dlg3.h"
#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"

#include "net/data_server.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

using namespace corvane::app;
using corvane::test::answerModal;
using corvane::test::click;
using corvane::test::clickRegion;
using corvane::test::clickRow;
using corvane::test::drawLines;
using corvane::test::readBytes;
using corvane::test::StartedApp;
using corvane::test::writeBytes;

namespace {

const QString kStartup = QStringLiteral("startlotto.txt");

// What the user does in the selection dialog before it closes.
struct Choice
{
    bool unitedStates = false;
    QString region;
    int lottery = -1;
    int startupClicks = 0;
    /// "OPEN", "Cancel" or "Escape".
    QString end = QStringLiteral("OPEN");
};

void choose(Dlg3& dlg, const Choice& choice)
{
    if (choice.unitedStates)
        click(dlg.radio(Dlg3::kUnitedStates));
    if (!choice.region.isEmpty())
        clickRegion(dlg, choice.region);
    if (choice.lottery >= 0)
        clickRow(dlg.lottoList(), choice.lottery);
    for (int i = 0; i < choice.startupClicks; ++i)
        click(dlg.startupCheck());
    if (choice.end == QLatin1String("Escape"))
        QTest::keyClick(dlg.lottoList(), Qt::Key_Escape);
    else
        click(dlg.button(choice.end == QLatin1String("OPEN") ? Dlg3::kOpen : Dlg3::kCancel));
}

// Runs "Open &Lottory Data" and answers its dialog; false when no dialog opened or it stayed
// open (then it is cancelled).
bool openLotto(StartedApp& started, const std::function<void(Dlg3&)>& inDialog)
{
    return answerModal([&] { started.action(kOpenLottoData)->trigger(); },
        [&](QWidget* modal) {
            auto* dlg = qobject_cast<Dlg3*>(modal);
            if (dlg)
                inDialog(*dlg);
            if (modal->isVisible())
                static_cast<QDialog*>(modal)->reject();
        });
}

bool openLotto(StartedApp& started, const Choice& choice)
{
    return openLotto(started, [&](Dlg3& dlg) { choose(dlg, choice); });
}

// Everything a command could change, to show that it did not.
struct Snapshot
{
    QString datapath;
    QString path;
    QString caption;
    QString text;
    bool modified;
    QByteArray startup;
    QStringList files;

    bool operator==(const Snapshot& o) const
    {
        return datapath == o.datapath && path == o.path && caption == o.caption && text == o.text
            && modified == o.modified && startup == o.startup && files == o.files;
    }
};

Snapshot snapshot(StartedApp& started)
{
    QStringList files;
    const QDir dir(started.dir());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        files << name + QLatin1Char('=')
                + QString::fromLatin1(readBytes(dir.filePath(name)).toHex());
    return {started.app().m_datapath, started.doc()->GetPathName(), started.frame()->windowTitle(),
        started.view()->toPlainText(), started.doc()->IsModified(),
        readBytes(started.file(kStartup)), files};
}

} // namespace

class OpenLottoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void openLotto_opensTheChosenFile_data();
    void openLotto_opensTheChosenFile();
    void openLotto_startupFile_replacedWhole();
    void openLotto_unwritableStartupFile_skippedSilently_data();
    void openLotto_unwritableStartupFile_skippedSilently();
    void openLotto_startupChoice_opensAtTheNextStart();
    void openLotto_missingFileForStartup_nextStartFallsBack();
    void openLotto_theOpenLottery_isReadAgain();
    void cancel_leavesEverything_data();
    void cancel_leavesEverything();
    void updateOnline_doesNotReloadTheOpenDocument();
    void blankItem_changesNothing();
    void about_opensAndCloses();

private:
    corvane::test::StaticHttpServer m_static;
};

void OpenLottoTest::initTestCase()
{
    corvane::test::isolateFromTheUser();
    corvane::test::bypassProxies();
    if (!m_static.start())
        QFAIL(qPrintable(m_static.error()));
}

void OpenLottoTest::init()
{
    MessageBox::takeShown();
    qunsetenv(corvane::net::kDataServerVariable);
}

void OpenLottoTest::openLotto_opensTheChosenFile_data()
{
    QTest::addColumn<bool>("unitedStates");
    QTest::addColumn<QString>("region");
    QTest::addColumn<int>("lottery");
    QTest::addColumn<int>("startupClicks");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("startupWritten");
    QTest::newRow("OPEN right away") << false << QString() << -1 << 0 << QStringLiteral("au645.txt")
                                     << QStringLiteral("Tattslotto--Corvane For Windows") << false;
    QTest::newRow("United States, start-up ticked")
        << true << QString() << -1 << 1 << QStringLiteral("pb545.txt")
        << QStringLiteral("Powerball--Corvane For Windows") << true;
    QTest::newRow("Missouri, the check box twice")
        << true << QStringLiteral("Missouri") << 0 << 2 << QStringLiteral("pb545.txt")
        << QStringLiteral("Powerball--Corvane For Windows") << false;
    QTest::newRow("Canadian 6/49, start-up ticked")
        << false << QStringLiteral("Canada") << 0 << 1 << QStringLiteral("ca649.txt")
        << QStringLiteral("Canadian 6/49--Corvane For Windows") << true;
}

void OpenLottoTest::openLotto_opensTheChosenFile()
{
    QFETCH(bool, unitedStates);
    QFETCH(QString, region);
    QFETCH(int, lottery);
    QFETCH(int, startupClicks);
    QFETCH(QString, file);
    QFETCH(QString, caption);
    QFETCH(bool, startupWritten);
    StartedApp started;
    QVERIFY(writeBytes(started.file(QStringLiteral("au645.txt")), drawLines(20)));
    QVERIFY(writeBytes(started.file(QStringLiteral("pb545.txt")), drawLines(30, "\n")));
    QVERIFY(started.start());
    QVERIFY(started.action(kOpenLottoData)->isEnabled());

    Choice choice;
    choice.unitedStates = unitedStates;
    choice.region = region;
    choice.lottery = lottery;
    choice.startupClicks = startupClicks;
    QVERIFY(openLotto(started, choice));

    const QString path = started.dir() + QLatin1Char('/') + file;
    QCOMPARE(started.app().m_datapath, path);
    QCOMPARE(started.doc()->GetPathName(), path);
    QCOMPARE(started.frame()->windowTitle(), caption);
    QCOMPARE(started.view()->toPlainText().toLatin1(), readBytes(path).replace("\r\n", "\n"));
    if (startupWritten)
        QCOMPARE(readBytes(started.file(kStartup)), "Startup-Open-File:" + path.toUtf8());
    else
        QVERIFY(!QFile::exists(started.file(kStartup)));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void OpenLottoTest::openLotto_startupFile_replacedWhole()
{
    StartedApp started;
    QVERIFY(writeBytes(started.file(QStringLiteral("au645.txt")), drawLines(20)));
    QVERIFY(writeBytes(started.file(kStartup),
        QByteArrayLiteral("Startup-Open-File:") + started.file(QStringLiteral("ca649.txt")).toUtf8()
            + "\r\na second line, longer than what replaces the file\r\n"));
    QVERIFY(started.start());
    Choice choice;
    choice.startupClicks = 1;
    QVERIFY(openLotto(started, choice));
    QCOMPARE(readBytes(started.file(kStartup)),
        "Startup-Open-File:" + started.file(QStringLiteral("au645.txt")).toUtf8());
    QCOMPARE(QDir(started.dir()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
        QStringList({QStringLiteral("au645.txt"), QStringLiteral("ca649.txt"), kStartup}));
}

void OpenLottoTest::openLotto_unwritableStartupFile_skippedSilently_data()
{
    QTest::addColumn<bool>(
        "folder"); // a folder in the start-up file's place, else a read-only file
    QTest::newRow("a folder") << true;
    QTest::newRow("a read-only file") << false;
}

void OpenLottoTest::openLotto_unwritableStartupFile_skippedSilently()
{
    QFETCH(bool, folder);
    StartedApp started;
    QVERIFY(writeBytes(started.file(QStringLiteral("au645.txt")), drawLines(20)));
    const QString startup = started.file(kStartup);
    const QByteArray oldChoice
        = "Startup-Open-File:" + started.file(QStringLiteral("ca649.txt")).toUtf8();
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    // What this user may do depends on who runs the test; the file's own bits do not.
    const QFile::Permissions userBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    if (folder) {
        QVERIFY(QDir(started.dir()).mkdir(kStartup));
    } else {
        QVERIFY(writeBytes(startup, oldChoice));
        QVERIFY(QFile::setPermissions(startup, readOnly));
    }
    QVERIFY(started.start());
    Choice choice;
    choice.startupClicks = 1;
    QVERIFY(openLotto(started, choice));
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(started.doc()->GetPathName(), started.file(QStringLiteral("au645.txt")));
    if (folder) {
        QVERIFY(QFileInfo(startup).isDir());
        QCOMPARE(QDir(started.dir()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            QStringList({QStringLiteral("au645.txt"), QStringLiteral("ca649.txt")}));
    } else {
        QCOMPARE(readBytes(startup), oldChoice);
        QCOMPARE(QFile::permissions(startup) & ~userBits, readOnly);
        QCOMPARE(QDir(started.dir()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            QStringList({QStringLiteral("au645.txt"), QStringLiteral("ca649.txt"), kStartup}));
    }
}

void OpenLottoTest::openLotto_startupChoice_opensAtTheNextStart()
{
    StartedApp started;
    QVERIFY(writeBytes(started.file(QStringLiteral("au645.txt")), drawLines(20)));
    QVERIFY(started.start());
    Choice choice;
    choice.startupClicks = 1;
    QVERIFY(openLotto(started, choice));
    started.app().ExitInstance();

    COmbrixApp again(started.dir());
    QVERIFY(again.InitInstance());
    QCOMPARE(again.document()->GetPathName(), started.file(QStringLiteral("au645.txt")));
    QCOMPARE(again.mainFrame()->windowTitle(), QStringLiteral("Tattslotto--Corvane For Windows"));
    again.ExitInstance();
}

void OpenLottoTest::openLotto_missingFileForStartup_nextStartFallsBack()
{
    // Tattslotto chosen for start-up while its data file is missing: the open fails with its
    // message, and every later start tells it again but opens the default lottery.
    StartedApp started;
    QVERIFY(started.start());
    Choice choice;
    choice.startupClicks = 1;
    QVERIFY(openLotto(started, choice));
    const QString missing = started.file(QStringLiteral("au645.txt"));
    const QString cannotFind = QDir::toNativeSeparators(missing)
        + QStringLiteral("\nCannot find this file.\nPlease verify that the correct path and "
                         "file name are given.");
    QCOMPARE(MessageBox::takeShown(), QStringList {cannotFind});
    QCOMPARE(readBytes(started.file(kStartup)), "Startup-Open-File:" + missing.toUtf8());
    started.app().ExitInstance();

    for (int run = 0; run < 2; ++run) {
        COmbrixApp again(started.dir());
        QVERIFY(again.InitInstance());
        QCOMPARE(MessageBox::takeShown(), QStringList {cannotFind});
        QCOMPARE(again.document()->GetPathName(), started.file(QStringLiteral("ca649.txt")));
        QCOMPARE(
            again.mainFrame()->windowTitle(), QStringLiteral("Canada 6/49--Corvane For Windows"));
        again.ExitInstance();
    }
}

void OpenLottoTest::openLotto_theOpenLottery_isReadAgain()
{
    StartedApp started;
    const QString au = started.file(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(au, drawLines(20)));
    QVERIFY(started.start());
    QVERIFY(openLotto(started, Choice {}));
    QCOMPARE(started.doc()->GetPathName(), au);
    QVERIFY(writeBytes(au, drawLines(25)));
    QVERIFY(openLotto(started, Choice {}));
    QCOMPARE(started.view()->toPlainText().toLatin1(), drawLines(25, "\n"));
}

void OpenLottoTest::cancel_leavesEverything_data()
{
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("chosenBefore");
    QTest::newRow("Cancel") << QStringLiteral("Cancel") << false;
    QTest::newRow("Escape") << QStringLiteral("Escape") << false;
    QTest::newRow("Cancel after an earlier choice") << QStringLiteral("Cancel") << true;
}

void OpenLottoTest::cancel_leavesEverything()
{
    QFETCH(QString, end);
    QFETCH(bool, chosenBefore);
    StartedApp started;
    QVERIFY(writeBytes(started.file(QStringLiteral("au645.txt")), drawLines(20)));
    QVERIFY(writeBytes(started.file(kStartup),
        "Startup-Open-File:" + started.file(QStringLiteral("ca649.txt")).toUtf8()));
    QVERIFY(started.start());
    if (chosenBefore)
        QVERIFY(openLotto(started, Choice {}));
    // Unsaved typing in the open document stays unsaved and unprompted.
    started.view()->moveCursor(QTextCursor::End);
    QTest::keyClicks(started.view(), QStringLiteral("20991231 1 2 3 4 5 6"));
    QVERIFY(started.doc()->IsModified());
    const Snapshot before = snapshot(started);

    Choice choice;
    choice.unitedStates = true;
    choice.region = QStringLiteral("Ohio");
    choice.lottery = 2;
    choice.startupClicks = 1;
    choice.end = end;
    QVERIFY(openLotto(started, choice));
    QVERIFY(snapshot(started) == before);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void OpenLottoTest::updateOnline_doesNotReloadTheOpenDocument()
{
    QVERIFY(m_static.put(QStringLiteral("au645.txt"), drawLines(25, "\n")));
    qputenv(corvane::net::kDataServerVariable, m_static.baseUrl().toUtf8());
    StartedApp started;
    const QString au = started.file(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(au, drawLines(20)));
    QVERIFY(started.start());
    QVERIFY(openLotto(started, Choice {}));
    const Snapshot before = snapshot(started);

    QVERIFY(openLotto(started, [](Dlg3& dlg) {
        click(dlg.button(Dlg3::kUpdateOnline));
        click(dlg.button(Dlg3::kCancel));
    }));
    QCOMPARE(MessageBox::takeShown(),
        QStringList {QStringLiteral("Data Updated Finished Successfully")});
    QCOMPARE(readBytes(au), drawLines(25));
    const Snapshot after = snapshot(started);
    QCOMPARE(after.path, before.path);
    QCOMPARE(after.text, before.text);
    QCOMPARE(after.caption, before.caption);
    QCOMPARE(after.datapath, before.datapath);
    QCOMPARE(after.modified, false);
}

void OpenLottoTest::blankItem_changesNothing()
{
    StartedApp started;
    QVERIFY(writeBytes(started.file(kStartup),
        "Startup-Open-File:" + started.file(QStringLiteral("ca649.txt")).toUtf8()));
    QVERIFY(started.start());
    QAction* blank = started.action(kBlankItem);
    QVERIFY(blank->isEnabled());
    QCOMPARE(blank->text(), QStringLiteral(" "));
    const Snapshot before = snapshot(started);
    QVERIFY(!answerModal([&] { blank->trigger(); }, [](QWidget* modal) { modal->close(); }));
    QVERIFY(snapshot(started) == before);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void OpenLottoTest::about_opensAndCloses()
{
    StartedApp started;
    QVERIFY(started.start());
    QAction* about = started.action(kAbout);
    QVERIFY(about->isEnabled());
    QString title;
    QVERIFY(answerModal([&] { about->trigger(); },
        [&](QWidget* modal) {
            title = modal->windowTitle();
            if (auto* close = modal->findChild<QPushButton*>(QStringLiteral("IDOK")))
                click(close);
            else
                modal->close();
        }));
    QCOMPARE(title, QStringLiteral("About Corvane For Windows"));
}

QTEST_MAIN(OpenLottoTest)
#include "open_lotto_test.moc"
