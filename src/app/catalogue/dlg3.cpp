#include "app/catalogue/dlg3.h"

#include "app/catalogue/update_progress.h"
#include "app/shell/dialog_units.h"
#include "app/shell/message_box.h"

#include "net/data_server.h"
#include "net/data_update.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <iterator>
#include <string_view>

namespace corvane::app {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList regionNames(core::CatalogueKind kind)
{
    QStringList names;
    for (const core::Region& region : core::catalogue(kind))
        names.append(toQString(region.name));
    return names;
}

QStringList lotteryNames()
{
    QStringList names;
    for (const core::CatalogueKind kind :
        {core::CatalogueKind::UnitedStates, core::CatalogueKind::OtherCountries}) {
        for (const core::Region& region : core::catalogue(kind)) {
            for (const core::Lottery& lottery : region.lotteries)
                names.append(toQString(lottery.name));
        }
    }
    return names;
}

// Entries go in at explicit positions, in catalogue order, each with its whole name as its
// tooltip; the program's own selection is made with the list's signals blocked, so only the
// user's selections reach the handlers. A list filled anew shows its first entries.
void fillList(QListWidget* list, const QStringList& entries)
{
    const QSignalBlocker blocker(list);
    list->clear();
    for (int i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(entries.at(i));
        item->setToolTip(entries.at(i));
        list->insertItem(i, item);
    }
    list->scrollToTop();
}

// Widens the list until each of names shows whole beside the scroll bar; returns how many
// pixels it grew.
int widenToNames(QListWidget* list, const QStringList& names)
{
    list->ensurePolished();
    fillList(list, names);
    const int needed = list->sizeHintForColumn(0) + 2 * list->frameWidth()
        + list->verticalScrollBar()->sizeHint().width();
    fillList(list, {});
    const int growth = qMax(0, needed - list->width());
    list->resize(list->width() + growth, list->height());
    return growth;
}

// A list box of one choice: once an entry is selected, one stays selected. A click below the
// entries, or Ctrl with a click or the space bar on the selected entry, leaves it as it is.
class ChoiceList : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event) const override
    {
        const QItemSelectionModel::SelectionFlags command
            = QListWidget::selectionCommand(index, event);
        if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect))
            return QItemSelectionModel::NoUpdate;
        return command;
    }
};

void selectRow(QListWidget* list, int row)
{
    const QSignalBlocker blocker(list);
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row);
}

QListWidget* makeList(int id, QWidget* parent)
{
    auto* list = new ChoiceList(parent);
    list->setObjectName(QString::number(id));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSortingEnabled(false);
    return list;
}

} // namespace

Dlg3::Dlg3(QWidget* parent)
    : QDialog(parent)
    , m_dataDir(QCoreApplication::applicationDirPath())
    , m_transferTimeout(net::kDefaultTransferTimeout)
    , m_pStateList(makeList(kStateList, this))
    , m_pLottoList(makeList(kLottoList, this))
    , m_open(new QPushButton(QStringLiteral("OPEN"), this))
    , m_update(new QPushButton(QStringLiteral("Update Online"), this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
    , m_unitedStates(new QRadioButton(QStringLiteral("United States"), this))
    , m_otherStates(new QRadioButton(QStringLiteral("Other States"), this))
    , m_startup(new QCheckBox(QStringLiteral("Open The Selected At Startup"), this))
{
    // Template 132: 245 x 145 dialog units.
    setWindowTitle(QStringLiteral("Corvane For Windows"));
    setModal(true);
    const QFont& f = font();

    const struct
    {
        QWidget* widget;
        int id;
        QRect units;
    } controls[] = {
        {m_open, kOpen, {187, 27, 50, 14}},
        {m_update, kUpdateOnline, {187, 49, 50, 14}},
        {m_cancel, kCancel, {187, 71, 50, 14}},
        {m_pStateList, kStateList, {8, 22, 72, 93}},
        {m_pLottoList, kLottoList, {82, 22, 104, 93}},
        {m_unitedStates, kUnitedStates, {13, 119, 53, 8}},
        {m_otherStates, kOtherStates, {13, 130, 52, 8}},
        {m_startup, kStartupCheck, {84, 122, 104, 11}},
    };
    for (const auto& control : controls) {
        control.widget->setObjectName(QString::number(control.id));
        control.widget->setGeometry(dialogUnitsToPixels(f, control.units));
    }
    auto* regionLabel = new QLabel(QStringLiteral("State And Region"), this);
    regionLabel->setGeometry(dialogUnitsToPixels(f, QRect(13, 10, 59, 8)));
    auto* lottoLabel = new QLabel(QStringLiteral("Lottery"), this);
    lottoLabel->setGeometry(dialogUnitsToPixels(f, QRect(112, 10, 51, 8)));

    // Every name shows whole: the lists widen to the longest name in the font in use, and what
    // stands right of them moves along.
    const int regionGrowth = widenToNames(m_pStateList,
        regionNames(core::CatalogueKind::OtherCountries)
            + regionNames(core::CatalogueKind::UnitedStates));
    QWidget* const besideRegions[] = {m_pLottoList, m_startup, lottoLabel};
    for (QWidget* control : besideRegions)
        control->move(control->x() + regionGrowth, control->y());
    const int shift = regionGrowth + widenToNames(m_pLottoList, lotteryNames());
    for (QPushButton* button : {m_open, m_update, m_cancel})
        button->move(button->x() + shift, button->y());

    // Texts wider than the template allowed for grow into the free space beside them; the
    // buttons grow alike, and the dialog with them.
    growToText(regionLabel, lottoLabel->x());
    growToText(lottoLabel, m_pLottoList->geometry().right());
    growToText(m_unitedStates, m_startup->x());
    growToText(m_otherStates, m_startup->x());
    int buttonWidth = m_open->width();
    for (const QPushButton* button : {m_open, m_update, m_cancel})
        buttonWidth = qMax(buttonWidth, button->sizeHint().width());
    for (QPushButton* button : {m_open, m_update, m_cancel})
        button->resize(buttonWidth, button->height());
    const QSize templateSize = dialogUnitsToPixels(f, QSize(245, 145));
    setFixedSize(
        qMax(templateSize.width(), m_open->geometry().right() + 1 + dialogUnitsToPixelsX(f, 8)),
        templateSize.height());
    // Below the buttons, the check box has the dialog's whole width.
    growToText(m_startup, width() - dialogUnitsToPixelsX(f, 8));

    m_open->setDefault(true);
    // Tab goes round the controls in the template's order.
    QWidget* const chain[] = {m_open, m_update, m_cancel, m_pStateList, m_pLottoList,
        m_unitedStates, m_otherStates, m_startup};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    m_unitedStates->setAutoExclusive(true);
    m_otherStates->setAutoExclusive(true);
    // The radio pair is one Tab stop, on the checked button; the arrows move between the two.
    for (QRadioButton* radio : {m_unitedStates, m_otherStates}) {
        radio->setFocusPolicy(Qt::ClickFocus);
        connect(radio, &QRadioButton::toggled, radio, [radio](bool checked) {
            radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }

    connect(m_open, &QPushButton::clicked, this, &Dlg3::OnOK);
    connect(m_update, &QPushButton::clicked, this, &Dlg3::OnOk2);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_unitedStates, &QRadioButton::clicked, this, &Dlg3::OnRadio1);
    connect(m_otherStates, &QRadioButton::clicked, this, &Dlg3::OnRadio2);
    connect(m_startup, &QCheckBox::clicked, this, &Dlg3::OnStartupCheck);
    connect(m_pStateList, &QListWidget::currentRowChanged, this, &Dlg3::OnSelchangeList2);
    m_pLottoList->viewport()->installEventFilter(this);
}

Dlg3::~Dlg3() = default;

QPushButton* Dlg3::button(int id) const
{
    switch (id) {
    case kOpen:
        return m_open;
    case kUpdateOnline:
        return m_update;
    case kCancel:
        return m_cancel;
    default:
        return nullptr;
    }
}

QRadioButton* Dlg3::radio(int id) const
{
    if (id == kUnitedStates)
        return m_unitedStates;
    if (id == kOtherStates)
        return m_otherStates;
    return nullptr;
}

int Dlg3::exec()
{
    DoDataExchange();
    return QDialog::exec();
}

void Dlg3::getdata() { }

void Dlg3::DoDataExchange()
{
    m_others = regionNames(core::CatalogueKind::OtherCountries);
    m_states = regionNames(core::CatalogueKind::UnitedStates);
    m_bOther = 1;
    m_otherStates->setChecked(true);
    m_startup->setChecked(m_bStartup != 0);
    listothers();
}

void Dlg3::listothers()
{
    fillList(m_pStateList, m_others);
    selectRow(m_pStateList, 0);
    OtherLotto();
}

void Dlg3::OnRadio1()
{
    m_bOther = 0;
    fillList(m_pStateList, m_states);
    selectRow(m_pStateList, 2);
    UsaLotto();
}

void Dlg3::OnRadio2()
{
    m_bOther = 1;
    listothers();
}

void Dlg3::UsaLotto()
{
    showLotteries(core::CatalogueKind::UnitedStates);
}

void Dlg3::OtherLotto()
{
    showLotteries(core::CatalogueKind::OtherCountries);
}

void Dlg3::showLotteries(core::CatalogueKind kind)
{
    const QListWidgetItem* selected = m_pStateList->currentItem();
    const QString regionName = selected ? selected->text() : QString();
    QStringList names;
    if (const core::Region* region = core::findRegion(kind, regionName.toLatin1().toStdString())) {
        for (const core::Lottery& lottery : region->lotteries)
            names.append(toQString(lottery.name));
    }
    fillList(m_pLottoList, names);
    selectRow(m_pLottoList, 0);
}

void Dlg3::OnSelchangeList2()
{
    if (m_bOther)
        OtherLotto();
    else
        UsaLotto();
}

void Dlg3::getitemtxt()
{
    if (m_bOther)
        otheritemtxt();
    else
        usaitemtxt();
}

void Dlg3::usaitemtxt()
{
    itemtxt(core::CatalogueKind::UnitedStates);
}

void Dlg3::otheritemtxt()
{
    itemtxt(core::CatalogueKind::OtherCountries);
}

void Dlg3::itemtxt(core::CatalogueKind kind)
{
    const QList<QListWidgetItem*> selected = m_pLottoList->selectedItems();
    m_nSel = selected.isEmpty() ? -1 : m_pLottoList->row(selected.first());
    if (m_nSel < 0)
        return;
    const QString itemtxt = selected.first()->text();
    if (const auto file = core::dataFileOf(kind, itemtxt.toLatin1().toStdString()))
        m_filename = toQString(*file);
}

void Dlg3::OnOK()
{
    getitemtxt();
    if (m_nSel >= 0)
        QDialog::accept();
}

void Dlg3::accept()
{
    OnOK();
}

void Dlg3::OnDblclkList1()
{
    OnOK();
}

void Dlg3::OnOk2()
{
    getdatafromweb();
}

void Dlg3::OnStartupCheck()
{
    m_bStartup = m_bStartup != 0 ? 0 : 1;
}

bool Dlg3::eventFilter(QObject* watched, QEvent* event)
{
    // Only the left button's double-click opens, as in the list boxes users know.
    if (watched == m_pLottoList->viewport() && event->type() == QEvent::MouseButtonDblClick
        && static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton)
        OnDblclkList1();
    return QDialog::eventFilter(watched, event);
}

void Dlg3::getdatafromweb()
{
    getitemtxt();
    if (m_nSel < 0)
        return;
    net::UpdateRequest request;
    request.baseUrl = net::dataServerUrl();
    request.fileName = m_filename;
    request.localDir = m_dataDir;
    request.transferTimeout = m_transferTimeout;
    const net::UpdateResult result = runUpdateWithProgress(this, request);
    if (result.outcome == net::UpdateOutcome::Cancelled)
        return;
    // Success or failure, the outcome is told in the same plain box.
    MessageBox::information(this, result.message);
}

} // namespace corvane::app
