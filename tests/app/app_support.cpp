#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"
#include "app/shell/settings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

namespace corvane::test {

void isolateFromTheUser()
{
    QStandardPaths::setTestModeEnabled(true);
    static QTemporaryDir settingsDir;
    app::Settings::redirectTo(settingsDir.path());
    app::MessageBox::setTestMode(true);
    app::FileDialog::setTestMode(true);
}

ChangeDir::ChangeDir(const QString& dir)
    : m_old(QDir::currentPath())
{
    QDir::setCurrent(dir);
}

ChangeDir::~ChangeDir()
{
    QDir::setCurrent(m_old);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<missing>");
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

QString shippedHistory()
{
    return QStringLiteral(CORVANE_SHIPPED_DATA_DIR "/ca649.txt");
}

QByteArray drawLines(int n, const char* end)
{
    QByteArray text;
    for (int i = 0; i < n; ++i) {
        text += QByteArray::number(20020101 + i);
        for (int c = 1; c <= 6; ++c)
            text += ' ' + QByteArray::number((i * 7 + c * 11) % 49 + 1);
        text += end;
    }
    return text;
}

StartedApp::StartedApp(bool withDefaultHistory)
{
    if (withDefaultHistory)
        QFile::copy(shippedHistory(), file(QStringLiteral("ca649.txt")));
    m_app = std::make_unique<app::COmbrixApp>(dir());
}

StartedApp::~StartedApp() = default;

QString StartedApp::file(const QString& name) const
{
    return m_dir.filePath(name);
}

bool StartedApp::start()
{
    return m_app->InitInstance();
}

app::CMainFrame* StartedApp::frame() const
{
    return m_app->mainFrame();
}

app::COmbrixDoc* StartedApp::doc() const
{
    return m_app->document();
}

app::COmbrixView* StartedApp::view() const
{
    return doc() ? doc()->GetView() : nullptr;
}

QAction* StartedApp::action(int command) const
{
    return frame() ? frame()->action(command) : nullptr;
}

namespace {

struct ModalState
{
    bool done = false;
    bool answered = false;
    int tries = 0;
    std::function<void(QWidget*)> answer;
};

// exec() shows the dialog before its event loop runs this, but a dialog opened by a longer
// computation may come later: keep looking for a while.
void pollModal(const std::weak_ptr<ModalState>& weak)
{
    const auto state = weak.lock();
    if (!state || state->done)
        return;
    if (QWidget* modal = QApplication::activeModalWidget()) {
        state->answered = true;
        state->done = true;
        state->answer(modal);
        return;
    }
    if (++state->tries < 500)
        QTimer::singleShot(10, [weak] { pollModal(weak); });
}

} // namespace

QStringList tabOrder(QWidget* window, int count)
{
    auto nameOf = [](const QWidget* widget) {
        if (!widget)
            return QStringLiteral("(none)");
        if (!widget->objectName().isEmpty())
            return widget->objectName();
        const QVariant text = widget->property("text");
        return text.isValid() ? text.toString()
                              : QString::fromLatin1(widget->metaObject()->className());
    };
    QStringList order {nameOf(QApplication::focusWidget())};
    for (int i = 0; i < count; ++i) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : window, Qt::Key_Tab);
        order.append(nameOf(QApplication::focusWidget()));
    }
    return order;
}

QChar mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1).toLower();
        ++i;
    }
    return {};
}

bool answerModal(const std::function<void()>& what, const std::function<void(QWidget*)>& answer)
{
    auto state = std::make_shared<ModalState>();
    state->answer = answer;
    const std::weak_ptr<ModalState> weak = state;
    QTimer::singleShot(0, [weak] { pollModal(weak); });
    what();
    state->done = true;
    return state->answered && QApplication::activeModalWidget() == nullptr;
}

} // namespace corvane::test
