#include "app/shell/recent_files.h"

#include "app/shell/commands.h"
#include "app/shell/settings.h"

#include <QDir>

namespace corvane::app {

namespace {

bool samePath(const QString& a, const QString& b)
{
#ifdef Q_OS_WIN
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
#else
    return QDir::cleanPath(a) == QDir::cleanPath(b);
#endif
}

} // namespace

CRecentFileList::CRecentFileList(QObject* parent)
    : QObject(parent)
{ }

CRecentFileList::~CRecentFileList() = default;

void CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    m_files.removeIf([&](const QString& file) { return samePath(file, path); });
    m_files.prepend(path);
    while (m_files.size() > kRecentFileCount)
        m_files.removeLast();
    emit changed();
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= m_files.size())
        return;
    m_files.removeAt(index);
    emit changed();
}

void CRecentFileList::ReadList(const Settings& settings)
{
    m_files = settings.recentFiles().mid(0, kRecentFileCount);
    emit changed();
}

void CRecentFileList::WriteList(Settings& settings) const
{
    settings.setRecentFiles(m_files);
}

QString CRecentFileList::menuText(int index) const
{
    if (index < 0 || index >= m_files.size())
        return {};
    QString path = QDir::toNativeSeparators(m_files.at(index));
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + path;
}

} // namespace corvane::app
