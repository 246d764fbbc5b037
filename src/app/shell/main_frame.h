#pragma once

#include "app/shell/action_table.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;

namespace corvane::app {

class COmbrixDoc;
class CRecentFileList;
class HelpWindow;

/// The main window: menus, toolbar, status bar and the data file view as its client. It never
/// puts the document's name into its caption; the view and start-up set the caption.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    /// exeDir: where the help file lives. recentFiles: the list the "&File" menu shows.
    CMainFrame(const QString& exeDir, CRecentFileList* recentFiles, QWidget* parent = nullptr);
    ~CMainFrame() override;
    Q_DISABLE_COPY_MOVE(CMainFrame)

    const ActionTable& actions() const { return *m_actions; }
    QAction* action(int command) const { return m_actions->action(command); }

    /// The document whose save-changes prompt runs when the window closes.
    void SetActiveDocument(COmbrixDoc* doc);

    QToolBar* toolBar() const { return m_toolbar; }
    QMenu* helpMenu() const { return m_helpMenu; }
    HelpWindow* helpWindow() const { return m_help; }
    /// The lock-key panes: CAP, NUM, SCRL.
    QLabel* indicator(int i) const;

public slots:
    void OnHelpContents();
    void OnHelp();
    /// Puts "Ti&p of the Day..." and a separator at the top of "&Help" unless they are there.
    void OnInitMenu();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void updateRecentFiles();
    void updateIndicators();
    /// F1 alone, pressed while a message box or dialog holds the program.
    bool isHelpKeyInADialog(const QKeyEvent* key) const;

    QString m_exeDir;
    CRecentFileList* m_recentFiles;
    QPointer<COmbrixDoc> m_document;
    std::unique_ptr<ActionTable> m_actions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QToolBar* m_toolbar = nullptr;
    QLabel* m_ready = nullptr;
    QLabel* m_indicators[3] = {};
    HelpWindow* m_help = nullptr;
};

} // namespace corvane::app
