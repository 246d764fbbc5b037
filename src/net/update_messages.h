#pragma once

#include <QString>
#include <QUrl>

#include <chrono>

namespace corvane::net {

/// What the user is told when an update of the data file name ends other than with success.
/// Each text says what came from the server and, at its end, that the local file was not
/// changed.
namespace messages {

QString errorAnswer(const QString& name, int status, const QString& reason);
QString noLength(const QString& name);
QString tooLarge(const QString& name, const QString& announced);
/// A body that would grow past the largest data file once its line ends are CR LF.
QString tooLargeStored(const QString& name, qint64 storedBytes);
QString shortBody(const QString& name, qint64 received, qint64 announced);
QString oversizedBody(const QString& name);
QString dropped(const QString& name);
QString timedOut(const QString& name, std::chrono::milliseconds timeout);
QString empty(const QString& name);
QString binary(const QString& name);
QString webPage(const QString& name);
QString noDraws(const QString& name);
QString unreadable(const QString& name, const QString& encoding);
QString tooManyRedirects(const QString& name, int allowed);
/// A redirect to target that the update does not follow: from HTTPS to HTTP, or away from HTTP.
QString redirectRefused(const QString& name, const QUrl& target);
QString failed(const QString& name, const QString& reason);

} // namespace messages

} // namespace corvane::net
