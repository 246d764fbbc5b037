#include "app/stats/freq_dlg.h"

#include "app/shell/app_ui.h"
#include "app/shell/dialog_units.h"

#include "core/stats/frequency.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableWidget>

namespace corvane::app {

namespace {

// The template is laid out in the system font, a bold face 16 pixels high with characters 8
// pixels wide on average; the platform's own font in bold at 14 pixels comes closest to it.
QFont templateFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(14);
    font.setBold(true);
    return font;
}

QString fromCore(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QTableWidgetItem* cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(fromCore(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return item;
}

} // namespace

FreqDlg::FreqDlg(QWidget* parent)
    : QDialog(parent)
    , m_engine(std::make_unique<core::frequency>())
{
    // Template 153: 218 x 106 dialog units.
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    const QFont units = templateFont();
    resize(dialogUnitsToPixels(units, QSize(218, 106)));
    auto place = [&units](QWidget* control, int id, QRect rect) {
        if (id != 0)
            control->setObjectName(QString::number(id));
        control->setGeometry(dialogUnitsToPixels(units, rect));
    };

    place(new QLabel(QStringLiteral("Period:"), this), 0, QRect(12, 4, 23, 8));
    place(new QLabel(QStringLiteral("FROM"), this), kFromLabel, QRect(37, 4, 20, 8));
    m_from = makeDatePicker(this);
    place(m_from, kFromPicker, QRect(59, 3, 36, 10));
    auto* toLabel = new QLabel(QStringLiteral("TO"), this);
    place(toLabel, kToLabel, QRect(97, 4, 9, 8));
    m_to = makeDatePicker(this);
    place(m_to, kToPicker, QRect(108, 3, 36, 10));
    m_showAllBox = new QCheckBox(QStringLiteral("Show All Lines"), this);
    place(m_showAllBox, kShowAllLines, QRect(147, 2, 57, 12));

    m_list = new QTableWidget(this);
    place(m_list, kList, QRect(7, 15, 204, 72));

    // The template's pickers are too narrow for the font in use: they grow until every date
    // shows whole, what stands right of them moves along, and the dialog and its list widen
    // as far as the row needs.
    int shift = 0;
    QWidget* const topRow[] = {m_from, toLabel, m_to, m_showAllBox};
    for (QWidget* control : topRow) {
        QRect rect = control->geometry().translated(shift, 0);
        if (auto* picker = qobject_cast<QDateEdit*>(control)) {
            const int grown = qMax(rect.width(), pickerWidth(picker));
            shift += grown - rect.width();
            rect.setWidth(grown);
        }
        control->setGeometry(rect);
    }
    growToText(m_showAllBox, m_showAllBox->x() + m_showAllBox->sizeHint().width());
    const int wider
        = qMax(0, m_showAllBox->geometry().right() + 1 + dialogUnitsToPixelsX(units, 7) - width());
    resize(width() + wider, height());
    m_list->resize(m_list->width() + wider, m_list->height());
    m_list->setSortingEnabled(false);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setSectionsClickable(false);
    // The selection stays visible when the list loses the focus.
    QPalette palette = m_list->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    m_list->setPalette(palette);

    m_show = new QPushButton(QStringLiteral("Show"), this);
    m_show->setObjectName(QStringLiteral("IDOK"));
    m_show->setGeometry(dialogUnitsToPixels(units, QRect(54, 92, 33, 10)));
    m_show->setDefault(true);
    m_exit = new QPushButton(QStringLiteral("Exit"), this);
    m_exit->setObjectName(QStringLiteral("IDCANCEL"));
    m_exit->setGeometry(dialogUnitsToPixels(units, QRect(129, 92, 33, 10)));

    connect(m_show, &QPushButton::clicked, this, &FreqDlg::OnOK);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_showAllBox, &QCheckBox::clicked, this, &FreqDlg::OnShowAllLines);
}

FreqDlg::~FreqDlg() = default;

void FreqDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void FreqDlg::OnInitDialog()
{
    DoDataExchange();
    loadSmallIcon(this);
    // The box shows the state the creator chose, so the two never disagree.
    m_showAllBox->setChecked(m_showall != 0);
}

void FreqDlg::DoDataExchange()
{
    m_font = fontFromLogFont(m_logfont);
    setWindowTitle(m_title);
}

void FreqDlg::OnShowAllLines()
{
    m_showall = m_showall == 0 ? 1 : 0;
}

void FreqDlg::OnOK()
{
    AppUi ui(this);
    m_engine->m_path = corePath(m_path);
    const auto texts = m_engine->show(pickerText(m_from), pickerText(m_to), m_showall != 0, ui);
    if (!texts)
        return;

    m_list->setUpdatesEnabled(false);
    m_list->setFont(m_font);
    m_list->verticalHeader()->setDefaultSectionSize(QFontMetrics(m_font).height() + 4);
    m_list->setRowCount(0);
    // Exactly the columns of this period: none of a longer earlier list stays behind.
    const int columns = static_cast<int>(texts->header.size());
    m_list->setColumnCount(columns);
    for (int c = 0; c < columns; ++c)
        m_list->setHorizontalHeaderItem(c, cell(texts->header[static_cast<std::size_t>(c)]));
    m_list->setRowCount(static_cast<int>(texts->rows.size()));
    for (int r = 0; r < m_list->rowCount(); ++r) {
        const auto& row = texts->rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < columns && c < static_cast<int>(row.size()); ++c)
            m_list->setItem(r, c, cell(row[static_cast<std::size_t>(c)]));
    }
    m_list->resizeColumnsToContents();
    m_list->setUpdatesEnabled(true);
}

void FreqDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The first resize event comes with the first showing and changes no size: the controls
    // keep their template places until the window's size changes.
    if (!event->oldSize().isValid())
        return;
    OnSize(event->size().width(), event->size().height());
}

void FreqDlg::OnSize(int cx, int cy)
{
    m_list->resize(cx - 35, cy - 85);
    m_show->setGeometry(cx / 4, cy - 40, 80, 28);
    m_exit->setGeometry(cx / 2, cy - 40, 80, 28);
}

} // namespace corvane::app
