#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace corvane::app {

/// Every message box of the program goes through here, titled with the application title.
/// Tests switch on test mode: nothing is shown, the texts are recorded, and each box returns
/// the next queued answer (or its default button when none is queued).
class MessageBox
{
public:
    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;

    /// The title of every message box.
    static QString title();

    /// The program's own messages: a plain box, the text and an OK button, no icon.
    static void information(QWidget* parent, const QString& text);
    /// The framework's file errors, with its exclamation icon and an OK button.
    static void warning(QWidget* parent, const QString& text);
    /// A question with buttons and the framework's question icon; returns the one chosen.
    /// Escape gives Cancel when it is offered.
    static Button question(QWidget* parent, const QString& text, Buttons buttons);

    static void setTestMode(bool on);
    static void setNextAnswer(Button answer);
    /// The texts shown since the last call, oldest first.
    static QStringList takeShown();
    /// The icons of the boxes shown since the last call, oldest first.
    static QList<QMessageBox::Icon> takeShownIcons();

private:
    static Button show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        Buttons buttons, Button defaultButton);
};

/// The file dialogs, with the same test mode: each returns the next queued name, or nothing
/// (as when the user cancels).
class FileDialog
{
public:
    static QString getOpenFileName(QWidget* parent, const QString& filter);
    static QString getSaveFileName(QWidget* parent, const QString& name, const QString& filter);

    static void setTestMode(bool on);
    static void setNextFileName(const QString& name);
    /// How many file dialogs asked since the last call.
    static int takeAsked();
};

} // namespace corvane::app
