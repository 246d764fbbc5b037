// The prediction commands: the save-changes prompt first, the result dialog, and the document
// left as it was.
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/dlg2.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"

#include "core/predict/fuzzy.h"
#include "core/predict/regress.h"
#include "core/ui/ui.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace corvane::app;
using corvane::test::answerModal;
using corvane::test::readBytes;
using corvane::test::StartedApp;

namespace {

struct Shown
{
    QString title;
    QString text;
    QString box;
};

// Runs a command and closes the result dialog it opens with OK, keeping what it showed.
bool runAndCloseResult(QAction* command, Shown& shown)
{
    return answerModal([&] { command->trigger(); },
        [&](QWidget* modal) {
            auto* dlg = qobject_cast<Dlg2*>(modal);
            if (!dlg)
                return;
            shown = {dlg->m_title, dlg->m_text, dlg->textBox()->toPlainText()};
            dlg->findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
        });
}

// What the core shows for a file, to compare with what the program showed.
class CoreResult : public corvane::core::Ui
{
public:
    void messageBox(const std::string&) override { }
    void showResult(const std::string& t, const std::string& x) override
    {
        title = QString::fromLatin1(t.c_str());
        text = QString::fromLatin1(x.c_str());
    }
    QString title;
    QString text;
};

Shown expectedFor(int command, const QString& path)
{
    CoreResult ui;
    const std::string file = path.toStdString();
    if (command == kNonlinearRegress)
        std::make_unique<corvane::core::regress>()->dojob(file, ui);
    else
        std::make_unique<corvane::core::fuzzy>()->dofuzzy(file, ui);
    return {
        ui.title, ui.text, QString(ui.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))};
}

const QString kTooFew = QStringLiteral("Data File Must Has At Least 16 Lines Numbers\n"
                                       "Each Data Line Must Similar To The Format Described \n"
                                       "In Help File, Press F1 To See Help");

} // namespace

class AnalysisTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void prediction_showsTheCoresReport_andLeavesTheDocument_data();
    void prediction_showsTheCoresReport_andLeavesTheDocument();
    void shortcut_runsTheCommand();
    void editedText_promptFirst_data();
    void editedText_promptFirst();
    void newDocument_analysesAnEmptyPath();
};

void AnalysisTest::prediction_showsTheCoresReport_andLeavesTheDocument_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("heading");
    QTest::newRow("regression") << int(kNonlinearRegress)
                                << QStringLiteral("(Nonlinear Regress Method)");
    QTest::newRow("fuzzy") << int(kFuzzyPeriod) << QStringLiteral("(Fuzzy Period Method)");
}

void AnalysisTest::prediction_showsTheCoresReport_andLeavesTheDocument()
{
    QFETCH(int, command);
    QFETCH(QString, heading);
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("ca649.txt"));
    const QString text = started.view()->toPlainText();

    Shown shown;
    QVERIFY(runAndCloseResult(started.action(command), shown));
    const Shown expected = expectedFor(command, path);
    QCOMPARE(shown.title, QStringLiteral("Canadian 6/49--Corvane For Windows"));
    QCOMPARE(shown.title, expected.title);
    QCOMPARE(shown.text, expected.text);
    QVERIFY(shown.text.startsWith(QStringLiteral("   The 'Canadian 6/49' Lottery \r\n")));
    QVERIFY(shown.text.contains(heading));
    QCOMPARE(shown.box, expected.box);

    QVERIFY(MessageBox::takeShown().isEmpty());
    QVERIFY(!started.doc()->IsModified());
    QCOMPARE(started.view()->toPlainText(), text);
    QCOMPARE(readBytes(path), readBytes(corvane::test::shippedHistory()));
    // Nothing to save, so closing asks nothing.
    QVERIFY(started.frame()->close());
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void AnalysisTest::shortcut_runsTheCommand()
{
    StartedApp started;
    QVERIFY(started.start());
    CMainFrame* frame = started.frame();
    for (const Qt::Key key : {Qt::Key_G, Qt::Key_F}) {
        // Shortcuts reach the active window only.
        QApplication::setActiveWindow(frame);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QString title;
        const bool closed
            = answerModal([&] { QTest::keyClick(started.view(), key, Qt::ControlModifier); },
                [&](QWidget* modal) {
                    title = modal->windowTitle();
                    qobject_cast<QDialog*>(modal)->accept();
                });
        QVERIFY(closed);
        QCOMPARE(title, QStringLiteral("Canadian 6/49--Corvane For Windows"));
    }
}

void AnalysisTest::editedText_promptFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("analysed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes: saves, then analyses the saved file")
        << int(QMessageBox::Yes) << true << true;
    QTest::newRow("no: analyses the file as last saved") << int(QMessageBox::No) << true << false;
    QTest::newRow("cancel: runs nothing") << int(QMessageBox::Cancel) << false << false;
}

void AnalysisTest::editedText_promptFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, analysed);
    QFETCH(bool, saved);
    for (const int command : {kNonlinearRegress, kFuzzyPeriod}) {
        StartedApp started;
        QVERIFY(started.start());
        const QString path = started.file(QStringLiteral("ca649.txt"));
        // The edit leaves too few draws: a saved edit is refused by the method, the file on
        // disk is not.
        started.view()->selectAll();
        QTest::keyClicks(started.view(), QStringLiteral("20020101 1 2 3"));
        const QString edited = started.view()->toPlainText();

        MessageBox::setNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
        Shown shown;
        const bool dialog = runAndCloseResult(started.action(command), shown);
        const QStringList messages = MessageBox::takeShown();
        QCOMPARE(messages.value(0), QStringLiteral("Save changes to ca649.txt?"));
        QCOMPARE(readBytes(path) == "20020101 1 2 3", saved);
        QCOMPARE(started.view()->toPlainText(), edited);
        QCOMPARE(started.doc()->IsModified(), !saved);
        if (!analysed) {
            QCOMPARE(messages.size(), 1);
            QVERIFY(!dialog);
        } else if (saved) {
            QCOMPARE(messages, QStringList({messages.value(0), kTooFew}));
            QVERIFY(!dialog);
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY(dialog);
            QCOMPARE(shown.text, expectedFor(command, path).text);
        }
    }
}

void AnalysisTest::newDocument_analysesAnEmptyPath()
{
    StartedApp started;
    QVERIFY(started.start());
    started.action(kFileNew)->trigger();
    for (const int command : {kNonlinearRegress, kFuzzyPeriod}) {
        started.action(command)->trigger();
        QCOMPARE(MessageBox::takeShown(), QStringList {QStringLiteral("Data File Must Has Data!")});
    }
    QVERIFY(!started.doc()->IsModified());
}

QTEST_MAIN(AnalysisTest)
#include "analysis_test.moc"
