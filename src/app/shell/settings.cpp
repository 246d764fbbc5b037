#include "app/shell/settings.h"

#include "app/shell/commands.h"

#include <QSettings>

namespace corvane::app {

namespace {

const QString kOrganisation = QStringLiteral("Corvane For Windows");
const QString kApplication = QStringLiteral("Corvane");
const QString kRecentGroup = QStringLiteral("Recent File List");

bool& redirected()
{
    static bool value = false;
    return value;
}

QString recentKey(int i)
{
    return QStringLiteral("File") + QString::number(i + 1);
}

} // namespace

Settings::Settings()
    : m_settings(
        std::make_unique<QSettings>(redirected() ? QSettings::IniFormat : QSettings::NativeFormat,
            QSettings::UserScope, kOrganisation, kApplication))
{ }

Settings::~Settings() = default;

QStringList Settings::recentFiles() const
{
    QStringList files;
    m_settings->beginGroup(kRecentGroup);
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString file = m_settings->value(recentKey(i)).toString();
        if (!file.isEmpty())
            files.append(file);
    }
    m_settings->endGroup();
    return files;
}

void Settings::setRecentFiles(const QStringList& files)
{
    m_settings->beginGroup(kRecentGroup);
    for (int i = 0; i < kRecentFileCount; ++i) {
        if (i < files.size())
            m_settings->setValue(recentKey(i), files.at(i));
        else
            m_settings->remove(recentKey(i));
    }
    m_settings->endGroup();
    m_settings->sync();
}

QVariant Settings::value(const QString& group, const QString& key, const QVariant& fallback) const
{
    return m_settings->value(group + QLatin1Char('/') + key, fallback);
}

void Settings::setValue(const QString& group, const QString& key, const QVariant& value)
{
    m_settings->setValue(group + QLatin1Char('/') + key, value);
}

void Settings::redirectTo(const QString& folder)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    redirected() = true;
}

} // namespace corvane::app
