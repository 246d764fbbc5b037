#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class QSettings;

namespace corvane::app {

/// Everything the program keeps between runs in the user's profile: NativeFormat (the registry
/// on Windows), organisation "Corvane For Windows", application "Corvane".
class Settings
{
public:
    Settings();
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    /// The recent-file list, group "Recent File List", keys "File1" to "File4", most recent
    /// first; empty entries are skipped.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& files);

    /// Any other value, by group and key.
    QVariant value(const QString& group, const QString& key, const QVariant& fallback = {}) const;
    void setValue(const QString& group, const QString& key, const QVariant& value);

    /// Makes every Settings made afterwards live in an INI file under folder instead of the
    /// user's profile, so that tests never touch a real one.
    static void redirectTo(const QString& folder);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace corvane::app
