// The main window's menus, accelerators, string table, toolbar, status bar and help.
#include "app_support.h"

#include "app/shell/commands.h"
#include "app/shell/help_window.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/recent_files.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

using namespace corvane::app;
using corvane::test::StartedApp;

namespace {

// A menu as "text|command" items, "-" for a separator; hidden items are left out.
QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        items.append(action->isSeparator()
                ? QStringLiteral("-")
                : action->text() + QLatin1Char('|') + QString::number(action->data().toInt()));
    }
    return items;
}

QMenu* menuTitled(CMainFrame& frame, const QString& title)
{
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->text() == title)
            return top->menu();
    }
    return nullptr;
}

} // namespace

class FrameTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }

    void menuBar_hasThePopupsInOrder();
    void menu_itemsAndSeparators_data();
    void menu_itemsAndSeparators();
    void helpMenu_tipOfTheDayOnceHoweverOftenOpened();
    void shortcuts_data();
    void shortcuts();
    void stringTable_data();
    void stringTable();
    void unhandledCommands_areGreyed();
    void recentFiles_placeholderGreyedWhenEmpty_filesShownNumbered();
    void toolbar_twelveButtonsWithSeparators();
    void toolbar_picturesAre23PixelsSquare();
    void statusBar_readyAndLockPanes();
    void statusBar_promptReplacesReadyWhileShown();
    void viewCommands_toggleTheBars();
    void help_f1AndMenuShowTheHelpFile();
    void help_missingFileIsSaidInTheWindow();
};

void FrameTest::menuBar_hasThePopupsInOrder()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    QStringList titles;
    for (const QAction* top : frame.menuBar()->actions())
        titles.append(top->text());
    QCOMPARE(titles,
        QStringList({QStringLiteral("&File"), QStringLiteral("Lotto&Data"),
            QStringLiteral("&Predict"), QStringLiteral("&Statistics"), QStringLiteral("&Edit"),
            QStringLiteral("&View"), QStringLiteral("&Help")}));
}

void FrameTest::menu_itemsAndSeparators_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("File") << QStringLiteral("&File")
                          << QStringList({QStringLiteral("&New\tCtrl+N|57600"),
                                 QStringLiteral("&Open...\tCtrl+O|57601"),
                                 QStringLiteral("&Save\tCtrl+S|57603"),
                                 QStringLiteral("Save &As...|57604"), QStringLiteral("-"),
                                 QStringLiteral("Recent File|57616"), QStringLiteral("-"),
                                 QStringLiteral("E&xit|57665")});
    QTest::newRow("LottoData") << QStringLiteral("Lotto&Data")
                               << QStringList({QStringLiteral("Open &Lottory Data|32775"),
                                      QStringLiteral(" |32776")});
    QTest::newRow("Predict") << QStringLiteral("&Predict")
                             << QStringList(
                                    {QStringLiteral("Nonlinear Re&gress Method\tCtrl+G|32774"),
                                        QStringLiteral("-"),
                                        QStringLiteral("&Fuzzy Period Mehod\tCtrl+F|32789")});
    QTest::newRow("Statistics") << QStringLiteral("&Statistics")
                                << QStringList(
                                       {QStringLiteral("Frenquency Of &Lotto\tCtrl+T|32792"),
                                           QStringLiteral("Drawing Of Lotto &Distribution|32794")});
    QTest::newRow("Edit") << QStringLiteral("&Edit")
                          << QStringList({QStringLiteral("&Undo\tCtrl+Z|57643"),
                                 QStringLiteral("-"), QStringLiteral("Cu&t\tCtrl+X|57635"),
                                 QStringLiteral("&Copy\tCtrl+C|57634"),
                                 QStringLiteral("&Paste\tCtrl+V|57637")});
    QTest::newRow("View") << QStringLiteral("&View")
                          << QStringList({QStringLiteral("&Toolbar|59392"),
                                 QStringLiteral("&Status Bar|59393")});
    QTest::newRow("Help") << QStringLiteral("&Help")
                          << QStringList(
                                 {QStringLiteral("Ti&p of the Day...|104"), QStringLiteral("-"),
                                     QStringLiteral("&Help Index  && Contents|32772"),
                                     QStringLiteral("&About Corvane...|57664")});
}

void FrameTest::menu_itemsAndSeparators()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    QMenu* popup = menuTitled(frame, menu);
    QVERIFY(popup);
    QCOMPARE(itemsOf(popup), items);
}

void FrameTest::helpMenu_tipOfTheDayOnceHoweverOftenOpened()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    frame.show();
    QMenu* help = frame.helpMenu();
    for (int i = 0; i < 3; ++i) {
        QMetaObject::invokeMethod(help, "aboutToShow");
        frame.OnInitMenu();
    }
    help->popup(QPoint(0, 0));
    help->hide();
    const QStringList items = itemsOf(help);
    QCOMPARE(items.count(QStringLiteral("Ti&p of the Day...|104")), 1);
    QCOMPARE(items.count(QStringLiteral("-")), 1);
    QCOMPARE(items.first(), QStringLiteral("Ti&p of the Day...|104"));
    QCOMPARE(items.at(2), QStringLiteral("&Help Index  && Contents|32772"));
}

void FrameTest::shortcuts_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QList<QKeySequence>>("keys");
    using Keys = QList<QKeySequence>;
    QTest::newRow("New") << int(kFileNew) << Keys {QKeySequence(Qt::CTRL | Qt::Key_N)};
    QTest::newRow("Open") << int(kFileOpen) << Keys {QKeySequence(Qt::CTRL | Qt::Key_O)};
    QTest::newRow("Save") << int(kFileSave) << Keys {QKeySequence(Qt::CTRL | Qt::Key_S)};
    QTest::newRow("Regress") << int(kNonlinearRegress) << Keys {QKeySequence(Qt::CTRL | Qt::Key_G)};
    QTest::newRow("Fuzzy") << int(kFuzzyPeriod) << Keys {QKeySequence(Qt::CTRL | Qt::Key_F)};
    QTest::newRow("Frequency") << int(kFrequency) << Keys {QKeySequence(Qt::CTRL | Qt::Key_T)};
    QTest::newRow("Undo") << int(kEditUndo)
                          << Keys {QKeySequence(Qt::CTRL | Qt::Key_Z),
                                 QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    QTest::newRow("Cut") << int(kEditCut)
                         << Keys {QKeySequence(Qt::CTRL | Qt::Key_X),
                                QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    QTest::newRow("Copy") << int(kEditCopy)
                          << Keys {QKeySequence(Qt::CTRL | Qt::Key_C),
                                 QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    QTest::newRow("Paste") << int(kEditPaste)
                           << Keys {QKeySequence(Qt::CTRL | Qt::Key_V),
                                  QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    QTest::newRow("Help") << int(kHelp) << Keys {QKeySequence(Qt::Key_F1)};
    // Everything else has no key.
    for (const int command : {kFileSaveAs, kAppExit, kOpenLottoData, kBlankItem, kDistribution,
             kViewToolbar, kViewStatusBar, kHelpContents, kAbout, kTipOfTheDay})
        QTest::newRow(qPrintable(QString::number(command))) << command << Keys {};
}

void FrameTest::shortcuts()
{
    QFETCH(int, command);
    QFETCH(QList<QKeySequence>, keys);
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    QAction* action = frame.action(command);
    QVERIFY(action);
    QCOMPARE(action->shortcuts(), keys);
}

void FrameTest::stringTable_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("tooltip");
    const struct
    {
        int command;
        const char* prompt;
        const char* tooltip;
    } rows[] = {
        {kHelpContents, "Help Information ", "Help Information "},
        {kNonlinearRegress, "Predict The Next Lottery Number Using Nonlinear Regression Method",
            "Use Nonlinear Regression To Predict "},
        {kOpenLottoData, "Open Lottery Data For Prediction", "Open Lottery Data To Predict"},
        {kFuzzyPeriod, "Use Fuzzy Period Method", "Use Fuzzy Period Method To Predict"},
        {kFrequency, "Show How Many Times Of Each Lotto Number",
            "Show How Many Times Of Each Lotto Number"},
        {kDistribution, "Drawing Of Each Lotto Number's Distribution",
            "Drawing Of Each Lotto Number's Distribution"},
        {kTipOfTheDay, "Displays a Tip of the Day.", nullptr},
        {kFileNew, "Create a new document", "New"},
        {kFileOpen, "Open an existing document", "Open"},
        {kFileSave, "Save the active document", "Save"},
        {kFileSaveAs, "Save the active document with a new name", "Save As"},
        {kRecentFile1, "Open this document", nullptr},
        {kRecentFile1 + 1, "Open this document", nullptr},
        {kRecentFile1 + 2, "Open this document", nullptr},
        {kRecentFile4, "Open this document", nullptr},
        {kAppExit, "Quit the application; prompts to save documents", "Exit"},
        {kEditUndo, "Undo the last action", "Undo"},
        {kEditCut, "Cut the selection and put it on the Clipboard", "Cut"},
        {kEditCopy, "Copy the selection and put it on the Clipboard", "Copy"},
        {kEditPaste, "Insert Clipboard contents", "Paste"},
        {kViewToolbar, "Show or hide the toolbar", "Toggle ToolBar"},
        {kViewStatusBar, "Show or hide the status bar", "Toggle StatusBar"},
        {kAbout, "Display program information, version number and copyright", "About"},
    };
    for (const auto& row : rows) {
        QTest::newRow(qPrintable(QString::number(row.command)))
            << row.command << QString::fromLatin1(row.prompt)
            << (row.tooltip ? QString::fromLatin1(row.tooltip) : QString());
    }
}

void FrameTest::stringTable()
{
    QFETCH(int, command);
    QFETCH(QString, prompt);
    QFETCH(QString, tooltip);
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    QAction* action = frame.action(command);
    QVERIFY(action);
    QCOMPARE(action->statusTip(), prompt);
    if (!tooltip.isNull())
        QCOMPARE(action->toolTip(), tooltip);
}

void FrameTest::unhandledCommands_areGreyed()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    for (const int command : {kTipOfTheDay})
        QVERIFY2(!frame.action(command)->isEnabled(), qPrintable(QString::number(command)));
    for (const int command : {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kAppExit,
             kNonlinearRegress, kFuzzyPeriod, kFrequency, kDistribution, kEditPaste, kViewToolbar,
             kViewStatusBar, kHelpContents, kAbout, kOpenLottoData, kBlankItem})
        QVERIFY2(frame.action(command)->isEnabled(), qPrintable(QString::number(command)));
}

void FrameTest::recentFiles_placeholderGreyedWhenEmpty_filesShownNumbered()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    QAction* first = frame.action(kRecentFile1);
    QCOMPARE(first->text(), QStringLiteral("Recent File"));
    QVERIFY(!first->isEnabled());

    for (const char* path : {"/d/a.txt", "/d/b&c.txt", "/d/c.txt", "/d/d.txt", "/d/e.txt"})
        recent.Add(QString::fromLatin1(path));
    recent.Add(QStringLiteral("/d/c.txt"));
    QMenu* file = menuTitled(frame, QStringLiteral("&File"));
    const QStringList items = itemsOf(file);
    const QStringList expected {QStringLiteral("&1 /d/c.txt|57616"),
        QStringLiteral("&2 /d/e.txt|57617"), QStringLiteral("&3 /d/d.txt|57618"),
        QStringLiteral("&4 /d/b&&c.txt|57619")};
    QCOMPARE(items.mid(5, 4), expected);
    QCOMPARE(items.at(9), QStringLiteral("-"));
    QVERIFY(first->isEnabled());
}

void FrameTest::toolbar_twelveButtonsWithSeparators()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    QToolBar* bar = frame.toolBar();
    QList<int> buttons;
    bool previousWasButton = false;
    for (const QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            QVERIFY(previousWasButton);
            previousWasButton = false;
            continue;
        }
        QVERIFY2(buttons.isEmpty() || !previousWasButton, "two buttons without a separator");
        buttons.append(action->data().toInt());
        QVERIFY(!action->icon().isNull());
        previousWasButton = true;
    }
    QCOMPARE(buttons,
        QList<int>({kOpenLottoData, kNonlinearRegress, kFuzzyPeriod, kFrequency, kDistribution,
            kFileNew, kFileOpen, kFileSave, kEditCut, kEditCopy, kEditPaste, kHelpContents}));
    QCOMPARE(bar->actions().size(), 23);
    QVERIFY(bar->isMovable());
    QVERIFY(bar->isFloatable());
    QCOMPARE(bar->allowedAreas(), Qt::AllToolBarAreas);
    QCOMPARE(bar->iconSize(), QSize(23, 23));
    QCOMPARE(frame.toolBarArea(bar), Qt::TopToolBarArea);
}

void FrameTest::toolbar_picturesAre23PixelsSquare()
{
    for (const char* name : {"lotto", "regress", "fuzzy", "frequency", "distribution", "new",
             "open", "save", "cut", "copy", "paste", "help"}) {
        const QImage picture(
            QStringLiteral(":/toolbar/") + QLatin1String(name) + QStringLiteral(".png"));
        QCOMPARE(picture.size(), QSize(23, 23));
        const QImage large(
            QStringLiteral(":/toolbar/") + QLatin1String(name) + QStringLiteral("@2x.png"));
        QCOMPARE(large.size(), QSize(46, 46));
    }
}

void FrameTest::statusBar_readyAndLockPanes()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const QList<QLabel*> labels = frame.statusBar()->findChildren<QLabel*>();
    bool ready = false;
    for (const QLabel* label : labels)
        ready = ready || (label->text() == QStringLiteral("Ready") && label->isVisible());
    QVERIFY(ready);
    const QStringList names {QStringLiteral("CAP"), QStringLiteral("NUM"), QStringLiteral("SCRL")};
    for (int i = 0; i < 3; ++i) {
        QLabel* pane = frame.indicator(i);
        QVERIFY(pane);
        QVERIFY(pane->isVisible());
        // Lit only where the platform reports the key; the offscreen platform does not.
        QVERIFY(pane->text().isEmpty() || pane->text() == names.at(i));
        QVERIFY(pane->minimumWidth() >= pane->fontMetrics().horizontalAdvance(names.at(i)));
    }
}

void FrameTest::statusBar_promptReplacesReadyWhileShown()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QAction* regress = frame.action(kNonlinearRegress);
    regress->showStatusText(&frame);
    QCOMPARE(frame.statusBar()->currentMessage(),
        QStringLiteral("Predict The Next Lottery Number Using Nonlinear Regression Method"));
    frame.statusBar()->clearMessage();
    QLabel* ready = nullptr;
    for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("Ready"))
            ready = label;
    }
    QVERIFY(ready);
    QTRY_VERIFY(ready->isVisible());
}

void FrameTest::viewCommands_toggleTheBars()
{
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.action(kViewToolbar)->trigger();
    QVERIFY(!frame.toolBar()->isVisible());
    QVERIFY(!frame.action(kViewToolbar)->isChecked());
    frame.action(kViewToolbar)->trigger();
    QVERIFY(frame.toolBar()->isVisible());
    frame.action(kViewStatusBar)->trigger();
    QVERIFY(!frame.statusBar()->isVisible());
    frame.action(kViewStatusBar)->trigger();
    QVERIFY(frame.statusBar()->isVisible());
}

void FrameTest::help_f1AndMenuShowTheHelpFile()
{
    StartedApp started;
    QVERIFY(QFile::copy(QStringLiteral(CORVANE_APP_RESOURCES_DIR "/corvh.hlp"),
        started.file(QStringLiteral("corvh.hlp"))));
    QVERIFY(started.start());
    CMainFrame* frame = started.frame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));

    QTest::keyClick(frame, Qt::Key_F1);
    QTRY_VERIFY(frame->helpWindow() && frame->helpWindow()->isVisible());
    QTextBrowser* browser = frame->helpWindow()->browser();
    QCOMPARE(browser->source(), QUrl::fromLocalFile(started.file(QStringLiteral("corvh.hlp"))));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("16 draw lines")));
    frame->helpWindow()->close();

    started.action(kHelpContents)->trigger();
    QVERIFY(frame->helpWindow()->isVisible());
    QCOMPARE(browser->source(), QUrl::fromLocalFile(started.file(QStringLiteral("corvh.hlp"))));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void FrameTest::help_missingFileIsSaidInTheWindow()
{
    StartedApp started;
    QVERIFY(started.start());
    started.action(kHelpContents)->trigger();
    HelpWindow* help = started.frame()->helpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->browser()->toPlainText(),
        QStringLiteral("Cannot find the help file ")
            + QDir::toNativeSeparators(started.file(QStringLiteral("corvh.hlp")))
            + QLatin1Char('.'));
}

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
