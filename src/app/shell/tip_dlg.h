#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace corvane::core {
class TipsReader;
}

namespace corvane::app {

/// The tip of the day: one tip at a time from "tips.txt" in the current directory, "&Next Tip"
/// for the next one. The profile group "Tip" remembers between runs where in the file the last
/// opening stopped ("FilePos"), the file's modification time ("TimeStamp"; a new one starts the
/// file again from its first tip) and the check box ("StartUp", 0 when ticked).
class CTipDlg : public QDialog
{
    Q_OBJECT

public:
    /// Control ids of the dialog template, kept as object names.
    static constexpr int kBulbArea = 1000;
    static constexpr int kStartupBox = 1001;
    static constexpr int kNextTipButton = 1002;
    static constexpr int kTipText = 1004;

    /// Reads the profile, opens the tips file and reads the first tip.
    explicit CTipDlg(QWidget* parent = nullptr);
    /// Stores where the reading stopped (only when the tips file was open).
    ~CTipDlg() override;
    Q_DISABLE_COPY_MOVE(CTipDlg)

    /// The check box "&Show Tips on StartUp".
    bool m_startup = true;
    /// The tip shown, as read, line end included.
    QString m_tiptext;

    /// Reads the next tip into text.
    void nexttip(QString& text);

    QLabel* tipLabel() const { return m_tip; }
    QCheckBox* startupBox() const { return m_startupBox; }
    QPushButton* nextTipButton() const { return m_next; }
    QPushButton* closeButton() const { return m_close; }

public slots:
    void OnNextTip();
    /// "&Close": takes the check box and stores it, then closes the dialog.
    void OnOK();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnInitDialog();
    /// Moves the members into the controls, or with save the controls into the members.
    void DoDataExchange(bool save);

    std::unique_ptr<core::TipsReader> m_tipfile;
    QWidget* m_bulbArea;
    QLabel* m_tip;
    QCheckBox* m_startupBox;
    QPushButton* m_next;
    QPushButton* m_close;
    bool m_initialised = false;
};

} // namespace corvane::app
