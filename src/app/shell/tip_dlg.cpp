#include "app/shell/tip_dlg.h"

#include "app/shell/app_ui.h"
#include "app/shell/dialog_units.h"
#include "app/shell/settings.h"

#include "core/tips/tipsreader.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <limits>
#include <optional>

namespace corvane::app {

namespace {

const QString kGroup = QStringLiteral("Tip");
const QString kStartUp = QStringLiteral("StartUp");
const QString kFilePos = QStringLiteral("FilePos");
const QString kTimeStamp = QStringLiteral("TimeStamp");

// The light bulb beside "Did you know...", in pixels at a device pixel ratio of 1.
constexpr QSize kBulbSize(40, 53);

// The profile may hold anything a user or another program put there. A whole number too long
// for 64 bits is kept as the nearest one, which no file reaches; anything else that is not a
// whole number (letters, a fraction, an empty text) counts as no value at all.
std::optional<std::int64_t> wholeNumber(const QVariant& value)
{
    const QString text = value.toString().trimmed();
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (ok)
        return number;
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    return text.startsWith(QLatin1Char('-')) ? std::numeric_limits<std::int64_t>::min()
                                             : std::numeric_limits<std::int64_t>::max();
}

// Tips are single-byte text in the program's tradition, but a tips file saved by a present-day
// editor is UTF-8: take it as UTF-8 when it is that, as Latin-1 otherwise.
QString fromTipBytes(const std::string& bytes)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(view);
}

} // namespace

CTipDlg::CTipDlg(QWidget* parent)
    : QDialog(parent)
{
    Settings profile;
    m_startup = wholeNumber(profile.value(kGroup, kStartUp)).value_or(0) == 0;

    core::TipsReader::Stored stored;
    stored.filePos = wholeNumber(profile.value(kGroup, kFilePos)).value_or(0);
    stored.timeStamp = profile.value(kGroup, kTimeStamp).toString().toStdString();

    AppUi ui(parent);
    m_tipfile = std::make_unique<core::TipsReader>("tips.txt", stored, ui);
    if (m_tipfile->timeStampChanged())
        profile.setValue(kGroup, kTimeStamp, QString::fromStdString(m_tipfile->timeStamp()));
    m_tiptext = fromTipBytes(m_tipfile->tip());

    // Template 103: 231 x 164 dialog units in "MS Sans Serif" 8 points (or the sans-serif font
    // that stands in for it).
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setModal(true);
    const QFont font = templateFont("MS Sans Serif", 8);
    setFont(font);
    setFixedSize(dialogUnitsToPixels(font, QSize(231, 164)));
    auto place = [&font](QWidget* control, int id, QRect units) {
        control->setObjectName(id ? QString::number(id) : QString());
        control->setGeometry(dialogUnitsToPixels(font, units));
    };

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette black = frame->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(black);
    place(frame, 0, QRect(12, 11, 207, 123));

    // The area has no picture of its own: paintEvent paints it white with the bulb.
    m_bulbArea = new QWidget(this);
    place(m_bulbArea, kBulbArea, QRect(20, 17, 190, 111));

    m_tip = new QLabel(QStringLiteral("Some String"), this);
    m_tip->setTextFormat(Qt::PlainText);
    m_tip->setWordWrap(true);
    m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette white = m_tip->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_tip->setPalette(white);
    m_tip->setAutoFillBackground(true);
    place(m_tip, kTipText, QRect(28, 63, 177, 60));

    m_startupBox = new QCheckBox(QStringLiteral("&Show Tips on StartUp"), this);
    place(m_startupBox, kStartupBox, QRect(13, 146, 85, 10));

    m_next = new QPushButton(QStringLiteral("&Next Tip"), this);
    place(m_next, kNextTipButton, QRect(109, 143, 50, 14));
    // The check box's indicator and a stand-in font may need more width than the template
    // gives; take it, up to a pixel before "&Next Tip", rather than cut its text off.
    const int room = m_next->x() - m_startupBox->x() - 1;
    m_startupBox->resize(
        std::max(m_startupBox->width(), std::min(m_startupBox->sizeHint().width(), room)),
        m_startupBox->height());
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_close->setObjectName(QStringLiteral("IDOK"));
    m_close->setGeometry(dialogUnitsToPixels(font, QRect(168, 143, 50, 14)));
    m_close->setDefault(true);

    connect(m_next, &QPushButton::clicked, this, &CTipDlg::OnNextTip);
    connect(m_close, &QPushButton::clicked, this, &CTipDlg::OnOK);
}

CTipDlg::~CTipDlg()
{
    const std::optional<std::int64_t> pos = m_tipfile->filePos();
    if (!pos)
        return;
    // A whole number as the profile has always held it; a position past 2 GiB as a wider one.
    const QVariant value = *pos >= 0 && *pos <= INT_MAX ? QVariant(static_cast<int>(*pos))
                                                        : QVariant(static_cast<qlonglong>(*pos));
    Settings().setValue(kGroup, kFilePos, value);
}

void CTipDlg::nexttip(QString& text)
{
    AppUi ui(this);
    m_tipfile->nexttip(ui);
    text = fromTipBytes(m_tipfile->tip());
}

void CTipDlg::OnNextTip()
{
    nexttip(m_tiptext);
    DoDataExchange(false);
    // The file may have lost its last tip since the dialog opened.
    m_next->setEnabled(m_tipfile->canGoOn());
}

void CTipDlg::OnOK()
{
    DoDataExchange(true);
    accept();
    Settings().setValue(kGroup, kStartUp, m_startup ? 0 : 1);
}

void CTipDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CTipDlg::OnInitDialog()
{
    DoDataExchange(false);
    // Without a tips file, or with one that holds no tip, there is no next tip to show.
    m_next->setEnabled(m_tipfile->canGoOn());
}

void CTipDlg::DoDataExchange(bool save)
{
    if (save) {
        m_startup = m_startupBox->isChecked();
        return;
    }
    m_startupBox->setChecked(m_startup);
    m_tip->setText(m_tiptext);
}

void CTipDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    QRect strip = m_bulbArea->geometry();
    painter.fillRect(strip, Qt::white);

    // The picture at twice the size stays sharp on a high-density screen.
    const bool dense = devicePixelRatioF() > 1.0;
    QPixmap bulb(dense ? QStringLiteral(":/tips/bulb@2x.png") : QStringLiteral(":/tips/bulb.png"));
    bulb.setDevicePixelRatio(dense ? 2.0 : 1.0);
    strip.setHeight(kBulbSize.height());
    painter.drawPixmap(QRect(strip.topLeft(), kBulbSize), bulb);

    // The heading is in the font a window's paint context starts with: the system's bold one.
    strip.setLeft(strip.left() + kBulbSize.width());
    QFont heading = font();
    heading.setPointSize(10);
    heading.setBold(true);
    painter.setFont(heading);
    painter.setPen(Qt::black);
    painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        QStringLiteral("Did you know..."));
}

} // namespace corvane::app
