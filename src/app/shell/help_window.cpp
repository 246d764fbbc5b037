#include "app/shell/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

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
    if (!m_placed) {
        placeOnScreen();
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    m_browser->setFocus();
}

void HelpWindow::placeOnScreen()
{
    // Left to the window manager, the help may open with its foot below the screen: put it
    // over the window it helps with, wholly on that window's screen.
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = over ? over->screen() : this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Room for the borders and the title bar that the frame adds outside the window.
    constexpr int kBorder = 8;
    constexpr int kTitle = 40;
    const QSize size(std::min(width(), area.width() - 2 * kBorder),
        std::min(height(), area.height() - kTitle - kBorder));
    resize(size);
    QRect placed(QPoint(), size);
    placed.moveCenter(over ? over->frameGeometry().center() : area.center());
    placed.moveLeft(
        std::clamp(placed.left(), area.left(), area.right() + 1 - size.width() - 2 * kBorder));
    placed.moveTop(
        std::clamp(placed.top(), area.top(), area.bottom() + 1 - size.height() - kTitle - kBorder));
    move(placed.topLeft());
}

} // namespace corvane::app
