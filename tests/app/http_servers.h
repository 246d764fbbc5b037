#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTcpServer>
#include <QTemporaryDir>

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

/// A server on 127.0.0.1 that answers every request with the same bytes, then closes the
/// connection, resets it or keeps it open and silent.
class ScriptedHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class After { Close, Abort, StayOpen };

    explicit ScriptedHttpServer(QObject* parent = nullptr);
    ~ScriptedHttpServer() override;

    bool listen();
    void setAnswer(const QByteArray& answer, After after);
    /// "http://127.0.0.1:PORT/caipiaoshuju/".
    QString baseUrl() const;
    int requestCount() const { return m_requests.size(); }
    /// The head of each request received, in order.
    const QList<QByteArray>& requests() const { return m_requests; }

private slots:
    void onNewConnection();

private:
    void onReadyRead(QTcpSocket* socket);

    QTcpServer m_server;
    QByteArray m_answer;
    After m_after = After::Close;
    QList<QByteArray> m_requests;
};

/// A base URL on 127.0.0.1 at a port nobody listens on.
QString refusedBaseUrl();

/// Clears the proxy variables of the environment, so that requests to 127.0.0.1 go straight
/// to the test's server whatever the machine's settings.
void bypassProxies();

} // namespace corvane::test
