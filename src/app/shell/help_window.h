#pragma once

#include <QWidget>

class QTextBrowser;

namespace corvane::app {

/// The program's help: a small window that shows the help file, an HTML document.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;
    Q_DISABLE_COPY_MOVE(HelpWindow)

    /// Shows the file at path, or says that it cannot be found; then brings the window up, over
    /// the message box or dialog that holds the program if there is one.
    void showFile(const QString& path);

    QTextBrowser* browser() const { return m_browser; }

private:
    void placeOnScreen();

    QTextBrowser* m_browser;
    bool m_placed = false;
};

} // namespace corvane::app
