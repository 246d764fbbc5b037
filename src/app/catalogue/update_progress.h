#pragma once

#include "net/data_update.h"

#include <QDialog>

#include <chrono>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace corvane::app {

/// The window shown while a data file downloads: what is fetched, how far it got, and Cancel.
class UpdateProgressDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateProgressDialog(const QString& fileName, QWidget* parent = nullptr);
    ~UpdateProgressDialog() override;
    Q_DISABLE_COPY_MOVE(UpdateProgressDialog)

    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    /// Bytes received of total; a total below 0 shows a busy bar.
    void setProgress(qint64 received, qint64 total);

private:
    QLabel* m_label;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
};

/// How long a download runs before its progress dialog appears.
inline constexpr std::chrono::milliseconds kProgressDelay {500};

/// Runs one update to its end with a busy cursor. Until the progress dialog appears, keys and
/// clicks wait; from then on the dialog, modal over parent, offers Cancel.
net::UpdateResult runUpdateWithProgress(QWidget* parent, const net::UpdateRequest& request,
    std::chrono::milliseconds progressDelay = kProgressDelay);

} // namespace corvane::app
