#include "app/shell/doc_template.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/main_frame.h"

#include <QDir>
#include <QFileInfo>

namespace corvane::app {

namespace {

bool samePath(const QString& a, const QString& b)
{
    const QString left = QDir::cleanPath(QFileInfo(a).absoluteFilePath());
    const QString right = QDir::cleanPath(QFileInfo(b).absoluteFilePath());
#ifdef Q_OS_WIN
    return left.compare(right, Qt::CaseInsensitive) == 0;
#else
    return left == right;
#endif
}

} // namespace

CDocTemplate::~CDocTemplate() = default;

CSingleDocTemplate::CSingleDocTemplate(
    const QString& exeDir, CRecentFileList* recentFiles, QObject* parent)
    : CDocTemplate(parent)
    , m_exeDir(exeDir)
    , m_recentFiles(recentFiles)
{ }

CSingleDocTemplate::~CSingleDocTemplate()
{
    destroyFrame();
}

CDocTemplate::Confidence CSingleDocTemplate::MatchDocType(const QString& path) const
{
    if (m_doc && !m_doc->GetPathName().isEmpty() && samePath(m_doc->GetPathName(), path))
        return yesAlreadyOpen;
    return yesAttemptNative;
}

void CSingleDocTemplate::createFrame()
{
    m_doc = std::make_unique<COmbrixDoc>(m_recentFiles);
    m_frame = std::make_unique<CMainFrame>(m_exeDir, m_recentFiles);
    m_view = new COmbrixView(m_doc.get(), m_frame.get());
    m_frame->setCentralWidget(m_view);
    m_frame->SetActiveDocument(m_doc.get());
    m_doc->AddView(m_view);
    m_doc->connectCommands(m_frame->actions());
    m_view->connectCommands(m_frame->actions());
    m_view->setFocus();
    emit frameCreated(m_frame.get());
}

void CSingleDocTemplate::destroyFrame()
{
    m_view = nullptr;
    m_frame.reset();
    m_doc.reset();
}

void CSingleDocTemplate::setDefaultTitle()
{
    m_doc->SetTitle(QStringLiteral("Untitled"));
}

COmbrixDoc* CSingleDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible)
{
    return open(&path, makeVisible);
}

COmbrixDoc* CSingleDocTemplate::OpenNewDocument(bool makeVisible)
{
    return open(nullptr, makeVisible);
}

COmbrixDoc* CSingleDocTemplate::open(const QString* path, bool makeVisible)
{
    bool created = false;
    if (!m_doc) {
        createFrame();
        created = true;
    } else if (!m_doc->SaveModified()) {
        return nullptr;
    }

    if (!path) {
        setDefaultTitle();
        if (!m_doc->OnNewDocument()) {
            if (created)
                destroyFrame();
            return nullptr;
        }
    } else {
        const COmbrixDoc::OpenResult result = m_doc->OnOpenDocument(*path);
        if (result != COmbrixDoc::OpenResult::Opened) {
            if (created) {
                destroyFrame();
            } else if (result == COmbrixDoc::OpenResult::LoadFailed) {
                // The old text is gone: what is left is a new, empty, untitled document.
                setDefaultTitle();
                m_doc->OnNewDocument();
                m_view->OnInitialUpdate();
            }
            return nullptr;
        }
        m_doc->SetPathName(*path);
    }

    m_view->OnInitialUpdate();
    if (makeVisible)
        m_frame->show();
    return m_doc.get();
}

} // namespace corvane::app
