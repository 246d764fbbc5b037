#pragma once

#include <QString>
#include <QUrl>

namespace corvane::net {

/// The name of the environment variable that points the update at another data server.
inline constexpr char kDataServerVariable[] = "CORVANE_DATA_SERVER";

/// The data server's base URL: the environment variable CORVANE_DATA_SERVER when it is set and
/// not empty, else the address the program was built with (the CMake cache variable
/// CORVANE_DATA_SERVER_URL, by default "http://127.0.0.1:8080/caipiaoshuju/").
QString dataServerUrl();

/// The URL of a data file on the server: base, a '/' unless base already ends with one, and the
/// bare file name as it is (catalogue names need no escaping).
QUrl dataFileUrl(const QString& base, const QString& fileName);

/// The most redirects an update follows, one after another, before it gives up.
inline constexpr int kMaxRedirects = 5;

/// Whether the update follows a redirect from the address from to the address to: only to HTTP
/// or HTTPS, to any host, and never from HTTPS to HTTP.
bool isFollowedRedirect(const QUrl& from, const QUrl& to);

} // namespace corvane::net
