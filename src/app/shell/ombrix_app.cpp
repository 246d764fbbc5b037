#include "app/shell/ombrix_app.h"

#include "app/catalogue/dlg3.h"
#include "app/shell/about_dlg.h"
#include "app/shell/commands.h"
#include "app/shell/doc_manager.h"
#include "app/shell/doc_template.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/recent_files.h"
#include "app/shell/settings.h"
#include "app/shell/tip_dlg.h"

#include "core/io/files.h"
#include "core/startup/startup.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

namespace corvane::app {

COmbrixApp::COmbrixApp(const QString& exeDir, QObject* parent)
    : QObject(parent)
    , m_exeDir(exeDir)
{ }

COmbrixApp::~COmbrixApp()
{
    if (m_pDocManager)
        ExitInstance();
}

bool COmbrixApp::InitInstance()
{
    m_pDocManager = std::make_unique<CMyDocManager>();
    m_settings = std::make_unique<Settings>();
    m_recentFiles = std::make_unique<CRecentFileList>();
    m_recentFiles->ReadList(*m_settings);

    auto docTemplate = std::make_unique<CSingleDocTemplate>(m_exeDir, m_recentFiles.get());
    m_template = docTemplate.get();
    connect(m_template, &CSingleDocTemplate::frameCreated, this, &COmbrixApp::connectCommands);
    m_pDocManager->AddDocTemplate(std::move(docTemplate));

    // The command line is not read: arguments given to the program are ignored.
    const std::string exeDir = m_exeDir.toUtf8().toStdString();
    core::StartupChoice choice = core::startupChoice(exeDir);
    if (!OpenDocumentFile(QString::fromStdString(choice.path))) {
        // A start-up choice that cannot be opened must not lock the user out for good: after
        // the open's message the default lottery opens, as without a start-up file.
        const core::StartupChoice fallback = core::defaultStartupChoice(exeDir);
        if (!choice.fromStartupFile || fallback.path == choice.path
            || !OpenDocumentFile(QString::fromStdString(fallback.path)))
            return false;
        choice = fallback;
    }

    CMainFrame* frame = mainFrame();
    frame->setWindowTitle(QString::fromStdString(core::mainCaption(choice.displayName)));
    // The small icon comes from the current directory, not the executable's; without it the
    // window keeps the program's own icon.
    if (QFileInfo(QStringLiteral("icon.ico")).isFile()) {
        const QIcon icon(QStringLiteral("icon.ico"));
        if (!icon.isNull())
            frame->setWindowIcon(icon);
    }
    frame->show();
    return true;
}

int COmbrixApp::ExitInstance()
{
    if (m_recentFiles && m_settings)
        m_recentFiles->WriteList(*m_settings);
    m_template = nullptr;
    m_pDocManager.reset();
    return 0;
}

CMainFrame* COmbrixApp::mainFrame() const
{
    return m_template ? m_template->frame() : nullptr;
}

COmbrixDoc* COmbrixApp::document() const
{
    return m_template ? m_template->document() : nullptr;
}

COmbrixDoc* COmbrixApp::OpenDocumentFile(const QString& name)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(name) : nullptr;
}

void COmbrixApp::connectCommands(CMainFrame* frame)
{
    connect(frame->action(kFileNew), &QAction::triggered, this, &COmbrixApp::OnFileNew);
    connect(frame->action(kFileOpen), &QAction::triggered, this, &COmbrixApp::OnFileOpen);
    for (int i = 0; i < kRecentFileCount; ++i) {
        connect(frame->action(kRecentFile1 + i), &QAction::triggered, this,
            [this, i] { OnOpenRecentFile(i); });
    }
    QAction* tip = frame->action(kTipOfTheDay);
    tip->setEnabled(true);
    connect(tip, &QAction::triggered, this, &COmbrixApp::OnTipOfTheDay);
    connect(frame->action(kOpenLottoData), &QAction::triggered, this, &COmbrixApp::OnOpenLotto);
    connect(frame->action(kBlankItem), &QAction::triggered, this, &COmbrixApp::OnGetData);
    connect(frame->action(kAbout), &QAction::triggered, this, &COmbrixApp::OnAppAbout);
}

void COmbrixApp::OnFileNew()
{
    if (m_pDocManager)
        m_pDocManager->OnFileNew();
}

void COmbrixApp::OnFileOpen()
{
    const QString name
        = FileDialog::getOpenFileName(mainFrame(), QStringLiteral("All Files (*.*)"));
    if (!name.isEmpty())
        OpenDocumentFile(name);
}

void COmbrixApp::OnTipOfTheDay()
{
    CTipDlg dlg;
    dlg.exec();
}

void COmbrixApp::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles->files().size())
        return;
    const QString path = m_recentFiles->files().at(index);
    // A file that is gone leaves the list; a cancelled save prompt does not.
    if (!OpenDocumentFile(path) && !QFileInfo::exists(path))
        m_recentFiles->Remove(index);
}

void COmbrixApp::OnOpenLotto()
{
    Dlg3 dlg(mainFrame());
    dlg.m_dataDir = m_exeDir;
    dlg.m_bStartup = 0;
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_datapath = m_exeDir + QLatin1Char('/') + dlg.m_filename;
    if (dlg.m_bStartup) {
        // A start-up file that cannot be written is skipped without a word; the lottery opens
        // all the same.
        const std::string startupFile
            = core::joinPath(m_exeDir.toUtf8().toStdString(), core::kStartupFileName);
        core::writeStartupFile(
            startupFile, QDir::toNativeSeparators(m_datapath).toUtf8().toStdString());
    }
    OpenDocumentFile(m_datapath);
}

void COmbrixApp::OnGetData()
{
    Dlg3 dlg;
    dlg.getdata();
}

void COmbrixApp::OnAppAbout()
{
    CAboutDlg dlg(mainFrame());
    dlg.exec();
}

} // namespace corvane::app
