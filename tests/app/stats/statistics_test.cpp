// The statistics commands from the main window: the save-changes prompt first, the dialogs with
// their captions and the document's path, and the document left as it was.
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/stats/drawpoint.h"
#include "app/stats/freq_dlg.h"

#include "core/predict/history.h"
#include "core/stats/frequency.h"
#include "core/ui/ui.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

using namespace corvane::app;
using corvane::test::answerModal;
using corvane::test::readBytes;
using corvane::test::StartedApp;

namespace {

struct Seen
{
    QString kind;
    QString title;
    QString path;
    int showall = -1;
    int drawn = -1;
    QWidget* parent = nullptr;
};

// Runs the command; whatever statistics dialog it opens is looked at, given "then", and closed.
bool runStatistics(QAction* command, Seen& seen, const std::function<void(QDialog*)>& then = {})
{
    return answerModal([&] { command->trigger(); },
        [&](QWidget* modal) {
            auto* dlg = qobject_cast<QDialog*>(modal);
            if (!dlg)
                return;
            seen.title = dlg->windowTitle();
            seen.parent = dlg->parentWidget();
            if (auto* freq = qobject_cast<FreqDlg*>(dlg)) {
                seen = {QStringLiteral("FreqDlg"), seen.title, freq->m_path, freq->m_showall, -1,
                    seen.parent};
            } else if (auto* chart = qobject_cast<Drawpoint*>(dlg)) {
                seen = {QStringLiteral("Drawpoint"), seen.title, chart->m_path, -1, chart->m_drawn,
                    seen.parent};
            }
            if (then)
                then(dlg);
            dlg->reject();
        });
}

void pressShow(QDialog* dlg)
{
    dlg->findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
}

class Quiet : public corvane::core::Ui
{
public:
    void messageBox(const std::string&) override { }
    void showResult(const std::string&, const std::string&) override { }
};

const QString kTooFew = QString::fromLatin1(corvane::core::kTooFewLinesMessage)
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

} // namespace

class StatisticsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void command_opensTheDialog_forTheDocumentsFile_data();
    void command_opensTheDialog_forTheDocumentsFile();
    void frequency_onTheShippedHistory_listsTheCoresCounts();
    void ctrlT_opensTheFrequencyTable();
    void editedText_promptFirst_data();
    void editedText_promptFirst();
    void newDocument_emptyPath_toldNoData_data();
    void newDocument_emptyPath_toldNoData();
};

void StatisticsTest::command_opensTheDialog_forTheDocumentsFile_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("frequency") << int(kFrequency) << QStringLiteral("FreqDlg")
                               << QStringLiteral(
                                      "Canadian 6/49--Times Of Each Lotto That Turned Up");
    QTest::newRow("distribution")
        << int(kDistribution) << QStringLiteral("Drawpoint")
        << QStringLiteral("Canadian 6/49--Distribution Of Each Lotto That Turned Up");
}

void StatisticsTest::command_opensTheDialog_forTheDocumentsFile()
{
    QFETCH(int, command);
    QFETCH(QString, kind);
    QFETCH(QString, title);
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("ca649.txt"));
    const QString text = started.view()->toPlainText();
    QAction* action = started.action(command);
    QVERIFY(action->isEnabled());

    Seen seen;
    bool shown = false;
    QVERIFY(runStatistics(action, seen, [&](QDialog* dlg) {
        pressShow(dlg);
        if (auto* freq = qobject_cast<FreqDlg*>(dlg))
            shown = freq->list()->rowCount() == 1;
        else if (auto* chart = qobject_cast<Drawpoint*>(dlg))
            shown = chart->chart().has_value();
    }));
    QCOMPARE(seen.kind, kind);
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.path, path);
    QCOMPARE(seen.parent, started.frame());
    if (command == kFrequency)
        QCOMPARE(seen.showall, 0);
    else
        QCOMPARE(seen.drawn, 0);
    QVERIFY(shown);

    QVERIFY(MessageBox::takeShown().isEmpty());
    QVERIFY(!started.doc()->IsModified());
    QCOMPARE(started.view()->toPlainText(), text);
    QCOMPARE(readBytes(path), readBytes(corvane::test::shippedHistory()));
    // The dialog is gone with the command.
    QVERIFY(started.frame()->findChildren<QDialog*>().isEmpty());
}

void StatisticsTest::frequency_onTheShippedHistory_listsTheCoresCounts()
{
    StartedApp started;
    QVERIFY(started.start());
    QStringList header;
    QStringList totals;
    Seen seen;
    QVERIFY(runStatistics(started.action(kFrequency), seen, [&](QDialog* dlg) {
        auto* freq = qobject_cast<FreqDlg*>(dlg);
        freq->fromPicker()->setDate(QDate(2024, 1, 1));
        freq->toPicker()->setDate(QDate(2025, 11, 5));
        pressShow(dlg);
        for (int c = 0; c < freq->list()->columnCount(); ++c) {
            header << freq->list()->horizontalHeaderItem(c)->text();
            totals << freq->list()->item(0, c)->text();
        }
    }));

    auto engine = std::make_unique<corvane::core::frequency>();
    engine->m_path = started.file(QStringLiteral("ca649.txt")).toStdString();
    Quiet quiet;
    const auto expected = engine->show("24-1-1", "25-11-5", false, quiet);
    QVERIFY(expected);
    QCOMPARE(header.size(), 50);
    QCOMPARE(header.size(), int(expected->header.size()));
    QCOMPARE(totals.size(), int(expected->rows.at(0).size()));
    for (int c = 0; c < header.size(); ++c) {
        QCOMPARE(header[c], QString::fromStdString(expected->header[std::size_t(c)]));
        QCOMPARE(totals[c], QString::fromStdString(expected->rows[0][std::size_t(c)]));
    }
    QVERIFY(totals[0].startsWith(QStringLiteral("2025")));
}

void StatisticsTest::ctrlT_opensTheFrequencyTable()
{
    StartedApp started;
    QVERIFY(started.start());
    CMainFrame* frame = started.frame();
    QApplication::setActiveWindow(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QString kind;
    QVERIFY(answerModal([&] { QTest::keyClick(started.view(), Qt::Key_T, Qt::ControlModifier); },
        [&](QWidget* modal) {
            kind = qobject_cast<FreqDlg*>(modal) ? QStringLiteral("FreqDlg") : QString();
            qobject_cast<QDialog*>(modal)->reject();
        }));
    QCOMPARE(kind, QStringLiteral("FreqDlg"));
}

void StatisticsTest::editedText_promptFirst_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("saved");
    for (const int command : {int(kFrequency), int(kDistribution)}) {
        const QByteArray name = command == kFrequency ? "frequency" : "distribution";
        QTest::newRow(QByteArray(name + ", yes: saves, then reads the saved file").constData())
            << command << int(QMessageBox::Yes) << true << true;
        QTest::newRow(QByteArray(name + ", no: reads the file as last saved").constData())
            << command << int(QMessageBox::No) << true << false;
        QTest::newRow(QByteArray(name + ", cancel: opens nothing").constData())
            << command << int(QMessageBox::Cancel) << false << false;
    }
}

void StatisticsTest::editedText_promptFirst()
{
    QFETCH(int, command);
    QFETCH(int, answer);
    QFETCH(bool, opened);
    QFETCH(bool, saved);
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("ca649.txt"));
    // The edit leaves too few draws: a saved edit is refused at "Show", the shipped file is not.
    started.view()->selectAll();
    QTest::keyClicks(started.view(), QStringLiteral("20020101 1 2 3"));
    const QString edited = started.view()->toPlainText();

    MessageBox::setNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
    Seen seen;
    QStringList messagesAtShow;
    const bool dialog = runStatistics(started.action(command), seen, [&](QDialog* dlg) {
        MessageBox::takeShown();
        pressShow(dlg);
        messagesAtShow = MessageBox::takeShown();
    });
    const QStringList prompt = MessageBox::takeShown();
    QCOMPARE(dialog, opened);
    QCOMPARE(readBytes(path) == "20020101 1 2 3", saved);
    QCOMPARE(started.view()->toPlainText(), edited);
    QCOMPARE(started.doc()->IsModified(), !saved);
    if (!opened) {
        QCOMPARE(prompt, QStringList({QStringLiteral("Save changes to ca649.txt?")}));
        return;
    }
    QCOMPARE(seen.path, path);
    QCOMPARE(messagesAtShow, saved ? QStringList({kTooFew}) : QStringList());
}

void StatisticsTest::newDocument_emptyPath_toldNoData_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("title");
    QTest::newRow("frequency") << int(kFrequency)
                               << QStringLiteral("--Times Of Each Lotto That Turned Up");
    QTest::newRow("distribution") << int(kDistribution)
                                  << QStringLiteral("--Distribution Of Each Lotto That Turned Up");
}

void StatisticsTest::newDocument_emptyPath_toldNoData()
{
    QFETCH(int, command);
    QFETCH(QString, title);
    StartedApp started;
    QVERIFY(started.start());
    started.action(kFileNew)->trigger();
    Seen seen;
    QStringList messages;
    QVERIFY(runStatistics(started.action(command), seen, [&](QDialog* dlg) {
        pressShow(dlg);
        messages = MessageBox::takeShown();
    }));
    QCOMPARE(seen.path, QString());
    QCOMPARE(seen.title, title);
    QCOMPARE(messages, QStringList({QString::fromLatin1(corvane::core::kNoDataMessage)}));
    QVERIFY(!started.doc()->IsModified());
}

QTEST_MAIN(StatisticsTest)
#include "statistics_test.moc"
