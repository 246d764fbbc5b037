// Pictures on a screen of twice the density: every picture the program shows has its own
// drawing at twice the size, used pixel for pixel instead of an enlarged small one.
#include "app_support.h"

#include "app/shell/commands.h"
#include "app/shell/main_frame.h"
#include "app/shell/recent_files.h"
#include "app/shell/settings.h"
#include "app/shell/tip_dlg.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane::app;
using corvane::test::writeBytes;

namespace {

// The pixels alone, to compare drawings of any device pixel ratio.
QImage argb(const QImage& image)
{
    QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    pixels.setDevicePixelRatio(1.0);
    return pixels;
}

// The icon as drawn for a picture of size at a device pixel ratio of 2.
QImage atTwice(const QIcon& icon, QSize size)
{
    return argb(icon.pixmap(size, 2.0).toImage());
}

} // namespace

class HiDpiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void screen_isOfTwiceTheDensity();
    void toolbarPictures_haveTheirLargeDrawing_data();
    void toolbarPictures_haveTheirLargeDrawing();
    void applicationIcon_hasItsLargeDrawing();
    void windowIcon_hasSizesForTwiceTheDensity();
    void tipBulb_isDrawnFromTheLargePicture();
};

void HiDpiTest::initTestCase()
{
    corvane::test::isolateFromTheUser();
}

void HiDpiTest::screen_isOfTwiceTheDensity()
{
    QWidget widget;
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCOMPARE(widget.devicePixelRatioF(), 2.0);
}

void HiDpiTest::toolbarPictures_haveTheirLargeDrawing_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("picture");
    const QPair<int, const char*> buttons[]
        = {{kOpenLottoData, "lotto"}, {kNonlinearRegress, "regress"}, {kFuzzyPeriod, "fuzzy"},
            {kFrequency, "frequency"}, {kDistribution, "distribution"}, {kFileNew, "new"},
            {kFileOpen, "open"}, {kFileSave, "save"}, {kEditCut, "cut"}, {kEditCopy, "copy"},
            {kEditPaste, "paste"}, {kHelpContents, "help"}};
    for (const auto& [command, picture] : buttons)
        QTest::newRow(picture) << command << QString::fromLatin1(picture);
}

void HiDpiTest::toolbarPictures_haveTheirLargeDrawing()
{
    QFETCH(int, command);
    QFETCH(QString, picture);
    CRecentFileList recent;
    CMainFrame frame(QString(), &recent);
    const QImage drawn = atTwice(frame.action(command)->icon(), QSize(23, 23));
    QCOMPARE(drawn.size(), QSize(46, 46));
    QCOMPARE(
        drawn, argb(QImage(QStringLiteral(":/toolbar/") + picture + QStringLiteral("@2x.png"))));
}

void HiDpiTest::applicationIcon_hasItsLargeDrawing()
{
    // The icon main() gives the program.
    const QIcon icon(QStringLiteral(":/icons/corvane.png"));
    const QImage drawn = atTwice(icon, QSize(64, 64));
    QCOMPARE(drawn.size(), QSize(128, 128));
    QCOMPARE(drawn, argb(QImage(QStringLiteral(":/icons/corvane@2x.png"))));
}

void HiDpiTest::windowIcon_hasSizesForTwiceTheDensity()
{
    const QIcon icon(QStringLiteral(CORVANE_APP_RESOURCES_DIR "/icon.ico"));
    const QList<QSize> sizes = icon.availableSizes();
    for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)})
        QVERIFY2(sizes.contains(size), qPrintable(QString::number(size.width())));
    // The caption's 16-pixel icon and a 32-pixel one come from drawings of twice their size.
    QCOMPARE(atTwice(icon, QSize(16, 16)), argb(icon.pixmap(QSize(32, 32), 1.0).toImage()));
    QCOMPARE(atTwice(icon, QSize(32, 32)), argb(icon.pixmap(QSize(64, 64), 1.0).toImage()));
}

void HiDpiTest::tipBulb_isDrawnFromTheLargePicture()
{
    QTemporaryDir cwd;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(cwd.path()));
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), "A tip\n"));
    CTipDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QImage shot = dlg.grab().toImage();
    QDir::setCurrent(previous);
    QCOMPARE(shot.devicePixelRatio(), 2.0);

    // The bulb on the white area, at the area's top-left corner, 40 x 53 at twice the density.
    QImage expected(80, 106, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.drawImage(0, 0, argb(QImage(QStringLiteral(":/tips/bulb@2x.png"))));
    painter.end();
    const QPoint corner = dlg.findChild<QWidget*>(QString::number(CTipDlg::kBulbArea))->pos() * 2;
    QCOMPARE(argb(shot.copy(QRect(corner, QSize(80, 106)))), expected);
}

int main(int argc, char* argv[])
{
    // Before the application exists: the offscreen screen then has a device pixel ratio of 2.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hidpi_test.moc"
