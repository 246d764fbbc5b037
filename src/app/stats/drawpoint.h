#pragma once

#include "app/stats/period_controls.h"

#include "core/stats/chart.h"

#include <QDialog>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QDateEdit;
class QLabel;
class QPainter;
class QPushButton;

namespace corvane::app {

/// The distribution chart: for the period between the two pickers' dates, a line per draw,
/// oldest at the top and labelled with its date, and a ball in the column of each of its
/// numbers (the last number column has none). The creator sets m_path and m_title.
///
/// The chart is laid out when "Show" is pressed, when the window's size changes and when the
/// pickers' dates differ from those of the chart shown; a paint only draws what was laid out,
/// always on a cleared background. A refused data file is told once and leaves no chart.
class Drawpoint : public QDialog
{
    Q_OBJECT

public:
    /// Control ids of the dialog template, kept as object names.
    static constexpr int kToLabel = 1022;
    static constexpr int kFromPicker = 1026;
    static constexpr int kToPicker = 1027;
    static constexpr int kPeriodLabel = 1030;
    static constexpr int kFromLabel = 1031;

    explicit Drawpoint(QWidget* parent = nullptr);
    ~Drawpoint() override;
    Q_DISABLE_COPY_MOVE(Drawpoint)

    /// Full path of the data file.
    QString m_path;
    /// The caption.
    QString m_title;
    /// 1 once "Show" was pressed or the size changed: the chart is drawn. Back to 0 after a
    /// refused data file, until the next "Show" or change of size.
    std::int32_t m_drawn = 0;
    /// The font of the chart's texts, made from m_logfont when the dialog opens.
    QFont m_font;
    LogFont m_logfont;

    /// The chart as last laid out; none before the first, or after a refused data file.
    const std::optional<core::ChartGeometry>& chart() const { return m_chart; }

    QDateEdit* fromPicker() const { return m_from; }
    QDateEdit* toPicker() const { return m_to; }
    QPushButton* showButton() const { return m_show; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    /// "Show": lays the chart out anew and repaints the whole window; the dialog stays open.
    void OnOK();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    /// How a refusal of the data file reaches the user.
    enum class Report {
        /// At once: the user pressed "Show".
        Now,
        /// From the event loop, once for a run of size or date changes.
        Later,
    };

    void OnInitDialog();
    void DoDataExchange();
    void OnSize(int cx, int cy);
    /// The controls' places for a client area of cx x cy pixels.
    void placeControls(int cx, int cy);
    void OnEraseBkgnd(QPainter& painter);
    void onPeriodChanged();
    /// Reads the data file for the pickers' dates and lays the chart out for the client size.
    void drawchart(Report report);
    void tellLater(const std::string& message);
    void drawpicture(QPainter& painter) const;

    QLabel* m_periodLabel;
    QLabel* m_fromLabel;
    QDateEdit* m_from;
    QLabel* m_toLabel;
    QDateEdit* m_to;
    QPushButton* m_show;
    QPushButton* m_cancel;
    QPixmap m_ball;
    QPixmap m_ball2x;

    std::optional<core::ChartGeometry> m_chart;
    /// The pickers' texts of the chart laid out.
    std::string m_chartFrom;
    std::string m_chartTo;
    /// A message waits for the event loop, or is on the screen.
    bool m_telling = false;
    bool m_initialised = false;
};

} // namespace corvane::app
