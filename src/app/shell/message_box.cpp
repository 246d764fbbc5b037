#include "app/shell/message_box.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QQueue>

#include <utility>

namespace corvane::app {

namespace {

struct MessageBoxTest
{
    bool on = false;
    QQueue<MessageBox::Button> answers;
    QStringList shown;
    QList<QMessageBox::Icon> icons;
};

MessageBoxTest& messageTest()
{
    static MessageBoxTest state;
    return state;
}

struct FileDialogTest
{
    bool on = false;
    QQueue<QString> names;
    int asked = 0;
};

FileDialogTest& fileTest()
{
    static FileDialogTest state;
    return state;
}

// The program's filters are the original platform's, where "*.*" is every file. Here it hides
// the names without a dot, so the dialog keeps the filter's label but lists every file.
QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& caption,
    const QString& name, const QString& filter)
{
    QFileDialog dialog(parent, caption, name, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(
        mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
#ifndef Q_OS_WIN
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        auto everyFile = [model] { model->setNameFilters({}); };
        everyFile();
        // Choosing the filter again applies its patterns again.
        QObject::connect(&dialog, &QFileDialog::filterSelected, model, everyFile);
    }
#endif
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

QString MessageBox::title()
{
    return QStringLiteral("Corvane");
}

void MessageBox::information(QWidget* parent, const QString& text)
{
    show(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBox::warning(QWidget* parent, const QString& text)
{
    show(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

MessageBox::Button MessageBox::question(QWidget* parent, const QString& text, Buttons buttons)
{
    const Button fallback
        = buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::NoButton;
    return show(parent, QMessageBox::Question, text, buttons, fallback);
}

MessageBox::Button MessageBox::show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
    Buttons buttons, Button defaultButton)
{
    MessageBoxTest& test = messageTest();
    if (test.on) {
        test.shown.append(text);
        test.icons.append(icon);
        return test.answers.isEmpty() ? defaultButton : test.answers.dequeue();
    }
    QMessageBox box(icon, title(), text, buttons, parent);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    return static_cast<Button>(box.exec());
}

void MessageBox::setTestMode(bool on)
{
    messageTest() = MessageBoxTest {};
    messageTest().on = on;
}

void MessageBox::setNextAnswer(Button answer)
{
    messageTest().answers.enqueue(answer);
}

QStringList MessageBox::takeShown()
{
    return std::exchange(messageTest().shown, {});
}

QList<QMessageBox::Icon> MessageBox::takeShownIcons()
{
    return std::exchange(messageTest().icons, {});
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& filter)
{
    FileDialogTest& test = fileTest();
    if (test.on) {
        ++test.asked;
        return test.names.isEmpty() ? QString() : test.names.dequeue();
    }
    return runFileDialog(
        parent, QFileDialog::AcceptOpen, QStringLiteral("Open"), QString(), filter);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& name, const QString& filter)
{
    FileDialogTest& test = fileTest();
    if (test.on) {
        ++test.asked;
        return test.names.isEmpty() ? QString() : test.names.dequeue();
    }
    return runFileDialog(parent, QFileDialog::AcceptSave, QStringLiteral("Save As"), name, filter);
}

void FileDialog::setTestMode(bool on)
{
    fileTest() = FileDialogTest {};
    fileTest().on = on;
}

void FileDialog::setNextFileName(const QString& name)
{
    fileTest().names.enqueue(name);
}

int FileDialog::takeAsked()
{
    return std::exchange(fileTest().asked, 0);
}

} // namespace corvane::app
