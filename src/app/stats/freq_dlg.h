#pragma once

#include "app/stats/period_controls.h"

#include <QDialog>
#include <QFont>
#include <QString>

#include <cstdint>
#include <memory>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace corvane::core {
class frequency;
}

namespace corvane::app {

/// The number frequency table: for the period between the two pickers' dates, "Show" lists how
/// many times each number was drawn, in one row of totals or (with "Show All Lines") a row per
/// draw counting from the period's start. The creator sets m_path, m_showall and m_title.
class FreqDlg : public QDialog
{
    Q_OBJECT

public:
    /// Control ids of the dialog template, kept as object names.
    static constexpr int kList = 1011;
    static constexpr int kShowAllLines = 1015;
    static constexpr int kFromPicker = 1019;
    static constexpr int kToPicker = 1020;
    static constexpr int kFromLabel = 1021;
    static constexpr int kToLabel = 1022;

    explicit FreqDlg(QWidget* parent = nullptr);
    ~FreqDlg() override;
    Q_DISABLE_COPY_MOVE(FreqDlg)

    /// Full path of the data file.
    QString m_path;
    /// "Show All Lines": 0 off, 1 on; acts at the next "Show".
    std::int32_t m_showall = 0;
    /// The caption.
    QString m_title;
    /// The font of the list, made from m_logfont when the dialog opens.
    QFont m_font;
    LogFont m_logfont;

    /// The period engine as the last "Show" left it.
    const core::frequency& engine() const { return *m_engine; }

    QDateEdit* fromPicker() const { return m_from; }
    QDateEdit* toPicker() const { return m_to; }
    QCheckBox* showAllBox() const { return m_showAllBox; }
    QTableWidget* list() const { return m_list; }
    QPushButton* showButton() const { return m_show; }
    QPushButton* exitButton() const { return m_exit; }

public slots:
    /// "Show": reads the data file and fills the list; the dialog stays open.
    void OnOK();
    void OnShowAllLines();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitDialog();
    void DoDataExchange();
    void OnSize(int cx, int cy);

    std::unique_ptr<core::frequency> m_engine;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QCheckBox* m_showAllBox;
    QTableWidget* m_list;
    QPushButton* m_show;
    QPushButton* m_exit;
    bool m_initialised = false;
};

} // namespace corvane::app
