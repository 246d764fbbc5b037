#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace corvane::app {
class CMainFrame;
class COmbrixApp;
class COmbrixDoc;
class COmbrixView;
} // namespace corvane::app

namespace corvane::test {

/// Makes dir the current folder while it lives.
class ChangeDir
{
public:
    explicit ChangeDir(const QString& dir);
    ~ChangeDir();
    Q_DISABLE_COPY_MOVE(ChangeDir)

private:
    QString m_old;
};

/// Call first in initTestCase: settings go to a temporary folder, message boxes and file
/// dialogs are answered by the test instead of shown.
void isolateFromTheUser();

QByteArray readBytes(const QString& path);
/// Writes bytes to path; false when that failed.
bool writeBytes(const QString& path, const QByteArray& bytes);
/// The shipped Canada 6/49 history.
QString shippedHistory();
/// n draw lines "yyyymmdd a b c d e f" with end as line end.
QByteArray drawLines(int n, const char* end = "\r\n");

/// The program started on a fresh executable's directory D, a temporary folder holding what
/// the test put there.
class StartedApp
{
public:
    /// Copies the shipped ca649.txt into D unless told not to, then runs nothing yet.
    explicit StartedApp(bool withDefaultHistory = true);
    ~StartedApp();

    QString dir() const { return m_dir.path(); }
    QString file(const QString& name) const;
    bool start();

    app::COmbrixApp& app() { return *m_app; }
    app::CMainFrame* frame() const;
    app::COmbrixDoc* doc() const;
    app::COmbrixView* view() const;
    QAction* action(int command) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<app::COmbrixApp> m_app;
};

/// The keyboard focus as Tab moves it through a shown, active window: the object name (or, when
/// it has none, the text) of the focused widget before the first Tab and after each of count
/// presses.
QStringList tabOrder(QWidget* window, int count);
/// The mnemonic of a menu or control text, lower case: the character after a single "&"; a null
/// character when there is none ("&&" shows an ampersand).
QChar mnemonicOf(const QString& text);

/// Runs what, and meanwhile answers the first modal dialog that opens with answer (called with
/// the dialog, which it should close). Returns false when no dialog opened or it stayed open.
bool answerModal(const std::function<void()>& what, const std::function<void(QWidget*)>& answer);

} // namespace corvane::test
