#include "net/data_update.h"

#include "net/data_server.h"

#include "core/update/update.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace corvane::net {

namespace {

QString fromCore(const std::string& text)
{
    return QString::fromStdString(text);
}

QString unchanged()
{
    return QStringLiteral(" The local file was not changed.");
}

QString errorAnswerMessage(const QString& name, int status, const QString& reason)
{
    QString answer = QString::number(status);
    if (!reason.isEmpty())
        answer += QLatin1Char(' ') + reason;
    return QStringLiteral("The data server answered \"") + answer
        + QStringLiteral("\" instead of sending ") + name + QLatin1Char('.') + unchanged();
}

QString noLengthMessage(const QString& name)
{
    return QStringLiteral("The data server sent ") + name
        + QStringLiteral(" without announcing its length, so it could not be checked.")
        + unchanged();
}

QString tooLargeMessage(const QString& name, const QString& announced)
{
    return QStringLiteral("The data server announced ") + announced + QStringLiteral(" bytes for ")
        + name + QStringLiteral(", more than the ") + QString::number(core::kMaxDownloadBytes)
        + QStringLiteral(" bytes a data file may have.") + unchanged();
}

QString shortBodyMessage(const QString& name, qint64 received, qint64 announced)
{
    return QStringLiteral("The download of ") + name + QStringLiteral(" broke off after ")
        + QString::number(received) + QStringLiteral(" of ") + QString::number(announced)
        + QStringLiteral(" bytes.") + unchanged();
}

QString droppedMessage(const QString& name)
{
    return QStringLiteral("The data server closed the connection without sending ") + name
        + QLatin1Char('.') + unchanged();
}

QString timedOutMessage(const QString& name, std::chrono::milliseconds timeout)
{
    return QStringLiteral("The data server sent nothing for ")
        + QString::number(static_cast<double>(timeout.count()) / 1000.0)
        + QStringLiteral(" seconds while ") + name + QStringLiteral(" was being downloaded.")
        + unchanged();
}

QString emptyBodyMessage(const QString& name)
{
    return QStringLiteral("The data server sent an empty ") + name + QLatin1Char('.') + unchanged();
}

QString unreadableMessage(const QString& name, const QString& encoding)
{
    return QStringLiteral("The data server sent ") + name + QStringLiteral(" encoded as \"")
        + encoding + QStringLiteral("\", which this program does not read.") + unchanged();
}

QString oversizedBodyMessage(const QString& name)
{
    return QStringLiteral("The data server sent more of ") + name
        + QStringLiteral(" than it announced.") + unchanged();
}

QString failedMessage(const QString& name, const QString& reason)
{
    return QStringLiteral("The download of ") + name + QStringLiteral(" failed: ") + reason
        + QLatin1Char('.') + unchanged();
}

} // namespace

DataUpdate::DataUpdate(UpdateRequest request, QObject* parent)
    : QObject(parent)
    , m_request(std::move(request))
{
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &DataUpdate::onIdle);
}

DataUpdate::~DataUpdate()
{
    dropReply();
}

QString DataUpdate::localPath() const
{
    return QDir(m_request.localDir).filePath(m_request.fileName);
}

void DataUpdate::start()
{
    if (m_started)
        return;
    m_started = true;
    const QUrl url = dataFileUrl(m_request.baseUrl, m_request.fileName);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        finish(UpdateOutcome::ConnectionFailed, fromCore(core::kConnectionFailedMessage));
        return;
    }

    QNetworkProxyFactory::setUseSystemConfiguration(true);
    // A manager of its own and no cache object: every update asks the server.
    m_manager = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("ebra"));
    request.setAttribute(
        QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // The byte count is checked against Content-Length, which counts the bytes as sent.
    request.setRawHeader(QByteArrayLiteral("Accept-Encoding"), QByteArrayLiteral("identity"));

    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::requestSent, this, &DataUpdate::onRequestSent);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &DataUpdate::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &DataUpdate::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &DataUpdate::onReplyFinished);
    m_idle.start(m_request.transferTimeout);
}

void DataUpdate::cancel()
{
    finish(UpdateOutcome::Cancelled, QString());
}

void DataUpdate::onRequestSent()
{
    m_requestSent = true;
    m_idle.start(m_request.transferTimeout);
}

void DataUpdate::onMetaDataChanged()
{
    m_idle.start(m_request.transferTimeout);
    if (m_headersAccepted || m_refused || !m_reply)
        return;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return;
    // A redirect that the manager follows is not the answer yet.
    const int code = status.toInt();
    if (code >= 300 && code < 400
        && m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid()
        && !m_reply->isFinished())
        return;
    acceptHeaders();
}

bool DataUpdate::acceptHeaders()
{
    m_requestSent = true;
    const QString& name = m_request.fileName;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299) {
        const QString reason
            = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        refuse(UpdateOutcome::ErrorAnswer, errorAnswerMessage(name, status, reason));
        return false;
    }
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity") {
        refuse(UpdateOutcome::Unreadable, unreadableMessage(name, QString::fromLatin1(encoding)));
        return false;
    }
    const bool chunked = m_reply->rawHeader("Transfer-Encoding").toLower().contains("chunked");
    const QByteArray announced = m_reply->rawHeader("Content-Length").trimmed();
    const std::optional<std::uint64_t> length
        = chunked ? std::nullopt : core::parseContentLength(announced.toStdString());
    // Digits that overflow 64 bits still announce a length, one far too large.
    const bool tooManyDigits = !chunked && !length && !announced.isEmpty()
        && std::all_of(
            announced.begin(), announced.end(), [](char c) { return c >= '0' && c <= '9'; });
    // Refused here, before the body arrives and before anything is allocated for it.
    if (tooManyDigits || (length && *length > core::kMaxDownloadBytes)) {
        refuse(UpdateOutcome::TooLarge, tooLargeMessage(name, QString::fromLatin1(announced)));
        return false;
    }
    if (!length) {
        refuse(UpdateOutcome::NoLength, noLengthMessage(name));
        return false;
    }
    m_headersAccepted = true;
    m_expected = static_cast<std::int64_t>(*length);
    m_body.reserve(static_cast<qsizetype>(m_expected));
    emit progress(0, m_expected);
    return true;
}

void DataUpdate::onReadyRead()
{
    m_idle.start(m_request.transferTimeout);
    if (!m_reply || m_refused)
        return;
    if (!m_headersAccepted) {
        onMetaDataChanged();
        if (!m_headersAccepted)
            return;
    }
    const QByteArray chunk = m_reply->readAll();
    if (m_body.size() + chunk.size() > m_expected) {
        refuse(UpdateOutcome::Failed, oversizedBodyMessage(m_request.fileName));
        return;
    }
    m_body += chunk;
    emit progress(m_body.size(), m_expected);
}

void DataUpdate::onReplyFinished()
{
    if (m_finished || !m_reply)
        return;
    m_idle.stop();
    if (m_refused) {
        finish(m_result.outcome, m_result.message);
        return;
    }
    const QString& name = m_request.fileName;
    const QNetworkReply::NetworkError error = m_reply->error();
    const bool answered = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (!m_headersAccepted && answered && !acceptHeaders()) {
        finish(m_result.outcome, m_result.message);
        return;
    }
    if (!m_headersAccepted) {
        if (!m_requestSent || error == QNetworkReply::ConnectionRefusedError
            || error == QNetworkReply::HostNotFoundError
            || error == QNetworkReply::ProxyConnectionRefusedError
            || error == QNetworkReply::ProxyNotFoundError)
            finish(UpdateOutcome::ConnectionFailed, fromCore(core::kConnectionFailedMessage));
        else if (error == QNetworkReply::RemoteHostClosedError)
            finish(UpdateOutcome::Dropped, droppedMessage(name));
        else
            finish(UpdateOutcome::Failed, failedMessage(name, m_reply->errorString()));
        return;
    }
    onReadyRead();
    if (m_finished)
        return;
    if (m_body.size() < m_expected) {
        finish(UpdateOutcome::ShortBody, shortBodyMessage(name, m_body.size(), m_expected));
        return;
    }
    if (error != QNetworkReply::NoError) {
        finish(UpdateOutcome::Failed, failedMessage(name, m_reply->errorString()));
        return;
    }
    store();
}

void DataUpdate::onIdle()
{
    if (!m_requestSent)
        finish(UpdateOutcome::ConnectionFailed, fromCore(core::kConnectionFailedMessage));
    else
        finish(UpdateOutcome::TimedOut,
            timedOutMessage(m_request.fileName, m_request.transferTimeout));
}

void DataUpdate::store()
{
    const std::string path = localPath().toUtf8().toStdString();
    const std::string_view body(m_body.constData(), static_cast<std::size_t>(m_body.size()));
    switch (core::storeDownload(path, body)) {
    case core::StoreResult::Stored:
        finish(UpdateOutcome::Updated, fromCore(core::kUpdateFinishedMessage));
        return;
    case core::StoreResult::CouldNotBeCreated:
        finish(UpdateOutcome::CouldNotBeCreated,
            fromCore(core::couldNotBeCreatedMessage(m_request.fileName.toStdString())));
        return;
    case core::StoreResult::Empty:
        finish(UpdateOutcome::EmptyBody, emptyBodyMessage(m_request.fileName));
        return;
    }
}

void DataUpdate::refuse(UpdateOutcome outcome, const QString& message)
{
    if (m_refused || m_finished)
        return;
    // Aborting the reply inside its own signal confuses it; the abort follows at once from the
    // event loop, and nothing more is read meanwhile.
    m_refused = true;
    m_result = {outcome, message};
    QTimer::singleShot(0, this, [this] { finish(m_result.outcome, m_result.message); });
}

void DataUpdate::finish(UpdateOutcome outcome, const QString& message)
{
    if (m_finished)
        return;
    m_finished = true;
    m_idle.stop();
    dropReply();
    m_body = QByteArray();
    m_result = {outcome, message};
    emit finished();
}

void DataUpdate::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply* reply = std::exchange(m_reply, nullptr);
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

UpdateResult runUpdate(const UpdateRequest& request)
{
    DataUpdate update(request);
    QEventLoop loop;
    QObject::connect(&update, &DataUpdate::finished, &loop, &QEventLoop::quit);
    update.start();
    if (!update.isFinished())
        loop.exec();
    return update.result();
}

} // namespace corvane::net
