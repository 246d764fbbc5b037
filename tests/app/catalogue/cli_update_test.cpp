// corvane-cli update: the same update as the program's, run from a copy of the executable in a
// temporary folder (the data file goes beside the executable).
#include "app_support.h"
#include "http_servers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using corvane::test::readBytes;
using corvane::test::writeBytes;

namespace {

const QByteArray kOldFile = QByteArrayLiteral("20020101 1 2 3 4 5 6\r\n");

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class CliUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void update_storesTheFileAndSaysSo_data();
    void update_storesTheFileAndSaysSo();
    void update_failure_keepsTheFileAndSaysWhyOnStderr_data();
    void update_failure_keepsTheFileAndSaysWhyOnStderr();
    void usage_listsTheUpdateCommand();

private:
    Run run(const QStringList& args, const QString& server) const;
    QString local(const QString& name) const { return m_exeDir.filePath(name); }

    corvane::test::StaticHttpServer m_static;
    QTemporaryDir m_exeDir;
    QString m_cli;
};

void CliUpdateTest::initTestCase()
{
    corvane::test::bypassProxies();
    if (!m_static.start())
        QFAIL(qPrintable(m_static.error()));
    m_cli = m_exeDir.filePath(QStringLiteral("corvane-cli"));
    QVERIFY(QFile::copy(QStringLiteral(CORVANE_CLI_EXECUTABLE), m_cli));
    QVERIFY(QFile::setPermissions(m_cli, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(m_static.put(
        QStringLiteral("au645.txt"), QByteArrayLiteral("20020103 1 2 3\n20020104 4 5 6\n")));
}

void CliUpdateTest::init()
{
    QVERIFY(writeBytes(local(QStringLiteral("au645.txt")), kOldFile));
}

Run CliUpdateTest::run(const QStringList& args, const QString& server) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CORVANE_DATA_SERVER"), server);
    process.setProcessEnvironment(environment);
    // Elsewhere than the executable's folder: the file must still go beside the executable.
    process.setWorkingDirectory(QDir::tempPath());
    process.start(m_cli, args);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void CliUpdateTest::update_storesTheFileAndSaysSo_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("as in the catalogue") << QStringLiteral("au645.txt");
    QTest::newRow("in capitals") << QStringLiteral("AU645.TXT");
}

void CliUpdateTest::update_storesTheFileAndSaysSo()
{
    QFETCH(QString, name);
    const Run result = run({QStringLiteral("update"), name}, m_static.baseUrl());
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, QByteArrayLiteral("Data Updated Finished Successfully\n"));
    QCOMPARE(result.status, 0);
    QCOMPARE(readBytes(local(QStringLiteral("au645.txt"))),
        QByteArrayLiteral("20020103 1 2 3\r\n20020104 4 5 6\r\n"));
}

void CliUpdateTest::update_failure_keepsTheFileAndSaysWhyOnStderr_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("server"); // empty: Python's server
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("missing on the server")
        << QStringLiteral("nzl.txt") << QString()
        << QByteArrayLiteral("The data server answered \"404 File not found\" instead of "
                             "sending nzl.txt. The local file was not changed.\n");
    QTest::newRow("no server") << QStringLiteral("au645.txt") << corvane::test::refusedBaseUrl()
                               << QByteArrayLiteral("Connection failed\n");
    QTest::newRow("outside the catalogue")
        << QStringLiteral("../au645.txt") << QString()
        << QByteArrayLiteral("../au645.txt is not a data file of the catalogue\n");
}

void CliUpdateTest::update_failure_keepsTheFileAndSaysWhyOnStderr()
{
    QFETCH(QString, name);
    QFETCH(QString, server);
    QFETCH(QByteArray, message);
    const Run result
        = run({QStringLiteral("update"), name}, server.isEmpty() ? m_static.baseUrl() : server);
    QCOMPARE(result.err, message);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.status, 1);
    QCOMPARE(readBytes(local(QStringLiteral("au645.txt"))), kOldFile);
    QVERIFY(!QFile::exists(local(QStringLiteral("nzl.txt"))));
}

void CliUpdateTest::usage_listsTheUpdateCommand()
{
    const Run result = run({QStringLiteral("update")}, m_static.baseUrl());
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.contains("\n  update FILENAME "), result.err.constData());
}

QTEST_MAIN(CliUpdateTest)
#include "cli_update_test.moc"
