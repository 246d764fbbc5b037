#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <cstdint>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace corvane::net {

/// How long the transfer may go without a byte arriving before it is given up.
inline constexpr std::chrono::milliseconds kDefaultTransferTimeout {30000};

/// How an update ended. Only Updated changes the local file.
enum class UpdateOutcome {
    Updated,
    /// No connection to the data server: refused, unknown host, or no answer to the connect.
    ConnectionFailed,
    /// The local file may not be written (read-only), or its folder refused the new file.
    CouldNotBeCreated,
    /// The server answered with a status other than 2xx.
    ErrorAnswer,
    /// The answer announced no length (chunked, or no Content-Length at all).
    NoLength,
    /// The announced length, or the body once stored with CR LF line ends, is larger than a data
    /// file may be.
    TooLarge,
    /// The body is no draw history the program could open: a binary file, a web page, or text
    /// without a draw line.
    NotADrawHistory,
    /// The server redirected the request more than kMaxRedirects times.
    TooManyRedirects,
    /// The server redirected the request from HTTPS to HTTP, or to an address that is not HTTP.
    RedirectRefused,
    /// The connection ended before the announced number of bytes arrived.
    ShortBody,
    /// The server closed the connection without answering.
    Dropped,
    /// Nothing arrived for the transfer timeout.
    TimedOut,
    /// The body holds no text; storing it would empty the data file.
    EmptyBody,
    /// The body came compressed or otherwise encoded.
    Unreadable,
    /// Any other network error.
    Failed,
    /// The user cancelled.
    Cancelled,
};

struct UpdateResult
{
    UpdateOutcome outcome = UpdateOutcome::Failed;
    /// What the user is told; empty when the user cancelled.
    QString message;
};

/// One data file to fetch and where it goes.
struct UpdateRequest
{
    /// The data server's base URL (dataServerUrl()).
    QString baseUrl;
    /// A bare data-file name: appended to the base URL, and the local file's name.
    QString fileName;
    /// The folder of the local file.
    QString localDir;
    std::chrono::milliseconds transferTimeout = kDefaultTransferTimeout;
};

/// Fetches one data file over HTTP (user agent "ebra", the system's proxy settings, never from
/// a cache), following up to kMaxRedirects redirects that isFollowedRedirect allows, and
/// replaces the local file with it, safely, only when the whole announced body arrived with a
/// 2xx status and is a draw history the program can open (core::downloadFault). Every other
/// ending leaves the local file byte for byte as it was and gives a message saying why. Runs in
/// the caller's event loop; emits finished() once.
class DataUpdate : public QObject
{
    Q_OBJECT

public:
    explicit DataUpdate(UpdateRequest request, QObject* parent = nullptr);
    ~DataUpdate() override;
    Q_DISABLE_COPY_MOVE(DataUpdate)

    /// Sends the request. An unusable URL finishes the update before start() returns.
    void start();
    bool isFinished() const { return m_finished; }
    /// Valid once finished.
    const UpdateResult& result() const { return m_result; }

    const UpdateRequest& request() const { return m_request; }
    /// The local data file: localDir, a separator and fileName.
    QString localPath() const;

signals:
    /// Bytes received so far and the announced total (-1 until the headers arrived).
    void progress(qint64 received, qint64 total);
    void finished();

public slots:
    /// Gives the update up; the local file stays as it was.
    void cancel();

private slots:
    void onRequestSent();
    void onMetaDataChanged();
    void onReadyRead();
    void onReplyFinished();
    void onIdle();

private:
    /// Checks the status and the announced length once the final answer's headers are there;
    /// false when they are refused.
    bool acceptHeaders();
    /// Reads and drops what arrived of a redirect's page.
    void skipRedirectPage();
    /// Sends the GET of url.
    void send(const QUrl& url);
    /// When the reply that has finished is a redirect: follows it, or finishes the update when
    /// it may not be followed. False when the reply is no redirect.
    bool followRedirect();
    void store();
    /// Ends the update from a handler of the reply's own signals.
    void refuse(UpdateOutcome outcome, const QString& message);
    void finish(UpdateOutcome outcome, const QString& message);
    void dropReply();

    UpdateRequest m_request;
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QNetworkReply* m_reply = nullptr;
    /// The address asked last: the data file's, or the last redirect's.
    QUrl m_url;
    int m_redirects = 0;
    qint64 m_redirectPageBytes = 0;
    QTimer m_idle;
    QByteArray m_body;
    std::int64_t m_expected = -1;
    bool m_started = false;
    bool m_requestSent = false;
    bool m_headersAccepted = false;
    bool m_refused = false;
    bool m_finished = false;
    UpdateResult m_result;
};

/// Runs one update to its end in a local event loop; for callers without a window (the command
/// line). Needs a QCoreApplication.
UpdateResult runUpdate(const UpdateRequest& request);

} // namespace corvane::net
