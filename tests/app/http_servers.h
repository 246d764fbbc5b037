#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTcpServer>
#include <QTemporaryDir>

#include <atomic>
#include <memory>
#include <thread>

class QTcpSocket;

namespace corvane::test {

/// Python's static file server (python3 -m http.server) on 127.0.0.1 at a free port, serving a
/// temporary folder that holds the folder caipiaoshuju. Stopped when it goes.
class StaticHttpServer
{
public:
    StaticHttpServer();
    ~StaticHttpServer();
    StaticHttpServer(const StaticHttpServer&) = delete;
    StaticHttpServer& operator=(const StaticHttpServer&) = delete;

    /// False, with the reason in error(), when Python is missing or the server did not start.
    bool start();
    QString error() const { return m_error; }

    /// Puts a data file into caipiaoshuju.
    bool put(const QString& name, const QByteArray& bytes) const;
    /// "http://127.0.0.1:PORT/caipiaoshuju/".
    QString baseUrl() const;

private:
    QTemporaryDir m_root;
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

/// A server on 127.0.0.1 that answers each request with the bytes set for its path (or with the
/// bytes set for every other path), then closes the connection, resets it or keeps it open and
/// silent. Over HTTP, or over HTTPS with the tests' certificate for 127.0.0.1.
class ScriptedHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class After { Close, Abort, StayOpen };

    explicit ScriptedHttpServer(QObject* parent = nullptr);
    ~ScriptedHttpServer() override;

    bool listen();
    /// Listens for HTTPS; clients must trust the tests' authority (trustTestAuthority()).
    bool listenTls();
    void setAnswer(const QByteArray& answer, After after);
    /// The answer for one path, such as "/caipiaoshuju/au645.txt".
    void setAnswerFor(const QByteArray& path, const QByteArray& answer, After after = After::Close);
    /// "http://127.0.0.1:PORT" (https when listening for HTTPS).
    QString origin() const;
    /// origin() + "/caipiaoshuju/".
    QString baseUrl() const;
    int requestCount() const { return m_requests.size(); }
    /// The head of each request received, in order.
    const QList<QByteArray>& requests() const { return m_requests; }

private slots:
    void onNewConnection();

private:
    struct Answer
    {
        QByteArray bytes;
        After after = After::Close;
    };

    void onReadyRead(QTcpSocket* socket);

    std::unique_ptr<QTcpServer> m_server;
    bool m_tls = false;
    Answer m_answer;
    QHash<QByteArray, Answer> m_answers;
    QList<QByteArray> m_requests;
};

/// A server on 127.0.0.1, in a thread of its own, that answers every request with head, then,
/// after a pause of up to maxPauseMicroseconds chosen at random, with body, and closes the
/// connection. The pause lands the body at any moment of the client's handling of the head.
class SplitAnswerServer
{
public:
    SplitAnswerServer(QByteArray head, QByteArray body, int maxPauseMicroseconds);
    ~SplitAnswerServer();
    SplitAnswerServer(const SplitAnswerServer&) = delete;
    SplitAnswerServer& operator=(const SplitAnswerServer&) = delete;

    /// False when nothing could listen.
    bool listen();
    /// "http://127.0.0.1:PORT/caipiaoshuju/".
    QString baseUrl() const;

private:
    void serve();

    QByteArray m_head;
    QByteArray m_body;
    int m_maxPause;
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_port {0};
    std::thread m_thread;
};

/// Makes this process trust the tests' certificate authority, which signed the certificate that
/// ScriptedHttpServer::listenTls() shows. False when the authority could not be read.
bool trustTestAuthority();

/// A base URL on 127.0.0.1 at a port nobody listens on.
QString refusedBaseUrl();

/// Clears the proxy variables of the environment, so that requests to 127.0.0.1 go straight
/// to the test's server whatever the machine's settings.
void bypassProxies();

} // namespace corvane::test
