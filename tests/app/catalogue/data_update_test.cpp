// The online update against real HTTP servers on 127.0.0.1: Python's static file server for the
// normal cases, a scripted server for every way an answer can go wrong.
#include "app_support.h"
#include "http_servers.h"

#include "net/data_server.h"
#include "net/data_update.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>

using namespace corvane::net;
using corvane::test::readBytes;
using corvane::test::ScriptedHttpServer;
using corvane::test::StaticHttpServer;
using corvane::test::writeBytes;

Q_DECLARE_METATYPE(corvane::net::UpdateOutcome)
Q_DECLARE_METATYPE(ScriptedHttpServer::After)

namespace {

const QByteArray kOldFile
    = QByteArrayLiteral("20020101 1 2 3 4 5 6\r\n20020102 7 8 9 10 11 12\r\n");

UpdateResult update(const QString& base, const QString& dir,
    std::chrono::milliseconds timeout = kDefaultTransferTimeout)
{
    UpdateRequest request;
    request.baseUrl = base;
    request.fileName = QStringLiteral("au645.txt");
    request.localDir = dir;
    request.transferTimeout = timeout;
    return runUpdate(request);
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

QString unchanged(const QString& text)
{
    return text + QStringLiteral(" The local file was not changed.");
}

} // namespace

class DataUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void download_isStoredWithCrLfLineEnds_data();
    void download_isStoredWithCrLfLineEnds();
    void request_asksTheServerItselfAsEbra();
    void baseUrlWithoutSlash_stillNamesTheFile();
    void failedAnswer_keepsTheLocalFile_data();
    void failedAnswer_keepsTheLocalFile();
    void noServer_connectionFailed_data();
    void noServer_connectionFailed();
    void fileMissingOnTheServer_isAnErrorAnswer();
    void localFileNotWritable_couldNotBeCreated();
    void linkedLocalFile_staysALinkToTheNewFile();
    void errorAnswer_nothingButTheProgramsOwnMessage();
    void cancel_keepsTheLocalFile();
    void dataServerUrl_environmentOverridesTheBuild();

private:
    StaticHttpServer m_static;
};

void DataUpdateTest::initTestCase()
{
    corvane::test::bypassProxies();
    qunsetenv(kDataServerVariable);
    if (!m_static.start())
        QFAIL(qPrintable(m_static.error()));
}

void DataUpdateTest::download_isStoredWithCrLfLineEnds_data()
{
    QTest::addColumn<QByteArray>("served");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("localFileBefore");
    QTest::newRow("LF lines") << QByteArrayLiteral("20020103 1 2 3\n20020104 4 5 6\n")
                              << QByteArrayLiteral("20020103 1 2 3\r\n20020104 4 5 6\r\n") << true;
    QTest::newRow("CR LF lines stay as they are")
        << QByteArrayLiteral("20020103 1 2 3\r\n20020104 4 5 6\r\n")
        << QByteArrayLiteral("20020103 1 2 3\r\n20020104 4 5 6\r\n") << true;
    QTest::newRow("mixed, no line end at the end")
        << QByteArrayLiteral("1\r\n2\n3") << QByteArrayLiteral("1\r\n2\r\n3") << true;
    QTest::newRow("title and comment before the draws")
        << QByteArrayLiteral("Tattslotto\n# since 1981\n  19810101 1 2 3\n")
        << QByteArrayLiteral("Tattslotto\r\n# since 1981\r\n  19810101 1 2 3\r\n") << true;
    QTest::newRow("no local file yet") << QByteArrayLiteral("20020103 1 2 3\n")
                                       << QByteArrayLiteral("20020103 1 2 3\r\n") << false;
    const QByteArray shipped = readBytes(corvane::test::shippedHistory());
    QTest::newRow("the shipped Canada 6/49 history") << shipped << shipped << true;
}

void DataUpdateTest::download_isStoredWithCrLfLineEnds()
{
    QFETCH(QByteArray, served);
    QFETCH(QByteArray, stored);
    QFETCH(bool, localFileBefore);
    QVERIFY(m_static.put(QStringLiteral("au645.txt"), served));
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    if (localFileBefore)
        QVERIFY(writeBytes(local, kOldFile));

    const UpdateResult result = update(m_static.baseUrl(), dir.path());
    QCOMPARE(result.outcome, UpdateOutcome::Updated);
    QCOMPARE(result.message, QStringLiteral("Data Updated Finished Successfully"));
    QCOMPARE(QFileInfo(local).size(), stored.size());
    QCOMPARE(readBytes(local), stored);
    QCOMPARE(filesIn(dir.path()), QStringList {QStringLiteral("au645.txt")});
}

void DataUpdateTest::request_asksTheServerItselfAsEbra()
{
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswer(QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n1 2 3\n"),
        ScriptedHttpServer::After::Close);
    QTemporaryDir dir;
    QCOMPARE(update(server.baseUrl(), dir.path()).outcome, UpdateOutcome::Updated);
    QCOMPARE(server.requestCount(), 1);
    const QByteArray head = server.requests().first();
    QVERIFY2(head.startsWith("GET /caipiaoshuju/au645.txt HTTP/1.1\r\n"), head.constData());
    QVERIFY2(head.contains("\r\nUser-Agent: ebra\r\n"), head.constData());
    QVERIFY2(head.contains("\r\nCache-Control: no-cache\r\n"), head.constData());
    QVERIFY2(head.contains("\r\nAccept-Encoding: identity\r\n"), head.constData());
    QVERIFY2(
        !head.contains("If-Modified-Since") && !head.contains("If-None-Match"), head.constData());
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("au645.txt"))), QByteArrayLiteral("1 2 3\r\n"));
}

void DataUpdateTest::baseUrlWithoutSlash_stillNamesTheFile()
{
    QVERIFY(m_static.put(QStringLiteral("au645.txt"), QByteArrayLiteral("9 9\n")));
    QTemporaryDir dir;
    QString base = m_static.baseUrl();
    base.chop(1);
    QCOMPARE(update(base, dir.path()).outcome, UpdateOutcome::Updated);
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("au645.txt"))), QByteArrayLiteral("9 9\r\n"));
}

void DataUpdateTest::failedAnswer_keepsTheLocalFile_data()
{
    using After = ScriptedHttpServer::After;
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<After>("after");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<UpdateOutcome>("outcome");
    QTest::addColumn<QString>("message");
    const QByteArray ok = QByteArrayLiteral("HTTP/1.1 200 OK\r\n");
    const int longWait = 20000;

    // Error answers: their bodies are error pages, never data.
    QTest::newRow("404") << QByteArrayLiteral(
        "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot Found")
                         << After::Close << longWait << UpdateOutcome::ErrorAnswer
                         << unchanged(QStringLiteral(
                                "The data server answered \"404 Not Found\" instead of sending "
                                "au645.txt."));
    QTest::newRow("500 with a page")
        << QByteArrayLiteral(
               "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 14\r\n\r\n<html>x</html>")
        << After::Close << longWait << UpdateOutcome::ErrorAnswer
        << unchanged(QStringLiteral("The data server answered \"500 Internal Server "
                                    "Error\" instead of sending au645.txt."));

    // Answers whose length cannot be checked.
    const QString noLength = unchanged(
        QStringLiteral("The data server sent au645.txt without announcing its length, so it "
                       "could not be checked."));
    QTest::newRow("chunked") << ok + "Transfer-Encoding: chunked\r\n\r\n6\r\n1 2 3\n\r\n0\r\n\r\n"
                             << After::Close << longWait << UpdateOutcome::NoLength << noLength;
    QTest::newRow("no Content-Length, ended by closing")
        << QByteArrayLiteral("HTTP/1.0 200 OK\r\n\r\n1 2 3\n") << After::Close << longWait
        << UpdateOutcome::NoLength << noLength;
    QTest::newRow("Content-Length not a number")
        << ok + "Content-Length: many\r\n\r\n1 2 3\n"
        << After::Close << longWait << UpdateOutcome::NoLength << noLength;

    // Bodies that do not arrive whole.
    QTest::newRow("short body, then closed")
        << ok + "Content-Length: 100\r\n\r\n" + QByteArray(40, '1') << After::Close << longWait
        << UpdateOutcome::ShortBody
        << unchanged(QStringLiteral("The download of au645.txt broke off after 40 of 100 bytes."));
    QTest::newRow("headers, then closed")
        << ok + "Content-Length: 100\r\n\r\n"
        << After::Close << longWait << UpdateOutcome::ShortBody
        << unchanged(QStringLiteral("The download of au645.txt broke off after 0 of 100 bytes."));
    QTest::newRow("the largest length announced, 10 bytes sent")
        << ok + "Content-Length: 1048575\r\n\r\n" + QByteArray(10, '2') << After::Close << longWait
        << UpdateOutcome::ShortBody
        << unchanged(
               QStringLiteral("The download of au645.txt broke off after 10 of 1048575 bytes."));
    QTest::newRow("connection dropped without an answer")
        << QByteArray() << After::Abort << longWait << UpdateOutcome::Dropped
        << unchanged(
               QStringLiteral("The data server closed the connection without sending au645.txt."));

    // Silence: the short timeout ends the wait.
    const QString silent = unchanged(QStringLiteral(
        "The data server sent nothing for 0.3 seconds while au645.txt was being downloaded."));
    QTest::newRow("silent after the request")
        << QByteArray() << After::StayOpen << 300 << UpdateOutcome::TimedOut << silent;
    QTest::newRow("silent after the headers")
        << ok + "Content-Length: 100\r\n\r\n"
        << After::StayOpen << 300 << UpdateOutcome::TimedOut << silent;
    QTest::newRow("silent halfway through the body")
        << ok + "Content-Length: 100\r\n\r\n" + QByteArray(50, '3') << After::StayOpen << 300
        << UpdateOutcome::TimedOut << silent;

    // Refused on the headers alone: were the body awaited, the long wait would time out.
    const QString tooLarge = QStringLiteral(
        "The data server announced %1 bytes for au645.txt, more than the 1048575 bytes a data "
        "file may have.");
    QTest::newRow("huge Content-Length") << ok + "Content-Length: 17000000\r\n\r\n1 2 3\n"
                                         << After::StayOpen << longWait << UpdateOutcome::TooLarge
                                         << unchanged(tooLarge.arg(17000000));
    QTest::newRow("one byte more than the program opens")
        << ok + "Content-Length: 1048576\r\n\r\n"
        << After::StayOpen << longWait << UpdateOutcome::TooLarge
        << unchanged(tooLarge.arg(1048576));
    QTest::newRow("Content-Length past 64 bits")
        << ok + "Content-Length: 99999999999999999999999\r\n\r\n"
        << After::StayOpen << longWait << UpdateOutcome::TooLarge
        << unchanged(tooLarge.arg(QStringLiteral("99999999999999999999999")));

    // Whole answers that still must not replace the file.
    QTest::newRow("compressed body")
        << ok + "Content-Encoding: gzip\r\nContent-Length: 4\r\n\r\nabcd" << After::Close
        << longWait << UpdateOutcome::Unreadable
        << unchanged(QStringLiteral("The data server sent au645.txt encoded as \"gzip\", which "
                                    "this program does not read."));
    const QString empty = unchanged(QStringLiteral("The data server sent an empty au645.txt."));
    QTest::newRow("empty body") << ok + "Content-Length: 0\r\n\r\n"
                                << After::Close << longWait << UpdateOutcome::EmptyBody << empty;

    // Whole answers with status 200 that are no draw history the program could open.
    const auto sent = [&ok](const QByteArray& body) -> QByteArray {
        return ok + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    const QString binary
        = unchanged(QStringLiteral("The data server sent au645.txt with zero bytes in it: a binary "
                                   "file, not a draw history."));
    const QString page = unchanged(QStringLiteral("The data server sent a web page instead of "
                                                  "au645.txt (a network's sign-in page or an "
                                                  "error page)."));
    const QString noDraws = unchanged(
        QStringLiteral("The data server sent au645.txt without a single draw line in it."));
    QTest::newRow("body starting with a zero byte")
        << sent(QByteArray(1, '\0') + "1 2") << After::Close << longWait
        << UpdateOutcome::NotADrawHistory << binary;
    QTest::newRow("draws, then a zero byte")
        << sent(QByteArray("20020103 1 2 3\n\0 4 5\n", 22)) << After::Close << longWait
        << UpdateOutcome::NotADrawHistory << binary;
    QTest::newRow("a picture") << sent(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16))
                               << After::Close << longWait << UpdateOutcome::NotADrawHistory
                               << binary;
    QTest::newRow("a network's sign-in page")
        << sent("<!DOCTYPE html>\n<html><head><title>Sign in</title></head>\n"
                "<body><form action=\"/login\">20020103</form></body></html>\n")
        << After::Close << longWait << UpdateOutcome::NotADrawHistory << page;
    QTest::newRow("a page without a doctype, after blank lines")
        << sent("\r\n\r\n<HTML>\r\n<BODY>Not here</BODY></HTML>") << After::Close << longWait
        << UpdateOutcome::NotADrawHistory << page;
    QTest::newRow("error text") << sent("Service Unavailable\n") << After::Close << longWait
                                << UpdateOutcome::NotADrawHistory << noDraws;
    QTest::newRow("only comments") << sent("# history\r\n# none yet\r\n") << After::Close
                                   << longWait << UpdateOutcome::NotADrawHistory << noDraws;
    // 40,330 lines of 25 bytes: 1,008,250 bytes announced and sent, 1,048,580 once CR LF.
    QByteArray growing;
    for (int i = 0; i < 40330; ++i)
        growing += "20020105 1 2 3 4 5 6 7 8\n";
    QTest::newRow("too large to open once its line ends are CR LF")
        << sent(growing) << After::Close << longWait << UpdateOutcome::TooLarge
        << unchanged(QStringLiteral("The data server sent au645.txt, which would have 1048580 "
                                    "bytes with CR LF line ends, more than the 1048575 bytes a "
                                    "data file may have."));
}

void DataUpdateTest::failedAnswer_keepsTheLocalFile()
{
    QFETCH(QByteArray, answer);
    QFETCH(ScriptedHttpServer::After, after);
    QFETCH(int, timeoutMs);
    QFETCH(UpdateOutcome, outcome);
    QFETCH(QString, message);
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswer(answer, after);
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));

    const UpdateResult result
        = update(server.baseUrl(), dir.path(), std::chrono::milliseconds(timeoutMs));
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.message, message);
    QVERIFY(server.requestCount() >= 1);
    QCOMPARE(readBytes(local), kOldFile);
    QCOMPARE(filesIn(dir.path()), QStringList {QStringLiteral("au645.txt")});
}

void DataUpdateTest::noServer_connectionFailed_data()
{
    QTest::addColumn<QString>("base");
    QTest::newRow("refused") << corvane::test::refusedBaseUrl();
    QTest::newRow("not an address") << QStringLiteral("no server here");
    QTest::newRow("not HTTP") << QStringLiteral("ftp://127.0.0.1/caipiaoshuju/");
}

void DataUpdateTest::noServer_connectionFailed()
{
    QFETCH(QString, base);
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    const UpdateResult result = update(base, dir.path());
    QCOMPARE(result.outcome, UpdateOutcome::ConnectionFailed);
    QCOMPARE(result.message, QStringLiteral("Connection failed"));
    QCOMPARE(readBytes(local), kOldFile);
}

void DataUpdateTest::fileMissingOnTheServer_isAnErrorAnswer()
{
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    UpdateRequest request;
    request.baseUrl = m_static.baseUrl();
    request.fileName = QStringLiteral("nzl.txt");
    request.localDir = dir.path();
    const UpdateResult result = runUpdate(request);
    QCOMPARE(result.outcome, UpdateOutcome::ErrorAnswer);
    QCOMPARE(result.message,
        unchanged(QStringLiteral(
            "The data server answered \"404 File not found\" instead of sending nzl.txt.")));
    QCOMPARE(filesIn(dir.path()), QStringList {QStringLiteral("au645.txt")});
}

void DataUpdateTest::localFileNotWritable_couldNotBeCreated()
{
    QVERIFY(m_static.put(QStringLiteral("au645.txt"), QByteArrayLiteral("20020103 1 2 3\n")));
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    QVERIFY(QFile::setPermissions(local, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const UpdateResult readOnly = update(m_static.baseUrl(), dir.path());
    QFile::setPermissions(local, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(readOnly.outcome, UpdateOutcome::CouldNotBeCreated);
    QCOMPARE(readOnly.message, QStringLiteral("The File au645.txt could not be created"));
    QCOMPARE(readBytes(local), kOldFile);
    QCOMPARE(filesIn(dir.path()), QStringList {QStringLiteral("au645.txt")});

    const UpdateResult noFolder = update(m_static.baseUrl(), dir.filePath(QStringLiteral("gone")));
    QCOMPARE(noFolder.outcome, UpdateOutcome::CouldNotBeCreated);
    QCOMPARE(noFolder.message, QStringLiteral("The File au645.txt could not be created"));
}

void DataUpdateTest::linkedLocalFile_staysALinkToTheNewFile()
{
    QVERIFY(m_static.put(QStringLiteral("au645.txt"), QByteArrayLiteral("20020103 1 2 3\n")));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("histories")));
    const QString target = dir.filePath(QStringLiteral("histories/tattslotto.txt"));
    QVERIFY(writeBytes(target, kOldFile));
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(QFile::link(QStringLiteral("histories/tattslotto.txt"), local));

    QCOMPARE(update(m_static.baseUrl(), dir.path()).outcome, UpdateOutcome::Updated);
    QCOMPARE(QFileInfo(local).symLinkTarget(), target);
    QCOMPARE(readBytes(target), QByteArrayLiteral("20020103 1 2 3\r\n"));
    QCOMPARE(filesIn(dir.filePath(QStringLiteral("histories"))),
        QStringList {QStringLiteral("tattslotto.txt")});
}

namespace {

QStringList g_messages;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    g_messages << text;
}

} // namespace

void DataUpdateTest::errorAnswer_nothingButTheProgramsOwnMessage()
{
    // The 404's body comes up to 0.3 ms after its head, and the event loop is kept busy for
    // 0.2 ms a turn, so that the body lands at every moment of the handling of the head. Qt
    // must have nothing to say, whenever it lands.
    corvane::test::SplitAnswerServer server(
        QByteArrayLiteral("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\n"),
        QByteArrayLiteral("Not Found"), 300);
    QVERIFY(server.listen());
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    QTimer busy;
    connect(&busy, &QTimer::timeout, this, [] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
        while (std::chrono::steady_clock::now() < until) { }
    });
    busy.start(0);
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
    int errorAnswers = 0;
    for (int i = 0; i < 200; ++i) {
        if (update(server.baseUrl(), dir.path()).outcome == UpdateOutcome::ErrorAnswer)
            ++errorAnswers;
    }
    qInstallMessageHandler(previous);
    busy.stop();
    QCOMPARE(g_messages, QStringList());
    QCOMPARE(errorAnswers, 200);
    QCOMPARE(readBytes(local), kOldFile);
}

void DataUpdateTest::cancel_keepsTheLocalFile()
{
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswer(QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n12345"),
        ScriptedHttpServer::After::StayOpen);
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    UpdateRequest request;
    request.baseUrl = server.baseUrl();
    request.fileName = QStringLiteral("au645.txt");
    request.localDir = dir.path();
    DataUpdate update(request);
    QList<qint64> progress;
    connect(&update, &DataUpdate::progress, this,
        [&](qint64 received, qint64 total) { progress << received << total; });
    // Cancelled once the first bytes are in, while the server keeps the rest back.
    connect(&update, &DataUpdate::progress, &update, [&](qint64 received, qint64) {
        if (received > 0)
            update.cancel();
    });
    update.start();
    QTRY_VERIFY(update.isFinished());
    QCOMPARE(update.result().outcome, UpdateOutcome::Cancelled);
    QVERIFY(update.result().message.isEmpty());
    QCOMPARE(progress, (QList<qint64> {0, 100, 5, 100}));
    QCOMPARE(readBytes(local), kOldFile);
    QCOMPARE(filesIn(dir.path()), QStringList {QStringLiteral("au645.txt")});
}

void DataUpdateTest::dataServerUrl_environmentOverridesTheBuild()
{
    qunsetenv(kDataServerVariable);
    QCOMPARE(dataServerUrl(), QStringLiteral(CORVANE_TEST_DEFAULT_DATA_SERVER));
    qputenv(kDataServerVariable, "");
    QCOMPARE(dataServerUrl(), QStringLiteral(CORVANE_TEST_DEFAULT_DATA_SERVER));
    qputenv(kDataServerVariable, " http://192.0.2.7:9000/caipiaoshuju/ ");
    QCOMPARE(dataServerUrl(), QStringLiteral("http://192.0.2.7:9000/caipiaoshuju/"));
    qunsetenv(kDataServerVariable);
    QCOMPARE(dataFileUrl(QStringLiteral("http://h/caipiaoshuju/"), QStringLiteral("or4-10.txt")),
        QUrl(QStringLiteral("http://h/caipiaoshuju/or4-10.txt")));
}

QTEST_MAIN(DataUpdateTest)
#include "data_update_test.moc"
