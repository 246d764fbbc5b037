#include "net/data_server.h"

#include <QByteArray>

namespace corvane::net {

QString dataServerUrl()
{
    const QByteArray fromEnvironment = qgetenv(kDataServerVariable);
    if (!fromEnvironment.trimmed().isEmpty())
        return QString::fromLocal8Bit(fromEnvironment.trimmed());
    return QStringLiteral(CORVANE_DEFAULT_DATA_SERVER);
}

QUrl dataFileUrl(const QString& base, const QString& fileName)
{
    QString text = base;
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    text += fileName;
    return QUrl(text, QUrl::StrictMode);
}

bool isFollowedRedirect(const QUrl& from, const QUrl& to)
{
    const QString target = to.scheme().toLower();
    if (!to.isValid() || to.host().isEmpty())
        return false;
    if (target == QLatin1String("https"))
        return true;
    return target == QLatin1String("http") && from.scheme().toLower() != QLatin1String("https");
}

} // namespace corvane::net
