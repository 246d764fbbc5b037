#include "app/shell/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
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
    // Read from the keyboard at once: arrows and Page Down scroll, Tab walks the links, Enter
    // follows one, Escape closes the window as it would a dialog.
    setFocusProxy(m_browser);
    connect(
        new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
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
    // Over a dialog that holds the program the help would be held too, seen but not read: it
    // holds the program itself then, until it is closed. Beside the main window it does not.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality
        = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) {
        hide();
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
    m_browser->setFocus();
}

} // namespace corvane::app
