#include "http_servers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTcpSocket>

namespace corvane::test {

namespace {

QString baseUrlAt(int port)
{
    return QStringLiteral("http://127.0.0.1:%1/caipiaoshuju/").arg(port);
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
{
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedHttpServer::onNewConnection);
}

ScriptedHttpServer::~ScriptedHttpServer() = default;

bool ScriptedHttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

void ScriptedHttpServer::setAnswer(const QByteArray& answer, After after)
{
    m_answer = answer;
    m_after = after;
}

QString ScriptedHttpServer::baseUrl() const
{
    return baseUrlAt(m_server.serverPort());
}

void ScriptedHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
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
    socket->write(m_answer);
    socket->flush();
    switch (m_after) {
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
