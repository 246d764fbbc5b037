#pragma once

#include <QObject>
#include <QStringList>

namespace corvane::app {

class Settings;

/// The recent-file list of the "&File" menu: up to 4 full paths, most recent first.
class CRecentFileList : public QObject
{
    Q_OBJECT

public:
    explicit CRecentFileList(QObject* parent = nullptr);
    ~CRecentFileList() override;
    Q_DISABLE_COPY_MOVE(CRecentFileList)

    const QStringList& files() const { return m_files; }

    /// Puts path at the top, removing an earlier entry for the same file and the oldest entry
    /// beyond 4. An empty path is ignored.
    void Add(const QString& path);
    void Remove(int index);

    void ReadList(const Settings& settings);
    void WriteList(Settings& settings) const;

    /// The menu text of entry index: "&1 " and the path as displayName shows it, ampersands
    /// doubled so they show.
    QString menuText(int index) const;

    /// Paths longer than this are shortened in the menu.
    static constexpr int kMaxDisplayLength = 30;
    /// How a path shows in the menu: its file name alone when it lies in currentDir; otherwise
    /// whole when it has at most kMaxDisplayLength characters, else its first folder, "...",
    /// and as many of its last folders as fit before the file name; the file name alone when
    /// not even one fits. The file name is never cut.
    static QString displayName(const QString& path, const QString& currentDir);

signals:
    void changed();

private:
    QStringList m_files;
};

} // namespace corvane::app
