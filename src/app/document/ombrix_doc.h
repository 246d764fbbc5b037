#pragma once

#include "core/text/textcodec.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace corvane::app {

class ActionTable;
class COmbrixView;
class CRecentFileList;

/// The open data file. Its text lives in the view; the document keeps the path, the title and
/// how the file's lines ended (so an unedited text is saved back byte for byte).
class COmbrixDoc : public QObject
{
    Q_OBJECT

public:
    /// How an open went.
    enum class OpenResult {
        /// The file's text is in the view.
        Opened,
        /// The file could not be opened at all; the document is as it was.
        NotOpened,
        /// The file opened but could not be loaded; the text is gone.
        LoadFailed,
    };

    explicit COmbrixDoc(CRecentFileList* recentFiles, QObject* parent = nullptr);
    ~COmbrixDoc() override;
    Q_DISABLE_COPY_MOVE(COmbrixDoc)

    void AddView(COmbrixView* view);
    COmbrixView* GetView() const;
    void connectCommands(const ActionTable& actions);

    /// Empties the text; the document is then new and unmodified.
    bool OnNewDocument();
    /// Reads the file at path into the view, telling the user what went wrong.
    OpenResult OnOpenDocument(const QString& path);
    /// Writes the text to path through a temporary file; on failure tells the user and leaves
    /// the file, the path and the modified flag as they were.
    bool OnSaveDocument(const QString& path);
    void DeleteContents();

    /// The save-changes prompt: true when the work may go on.
    bool SaveModified();
    /// File Save: to the path, or as Save As when there is none.
    bool DoFileSave();
    /// Saves to path, or asks for a name when path is empty; the name becomes the path.
    bool DoSave(const QString& path);

    QString GetPathName() const { return m_strPathName; }
    /// Makes path the document's path and title, and puts it at the top of the recent files.
    void SetPathName(const QString& path, bool addToRecentFiles = true);
    QString GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title) { m_strTitle = title; }
    bool IsModified() const;
    void SetModifiedFlag(bool modified = true);

    const core::TextCodec& codec() const { return m_codec; }

public slots:
    void OnFileSave();
    void OnFileSaveAs();

private:
    QWidget* window() const;

    QString m_strPathName;
    QString m_strTitle;
    core::TextCodec m_codec;
    QPointer<COmbrixView> m_view;
    CRecentFileList* m_recentFiles;
};

} // namespace corvane::app
