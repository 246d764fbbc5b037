#include "help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace corvane::app {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Corvane Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    resize(640, 560);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::showFile(const QString& path)
{
    if (QFileInfo(path).isFile()) {
        // The file is HTML whatever its name ends with.
        m_browser->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    } else {
        m_browser->setSource(QUrl());
        m_browser->setPlainText(QStringLiteral("Cannot find the help file ")
            + QDir::toNativeSeparators(path) + QLatin1Char('.'));
    }
    show();
    raise();
    activateWindow();
}

} // namespace corvane::app
