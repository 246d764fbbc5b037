// The selection dialog's two lists as the user handles them: every name readable in full, one
// entry always selected, only the left button's double-click opening, and a refilled list shown
// from its top.
#include "app_support.h"
#include "dlg3_driver.h"

#include "app/catalogue/dlg3.h"
#include "app/shell/message_box.h"

#include "core/catalogue/catalogue.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

using namespace corvane::app;
using corvane::test::click;
using corvane::test::clickRegion;
using corvane::test::clickRow;
using corvane::test::entries;
using corvane::test::selectedRow;
using corvane::test::ShownDlg3;

namespace {

// Both catalogues, region by region: shows each region's lotteries in turn.
template<typename Visit>
void everyRegion(Dlg3& dlg, Visit visit)
{
    for (const bool unitedStates : {false, true}) {
        click(dlg.radio(unitedStates ? Dlg3::kUnitedStates : Dlg3::kOtherStates));
        for (int row = 0; row < dlg.stateList()->count(); ++row) {
            clickRow(dlg.stateList(), row);
            visit();
        }
    }
}

// How much of an entry's text the list shows: the item's rect less the margins the style keeps
// on either side of the text; a text wider than that is cut with "…".
int textRoom(const QListWidget* list, const QListWidgetItem* item)
{
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QRect rect = list->visualItemRect(item);
    const int right = qMin(rect.right(), list->viewport()->width() - 1);
    return right + 1 - rect.left() - 2 * margin;
}

QPoint belowTheLastEntry(QListWidget* list)
{
    const QRect last = list->visualItemRect(list->item(list->count() - 1));
    return {list->viewport()->width() / 2, last.bottom() + 5};
}

} // namespace

class Dlg3ListsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void everyName_readableInFull_withItsTooltip();
    void widerLists_dialogGrowsToFit();
    void selection_neverLost_data();
    void selection_neverLost();
    void doubleClick_onlyTheLeftButtonOpens_data();
    void doubleClick_onlyTheLeftButtonOpens();
    void refilledList_startsAtItsTop_data();
    void refilledList_startsAtItsTop();
};

void Dlg3ListsTest::everyName_readableInFull_withItsTooltip()
{
    ShownDlg3 dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QStringList cut;
    int lotteries = 0;
    auto check = [&cut](const QListWidget* list, const QListWidgetItem* item) {
        const QFontMetrics metrics(list->font());
        if (metrics.horizontalAdvance(item->text()) > textRoom(list, item))
            cut << item->text();
        if (item->toolTip() != item->text())
            cut << QStringLiteral("no tooltip: ") + item->text();
    };
    everyRegion(dlg, [&] {
        for (int i = 0; i < dlg.lottoList()->count(); ++i)
            check(dlg.lottoList(), dlg.lottoList()->item(i));
        lotteries += dlg.lottoList()->count();
    });
    for (int i = 0; i < dlg.stateList()->count(); ++i)
        check(dlg.stateList(), dlg.stateList()->item(i));
    QVERIFY(lotteries > 200);
    QCOMPARE(cut, QStringList());
}

void Dlg3ListsTest::widerLists_dialogGrowsToFit()
{
    ShownDlg3 dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QRect regions = dlg.stateList()->geometry();
    const QRect lotteries = dlg.lottoList()->geometry();
    // Side by side, in the template's order, and clear of the buttons on the right.
    QVERIFY(regions.right() < lotteries.left());
    for (const int id : {Dlg3::kOpen, Dlg3::kUpdateOnline, Dlg3::kCancel}) {
        const QRect button = dlg.button(id)->geometry();
        QVERIFY(lotteries.right() < button.left());
        QVERIFY(button.right() < dlg.width());
    }
    // The check box under the lottery list still shows its text whole.
    const QCheckBox* box = dlg.startupCheck();
    QVERIFY(box->width() >= box->sizeHint().width());
    QVERIFY(box->geometry().right() < dlg.width());
    QCOMPARE(dlg.size(), dlg.minimumSize());
    QCOMPARE(dlg.size(), dlg.maximumSize());
}

void Dlg3ListsTest::selection_neverLost_data()
{
    QTest::addColumn<bool>("lotteries"); // the lottery list, else the region list
    QTest::addColumn<QString>("gesture");
    // The region list is always full to its bottom; the lottery list of Mexico is not.
    QTest::newRow("lotteries: click below the entries") << true << QStringLiteral("empty");
    for (const bool lotteries : {true, false}) {
        const char* list = lotteries ? "lotteries" : "regions";
        QTest::addRow("%s: Ctrl+click on the selected", list)
            << lotteries << QStringLiteral("ctrl-click");
        QTest::addRow("%s: Ctrl+Space", list) << lotteries << QStringLiteral("ctrl-space");
    }
}

void Dlg3ListsTest::selection_neverLost()
{
    QFETCH(bool, lotteries);
    QFETCH(QString, gesture);
    ShownDlg3 dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    // Mexico has four lotteries.
    QVERIFY(clickRegion(dlg, QStringLiteral("Mexico")));
    QListWidget* list = lotteries ? dlg.lottoList() : dlg.stateList();
    clickRow(list, 1);
    QCOMPARE(selectedRow(list), 1);
    const QStringList shownLotteries = entries(dlg.lottoList());

    if (gesture == QLatin1String("empty")) {
        const QPoint below = belowTheLastEntry(list);
        if (below.y() >= list->viewport()->height())
            QSKIP("the list is full to its bottom in this font");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    } else if (gesture == QLatin1String("ctrl-click")) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
            list->visualItemRect(list->item(1)).center());
    } else {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    }
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(selectedRow(list), 1);
    QCOMPARE(entries(dlg.lottoList()), shownLotteries);

    // OPEN still opens the selected lottery.
    click(dlg.button(Dlg3::kOpen));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.m_filename.isEmpty());
}

void Dlg3ListsTest::doubleClick_onlyTheLeftButtonOpens_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("opens");
    QTest::newRow("left") << int(Qt::LeftButton) << true;
    QTest::newRow("right") << int(Qt::RightButton) << false;
    QTest::newRow("middle") << int(Qt::MiddleButton) << false;
}

void Dlg3ListsTest::doubleClick_onlyTheLeftButtonOpens()
{
    QFETCH(int, button);
    QFETCH(bool, opens);
    ShownDlg3 dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = dlg.lottoList();
    QTest::mouseDClick(list->viewport(), Qt::MouseButton(button), {},
        list->visualItemRect(list->item(0)).center());
    QCOMPARE(dlg.isVisible(), !opens);
    QCOMPARE(dlg.result(), opens ? int(QDialog::Accepted) : 0);
    QCOMPARE(dlg.m_filename, opens ? QStringLiteral("au645.txt") : QString());
}

void Dlg3ListsTest::refilledList_startsAtItsTop_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("United States after the countries scrolled") << QStringLiteral("radio");
    QTest::newRow("the countries again after them scrolled") << QStringLiteral("radio-again");
    QTest::newRow("another region's lotteries after scrolling") << QStringLiteral("region");
}

void Dlg3ListsTest::refilledList_startsAtItsTop()
{
    QFETCH(QString, how);
    ShownDlg3 dlg;
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = dlg.stateList();
    if (how == QLatin1String("region")) {
        // Canada's sixteen lotteries fill more than the list; scroll to the last, then pick
        // Australia.
        QVERIFY(clickRegion(dlg, QStringLiteral("Canada")));
        list = dlg.lottoList();
    }
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    if (list->verticalScrollBar()->value() == 0)
        QSKIP("the list is not scrolled in this font");

    if (how == QLatin1String("radio"))
        click(dlg.radio(Dlg3::kUnitedStates));
    else if (how == QLatin1String("radio-again"))
        click(dlg.radio(Dlg3::kOtherStates));
    else
        QVERIFY(clickRegion(dlg, QStringLiteral("Australia")));
    QCOMPARE(list->verticalScrollBar()->value(), 0);
    QCOMPARE(list->visualItemRect(list->item(0)).top(), 0);
    // The program's selection is in sight.
    const QRect selected = list->visualItemRect(list->selectedItems().value(0));
    QVERIFY(list->viewport()->rect().contains(selected));
}

QTEST_MAIN(Dlg3ListsTest)
#include "dlg3_lists_test.moc"
