// The tip of the day: its tips across openings, the profile group "Tip", its painting and
// command 104.
#include "app_support.h"
#include "tip_openings.h"

#include "app/shell/commands.h"
#include "app/shell/dialog_units.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/settings.h"
#include "app/shell/tip_dlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace corvane::app;
using corvane::test::answerModal;
using corvane::test::StartedApp;
using corvane::test::writeBytes;

using namespace corvane::test::tips;

class TipDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init();
    void cleanup();

    void dialog_hasTheTemplatesSizeAndControls();
    void fiveLines_firstSecondThenWraps();
    void reopening_continuesWithTheNextTip();
    void newModificationTime_startsFromTheFirstTip();
    void longLine_isShownAsTwoTips();
    void checkBox_storedOnlyByClose_data();
    void checkBox_storedOnlyByClose();
    void fileWithoutTips_noTipAndNextDisabled_data();
    void fileWithoutTips_noTipAndNextDisabled();
    void unreachablePosition_troubleOnceThenFromTheStart();
    void missingFile_messageAsTip_filePosUntouched();
    void hostileProfileValues_neverCrash_data();
    void hostileProfileValues_neverCrash();
    void paint_whiteAreaBulbAndHeading();
    void shippedTips_enoughAndEachFits();
    void command104_fromTheHelpMenu_opensTheDialog();
    void startUp_neverOpensTheDialog();

private:
    QString m_previousDir;
    std::unique_ptr<QTemporaryDir> m_cwd;
    std::unique_ptr<QTemporaryDir> m_profile;
};

void TipDlgTest::init()
{
    // Every test has a fresh profile and its own current directory for tips.txt.
    m_profile = std::make_unique<QTemporaryDir>();
    Settings::redirectTo(m_profile->path());
    m_previousDir = QDir::currentPath();
    m_cwd = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_cwd->path()));
    MessageBox::takeShown();
}

void TipDlgTest::cleanup()
{
    QDir::setCurrent(m_previousDir);
    m_cwd.reset();
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TipDlgTest::dialog_hasTheTemplatesSizeAndControls()
{
    CTipDlg dlg;
    const QFont font = dlg.font();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tip of the Day"));
    QCOMPARE(dlg.size(), dialogUnitsToPixels(font, QSize(231, 164)));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QCOMPARE(dlg.findChild<QWidget*>(QStringLiteral("1000"))->geometry(),
        dialogUnitsToPixels(font, QRect(20, 17, 190, 111)));
    QCOMPARE(dlg.tipLabel()->geometry(), dialogUnitsToPixels(font, QRect(28, 63, 177, 60)));
    QCOMPARE(dlg.nextTipButton()->text(), QStringLiteral("&Next Tip"));
    QCOMPARE(dlg.nextTipButton()->geometry(), dialogUnitsToPixels(font, QRect(109, 143, 50, 14)));
    QCOMPARE(dlg.closeButton()->text(), QStringLiteral("&Close"));
    QCOMPARE(dlg.closeButton()->geometry(), dialogUnitsToPixels(font, QRect(168, 143, 50, 14)));
    QVERIFY(dlg.closeButton()->isDefault());

    // The check box starts where the template puts it and shows its whole text.
    QCheckBox* box = dlg.startupBox();
    QCOMPARE(box->text(), QStringLiteral("&Show Tips on StartUp"));
    QCOMPARE(box->pos(), dialogUnitsToPixels(font, QRect(13, 146, 85, 10)).topLeft());
    QVERIFY(box->width() >= dialogUnitsToPixelsX(font, 85));
    QVERIFY(box->width() >= box->sizeHint().width());
    QVERIFY(box->geometry().right() < dlg.nextTipButton()->x());
}

void TipDlgTest::fiveLines_firstSecondThenWraps()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    const Opening seen = openTips(2);
    QVERIFY(seen.opened);
    QCOMPARE(seen.tips, QStringList({kFirst, kSecond, kFirst}));
    QVERIFY(seen.nextEnabled);
    QCOMPARE(tipValue(QStringLiteral("FilePos")).toInt(), 20);
}

void TipDlgTest::reopening_continuesWithTheNextTip()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    // However the dialog is closed, the next opening goes on after the last tip shown.
    QCOMPARE(openTips(0, Closing::Escape).tips, QStringList({kFirst}));
    QCOMPARE(openTips(0, Closing::CloseBox).tips, QStringList({kSecond}));
    QCOMPARE(openTips(0, Closing::CloseButton).tips, QStringList({kFirst}));
    QCOMPARE(openTips(1).tips, QStringList({kSecond, kFirst}));
    QCOMPARE(openTips().tips, QStringList({kSecond}));
}

void TipDlgTest::newModificationTime_startsFromTheFirstTip()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    QCOMPARE(openTips().tips, QStringList({kFirst}));
    const QString stamp = tipValue(QStringLiteral("TimeStamp")).toString();
    QVERIFY(!stamp.isEmpty());

    QVERIFY(moveModificationTime(QStringLiteral("tips.txt"), 3600));
    QCOMPARE(openTips().tips, QStringList({kFirst}));
    QVERIFY(tipValue(QStringLiteral("TimeStamp")).toString() != stamp);
    QCOMPARE(openTips().tips, QStringList({kSecond}));
}

void TipDlgTest::longLine_isShownAsTwoTips()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), QByteArray(1200, 'x') + "\nlast\n"));
    const Opening seen = openTips(3);
    QCOMPARE(seen.tips,
        QStringList({QString(999, QLatin1Char('x')), QString(201, QLatin1Char('x')) + u'\n',
            QStringLiteral("last\n"), QString(999, QLatin1Char('x'))}));
}

void TipDlgTest::checkBox_storedOnlyByClose_data()
{
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<int>("closing");
    QTest::addColumn<QVariant>("after");
    QTest::addColumn<bool>("tickedNextTime");

    const QVariant absent;
    const int close = int(Closing::CloseButton);
    QTest::newRow("cleared, Close") << absent << true << close << QVariant(1) << false;
    QTest::newRow("cleared, Enter")
        << absent << true << int(Closing::Enter) << QVariant(1) << false;
    QTest::newRow("cleared, Escape") << absent << true << int(Closing::Escape) << absent << true;
    QTest::newRow("cleared, close box")
        << absent << true << int(Closing::CloseBox) << absent << true;
    QTest::newRow("ticked again, Close") << QVariant(1) << true << close << QVariant(0) << true;
    QTest::newRow("ticked again, Escape")
        << QVariant(1) << true << int(Closing::Escape) << QVariant(1) << false;
    QTest::newRow("left ticked, Close") << absent << false << close << QVariant(0) << true;
}

void TipDlgTest::checkBox_storedOnlyByClose()
{
    QFETCH(QVariant, before);
    QFETCH(bool, toggle);
    QFETCH(int, closing);
    QFETCH(QVariant, after);
    QFETCH(bool, tickedNextTime);

    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    if (before.isValid())
        setTipValue(QStringLiteral("StartUp"), before);
    const Opening first = openTips(0, Closing(closing), toggle);
    QVERIFY(first.opened);
    QCOMPARE(first.boxTicked, !before.isValid() || before.toInt() == 0);

    const QVariant stored = tipValue(QStringLiteral("StartUp"));
    QCOMPARE(stored.isValid(), after.isValid());
    if (after.isValid())
        QCOMPARE(stored.toInt(), after.toInt());
    QCOMPARE(openTips().boxTicked, tickedNextTime);
}

void TipDlgTest::fileWithoutTips_noTipAndNextDisabled_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("comments, blank and indented lines")
        << QByteArray(";one\n\n; two\n indented\n\ttabbed\n");
    QTest::newRow("CR LF blank lines") << QByteArray("\r\n\r\n;x\r\n");
}

void TipDlgTest::fileWithoutTips_noTipAndNextDisabled()
{
    QFETCH(QByteArray, text);
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), text));
    for (int opening = 0; opening < 2; ++opening) {
        const Opening seen = openTips(1);
        QVERIFY(seen.opened);
        QCOMPARE(seen.tips, QStringList({QString(), QString()}));
        QVERIFY(!seen.nextEnabled);
    }
}

void TipDlgTest::unreachablePosition_troubleOnceThenFromTheStart()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    storeTimeStamp();
    setTipValue(QStringLiteral("FilePos"), 1000);

    const Opening seen = openTips(1);
    QCOMPARE(MessageBox::takeShown(), QStringList({kTrouble}));
    QCOMPARE(seen.tips, QStringList({QString(), kFirst}));
    QVERIFY(seen.nextEnabled);
    QCOMPARE(tipValue(QStringLiteral("FilePos")).toInt(), 20);
    QCOMPARE(openTips().tips, QStringList({kSecond}));
}

void TipDlgTest::missingFile_messageAsTip_filePosUntouched()
{
    setTipValue(QStringLiteral("FilePos"), 7);
    setTipValue(QStringLiteral("TimeStamp"), QStringLiteral("Sat Jan  5 10:00:00 2002"));
    const Opening seen = openTips(1, Closing::CloseButton, true);
    QVERIFY(seen.opened);
    const QString message = QStringLiteral("Tips file does not exist in the prescribed directory");
    QCOMPARE(seen.tips, QStringList({message, message}));
    QVERIFY(!seen.nextEnabled);
    QCOMPARE(tipValue(QStringLiteral("FilePos")).toInt(), 7);
    QCOMPARE(tipValue(QStringLiteral("TimeStamp")).toString(),
        QStringLiteral("Sat Jan  5 10:00:00 2002"));
    QCOMPARE(tipValue(QStringLiteral("StartUp")).toInt(), 1);
}

void TipDlgTest::hostileProfileValues_neverCrash_data()
{
    QTest::addColumn<QVariant>("filePos");
    QTest::addColumn<QVariant>("timeStamp"); // invalid: the file's own
    QTest::addColumn<QVariant>("startUp");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("trouble");
    QTest::addColumn<bool>("ticked");

    const QVariant own;
    const QVariant absent;
    // Unreachable positions: the message, then the reading starts over.
    QTest::newRow("negative") << QVariant(-5) << own << absent << QString() << true << true;
    QTest::newRow("negative text")
        << QVariant(QStringLiteral("-1")) << own << absent << QString() << true << true;
    QTest::newRow("largest 64-bit") << QVariant(std::numeric_limits<qlonglong>::max()) << own
                                    << absent << QString() << true << true;
    QTest::newRow("more digits than 64 bits")
        << QVariant(QStringLiteral("123456789012345678901234567890")) << own << absent << QString()
        << true << true;
    QTest::newRow("below every 64-bit number")
        << QVariant(QStringLiteral("-123456789012345678901234567890")) << own << absent << QString()
        << true << true;
    // No whole number: counts as no value, the first tip.
    QTest::newRow("letters") << QVariant(QStringLiteral("abc")) << own << absent << kFirst << false
                             << true;
    QTest::newRow("fraction") << QVariant(QStringLiteral("20.5")) << own << absent << kFirst
                              << false << true;
    QTest::newRow("empty text") << QVariant(QString()) << own << absent << kFirst << false << true;
    QTest::newRow("list") << QVariant(QStringList({QStringLiteral("1"), QStringLiteral("2")}))
                          << own << absent << kFirst << false << true;
    QTest::newRow("spaces round a number")
        << QVariant(QStringLiteral(" 20 ")) << own << absent << kSecond << false << true;
    // A time stamp that is not the file's starts from the top, whatever the position.
    QTest::newRow("time stamp of 10,000 characters")
        << QVariant(20) << QVariant(QString(10000, QLatin1Char('T'))) << absent << kFirst << false
        << true;
    QTest::newRow("StartUp letters")
        << QVariant(20) << own << QVariant(QStringLiteral("yes")) << kSecond << false << true;
    QTest::newRow("StartUp negative")
        << QVariant(20) << own << QVariant(-1) << kSecond << false << false;
    QTest::newRow("StartUp more digits than 64 bits")
        << QVariant(20) << own << QVariant(QStringLiteral("99999999999999999999999")) << kSecond
        << false << false;
}

void TipDlgTest::hostileProfileValues_neverCrash()
{
    QFETCH(QVariant, filePos);
    QFETCH(QVariant, timeStamp);
    QFETCH(QVariant, startUp);
    QFETCH(QString, tip);
    QFETCH(bool, trouble);
    QFETCH(bool, ticked);

    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    storeTimeStamp();
    setTipValue(QStringLiteral("FilePos"), filePos);
    if (timeStamp.isValid())
        setTipValue(QStringLiteral("TimeStamp"), timeStamp);
    if (startUp.isValid())
        setTipValue(QStringLiteral("StartUp"), startUp);

    const Opening seen = openTips(1);
    QVERIFY(seen.opened);
    QCOMPARE(MessageBox::takeShown(), trouble ? QStringList({kTrouble}) : QStringList());
    QCOMPARE(seen.tips.first(), tip);
    QCOMPARE(seen.tips.last(), trouble ? kFirst : (tip == kFirst ? kSecond : kFirst));
    QCOMPARE(seen.boxTicked, ticked);
    // What the dialog stores is sound again.
    QVERIFY(tipValue(QStringLiteral("TimeStamp")).toString().size() < 40);
    bool ok = false;
    QVERIFY(tipValue(QStringLiteral("FilePos")).toString().toInt(&ok) >= 0 && ok);
}

void TipDlgTest::paint_whiteAreaBulbAndHeading()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    CTipDlg dlg;
    QImage shot;
    QVERIFY(answerModal([&dlg] { dlg.exec(); },
        [&shot](QWidget* modal) {
            shot = modal->grab().toImage().convertToFormat(QImage::Format_RGB32);
            modal->close();
        }));
    auto* area = dlg.findChild<QWidget*>(QStringLiteral("1000"));
    QVERIFY(area);
    const QRect r = area->geometry();
    const QRgb white = qRgb(255, 255, 255);
    QCOMPARE(shot.pixel(r.right() - 1, r.bottom() - 1), white);
    QCOMPARE(shot.pixel(dlg.tipLabel()->geometry().bottomRight() - QPoint(1, 1)), white);

    // The bulb's yellow glass in the 40 x 53 corner.
    const QColor glass = shot.pixelColor(r.left() + 27, r.top() + 20);
    QVERIFY2(
        glass.red() > 200 && glass.green() > 170 && glass.blue() < 160, qPrintable(glass.name()));

    // "Did you know..." beside the bulb, centred in the bulb's height.
    int top = -1;
    int bottom = -1;
    for (int y = r.top(); y < r.top() + 53; ++y) {
        for (int x = r.left() + 40; x <= r.right(); ++x) {
            if (qGray(shot.pixel(x, y)) < 128) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
        }
    }
    QVERIFY2(top >= 0, "no heading drawn");
    const int middle = (top + bottom) / 2 - r.top();
    QVERIFY2(qAbs(middle - 26) <= 4, qPrintable(QString::number(middle)));
}

void TipDlgTest::shippedTips_enoughAndEachFits()
{
    QVERIFY(QFile::copy(
        QStringLiteral(CORVANE_APP_RESOURCES_DIR "/tips.txt"), QStringLiteral("tips.txt")));
    CTipDlg dlg;
    QStringList tips;
    QStringList tooLong;
    QVERIFY(answerModal([&dlg] { dlg.exec(); },
        [&](QWidget* modal) {
            auto* shown = qobject_cast<CTipDlg*>(modal);
            QLabel* label = shown->tipLabel();
            // Round the file once, until the first tip comes back.
            while (tips.size() < 200 && !tips.contains(label->text())) {
                tips.append(label->text());
                if (label->heightForWidth(label->width()) > label->height())
                    tooLong.append(label->text());
                QTest::mouseClick(shown->nextTipButton(), Qt::LeftButton);
            }
            QTest::keyClick(shown, Qt::Key_Escape);
        }));
    QVERIFY2(tips.size() >= 25, qPrintable(QString::number(tips.size())));
    QVERIFY(tips.size() < 200);
    QVERIFY2(tooLong.isEmpty(), qPrintable(tooLong.join(QString())));
    QVERIFY(tips.first().startsWith(QStringLiteral("Choose \"Open Lottory Data\"")));
}

void TipDlgTest::command104_fromTheHelpMenu_opensTheDialog()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    StartedApp started;
    QVERIFY(started.start());
    CMainFrame* frame = started.frame();
    QAction* item = frame->helpMenu()->actions().first();
    QCOMPARE(item->data().toInt(), int(kTipOfTheDay));
    QVERIFY(item->isEnabled());

    QString title;
    QString tip;
    QWidget* parent = frame;
    QVERIFY(answerModal([item] { item->trigger(); },
        [&](QWidget* modal) {
            if (auto* shown = qobject_cast<CTipDlg*>(modal)) {
                title = shown->windowTitle();
                tip = shown->tipLabel()->text();
                parent = shown->parentWidget();
            }
            modal->close();
        }));
    QCOMPARE(title, QStringLiteral("Tip of the Day"));
    QCOMPARE(tip, kFirst);
    QVERIFY(parent == nullptr);
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<CTipDlg*>(widget), "the dialog outlived its command");
    QCOMPARE(tipValue(QStringLiteral("FilePos")).toInt(), 20);
}

void TipDlgTest::startUp_neverOpensTheDialog()
{
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), kFiveLines));
    setTipValue(QStringLiteral("StartUp"), 0);
    StartedApp started;
    QVERIFY(started.start());
    QTest::qWait(50);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<CTipDlg*>(widget));
    QVERIFY(!tipValue(QStringLiteral("FilePos")).isValid());
}

QTEST_MAIN(TipDlgTest)
#include "tipdlg_test.moc"
