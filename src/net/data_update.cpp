#include "net/data_update.h"

#include "net/data_server.h"
#include "net/update_messages.h"

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
    send(url);
}

void DataUpdate::send(const QUrl& url)
{
    m_url = url;
    m_requestSent = false;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("ebra"));
    request.setAttribute(
        QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // The byte count is checked against Content-Length, which counts the bytes as sent.
    request.setRawHeader(QByteArrayLiteral("Accept-Encoding"), QByteArrayLiteral("identity"));
    // Redirects are followed here, one request at a time, each looked at before it is sent.
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);

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
    // Neither an interim 1xx nor a redirect is the answer: the redirect is followed once its
    // reply has finished. A redirect without a Location, which nobody can follow, is an answer.
    const int code = status.toInt();
    const bool redirect = code >= 300 && code < 400 && m_reply->hasRawHeader("Location");
    if ((code < 200 || redirect) && !m_reply->isFinished())
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
        refuse(UpdateOutcome::ErrorAnswer, messages::errorAnswer(name, status, reason));
        return false;
    }
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity") {
        refuse(
            UpdateOutcome::Unreadable, messages::unreadable(name, QString::fromLatin1(encoding)));
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
        refuse(UpdateOutcome::TooLarge, messages::tooLarge(name, QString::fromLatin1(announced)));
        return false;
    }
    if (!length) {
        refuse(UpdateOutcome::NoLength, messages::noLength(name));
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
        if (!m_headersAccepted && !m_refused)
            skipRedirectPage();
        if (!m_headersAccepted)
            return;
    }
    const QByteArray chunk = m_reply->readAll();
    if (m_body.size() + chunk.size() > m_expected) {
        refuse(UpdateOutcome::Failed, messages::oversizedBody(m_request.fileName));
        return;
    }
    m_body += chunk;
    emit progress(m_body.size(), m_expected);
}

void DataUpdate::skipRedirectPage()
{
    // A redirect's own page is of no use, and one that never ends must not keep the update
    // waiting.
    m_redirectPageBytes += m_reply->readAll().size();
    if (m_redirectPageBytes > static_cast<qint64>(core::kMaxDownloadBytes)) {
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QString reason
            = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        refuse(
            UpdateOutcome::ErrorAnswer, messages::errorAnswer(m_request.fileName, status, reason));
    }
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
    if (!m_headersAccepted && answered && followRedirect())
        return;
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
            finish(UpdateOutcome::Dropped, messages::dropped(name));
        else
            finish(UpdateOutcome::Failed, messages::failed(name, m_reply->errorString()));
        return;
    }
    onReadyRead();
    if (m_finished)
        return;
    if (m_body.size() < m_expected) {
        finish(UpdateOutcome::ShortBody, messages::shortBody(name, m_body.size(), m_expected));
        return;
    }
    if (error != QNetworkReply::NoError) {
        finish(UpdateOutcome::Failed, messages::failed(name, m_reply->errorString()));
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
            messages::timedOut(m_request.fileName, m_request.transferTimeout));
}

bool DataUpdate::followRedirect()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl location = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (status < 300 || status > 399 || location.isEmpty())
        return false;
    const QString& name = m_request.fileName;
    const QUrl target = m_url.resolved(location);
    if (m_redirects == kMaxRedirects) {
        finish(UpdateOutcome::TooManyRedirects, messages::tooManyRedirects(name, kMaxRedirects));
        return true;
    }
    if (!isFollowedRedirect(m_url, target)) {
        finish(UpdateOutcome::RedirectRefused, messages::redirectRefused(name, target));
        return true;
    }
    ++m_redirects;
    m_redirectPageBytes = 0;
    dropReply();
    send(target);
    return true;
}

void DataUpdate::store()
{
    const QString& name = m_request.fileName;
    const std::string path = localPath().toUtf8().toStdString();
    const std::string_view body(m_body.constData(), static_cast<std::size_t>(m_body.size()));
    switch (core::storeDownload(path, body)) {
    case core::StoreResult::Stored:
        finish(UpdateOutcome::Updated, fromCore(core::kUpdateFinishedMessage));
        return;
    case core::StoreResult::CouldNotBeCreated:
        finish(UpdateOutcome::CouldNotBeCreated,
            fromCore(core::couldNotBeCreatedMessage(name.toStdString())));
        return;
    case core::StoreResult::Empty:
        finish(UpdateOutcome::EmptyBody, messages::empty(name));
        return;
    case core::StoreResult::Binary:
        finish(UpdateOutcome::NotADrawHistory, messages::binary(name));
        return;
    case core::StoreResult::WebPage:
        finish(UpdateOutcome::NotADrawHistory, messages::webPage(name));
        return;
    case core::StoreResult::NoDraws:
        finish(UpdateOutcome::NotADrawHistory, messages::noDraws(name));
        return;
    case core::StoreResult::TooLarge:
        finish(UpdateOutcome::TooLarge,
            messages::tooLargeStored(name, static_cast<qint64>(core::storedSize(body))));
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
    // Deleted, never aborted: the network thread may already have posted the answer's own error
    // (a 404's), and an abort beside it makes Qt warn on standard error. Deleting the reply
    // stops the transfer all the same and drops whatever it still had coming.
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
