#include "app/shell/about_dlg.h"

#include "app/shell/dialog_units.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace corvane::app {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_close(new QPushButton(QStringLiteral("Close"), this))
{
    // Template 100: 207 x 172 dialog units in "MS Sans Serif" 8 points, a caption but no system
    // menu.
    setWindowTitle(QStringLiteral("About Corvane For Windows"));
    setModal(true);
    const QFont f = templateFont("MS Sans Serif", 8);
    setFont(f);
    setFixedSize(dialogUnitsToPixels(f, QSize(207, 172)));

    const struct
    {
        const char* text;
        QRect units;
    } lines[] = {
        {"For Windows", {74, 27, 44, 8}},
        {"Version 1.0", {39, 44, 44, 8}},
        {"Data: lottery operators' results", {39, 61, 128, 8}},
    };
    // The texts stand on white, whatever the desktop's colour for dialogs.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    for (const auto& line : lines) {
        auto* label = new QLabel(QString::fromLatin1(line.text), this);
        label->setGeometry(dialogUnitsToPixels(f, line.units));
        growToText(label, width() - dialogUnitsToPixelsX(f, 7));
        label->setPalette(white);
        label->setAutoFillBackground(true);
        m_texts.append(label);
    }

    m_close->setObjectName(QStringLiteral("IDOK"));
    m_close->setGeometry(dialogUnitsToPixels(f, QRect(85, 145, 32, 14)));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

CAboutDlg::~CAboutDlg() = default;

QPixmap CAboutDlg::picture(qreal devicePixelRatio)
{
    // The @2x file carries its ratio in its name, so both draw at the same logical size.
    return QPixmap(devicePixelRatio > 1.0 ? QStringLiteral(":/about/about@2x.png")
                                          : QStringLiteral(":/about/about.png"));
}

void CAboutDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPixmap pixmap = picture(devicePixelRatioF());
    const QSize logical = pixmap.deviceIndependentSize().toSize();
    const QRect visible = rect().intersected(QRect(QPoint(0, 0), logical));
    // Past the picture's edge, if the client area is larger, the dialog is white too.
    painter.fillRect(rect(), Qt::white);
    const qreal ratio = pixmap.devicePixelRatio();
    painter.drawPixmap(visible, pixmap,
        QRect(0, 0, qRound(visible.width() * ratio), qRound(visible.height() * ratio)));
}

} // namespace corvane::app
