// Start-up: which file opens, the caption, a failed start, the small icon, the recent files.
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"
#include "app/shell/recent_files.h"
#include "app/shell/settings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace corvane::app;
using corvane::test::ChangeDir;
using corvane::test::drawLines;
using corvane::test::StartedApp;
using corvane::test::writeBytes;

namespace {

QString cannotFind(const QString& path)
{
    return QDir::toNativeSeparators(path)
        + QStringLiteral("\nCannot find this file.\nPlease verify that the correct path and file "
                         "name are given.");
}

} // namespace

class StartupAppTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void startup_opensTheChoiceWithItsCaption_data();
    void startup_opensTheChoiceWithItsCaption();
    void startup_choiceCannotOpen_toldThenTheDefaultOpens_data();
    void startup_choiceCannotOpen_toldThenTheDefaultOpens();
    void startup_failedOpen_endsWithTheMessage_data();
    void startup_failedOpen_endsWithTheMessage();
    void smallIcon_comesFromTheCurrentDirectory();
    void recentFiles_storedAtExit_andShownNextTime();
    void captions_afterNewAndFileOpen();
};

void StartupAppTest::startup_opensTheChoiceWithItsCaption_data()
{
    QTest::addColumn<QByteArray>("startlotto"); // %D stands for the executable's directory
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("caption");
    QTest::newRow("no start-up file") << QByteArray() << QStringLiteral("ca649.txt")
                                      << QStringLiteral("Canada 6/49--Corvane For Windows");
    QTest::newRow("Tattslotto") << QByteArrayLiteral("Startup-Open-File:%D/au645.txt")
                                << QStringLiteral("au645.txt")
                                << QStringLiteral("Tattslotto--Corvane For Windows");
    QTest::newRow("marker only") << QByteArrayLiteral("Startup-Open-File:")
                                 << QStringLiteral("ca649.txt")
                                 << QStringLiteral("Canada 6/49--Corvane For Windows");
    QTest::newRow("empty file") << QByteArrayLiteral("") << QStringLiteral("ca649.txt")
                                << QStringLiteral("Canada 6/49--Corvane For Windows");
    QTest::newRow("other marker") << QByteArrayLiteral("Anything-at-all-18%D/au645.txt")
                                  << QStringLiteral("au645.txt")
                                  << QStringLiteral("Tattslotto--Corvane For Windows");
    QTest::newRow("outside the catalogue")
        << QByteArrayLiteral("Startup-Open-File:%D/mydraws.txt") << QStringLiteral("mydraws.txt")
        << QStringLiteral("mydraws.txt--Corvane For Windows");
    QTest::newRow("default file named")
        << QByteArrayLiteral("Startup-Open-File:%D/ca649.txt") << QStringLiteral("ca649.txt")
        << QStringLiteral("Canadian 6/49--Corvane For Windows");
}

void StartupAppTest::startup_opensTheChoiceWithItsCaption()
{
    QFETCH(QByteArray, startlotto);
    QFETCH(QString, opened);
    QFETCH(QString, caption);
    StartedApp started;
    QVERIFY(writeBytes(started.file(QStringLiteral("au645.txt")), drawLines(20)));
    QVERIFY(writeBytes(started.file(QStringLiteral("mydraws.txt")), drawLines(20, "\n")));
    if (!startlotto.isNull()) {
        startlotto.replace("%D", started.dir().toUtf8());
        QVERIFY(writeBytes(started.file(QStringLiteral("startlotto.txt")), startlotto));
    }
    QVERIFY(started.start());
    QCOMPARE(started.doc()->GetPathName(), started.file(opened));
    QCOMPARE(started.frame()->windowTitle(), caption);
    QVERIFY(started.frame()->isVisible());
    QVERIFY(!started.doc()->IsModified());
    QCOMPARE(started.view()->toPlainText().toLatin1(),
        corvane::test::readBytes(started.file(opened)).replace("\r\n", "\n"));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void StartupAppTest::startup_choiceCannotOpen_toldThenTheDefaultOpens_data()
{
    QTest::addColumn<QByteArray>("startlotto"); // %D stands for the executable's directory
    QTest::addColumn<QString>("message"); // %D as above
    QTest::newRow("a missing file") << QByteArrayLiteral("Startup-Open-File:%D/gone.txt")
                                    << cannotFind(QStringLiteral("%D/gone.txt"));
    QTest::newRow("a file in a missing folder")
        << QByteArrayLiteral("Startup-Open-File:%D/nowhere/au645.txt")
        << cannotFind(QStringLiteral("%D/nowhere/au645.txt"));
    QTest::newRow("a file too large") << QByteArrayLiteral("Startup-Open-File:%D/huge.txt")
                                      << QStringLiteral("The file is too large to open.");
}

void StartupAppTest::startup_choiceCannotOpen_toldThenTheDefaultOpens()
{
    QFETCH(QByteArray, startlotto);
    QFETCH(QString, message);
    StartedApp started;
    QVERIFY(writeBytes(started.file(QStringLiteral("huge.txt")), QByteArray(1048576, '1')));
    startlotto.replace("%D", started.dir().toUtf8());
    QVERIFY(writeBytes(started.file(QStringLiteral("startlotto.txt")), startlotto));

    QVERIFY(started.start());
    message.replace(QStringLiteral("%D"), QDir::toNativeSeparators(started.dir()));
    QCOMPARE(MessageBox::takeShown(), QStringList {message});
    QCOMPARE(started.doc()->GetPathName(), started.file(QStringLiteral("ca649.txt")));
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("Canada 6/49--Corvane For Windows"));
    QVERIFY(started.frame()->isVisible());
    QCOMPARE(started.view()->toPlainText().toLatin1(),
        corvane::test::readBytes(started.file(QStringLiteral("ca649.txt"))).replace("\r\n", "\n"));
    // The choice stays: the file it names may come back, or the user chooses again.
    QCOMPARE(corvane::test::readBytes(started.file(QStringLiteral("startlotto.txt"))), startlotto);
}

void StartupAppTest::startup_failedOpen_endsWithTheMessage_data()
{
    QTest::addColumn<QByteArray>("startlotto");
    QTest::addColumn<QStringList>("messages"); // %D as above
    const QString noDefault = cannotFind(QStringLiteral("%D/ca649.txt"));
    QTest::newRow("no ca649.txt") << QByteArray() << QStringList {noDefault};
    QTest::newRow("a missing file, and no ca649.txt")
        << QByteArrayLiteral("Startup-Open-File:%D/gone.txt")
        << QStringList {cannotFind(QStringLiteral("%D/gone.txt")), noDefault};
    QTest::newRow("too large, and no ca649.txt")
        << QByteArrayLiteral("Startup-Open-File:%D/huge.txt")
        << QStringList {QStringLiteral("The file is too large to open."), noDefault};
    // Told once: the default is the file that just failed.
    QTest::newRow("the missing ca649.txt named")
        << QByteArrayLiteral("Startup-Open-File:%D/ca649.txt") << QStringList {noDefault};
}

void StartupAppTest::startup_failedOpen_endsWithTheMessage()
{
    QFETCH(QByteArray, startlotto);
    QFETCH(QStringList, messages);
    StartedApp started(false);
    QVERIFY(writeBytes(started.file(QStringLiteral("huge.txt")), QByteArray(1048576, '1')));
    if (!startlotto.isNull()) {
        startlotto.replace("%D", started.dir().toUtf8());
        QVERIFY(writeBytes(started.file(QStringLiteral("startlotto.txt")), startlotto));
    }
    QVERIFY(!started.start());
    QVERIFY(!started.frame());
    for (QString& message : messages)
        message.replace(QStringLiteral("%D"), QDir::toNativeSeparators(started.dir()));
    QCOMPARE(MessageBox::takeShown(), messages);
}

void StartupAppTest::smallIcon_comesFromTheCurrentDirectory()
{
    QTemporaryDir elsewhere;
    {
        StartedApp started;
        ChangeDir cwd(elsewhere.path());
        QVERIFY(started.start());
        QVERIFY(!started.frame()->testAttribute(Qt::WA_SetWindowIcon));
    }
    {
        StartedApp started;
        QVERIFY(QFile::copy(QStringLiteral(CORVANE_APP_RESOURCES_DIR "/icon.ico"),
            QDir(elsewhere.path()).filePath(QStringLiteral("icon.ico"))));
        ChangeDir cwd(elsewhere.path());
        QVERIFY(started.start());
        QVERIFY(started.frame()->testAttribute(Qt::WA_SetWindowIcon));
        const QIcon icon = started.frame()->windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    }
}

void StartupAppTest::recentFiles_storedAtExit_andShownNextTime()
{
    Settings().setRecentFiles({});
    StartedApp started;
    const QString other = started.file(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(other, drawLines(20)));
    {
        QVERIFY(started.start());
        QVERIFY(started.app().OpenDocumentFile(other));
        started.app().ExitInstance();
    }
    QCOMPARE(
        Settings().recentFiles(), QStringList({other, started.file(QStringLiteral("ca649.txt"))}));
    QCOMPARE(
        Settings().value(QStringLiteral("Recent File List"), QStringLiteral("File1")).toString(),
        other);

    StartedApp again;
    QVERIFY(again.start());
    // The start-up file went to the top; the earlier list follows without repeating it.
    QCOMPARE(again.action(kRecentFile1)->text(),
        QStringLiteral("&1 ")
            + CRecentFileList::displayName(
                again.file(QStringLiteral("ca649.txt")), QDir::currentPath()));
    QCOMPARE(again.action(kRecentFile1 + 1)->text(),
        QStringLiteral("&2 ") + CRecentFileList::displayName(other, QDir::currentPath()));

    // Choosing a recent file opens it.
    again.action(kRecentFile1 + 1)->trigger();
    QCOMPARE(again.doc()->GetPathName(), other);
    QCOMPARE(again.frame()->windowTitle(), QStringLiteral("Tattslotto--Corvane For Windows"));
    again.app().ExitInstance();
    Settings().setRecentFiles({});
}

void StartupAppTest::captions_afterNewAndFileOpen()
{
    StartedApp started;
    QVERIFY(started.start());
    started.action(kFileNew)->trigger();
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("--Corvane For Windows"));
    QVERIFY(started.doc()->GetPathName().isEmpty());
    QCOMPARE(started.doc()->GetTitle(), QStringLiteral("Untitled"));
    QVERIFY(started.view()->toPlainText().isEmpty());
    QVERIFY(!started.doc()->IsModified());

    FileDialog::setNextFileName(started.file(QStringLiteral("ca649.txt")));
    started.action(kFileOpen)->trigger();
    QCOMPARE(FileDialog::takeAsked(), 1);
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("Canadian 6/49--Corvane For Windows"));
    QCOMPARE(started.view()->title(), started.frame()->windowTitle());

    // A cancelled dialog opens nothing.
    started.action(kFileOpen)->trigger();
    QCOMPARE(started.doc()->GetPathName(), started.file(QStringLiteral("ca649.txt")));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

QTEST_MAIN(StartupAppTest)
#include "startup_app_test.moc"
