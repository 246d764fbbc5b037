#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace corvane::app {

class CMainFrame;
class COmbrixDoc;
class COmbrixView;
class CRecentFileList;

/// A document template: opens paths into its kind of document.
class CDocTemplate : public QObject
{
    Q_OBJECT

public:
    /// How well a template matches a path, from no attempt up to the document already open.
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };

    using QObject::QObject;
    ~CDocTemplate() override;
    Q_DISABLE_COPY_MOVE(CDocTemplate)

    virtual Confidence MatchDocType(const QString& path) const = 0;
    /// Opens path; null when that failed or the user cancelled the save-changes prompt.
    virtual COmbrixDoc* OpenDocumentFile(const QString& path, bool makeVisible = true) = 0;
    /// Makes the document new and empty; null when the user cancelled the save-changes prompt.
    virtual COmbrixDoc* OpenNewDocument(bool makeVisible = true) = 0;
};

/// The single-document template: one frame, one document and one view, made at the first open
/// and reused by every open and New after it.
class CSingleDocTemplate : public CDocTemplate
{
    Q_OBJECT

public:
    CSingleDocTemplate(
        const QString& exeDir, CRecentFileList* recentFiles, QObject* parent = nullptr);
    ~CSingleDocTemplate() override;
    Q_DISABLE_COPY_MOVE(CSingleDocTemplate)

    /// No file filter: every path matches, the open document's own path best.
    Confidence MatchDocType(const QString& path) const override;
    COmbrixDoc* OpenDocumentFile(const QString& path, bool makeVisible = true) override;
    COmbrixDoc* OpenNewDocument(bool makeVisible = true) override;

    CMainFrame* frame() const { return m_frame.get(); }
    COmbrixDoc* document() const { return m_doc.get(); }
    COmbrixView* view() const { return m_view; }

signals:
    /// The frame, document and view have just been made; their commands are connected.
    void frameCreated(corvane::app::CMainFrame* frame);

private:
    COmbrixDoc* open(const QString* path, bool makeVisible);
    void createFrame();
    void destroyFrame();
    void setDefaultTitle();

    QString m_exeDir;
    CRecentFileList* m_recentFiles;
    std::unique_ptr<COmbrixDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    COmbrixView* m_view = nullptr;
};

} // namespace corvane::app
