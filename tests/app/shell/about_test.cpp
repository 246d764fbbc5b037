// The about box: its texts, its picture and how it is painted.
#include "app_support.h"

#include "app/shell/about_dlg.h"
#include "app/shell/dialog_units.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using corvane::app::CAboutDlg;
using corvane::app::dialogUnitsToPixels;

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }

    void texts_andCloseButton();
    void dialog_isMeasuredInItsTemplateFont();
    void picture_isOursAtBothResolutions();
    void painting_showsThePictureTopLeftBehindWhiteTexts();
};

void AboutTest::texts_andCloseButton()
{
    CAboutDlg dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("About Corvane For Windows"));
    QStringList texts;
    for (const QLabel* label : dlg.texts())
        texts << label->text();
    QCOMPARE(texts,
        QStringList({QStringLiteral("For Windows"), QStringLiteral("Version 1.0"),
            QStringLiteral("Data: lottery operators' results")}));
    // A caption without a system menu.
    QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(dlg.windowFlags().testFlag(Qt::WindowTitleHint));
    QCOMPARE(dlg.closeButton()->text(), QStringLiteral("Close"));
    QVERIFY(dlg.closeButton()->isDefault());
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void AboutTest::dialog_isMeasuredInItsTemplateFont()
{
    // Template 100 is drawn in "MS Sans Serif" 8 points (or the sans-serif that stands in for it).
    CAboutDlg dlg;
    const QFont font = dlg.font();
    QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(font.pointSize(), 8);
    QVERIFY(!font.bold());
    QCOMPARE(dlg.size(), dialogUnitsToPixels(font, QSize(207, 172)));
    QCOMPARE(dlg.closeButton()->geometry(), dialogUnitsToPixels(font, QRect(85, 145, 32, 14)));
    const QList<QRect> places {{74, 27, 44, 8}, {39, 44, 44, 8}, {39, 61, 128, 8}};
    for (int i = 0; i < dlg.texts().size(); ++i) {
        const QLabel* label = dlg.texts().at(i);
        const QRect place = dialogUnitsToPixels(font, places.at(i));
        QCOMPARE(label->pos(), place.topLeft());
        // Each text shows whole, inside the dialog.
        QCOMPARE(label->font(), font);
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
            qPrintable(label->text()));
        QVERIFY(dlg.rect().contains(label->geometry()));
    }
}

void AboutTest::picture_isOursAtBothResolutions()
{
    const QPixmap normal = CAboutDlg::picture(1.0);
    QCOMPARE(normal.size(), CAboutDlg::kPictureSize);
    QCOMPARE(normal.devicePixelRatio(), 1.0);
    const QPixmap sharp = CAboutDlg::picture(2.0);
    QCOMPARE(sharp.size(), CAboutDlg::kPictureSize * 2);
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.deviceIndependentSize().toSize(), CAboutDlg::kPictureSize);

    const QImage image = normal.toImage();
    QVERIFY(!image.hasAlphaChannel());
    // White, with the title's blue letters in the top-left corner and the red and blue balls.
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(image.pixelColor(578, 457), QColor(Qt::white));
    int blue = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 160; ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > c.red() + 40 ? 1 : 0;
        }
    }
    QVERIFY2(blue > 300, qPrintable(QString::number(blue)));
    QVERIFY(image.pixelColor(130, 200).red() > 150 && image.pixelColor(130, 200).blue() < 80);
    QVERIFY(image.pixelColor(228, 200).blue() > 150 && image.pixelColor(228, 200).red() < 80);
}

void AboutTest::painting_showsThePictureTopLeftBehindWhiteTexts()
{
    CAboutDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QImage shown = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = CAboutDlg::picture(1.0).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), dlg.size());
    QVERIFY(dlg.width() < picture.width() && dlg.height() < picture.height());

    QList<QRect> controls;
    for (const QWidget* child : dlg.findChildren<QWidget*>())
        controls << child->geometry();
    int compared = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint p(x, y);
            if (std::any_of(controls.begin(), controls.end(),
                    [&](const QRect& r) { return r.contains(p); }))
                continue;
            QVERIFY2(shown.pixel(p) == picture.pixel(p),
                qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            ++compared;
        }
    }
    QVERIFY(compared > dlg.width() * dlg.height() / 2);

    // Black letters on white: every pixel of a text is white or a grey of the letters.
    for (const QLabel* label : dlg.texts()) {
        int white = 0;
        const QRect r = label->geometry();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                QVERIFY2(c.red() == c.green() && c.green() == c.blue(), qPrintable(label->text()));
                white += c == QColor(Qt::white) ? 1 : 0;
            }
        }
        QVERIFY(white > r.width() * r.height() / 2);
    }
}

QTEST_MAIN(AboutTest)
#include "about_test.moc"
