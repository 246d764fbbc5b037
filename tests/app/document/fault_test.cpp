// The user's data file under faults: a save killed at any moment, and a save into a full disk.
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/mount.h>
#include <unistd.h>
#endif

using namespace corvane::app;
using namespace corvane::test;

class FaultTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { isolateFromTheUser(); }

    void saveKilledAtRandom_leavesTheOldOrTheNewFileWhole();
    void saveIntoAFullDisk_keepsFileAndModifiedFlag();
};

void FaultTest::saveKilledAtRandom_leavesTheOldOrTheNewFileWhole()
{
#ifndef Q_OS_UNIX
    QSKIP("kills with SIGKILL");
#else
    constexpr int bytes = 400000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ca649.txt"));
    // The two versions the saver writes, as a save writes them (the file's own CR LF breaks).
    const QByteArray versions[2] = {drawLines(bytes / 26), drawLines(bytes / 26 + 7)};
    QVERIFY(writeBytes(path, versions[1]));

    // How long one save takes here, so that the kills fall anywhere within saves.
    QElapsedTimer clock;
    qint64 saveTime = 1;
    {
        QProcess saver;
        saver.start(QStringLiteral(DOCUMENT_SAVER), {path, QString::number(bytes)});
        int saves = 0;
        while (saves < 6 && saver.waitForReadyRead(60000)) {
            while (saver.canReadLine()) {
                saver.readLine();
                if (++saves == 1)
                    clock.start();
            }
        }
        QCOMPARE(saves >= 6, true);
        saveTime = qMax<qint64>(1, clock.elapsed() / (saves - 1));
        saver.kill();
        saver.waitForFinished(30000);
    }

    QRandomGenerator random(20261209);
    int kills = 0;
    int seen[2] = {0, 0};
    for (int i = 0; i < 200; ++i) {
        QProcess saver;
        saver.start(QStringLiteral(DOCUMENT_SAVER), {path, QString::number(bytes)});
        // Once the first save is done the saver is in its loop; kill it somewhere in the next two.
        QVERIFY2(saver.waitForReadyRead(60000),
            qPrintable(saver.errorString() + QString::fromLocal8Bit(saver.readAllStandardError())));
        QTest::qSleep(static_cast<int>(random.bounded(static_cast<quint32>(2 * saveTime + 1))));
        saver.kill();
        QVERIFY(saver.waitForFinished(30000));
        if (saver.exitStatus() != QProcess::CrashExit)
            QFAIL(qPrintable(QStringLiteral("the saver stopped by itself: ")
                + QString::fromLocal8Bit(saver.readAllStandardError())));
        ++kills;
        const QByteArray now = readBytes(path);
        QVERIFY2(now == versions[0] || now == versions[1],
            qPrintable(
                QStringLiteral("kill %1 left %2 bytes of neither version").arg(i).arg(now.size())));
        seen[now == versions[0] ? 0 : 1] += 1;
    }
    qInfo("200 kills: %d left the first version, %d the second; a save takes about %lld ms",
        seen[0], seen[1], saveTime);
    QCOMPARE(kills, 200);
    // Saves did happen between the kills, so the kills fell at many points of a save.
    QVERIFY(seen[0] > 10 && seen[1] > 10);
#endif
}

void FaultTest::saveIntoAFullDisk_keepsFileAndModifiedFlag()
{
#ifndef Q_OS_LINUX
    QSKIP("needs a small Linux file system");
#else
    QTemporaryDir mountPoint;
    if (geteuid() != 0
        || mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=64k")
            != 0)
        QSKIP("cannot mount a small file system here (needs root)");
    struct Unmount
    {
        QByteArray point;
        ~Unmount() { umount(point.constData()); }
    } unmount {QFile::encodeName(mountPoint.path())};

    const QString path = mountPoint.filePath(QStringLiteral("draws.txt"));
    const QByteArray bytes = drawLines(40);
    QVERIFY(writeBytes(path, bytes));
    StartedApp started;
    QVERIFY(started.start());
    QVERIFY(started.app().OpenDocumentFile(path));
    // Far more than the 64 KiB the disk holds.
    started.view()->SetRawText(QString::fromLatin1(drawLines(8000, "\n")));
    started.doc()->SetModifiedFlag(true);
    MessageBox::takeShown();
    started.action(kFileSave)->trigger();
    QCOMPARE(
        MessageBox::takeShown(), QStringList {QStringLiteral("Destination disk drive is full.")});
    QCOMPARE(readBytes(path), bytes);
    QCOMPARE(started.doc()->GetPathName(), path);
    QVERIFY(started.doc()->IsModified());
    QCOMPARE(
        QDir(mountPoint.path()).entryList(QDir::Files), QStringList {QStringLiteral("draws.txt")});
#endif
}

QTEST_MAIN(FaultTest)
#include "fault_test.moc"
