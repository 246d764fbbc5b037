// F1 opens the help from the program's message boxes and dialogs too, as their messages promise
// ("Press F1 To See Help"); the help then takes the keyboard and the mouse until it is closed.
#include "app_support.h"

#include "app/shell/commands.h"
#include "app/shell/dlg2.h"
#include "app/shell/help_window.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include <functional>

using namespace corvane::app;
using corvane::test::StartedApp;

class HelpKeyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        corvane::test::isolateFromTheUser();
        // The real message boxes: the key goes to them.
        MessageBox::setTestMode(false);
    }

    void f1InADialog_opensTheHelpOverIt_data();
    void f1InADialog_opensTheHelpOverIt();
    void help_opensWhollyOnTheScreen_data();
    void help_opensWhollyOnTheScreen();
};

void HelpKeyTest::f1InADialog_opensTheHelpOverIt_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("message box") << QStringLiteral("message") << Qt::KeyboardModifiers() << true;
    QTest::newRow("result dialog") << QStringLiteral("result") << Qt::KeyboardModifiers() << true;
    QTest::newRow("about box") << QStringLiteral("about") << Qt::KeyboardModifiers() << true;
    QTest::newRow("tip of the day") << QStringLiteral("tip") << Qt::KeyboardModifiers() << true;
    // F1 with Shift, Ctrl or Alt is not the help key.
    QTest::newRow("Shift+F1") << QStringLiteral("message")
                              << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+F1") << QStringLiteral("about")
                             << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
}

void HelpKeyTest::f1InADialog_opensTheHelpOverIt()
{
    QFETCH(QString, dialog);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, opens);
    StartedApp started;
    const QString helpFile = started.file(QStringLiteral("corvh.hlp"));
    QVERIFY(QFile::copy(QStringLiteral(CORVANE_APP_RESOURCES_DIR "/corvh.hlp"), helpFile));
    QVERIFY(started.start());
    CMainFrame* frame = started.frame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));

    const std::function<void()> open = [&] {
        if (dialog == QStringLiteral("message")) {
            MessageBox::information(frame, QStringLiteral("In Help File, Press F1 To See Help"));
        } else if (dialog == QStringLiteral("result")) {
            Dlg2 dlg(frame);
            dlg.m_title = QStringLiteral("Canadian 6/49--Corvane For Windows");
            dlg.exec();
        } else if (dialog == QStringLiteral("about")) {
            started.action(kAbout)->trigger();
        } else {
            started.action(kTipOfTheDay)->trigger();
        }
    };
    bool helpShown = false;
    bool helpOnTop = false;
    bool dialogStayed = false;
    bool dialogBackOnTop = false;
    const bool answered = corvane::test::answerModal(open, [&](QWidget* modal) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : modal, Qt::Key_F1, modifiers);
        HelpWindow* help = frame->helpWindow();
        helpShown = help && help->isVisible();
        helpOnTop = help && QApplication::activeModalWidget() == help;
        if (help)
            help->close();
        dialogStayed = modal->isVisible();
        dialogBackOnTop = QApplication::activeModalWidget() == modal;
        if (auto* box = qobject_cast<QDialog*>(modal))
            box->reject();
    });
    QVERIFY(answered);
    QCOMPARE(helpShown, opens);
    QCOMPARE(helpOnTop, opens);
    QVERIFY(dialogStayed);
    QVERIFY(dialogBackOnTop);
    if (!opens)
        return;
    QCOMPARE(frame->helpWindow()->browser()->source(), QUrl::fromLocalFile(helpFile));

    // From the main window (F1 there is the window's own key) the help is an ordinary window
    // again, beside the program.
    started.action(kHelp)->trigger();
    QTRY_VERIFY(frame->helpWindow()->isVisible());
    QCOMPARE(frame->helpWindow()->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    frame->helpWindow()->close();
}

void HelpKeyTest::help_opensWhollyOnTheScreen_data()
{
    QTest::addColumn<QPoint>("corner");
    QTest::addColumn<QSize>("window");
    QTest::newRow("window at the bottom right") << QPoint(1, 1) << QSize(300, 200);
    QTest::newRow("window at the top left") << QPoint(0, 0) << QSize(300, 200);
    QTest::newRow("window filling the screen") << QPoint(0, 0) << QSize(4000, 4000);
}

void HelpKeyTest::help_opensWhollyOnTheScreen()
{
    QFETCH(QPoint, corner);
    QFETCH(QSize, window);
    QWidget main;
    const QRect area = main.screen()->availableGeometry();
    main.resize(window.boundedTo(area.size()));
    main.move(corner.x() ? area.right() - main.width() : area.left(),
        corner.y() ? area.bottom() - main.height() : area.top());
    main.show();
    HelpWindow* help = new HelpWindow(&main);
    help->showFile(QStringLiteral(CORVANE_APP_RESOURCES_DIR "/corvh.hlp"));
    QVERIFY(help->isVisible());
    QVERIFY2(area.contains(help->frameGeometry()),
        qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                       .arg(help->frameGeometry().x())
                       .arg(help->frameGeometry().y())
                       .arg(help->frameGeometry().width())
                       .arg(help->frameGeometry().height())
                       .arg(area.width())
                       .arg(area.height())));
    // Over the window it helps with, as far as the screen allows.
    QVERIFY(help->frameGeometry().intersects(main.frameGeometry()));
}

QTEST_MAIN(HelpKeyTest)
#include "help_key_test.moc"
