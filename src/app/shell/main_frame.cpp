#include "app/shell/main_frame.h"

#include "app/document/ombrix_doc.h"
#include "app/shell/commands.h"
#include "app/shell/help_window.h"
#include "app/shell/lock_keys.h"
#include "app/shell/recent_files.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace corvane::app {

namespace {

const char* const kIndicatorTexts[3] = {"CAP", "NUM", "SCRL"};

} // namespace

CMainFrame::CMainFrame(const QString& exeDir, CRecentFileList* recentFiles, QWidget* parent)
    : QMainWindow(parent)
    , m_exeDir(exeDir)
    , m_recentFiles(recentFiles)
{
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
    resize(780, 560);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

void CMainFrame::SetActiveDocument(COmbrixDoc* doc)
{
    m_document = doc;
}

QLabel* CMainFrame::indicator(int i) const
{
    return i >= 0 && i < 3 ? m_indicators[i] : nullptr;
}

void CMainFrame::createActions()
{
    m_actions = std::make_unique<ActionTable>(this);

    connect(action(kHelpContents), &QAction::triggered, this, &CMainFrame::OnHelpContents);
    QAction* help = action(kHelp);
    addAction(help);
    connect(help, &QAction::triggered, this, &CMainFrame::OnHelp);
    connect(action(kAppExit), &QAction::triggered, this, &QWidget::close);

    QAction* toolbar = action(kViewToolbar);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* statusbar = action(kViewStatusBar);
    statusbar->setCheckable(true);
    statusbar->setChecked(true);

    // Commands whose handlers are not part of the program yet are greyed, as items without a
    // handler always are.
    for (const int command : {kTipOfTheDay})
        action(command)->setEnabled(false);
}

void CMainFrame::createMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<int> commands) {
        for (const int command : commands) {
            if (command == 0)
                menu->addSeparator();
            else
                menu->addAction(action(command));
        }
    };
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    add(m_fileMenu,
        {kFileNew, kFileOpen, kFileSave, kFileSaveAs, 0, kRecentFile1, kRecentFile1 + 1,
            kRecentFile1 + 2, kRecentFile4, 0, kAppExit});
    add(menuBar()->addMenu(QStringLiteral("Lotto&Data")), {kOpenLottoData, kBlankItem});
    add(menuBar()->addMenu(QStringLiteral("&Predict")), {kNonlinearRegress, 0, kFuzzyPeriod});
    add(menuBar()->addMenu(QStringLiteral("&Statistics")), {kFrequency, kDistribution});
    add(menuBar()->addMenu(QStringLiteral("&Edit")),
        {kEditUndo, 0, kEditCut, kEditCopy, kEditPaste});
    add(menuBar()->addMenu(QStringLiteral("&View")), {kViewToolbar, kViewStatusBar});
    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    add(m_helpMenu, {kHelpContents, kAbout});

    // Whenever the menu bar is used, the way the framework's menu initialisation runs.
    for (QAction* top : menuBar()->actions()) {
        if (QMenu* menu = top->menu())
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::OnInitMenu);
    }
    OnInitMenu();

    connect(m_recentFiles, &CRecentFileList::changed, this, &CMainFrame::updateRecentFiles);
    updateRecentFiles();
}

void CMainFrame::createToolBar()
{
    m_toolbar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolbar->setObjectName(QStringLiteral("toolbar59392"));
    m_toolbar->setIconSize(QSize(23, 23));
    m_toolbar->setMovable(true);
    m_toolbar->setFloatable(true);
    m_toolbar->setAllowedAreas(Qt::AllToolBarAreas);
    bool first = true;
    for (const int command :
        {kOpenLottoData, kNonlinearRegress, kFuzzyPeriod, kFrequency, kDistribution, kFileNew,
            kFileOpen, kFileSave, kEditCut, kEditCopy, kEditPaste, kHelpContents}) {
        if (!first)
            m_toolbar->addSeparator();
        m_toolbar->addAction(action(command));
        first = false;
    }
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    QAction* toggle = action(kViewToolbar);
    connect(toggle, &QAction::toggled, m_toolbar, &QWidget::setVisible);
    connect(m_toolbar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusbar59393"));
    // A normal widget stays hidden while a status prompt shows, so "Ready" returns by itself.
    m_ready = new QLabel(QStringLiteral("Ready"), bar);
    bar->addWidget(m_ready, 1);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(bar);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(
            label->fontMetrics().horizontalAdvance(QString::fromLatin1(kIndicatorTexts[i])) + 8);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(label);
        m_indicators[i] = label;
    }
    QAction* toggle = action(kViewStatusBar);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);

    qApp->installEventFilter(this);
    updateIndicators();
}

void CMainFrame::updateIndicators()
{
    const std::optional<LockKeys> keys = queryLockKeys();
    const bool on[3] = {keys && keys->caps, keys && keys->num, keys && keys->scroll};
    for (int i = 0; i < 3; ++i)
        m_indicators[i]->setText(on[i] ? QString::fromLatin1(kIndicatorTexts[i]) : QString());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        updateIndicators();
        if (isHelpKeyInADialog(static_cast<QKeyEvent*>(event))) {
            OnHelp();
            return true;
        }
        break;
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        updateIndicators();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The window's own F1 works only while the window is active; while a message box or dialog
// holds the program, the key reaches the dialog instead, and would do nothing there.
bool CMainFrame::isHelpKeyInADialog(const QKeyEvent* key) const
{
    if (key->key() != Qt::Key_F1
        || (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != m_help;
}

void CMainFrame::updateRecentFiles()
{
    const QStringList& files = m_recentFiles->files();
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = action(kRecentFile1 + i);
        if (i < files.size()) {
            entry->setText(m_recentFiles->menuText(i));
            entry->setEnabled(true);
            entry->setVisible(true);
        } else if (i == 0) {
            entry->setText(QStringLiteral("Recent File"));
            entry->setEnabled(false);
            entry->setVisible(true);
        } else {
            entry->setVisible(false);
        }
    }
}

void CMainFrame::OnInitMenu()
{
    const QString tip = QStringLiteral("Ti&p of the Day...");
    const QList<QAction*> items = m_helpMenu->actions();
    if (!items.isEmpty() && items.first()->text() == tip)
        return;
    QAction* before = items.isEmpty() ? nullptr : items.first();
    m_helpMenu->insertAction(before, action(kTipOfTheDay));
    m_helpMenu->insertSeparator(before);
}

void CMainFrame::OnHelpContents()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showFile(QDir(m_exeDir).filePath(QStringLiteral("corvh.hlp")));
}

void CMainFrame::OnHelp()
{
    OnHelpContents();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_document && !m_document->SaveModified()) {
        event->ignore();
        return;
    }
    if (m_help)
        m_help->close();
    event->accept();
}

} // namespace corvane::app
