#include "app/stats/drawpoint.h"

#include "app/shell/app_ui.h"
#include "app/shell/dialog_units.h"

#include "core/stats/frequency.h"
#include "core/ui/ui.h"

#include <QDateEdit>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include <limits>
#include <memory>
#include <vector>

namespace corvane::app {

namespace {

QFont templateFont()
{
    QFont font(QStringLiteral("MS Serif"), 10);
    font.setStyleHint(QFont::Serif);
    return font;
}

// Keeps what the period engine has to tell, so that the dialog decides when it is shown.
class HeldUi : public core::Ui
{
public:
    void messageBox(const std::string& text) override { messages.push_back(text); }
    void showResult(const std::string&, const std::string&) override { }
    std::vector<std::string> messages;
};

QRect toRect(const core::ChartRect& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

QString fromCore(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Drawpoint::Drawpoint(QWidget* parent)
    : QDialog(parent)
    , m_ball(QStringLiteral(":/chart/ball.png"))
    , m_ball2x(QStringLiteral(":/chart/ball@2x.png"))
{
    // Template 154: 294 x 146 dialog units.
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Dialog"));
    // paintEvent clears the whole client area itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_ball2x.setDevicePixelRatio(2.0);
    const QFont units = templateFont();
    resize(dialogUnitsToPixels(units, QSize(294, 146)));
    auto place = [&units](QWidget* control, int id, QRect rect) {
        control->setObjectName(QString::number(id));
        control->setGeometry(dialogUnitsToPixels(units, rect));
    };

    m_periodLabel = new QLabel(QStringLiteral("Period:"), this);
    place(m_periodLabel, kPeriodLabel, QRect(77, 3, 20, 8));
    m_fromLabel = new QLabel(QStringLiteral("From"), this);
    place(m_fromLabel, kFromLabel, QRect(99, 3, 16, 8));
    m_from = makeDatePicker(this);
    place(m_from, kFromPicker, QRect(117, 2, 33, 9));
    m_toLabel = new QLabel(QStringLiteral("To"), this);
    place(m_toLabel, kToLabel, QRect(153, 2, 8, 8));
    m_to = makeDatePicker(this);
    place(m_to, kToPicker, QRect(164, 2, 33, 10));

    m_show = new QPushButton(QStringLiteral("Show"), this);
    m_show->setObjectName(QStringLiteral("IDOK"));
    m_show->setGeometry(dialogUnitsToPixels(units, QRect(83, 131, 33, 11)));
    m_show->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("IDCANCEL"));
    m_cancel->setGeometry(dialogUnitsToPixels(units, QRect(167, 131, 33, 11)));

    connect(m_show, &QPushButton::clicked, this, &Drawpoint::OnOK);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_from, &QDateEdit::dateChanged, this, &Drawpoint::onPeriodChanged);
    connect(m_to, &QDateEdit::dateChanged, this, &Drawpoint::onPeriodChanged);
}

Drawpoint::~Drawpoint() = default;

void Drawpoint::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void Drawpoint::OnInitDialog()
{
    DoDataExchange();
    loadSmallIcon(this);
}

void Drawpoint::DoDataExchange()
{
    m_font = fontFromLogFont(m_logfont);
    setWindowTitle(m_title);
}

void Drawpoint::OnOK()
{
    m_drawn = 1;
    drawchart(Report::Now);
}

void Drawpoint::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The first resize event comes with the first showing and changes no size: no chart yet.
    // The controls take their places at once all the same, since the template's were made for
    // a narrower font than any that stands in for it and cut the labels and dates off.
    if (!event->oldSize().isValid()) {
        placeControls(event->size().width(), event->size().height());
        return;
    }
    OnSize(event->size().width(), event->size().height());
}

void Drawpoint::OnSize(int cx, int cy)
{
    placeControls(cx, cy);
    // Every change of size draws the chart for the new size, as "Show" does.
    m_drawn = 1;
    drawchart(Report::Later);
}

void Drawpoint::placeControls(int cx, int cy)
{
    const double left = 0.3 * cx;
    auto at = [left](double offset) { return static_cast<int>(left + offset); };
    m_periodLabel->setGeometry(at(0), 5, 60, 24);
    m_fromLabel->setGeometry(at(60), 5, 40, 24);
    m_from->setGeometry(at(105), 5, 90, 24);
    m_toLabel->setGeometry(at(200), 5, 20, 22);
    m_to->setGeometry(at(225), 5, 90, 24);
    m_show->setGeometry(cx / 3, cy - 40, 80, 28);
    m_cancel->setGeometry(2 * (cx / 3), cy - 40, 80, 28);
}

void Drawpoint::onPeriodChanged()
{
    if (m_drawn != 1 || (pickerText(m_from) == m_chartFrom && pickerText(m_to) == m_chartTo))
        return;
    drawchart(Report::Later);
}

void Drawpoint::drawchart(Report report)
{
    m_chartFrom = pickerText(m_from);
    m_chartTo = pickerText(m_to);
    // The draw-history table is too large for the stack.
    auto engine = std::make_unique<core::frequency>();
    engine->m_presetkeys = 1;
    engine->m_path = corePath(m_path);
    HeldUi ui;
    const std::int32_t span = engine->loadperiod(
        core::frequency::pickerkey(m_chartFrom), core::frequency::pickerkey(m_chartTo), ui);
    update();
    if (span > 0) {
        m_chart = core::chartgeometry(*engine, width(), height());
        return;
    }
    // Nothing is drawn, and nothing more is read, until the next "Show" or change of size.
    m_chart.reset();
    m_drawn = 0;
    if (ui.messages.empty())
        return;
    if (report == Report::Later) {
        tellLater(ui.messages.front());
        return;
    }
    m_telling = true;
    AppUi(this).messageBox(ui.messages.front());
    m_telling = false;
}

void Drawpoint::tellLater(const std::string& message)
{
    // A resize by dragging comes as many events; the user hears of the refusal once.
    if (m_telling)
        return;
    m_telling = true;
    QTimer::singleShot(0, this, [this, message] {
        AppUi(this).messageBox(message);
        m_telling = false;
    });
}

void Drawpoint::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    OnEraseBkgnd(painter);
    if (m_drawn == 1 && m_chart)
        drawpicture(painter);
}

void Drawpoint::OnEraseBkgnd(QPainter& painter)
{
    painter.fillRect(rect(), Qt::white);
}

void Drawpoint::drawpicture(QPainter& painter) const
{
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    for (const core::ChartHeading& heading : m_chart->headings)
        painter.drawText(toRect(heading.rect), flags, fromCore(heading.text));

    // The picture at twice the size stays sharp on a high-density screen.
    const QPixmap& ball = devicePixelRatioF() > 1.0 ? m_ball2x : m_ball;
    // Line by line, the label first and then its balls, so a later line's label stands over
    // the balls of the line above.
    auto marker = m_chart->markers.begin();
    const auto end = m_chart->markers.end();
    auto drawMarkersUpTo = [&](std::int32_t line) {
        for (; marker != end && marker->line <= line; ++marker)
            painter.drawPixmap(QPoint(marker->topLeft.x, marker->topLeft.y), ball);
    };
    for (const core::ChartLine& line : m_chart->lines) {
        painter.drawText(toRect(line.rect), flags, fromCore(line.label));
        drawMarkersUpTo(line.index);
    }
    drawMarkersUpTo(std::numeric_limits<std::int32_t>::max());
}

} // namespace corvane::app
