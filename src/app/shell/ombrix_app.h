#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace corvane::app {

class CMainFrame;
class CMyDocManager;
class COmbrixDoc;
class CRecentFileList;
class CSingleDocTemplate;
class Settings;

/// The application: starts the program on the start-up lottery, owns the document manager and
/// what persists between runs, and handles New, Open and the recent files.
class COmbrixApp : public QObject
{
    Q_OBJECT

public:
    /// exeDir: the executable's directory, where the data files, the start-up file and the help
    /// file are found.
    explicit COmbrixApp(const QString& exeDir, QObject* parent = nullptr);
    ~COmbrixApp() override;
    Q_DISABLE_COPY_MOVE(COmbrixApp)

    /// Opens the start-up lottery in the main window; false (after the open's message) when it
    /// cannot be opened, and the program should end.
    bool InitInstance();
    /// Stores the recent-file list and lets the document manager go.
    int ExitInstance();

    /// Opens a path through the document manager, even when it is the open document.
    COmbrixDoc* OpenDocumentFile(const QString& name);

    CMainFrame* mainFrame() const;
    COmbrixDoc* document() const;
    CRecentFileList* recentFiles() const { return m_recentFiles.get(); }
    const QString& exeDir() const { return m_exeDir; }

    /// The data file last chosen in the lottery selection dialog; empty until then.
    QString m_datapath;

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    /// Command 104: the tip of the day, modal, with no parent window.
    void OnTipOfTheDay();
    /// "Open &Lottory Data": the selection dialog, then the chosen lottery's data file.
    void OnOpenLotto();
    /// The item " ": no effect.
    void OnGetData();
    void OnAppAbout();

private:
    void connectCommands(CMainFrame* frame);

    QString m_exeDir;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::unique_ptr<CMyDocManager> m_pDocManager;
    CSingleDocTemplate* m_template = nullptr;
};

} // namespace corvane::app
