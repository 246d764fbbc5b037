// The data files of the lotteries that ship with no history: one beside the program for every
// catalogue file, each opens as a plain document, the analyses ask for 16 draws, and once the
// user has typed and saved them both predictions run.
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/dlg2.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"

#include "core/catalogue/blank_history.h"
#include "core/catalogue/catalogue.h"
#include "core/predict/history.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

using namespace corvane::app;
using corvane::test::answerModal;
using corvane::test::readBytes;
using corvane::test::StartedApp;

namespace {

const QString kBlankDir = QStringLiteral(CORVANE_BLANK_DIR);
const QString kBinDir = QStringLiteral(CORVANE_BIN_DIR);

QString captionOf(const QString& name)
{
    return QString::fromLatin1(corvane::core::getlottoname(name.toStdString()).c_str())
        + QStringLiteral("--Corvane For Windows");
}

QStringList blankNames()
{
    return QDir(kBlankDir).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
}

bool copyBlanksInto(const QString& dir)
{
    for (const QString& name : blankNames()) {
        if (!QFile::copy(kBlankDir + QLatin1Char('/') + name, dir + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

// Runs a prediction command; the title of the result dialog it showed, or an empty string.
QString predictionTitle(QAction* command)
{
    QString title;
    answerModal([&] { command->trigger(); },
        [&](QWidget* modal) {
            if (auto* dlg = qobject_cast<Dlg2*>(modal)) {
                title = dlg->m_title;
                dlg->findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
            }
        });
    return title;
}

const QString kTooFew = QString::fromLatin1(corvane::core::kTooFewLinesMessage)
                            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

} // namespace

class BlankHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void everyCatalogueFile_liesBesideTheProgram();
    void everyBlankFile_opensWithItsCaption_andNoMessage();
    void prediction_ofABlankFile_asksForSixteenDraws_data();
    void prediction_ofABlankFile_asksForSixteenDraws();
    void sixteenTypedDraws_saved_makeBothPredictionsWork();
};

void BlankHistoryTest::everyCatalogueFile_liesBesideTheProgram()
{
    const std::vector<std::string> names = corvane::core::catalogueFileNames();
    QCOMPARE(names.size(), std::size_t(198));
    int blanks = 0;
    for (const std::string& name : names) {
        const QString file = QString::fromStdString(name);
        QVERIFY2(QFile::exists(kBinDir + QLatin1Char('/') + file), qPrintable(file));
        if (QFile::exists(kBlankDir + QLatin1Char('/') + file))
            ++blanks;
    }
    // Every blank file is a catalogue file, and a catalogue file is either shipped or blank.
    QCOMPARE(blankNames().size(), blanks);
    QVERIFY(blanks > 0);
}

void BlankHistoryTest::everyBlankFile_opensWithItsCaption_andNoMessage()
{
    StartedApp started;
    QVERIFY(copyBlanksInto(started.dir()));
    QVERIFY(started.start());
    const QStringList names = blankNames();
    QVERIFY(!names.isEmpty());
    for (const QString& name : names) {
        const QString path = started.file(name);
        QVERIFY2(started.app().OpenDocumentFile(path), qPrintable(name));
        QCOMPARE(started.frame()->windowTitle(), captionOf(name));
        QCOMPARE(started.doc()->GetPathName(), path);
        QCOMPARE(started.view()->toPlainText().toLatin1(), readBytes(path).replace("\r\n", "\n"));
        QVERIFY2(MessageBox::takeShown().isEmpty(), qPrintable(name));
        QVERIFY(!started.doc()->IsModified());
    }
}

void BlankHistoryTest::prediction_ofABlankFile_asksForSixteenDraws_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("regression") << int(kNonlinearRegress);
    QTest::newRow("fuzzy") << int(kFuzzyPeriod);
}

void BlankHistoryTest::prediction_ofABlankFile_asksForSixteenDraws()
{
    QFETCH(int, command);
    StartedApp started;
    QVERIFY(copyBlanksInto(started.dir()));
    QVERIFY(started.start());
    const QString name = blankNames().value(0);
    QVERIFY(started.app().OpenDocumentFile(started.file(name)));
    const QByteArray before = readBytes(started.file(name));
    QVERIFY(predictionTitle(started.action(command)).isEmpty());
    QCOMPARE(MessageBox::takeShown(), QStringList({kTooFew}));
    QCOMPARE(readBytes(started.file(name)), before);
}

void BlankHistoryTest::sixteenTypedDraws_saved_makeBothPredictionsWork()
{
    StartedApp started;
    QVERIFY(copyBlanksInto(started.dir()));
    QVERIFY(started.start());
    const QString name = blankNames().value(0);
    const QString path = started.file(name);
    const QByteArray blank = readBytes(path);
    QVERIFY(!blank.isEmpty());
    QVERIFY(started.app().OpenDocumentFile(path));

    // As the user does: to the end of the text, then the draws, one a line, then Save.
    started.view()->moveCursor(QTextCursor::End);
    for (int i = 0; i < 16; ++i) {
        const QString draw = QStringLiteral("202401%1 %2 %3 %4 %5 %6 %7")
                                 .arg(i + 1, 2, 10, QLatin1Char('0'))
                                 .arg(1 + i % 5)
                                 .arg(9 + i % 7)
                                 .arg(17 + i % 4)
                                 .arg(25 + i % 6)
                                 .arg(33 + i % 3)
                                 .arg(41 + i % 8);
        QTest::keyClicks(started.view(), draw);
        QTest::keyClick(started.view(), Qt::Key_Return);
    }
    QVERIFY(started.doc()->IsModified());
    started.action(kFileSave)->trigger();
    QVERIFY(!started.doc()->IsModified());
    const QByteArray saved = readBytes(path);
    QVERIFY(saved.startsWith(blank));
    QCOMPARE(saved.count("\r\n2024"), 16);

    for (const int command : {kNonlinearRegress, kFuzzyPeriod}) {
        QCOMPARE(predictionTitle(started.action(command)), captionOf(name));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }
}

QTEST_MAIN(BlankHistoryTest)
#include "blank_history_test.moc"
