#include "http_servers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>

#include <chrono>
#include <random>

namespace corvane::test {

namespace {

QString baseUrlAt(int port)
{
    return QStringLiteral("http://127.0.0.1:%1/caipiaoshuju/").arg(port);
}

QByteArray tlsFile(const char* name)
{
    QFile file(QStringLiteral(CORVANE_TEST_TLS_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

StaticHttpServer::StaticHttpServer()
{
    QDir(m_root.path()).mkdir(QStringLiteral("caipiaoshuju"));
}

StaticHttpServer::~StaticHttpServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

bool StaticHttpServer::start()
{
    const QString python = QStringLiteral(CORVANE_PYTHON);
    if (python.isEmpty()) {
        m_error = QStringLiteral("no Python interpreter was found at configure time");
        return false;
    }
    // Port 0: the system picks a free port, and the server prints which.
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(python,
        {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
            QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
            QStringLiteral("--directory"), m_root.path()});
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("python did not start: ") + m_process.errorString();
        return false;
    }
    const QRegularExpression portLine(QStringLiteral("port (\\d+)"));
    QByteArray output;
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_process.waitForReadyRead(int(deadline.remainingTime()))) {
        output += m_process.readAllStandardOutput();
        const QRegularExpressionMatch match = portLine.match(QString::fromLatin1(output));
        if (match.hasMatch()) {
            m_port = match.captured(1).toInt();
            return true;
        }
    }
    m_error
        = QStringLiteral("python's server did not say its port: ") + QString::fromLatin1(output);
    return false;
}

bool StaticHttpServer::put(const QString& name, const QByteArray& bytes) const
{
    QFile file(QDir(m_root.path()).filePath(QStringLiteral("caipiaoshuju/") + name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

QString StaticHttpServer::baseUrl() const
{
    return baseUrlAt(m_port);
}

ScriptedHttpServer::ScriptedHttpServer(QObject* parent)
    : QObject(parent)
{ }

ScriptedHttpServer::~ScriptedHttpServer() = default;

bool ScriptedHttpServer::listen()
{
    m_server = std::make_unique<QTcpServer>();
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
        &ScriptedHttpServer::onNewConnection);
    return m_server->listen(QHostAddress::LocalHost, 0);
}

bool ScriptedHttpServer::listenTls()
{
    const QSslCertificate certificate(tlsFile("server.pem"), QSsl::Pem);
    const QSslKey key(tlsFile("server.key"), QSsl::Rsa, QSsl::Pem);
    if (certificate.isNull() || key.isNull())
        return false;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(certificate);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(configuration);
    m_server = std::move(server);
    m_tls = true;
    // Over TLS a connection is pending only once its handshake is done.
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
        &ScriptedHttpServer::onNewConnection);
    return m_server->listen(QHostAddress::LocalHost, 0);
}

void ScriptedHttpServer::setAnswer(const QByteArray& answer, After after)
{
    m_answer = {answer, after};
}

void ScriptedHttpServer::setAnswerFor(const QByteArray& path, const QByteArray& answer, After after)
{
    m_answers.insert(path, {answer, after});
}

QString ScriptedHttpServer::origin() const
{
    return (m_tls ? QStringLiteral("https") : QStringLiteral("http"))
        + QStringLiteral("://127.0.0.1:") + QString::number(m_server ? m_server->serverPort() : 0);
}

QString ScriptedHttpServer::baseUrl() const
{
    return origin() + QStringLiteral("/caipiaoshuju/");
}

void ScriptedHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void ScriptedHttpServer::onReadyRead(QTcpSocket* socket)
{
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0 || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    m_requests.append(head.left(end + 4));
    // "GET /path HTTP/1.1": the path is the second word of the first line.
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QByteArray path = requestLine.size() > 1 ? requestLine.at(1) : QByteArray();
    const Answer answer = m_answers.value(path, m_answer);
    socket->write(answer.bytes);
    socket->flush();
    switch (answer.after) {
    case After::Close:
        socket->disconnectFromHost();
        break;
    case After::Abort:
        socket->abort();
        break;
    case After::StayOpen:
        break;
    }
}

SplitAnswerServer::SplitAnswerServer(QByteArray head, QByteArray body, int maxPauseMicroseconds)
    : m_head(std::move(head))
    , m_body(std::move(body))
    , m_maxPause(maxPauseMicroseconds)
{ }

SplitAnswerServer::~SplitAnswerServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool SplitAnswerServer::listen()
{
    m_thread = std::thread([this] { serve(); });
    const QDeadlineTimer deadline(10000);
    while (m_port == 0 && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_port > 0;
}

QString SplitAnswerServer::baseUrl() const
{
    return baseUrlAt(m_port);
}

void SplitAnswerServer::serve()
{
    // Blocking sockets in this thread: the pause must not wait for the client's event loop.
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        m_port = -1;
        return;
    }
    m_port = server.serverPort();
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> pause(0, m_maxPause);
    while (!m_stop) {
        if (!server.waitForNewConnection(50))
            continue;
        std::unique_ptr<QTcpSocket> socket(server.nextPendingConnection());
        if (!socket)
            continue;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        QByteArray request;
        while (!request.contains("\r\n\r\n") && socket->waitForReadyRead(5000))
            request += socket->readAll();
        socket->write(m_head);
        socket->waitForBytesWritten(5000);
        const auto until
            = std::chrono::steady_clock::now() + std::chrono::microseconds(pause(random));
        while (std::chrono::steady_clock::now() < until) { }
        socket->write(m_body);
        socket->waitForBytesWritten(5000);
        socket->disconnectFromHost();
        if (socket->state() != QAbstractSocket::UnconnectedState)
            socket->waitForDisconnected(1000);
    }
}

bool trustTestAuthority()
{
    const QList<QSslCertificate> authority
        = QSslCertificate::fromData(tlsFile("ca.pem"), QSsl::Pem);
    if (authority.isEmpty())
        return false;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(authority);
    QSslConfiguration::setDefaultConfiguration(configuration);
    return true;
}

QString refusedBaseUrl()
{
    // A port just given back by the system is free; nothing listens on it.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return baseUrlAt(port);
}

void bypassProxies()
{
    for (const char* name :
        {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
}

} // namespace corvane::test
