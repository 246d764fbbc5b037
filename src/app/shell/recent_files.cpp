#include "app/shell/recent_files.h"

#include "app/shell/commands.h"
#include "app/shell/settings.h"

#include <QDir>
#include <QFileInfo>

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
    QString shown = displayName(m_files.at(index), QDir::currentPath());
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + shown;
}

QString CRecentFileList::displayName(const QString& path, const QString& currentDir)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!currentDir.isEmpty() && samePath(info.absolutePath(), currentDir))
        return name;
    const QString full = QDir::toNativeSeparators(path);
    if (full.size() <= kMaxDisplayLength)
        return full;
    if (name.size() > kMaxDisplayLength)
        return name;

    // The part kept in front: the root and the first folder ("/home", "C:\Users"), or the
    // server and share of a network path.
    const QChar sep = QDir::separator();
    qsizetype front = 0;
    if (full.startsWith(QString(2, sep))) {
        front = full.indexOf(sep, 2);
        front = front < 0 ? -1 : full.indexOf(sep, front + 1);
    } else {
        const qsizetype root = full.indexOf(sep);
        const qsizetype folderEnd = root < 0 ? -1 : full.indexOf(sep, root + 1);
        front = folderEnd < 0 ? root : folderEnd;
    }
    const QString ellipsis = sep + QStringLiteral("...");
    if (front < 0 || front + ellipsis.size() + 1 + name.size() > kMaxDisplayLength)
        return name;
    // Folders after the first one go until the rest fits; the file name always does.
    qsizetype rest = front;
    while (rest >= 0 && front + ellipsis.size() + (full.size() - rest) > kMaxDisplayLength)
        rest = full.indexOf(sep, rest + 1);
    if (rest < 0)
        return name;
    return full.left(front) + ellipsis + full.mid(rest);
}

} // namespace corvane::app
