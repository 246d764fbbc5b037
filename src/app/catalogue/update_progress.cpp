#include "app/catalogue/update_progress.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

namespace corvane::app {

namespace {

class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

UpdateProgressDialog::UpdateProgressDialog(const QString& fileName, QWidget* parent)
    : QDialog(parent)
    , m_label(new QLabel(
          QStringLiteral("Downloading ") + fileName + QStringLiteral(" from the data server..."),
          this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Update Online"));
    setObjectName(QStringLiteral("updateProgress"));
    m_bar->setRange(0, 0);
    m_bar->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_bar->setMinimumWidth(m_label->sizeHint().width());
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

UpdateProgressDialog::~UpdateProgressDialog() = default;

void UpdateProgressDialog::setProgress(qint64 received, qint64 total)
{
    if (total <= 0) {
        m_bar->setRange(0, 0);
        return;
    }
    // The bar counts in kibibytes, which keeps every data file's size within an int.
    const auto scale = [](qint64 bytes) {
        return static_cast<int>(qMin<qint64>(bytes / 1024, std::numeric_limits<int>::max()));
    };
    m_bar->setRange(0, qMax(1, scale(total)));
    m_bar->setValue(qMin(scale(received), m_bar->maximum()));
}

net::UpdateResult runUpdateWithProgress(
    QWidget* parent, const net::UpdateRequest& request, std::chrono::milliseconds progressDelay)
{
    const BusyCursor busy;
    net::DataUpdate update(request);
    qint64 received = 0;
    qint64 total = -1;
    QObject::connect(&update, &net::DataUpdate::progress, [&](qint64 bytes, qint64 of) {
        received = bytes;
        total = of;
    });
    QEventLoop loop;
    QObject::connect(&update, &net::DataUpdate::finished, &loop, &QEventLoop::quit);
    update.start();
    if (!update.isFinished()) {
        // The window does not respond while the download runs; what the user types or clicks
        // meanwhile waits in the queue.
        QTimer later;
        later.setSingleShot(true);
        QObject::connect(&later, &QTimer::timeout, &loop, &QEventLoop::quit);
        later.start(progressDelay);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!update.isFinished()) {
        UpdateProgressDialog progress(request.fileName, parent);
        progress.setProgress(received, total);
        QObject::connect(
            &update, &net::DataUpdate::progress, &progress, &UpdateProgressDialog::setProgress);
        QObject::connect(&progress, &QDialog::rejected, &update, &net::DataUpdate::cancel);
        progress.open();
        loop.exec();
    }
    return update.result();
}

} // namespace corvane::app
