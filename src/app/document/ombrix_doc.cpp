#include "app/document/ombrix_doc.h"

#include "app/document/ombrix_view.h"
#include "app/shell/action_table.h"
#include "app/shell/commands.h"
#include "app/shell/message_box.h"
#include "app/shell/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <string_view>

namespace corvane::app {

namespace {

using core::TextCodec;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString cannotFind(const QString& path)
{
    return shown(path)
        + QStringLiteral("\nCannot find this file.\nPlease verify that the correct path and file "
                         "name are given.");
}

QString unableToRead(const QString& path)
{
    return QStringLiteral("Unable to read from ") + shown(path)
        + QStringLiteral(", it is opened by someone else.");
}

QString unexpectedRead(const QString& path)
{
    return QStringLiteral("An unexpected error occurred while reading ") + shown(path)
        + QLatin1Char('.');
}

QString unableToWrite(const QString& path)
{
    return QStringLiteral("Unable to write to ") + shown(path)
        + QStringLiteral(", it is read-only or opened by someone else.");
}

QString unexpectedWrite(const QString& path)
{
    return QStringLiteral("An unexpected error occurred while writing ") + shown(path)
        + QLatin1Char('.');
}

const QString kAllFiles = QStringLiteral("All Files (*.*)");

// A file without its write permission is read-only to everyone, the administrator included,
// who may otherwise write anything: the user marked it so.
bool isReadOnly(const QFileInfo& info)
{
    return !info.isWritable() || !info.permission(QFileDevice::WriteOwner);
}

// The file is replaced through a temporary file beside it, so the folder must take new files.
// (Windows marks some writable folders read-only, so there the save itself decides.)
bool folderIsReadOnly(const QFileInfo& folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return false;
#else
    return folder.isDir() && isReadOnly(folder);
#endif
}

} // namespace

COmbrixDoc::COmbrixDoc(CRecentFileList* recentFiles, QObject* parent)
    : QObject(parent)
    , m_strTitle(QStringLiteral("Untitled"))
    , m_recentFiles(recentFiles)
{ }

COmbrixDoc::~COmbrixDoc() = default;

void COmbrixDoc::AddView(COmbrixView* view)
{
    m_view = view;
}

COmbrixView* COmbrixDoc::GetView() const
{
    return m_view;
}

void COmbrixDoc::connectCommands(const ActionTable& actions)
{
    connect(actions.action(kFileSave), &QAction::triggered, this, &COmbrixDoc::OnFileSave);
    connect(actions.action(kFileSaveAs), &QAction::triggered, this, &COmbrixDoc::OnFileSaveAs);
}

QWidget* COmbrixDoc::window() const
{
    return m_view ? m_view->window() : nullptr;
}

bool COmbrixDoc::IsModified() const
{
    return m_view && m_view->isTextModified();
}

void COmbrixDoc::SetModifiedFlag(bool modified)
{
    if (m_view)
        m_view->setTextModified(modified);
}

void COmbrixDoc::DeleteContents() { }

bool COmbrixDoc::OnNewDocument()
{
    DeleteContents();
    m_codec = TextCodec();
    m_strPathName.clear();
    if (m_view)
        m_view->SetRawText(QString());
    SetModifiedFlag(false);
    return true;
}

COmbrixDoc::OpenResult COmbrixDoc::OnOpenDocument(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        MessageBox::warning(window(), cannotFind(path));
        return OpenResult::NotOpened;
    }
    // Folders and devices are refused here: reading one would fail, or never end.
    QFile file(path);
    if (!info.isFile() || !info.isReadable() || !file.open(QIODevice::ReadOnly)) {
        MessageBox::warning(window(), unableToRead(path));
        return OpenResult::NotOpened;
    }

    // One byte past the limit tells a file that is too large, whatever size it reports.
    const QByteArray bytes = file.read(static_cast<qint64>(TextCodec::kMaxBytes) + 1);
    const bool readFailed = file.error() != QFileDevice::NoError;
    DeleteContents();
    if (readFailed) {
        MessageBox::warning(window(), unexpectedRead(path));
        return OpenResult::LoadFailed;
    }
    if (static_cast<std::size_t>(bytes.size()) > TextCodec::kMaxBytes) {
        MessageBox::warning(window(), QStringLiteral("The file is too large to open."));
        return OpenResult::LoadFailed;
    }
    const std::u16string text = m_codec.decode(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (m_view) {
        m_view->SetRawText(QString(
            reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
    }
    SetModifiedFlag(false);
    return OpenResult::Opened;
}

bool COmbrixDoc::OnSaveDocument(const QString& path)
{
    const QString text = m_view ? m_view->GetRawText() : QString();
    const std::string bytes
        = m_codec.encode(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                             static_cast<std::size_t>(text.size())),
            m_view && m_view->differsFromFile());

    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir() || (info.exists() && isReadOnly(info)) || folderIsReadOnly(folder)) {
        MessageBox::warning(window(), unableToWrite(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        MessageBox::warning(window(), folder.isDir() ? unableToWrite(path) : cannotFind(path));
        return false;
    }
    const bool written = file.write(bytes.data(), static_cast<qint64>(bytes.size()))
        == static_cast<qint64>(bytes.size());
    if (!written || !file.commit()) {
        const QStorageInfo storage(folder.absoluteFilePath());
        const bool full = storage.isValid()
            && storage.bytesAvailable() < static_cast<qint64>(bytes.size()) + 4096;
        MessageBox::warning(window(),
            full ? QStringLiteral("Destination disk drive is full.") : unexpectedWrite(path));
        return false;
    }
    m_codec.remember(bytes);
    SetModifiedFlag(false);
    return true;
}

bool COmbrixDoc::SaveModified()
{
    if (!IsModified())
        return true;
    const QString name = m_strPathName.isEmpty() ? m_strTitle : QFileInfo(m_strPathName).fileName();
    switch (
        MessageBox::question(window(), QStringLiteral("Save changes to ") + name + QLatin1Char('?'),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return DoFileSave();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool COmbrixDoc::DoFileSave()
{
    return DoSave(m_strPathName);
}

bool COmbrixDoc::DoSave(const QString& path)
{
    QString name = path;
    if (name.isEmpty()) {
        name = FileDialog::getSaveFileName(
            window(), m_strPathName.isEmpty() ? m_strTitle : m_strPathName, kAllFiles);
        if (name.isEmpty())
            return false;
    }
    if (!OnSaveDocument(name))
        return false;
    SetPathName(name);
    return true;
}

void COmbrixDoc::SetPathName(const QString& path, bool addToRecentFiles)
{
    m_strPathName = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_strTitle = QFileInfo(m_strPathName).fileName();
    if (addToRecentFiles && m_recentFiles)
        m_recentFiles->Add(m_strPathName);
}

void COmbrixDoc::OnFileSave()
{
    DoFileSave();
}

void COmbrixDoc::OnFileSaveAs()
{
    DoSave(QString());
}

} // namespace corvane::app
