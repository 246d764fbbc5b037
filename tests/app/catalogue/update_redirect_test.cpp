// Redirects in the online update, against scripted servers on 127.0.0.1 over HTTP and HTTPS: a
// moved data file is fetched from where it went; a loop, a long chain or a step down from HTTPS
// to HTTP ends with a message and the local file as it was.
#include "app_support.h"
#include "http_servers.h"

#include "net/data_server.h"
#include "net/data_update.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane::net;
using corvane::test::readBytes;
using corvane::test::ScriptedHttpServer;
using corvane::test::writeBytes;

Q_DECLARE_METATYPE(corvane::net::UpdateOutcome)

namespace {

const QByteArray kOldFile = QByteArrayLiteral("20020101 1 2 3 4 5 6\r\n");
const QByteArray kNewFile = QByteArrayLiteral("20020103 7 8 9 10 11 12\n");
const QByteArray kFilePath = QByteArrayLiteral("/caipiaoshuju/au645.txt");

QByteArray redirect(int status, const QByteArray& location)
{
    static const QHash<int, QByteArray> reasons {{301, "Moved Permanently"}, {302, "Found"},
        {303, "See Other"}, {307, "Temporary Redirect"}, {308, "Permanent Redirect"}};
    QByteArray answer
        = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasons.value(status) + "\r\n";
    if (!location.isEmpty())
        answer += "Location: " + location + "\r\n";
    return answer + "Content-Length: 0\r\n\r\n";
}

QByteArray fileAnswer()
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(kNewFile.size()) + "\r\n\r\n"
        + kNewFile;
}

// Where a redirect sends the request.
enum class Target { SamePathOnly, SameServer, OtherServer, OtherServerOverTls, Ftp, Itself };

QString unchanged(const QString& text)
{
    return text + QStringLiteral(" The local file was not changed.");
}

} // namespace

Q_DECLARE_METATYPE(Target)

class UpdateRedirectTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void redirect_isFollowed_data();
    void redirect_isFollowed();
    void redirect_isNotFollowed_data();
    void redirect_isNotFollowed();
    void redirectWithAnEndlessPage_isAnErrorAnswer();
    void followedRedirects_data();
    void followedRedirects();
};

void UpdateRedirectTest::initTestCase()
{
    corvane::test::bypassProxies();
    QVERIFY(corvane::test::trustTestAuthority());
}

void UpdateRedirectTest::redirect_isFollowed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<Target>("target");
    QTest::addColumn<bool>("fromTls");
    QTest::addColumn<int>("hops");

    QTest::newRow("301, a path on the same server") << 301 << Target::SamePathOnly << false << 1;
    QTest::newRow("302, an address on the same server") << 302 << Target::SameServer << false << 1;
    QTest::newRow("303") << 303 << Target::SameServer << false << 1;
    QTest::newRow("307") << 307 << Target::SameServer << false << 1;
    QTest::newRow("308") << 308 << Target::SameServer << false << 1;
    QTest::newRow("301 to another server") << 301 << Target::OtherServer << false << 1;
    QTest::newRow("301 from HTTP to HTTPS") << 301 << Target::OtherServerOverTls << false << 1;
    QTest::newRow("301 from HTTPS to HTTPS") << 301 << Target::OtherServerOverTls << true << 1;
    QTest::newRow("five redirects in a row") << 302 << Target::SameServer << false << kMaxRedirects;
}

// The data file moved hops times, each time to /moved/N/au645.txt on the server the target names.
void UpdateRedirectTest::redirect_isFollowed()
{
    QFETCH(int, status);
    QFETCH(Target, target);
    QFETCH(bool, fromTls);
    QFETCH(int, hops);
    ScriptedHttpServer first;
    ScriptedHttpServer other;
    QVERIFY(fromTls ? first.listenTls() : first.listen());
    QVERIFY(target == Target::OtherServerOverTls ? other.listenTls() : other.listen());
    ScriptedHttpServer& last
        = target == Target::OtherServer || target == Target::OtherServerOverTls ? other : first;
    QByteArray from = kFilePath;
    ScriptedHttpServer* server = &first;
    for (int hop = 1; hop <= hops; ++hop) {
        const QByteArray to = "/moved/" + QByteArray::number(hop) + "/au645.txt";
        const QByteArray location
            = target == Target::SamePathOnly ? to : last.origin().toLatin1() + to;
        server->setAnswerFor(from, redirect(status, location));
        server = &last;
        from = to;
    }
    last.setAnswerFor(from, fileAnswer());

    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    UpdateRequest request;
    request.baseUrl = first.baseUrl();
    request.fileName = QStringLiteral("au645.txt");
    request.localDir = dir.path();
    const UpdateResult result = runUpdate(request);
    QCOMPARE(result.message, QStringLiteral("Data Updated Finished Successfully"));
    QCOMPARE(result.outcome, UpdateOutcome::Updated);
    QCOMPARE(readBytes(local), QByteArrayLiteral("20020103 7 8 9 10 11 12\r\n"));
    QCOMPARE(first.requestCount() + (&last == &first ? 0 : last.requestCount()), hops + 1);
    const QByteArray head = last.requests().last();
    QVERIFY2(head.startsWith(QByteArray("GET " + from + " HTTP/1.1\r\n")), head.constData());
    QVERIFY2(head.contains("\r\nUser-Agent: ebra\r\n"), head.constData());
}

void UpdateRedirectTest::redirect_isNotFollowed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<Target>("target");
    QTest::addColumn<bool>("fromTls");
    QTest::addColumn<int>("hops");
    QTest::addColumn<UpdateOutcome>("outcome");
    QTest::addColumn<QString>("message"); // %1: the other server's origin

    const QString tooMany = unchanged(
        QStringLiteral("The data server redirected the request for au645.txt more than 5 times."));
    QTest::newRow("a loop") << 302 << Target::Itself << false << 1
                            << UpdateOutcome::TooManyRedirects << tooMany;
    QTest::newRow("six redirects in a row")
        << 301 << Target::SameServer << false << 6 << UpdateOutcome::TooManyRedirects << tooMany;
    QTest::newRow("from HTTPS to HTTP")
        << 301 << Target::OtherServer << true << 1 << UpdateOutcome::RedirectRefused
        << unchanged(QStringLiteral("The data server redirected the request for au645.txt from a "
                                    "secure address to \"%1/moved/1/au645.txt\", which is not "
                                    "secure."));
    QTest::newRow("to FTP") << 301 << Target::Ftp << false << 1 << UpdateOutcome::RedirectRefused
                            << unchanged(QStringLiteral(
                                   "The data server redirected the request for au645.txt to "
                                   "\"ftp://127.0.0.1/moved/1/au645.txt\", which is no web "
                                   "address."));
    QTest::newRow("301 without a Location")
        << 301 << Target::SameServer << false << 0 << UpdateOutcome::ErrorAnswer
        << unchanged(QStringLiteral("The data server answered \"301 Moved "
                                    "Permanently\" instead of sending au645.txt."));
}

void UpdateRedirectTest::redirect_isNotFollowed()
{
    QFETCH(int, status);
    QFETCH(Target, target);
    QFETCH(bool, fromTls);
    QFETCH(int, hops);
    QFETCH(UpdateOutcome, outcome);
    QFETCH(QString, message);
    ScriptedHttpServer first;
    ScriptedHttpServer other;
    QVERIFY(fromTls ? first.listenTls() : first.listen());
    QVERIFY(other.listen());
    other.setAnswer(fileAnswer(), ScriptedHttpServer::After::Close);
    if (target == Target::Itself) {
        first.setAnswerFor(kFilePath, redirect(status, kFilePath));
    } else if (hops == 0) {
        first.setAnswerFor(kFilePath, redirect(status, QByteArray()));
    } else {
        const QByteArray origin = target == Target::Ftp ? QByteArrayLiteral("ftp://127.0.0.1")
            : target == Target::OtherServer             ? other.origin().toLatin1()
                                                        : first.origin().toLatin1();
        QByteArray from = kFilePath;
        for (int hop = 1; hop <= hops; ++hop) {
            const QByteArray to = "/moved/" + QByteArray::number(hop) + "/au645.txt";
            first.setAnswerFor(from, redirect(status, origin + to));
            from = to;
        }
        first.setAnswerFor(from, fileAnswer());
    }

    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    UpdateRequest request;
    request.baseUrl = first.baseUrl();
    request.fileName = QStringLiteral("au645.txt");
    request.localDir = dir.path();
    const UpdateResult result = runUpdate(request);
    QCOMPARE(result.message,
        message.contains(QLatin1String("%1")) ? message.arg(other.origin()) : message);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(readBytes(local), kOldFile);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList {QStringLiteral("au645.txt")});
    QCOMPARE(other.requestCount(), 0);
}

void UpdateRedirectTest::redirectWithAnEndlessPage_isAnErrorAnswer()
{
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    server.setAnswerFor(kFilePath,
        "HTTP/1.1 301 Moved Permanently\r\nLocation: /moved/au645.txt\r\n"
        "Content-Length: 100000000\r\n\r\n"
            + QByteArray(1100000, 'x'),
        ScriptedHttpServer::After::StayOpen);
    server.setAnswerFor("/moved/au645.txt", fileAnswer());
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("au645.txt"));
    QVERIFY(writeBytes(local, kOldFile));
    UpdateRequest request;
    request.baseUrl = server.baseUrl();
    request.fileName = QStringLiteral("au645.txt");
    request.localDir = dir.path();
    request.transferTimeout = std::chrono::milliseconds(20000);
    const UpdateResult result = runUpdate(request);
    QCOMPARE(result.message,
        unchanged(QStringLiteral("The data server answered \"301 Moved Permanently\" instead of "
                                 "sending au645.txt.")));
    QCOMPARE(result.outcome, UpdateOutcome::ErrorAnswer);
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(readBytes(local), kOldFile);
}

void UpdateRedirectTest::followedRedirects_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("followed");
    QTest::newRow("HTTP to HTTP, another host")
        << QStringLiteral("http://a/x") << QStringLiteral("http://b:81/y") << true;
    QTest::newRow("HTTP to HTTPS")
        << QStringLiteral("http://a/x") << QStringLiteral("https://a/x") << true;
    QTest::newRow("HTTPS to HTTPS")
        << QStringLiteral("https://a/x") << QStringLiteral("https://b/x") << true;
    QTest::newRow("HTTPS to HTTP")
        << QStringLiteral("https://a/x") << QStringLiteral("http://a/x") << false;
    QTest::newRow("HTTPS in capitals to HTTP")
        << QStringLiteral("HTTPS://a/x") << QStringLiteral("http://a/x") << false;
    QTest::newRow("HTTP to FTP") << QStringLiteral("http://a/x") << QStringLiteral("ftp://a/x")
                                 << false;
    QTest::newRow("HTTP to a file")
        << QStringLiteral("http://a/x") << QStringLiteral("file:///etc/passwd") << false;
    QTest::newRow("HTTP to no host")
        << QStringLiteral("http://a/x") << QStringLiteral("http:///x") << false;
}

void UpdateRedirectTest::followedRedirects()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, followed);
    QCOMPARE(isFollowedRedirect(QUrl(from), QUrl(to)), followed);
}

QTEST_MAIN(UpdateRedirectTest)
#include "update_redirect_test.moc"
