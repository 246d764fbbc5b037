#include "net/update_messages.h"

#include "core/update/update.h"

namespace corvane::net::messages {

namespace {

QString unchanged()
{
    return QStringLiteral(" The local file was not changed.");
}

QString maxBytes()
{
    return QString::number(core::kMaxDownloadBytes);
}

} // namespace

QString errorAnswer(const QString& name, int status, const QString& reason)
{
    QString answer = QString::number(status);
    if (!reason.isEmpty())
        answer += QLatin1Char(' ') + reason;
    return QStringLiteral("The data server answered \"") + answer
        + QStringLiteral("\" instead of sending ") + name + QLatin1Char('.') + unchanged();
}

QString noLength(const QString& name)
{
    return QStringLiteral("The data server sent ") + name
        + QStringLiteral(" without announcing its length, so it could not be checked.")
        + unchanged();
}

QString tooLarge(const QString& name, const QString& announced)
{
    return QStringLiteral("The data server announced ") + announced + QStringLiteral(" bytes for ")
        + name + QStringLiteral(", more than the ") + maxBytes()
        + QStringLiteral(" bytes a data file may have.") + unchanged();
}

QString tooLargeStored(const QString& name, qint64 storedBytes)
{
    return QStringLiteral("The data server sent ") + name + QStringLiteral(", which would have ")
        + QString::number(storedBytes)
        + QStringLiteral(" bytes with CR LF line ends, more than the ") + maxBytes()
        + QStringLiteral(" bytes a data file may have.") + unchanged();
}

QString shortBody(const QString& name, qint64 received, qint64 announced)
{
    return QStringLiteral("The download of ") + name + QStringLiteral(" broke off after ")
        + QString::number(received) + QStringLiteral(" of ") + QString::number(announced)
        + QStringLiteral(" bytes.") + unchanged();
}

QString oversizedBody(const QString& name)
{
    return QStringLiteral("The data server sent more of ") + name
        + QStringLiteral(" than it announced.") + unchanged();
}

QString dropped(const QString& name)
{
    return QStringLiteral("The data server closed the connection without sending ") + name
        + QLatin1Char('.') + unchanged();
}

QString timedOut(const QString& name, std::chrono::milliseconds timeout)
{
    return QStringLiteral("The data server sent nothing for ")
        + QString::number(static_cast<double>(timeout.count()) / 1000.0)
        + QStringLiteral(" seconds while ") + name + QStringLiteral(" was being downloaded.")
        + unchanged();
}

QString empty(const QString& name)
{
    return QStringLiteral("The data server sent an empty ") + name + QLatin1Char('.') + unchanged();
}

QString binary(const QString& name)
{
    return QStringLiteral("The data server sent ") + name
        + QStringLiteral(" with zero bytes in it: a binary file, not a draw history.")
        + unchanged();
}

QString webPage(const QString& name)
{
    return QStringLiteral("The data server sent a web page instead of ") + name
        + QStringLiteral(" (a network's sign-in page or an error page).") + unchanged();
}

QString noDraws(const QString& name)
{
    return QStringLiteral("The data server sent ") + name
        + QStringLiteral(" without a single draw line in it.") + unchanged();
}

QString unreadable(const QString& name, const QString& encoding)
{
    return QStringLiteral("The data server sent ") + name + QStringLiteral(" encoded as \"")
        + encoding + QStringLiteral("\", which this program does not read.") + unchanged();
}

QString tooManyRedirects(const QString& name, int allowed)
{
    return QStringLiteral("The data server redirected the request for ") + name
        + QStringLiteral(" more than ") + QString::number(allowed) + QStringLiteral(" times.")
        + unchanged();
}

QString redirectRefused(const QString& name, const QUrl& target)
{
    const QString to = QStringLiteral(" to \"") + target.toDisplayString() + QLatin1Char('"');
    const QString what = target.scheme().toLower() == QLatin1String("http")
        ? QString(QStringLiteral(" from a secure address") + to
            + QStringLiteral(", which is not secure."))
        : QString(to + QStringLiteral(", which is no web address."));
    return QStringLiteral("The data server redirected the request for ") + name + what
        + unchanged();
}

QString failed(const QString& name, const QString& reason)
{
    return QStringLiteral("The download of ") + name + QStringLiteral(" failed: ") + reason
        + QLatin1Char('.') + unchanged();
}

} // namespace corvane::net::messages
