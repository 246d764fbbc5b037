#pragma once

#include "core/catalogue/catalogue.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <chrono>

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvane::app {

/// The lottery selection dialog: a region, then one of its lotteries, from the catalogue of the
/// United States or of the other countries. OPEN ends it with the lottery's data-file name in
/// m_filename; "Update Online" fetches that file from the data server into m_dataDir and leaves
/// the dialog open.
class Dlg3 : public QDialog
{
    Q_OBJECT

public:
    /// Control ids of the dialog template, kept as object names.
    static constexpr int kOpen = 1;
    static constexpr int kCancel = 2;
    static constexpr int kUpdateOnline = 3;
    static constexpr int kLottoList = 1010;
    static constexpr int kStateList = 1011;
    static constexpr int kUnitedStates = 1012;
    static constexpr int kOtherStates = 1013;
    static constexpr int kStartupCheck = 1015;

    explicit Dlg3(QWidget* parent = nullptr);
    ~Dlg3() override;
    Q_DISABLE_COPY_MOVE(Dlg3)

    /// Data-file name of the chosen lottery (a bare name); empty until a lottery is looked up.
    QString m_filename;
    /// Position of the selected lottery at the last lookup; -1 when none was selected.
    int m_nSel = -1;
    /// 1 while the other countries are shown, 0 while the United States are.
    int m_bOther = 0;
    /// The check box "Open The Selected At Startup"; the creator sets it to 0 before exec().
    int m_bStartup = 0;
    /// The 15 other countries and the 52 regions of the United States, in catalogue order.
    QStringList m_others;
    QStringList m_states;

    /// Where "Update Online" stores the data file: the executable's directory.
    QString m_dataDir;
    /// How long the download may go without a byte arriving.
    std::chrono::milliseconds m_transferTimeout;

    /// Fills the lists and shows the other countries, then runs the dialog.
    int exec() override;

    /// Does nothing (the idle menu item's command).
    void getdata();

    QListWidget* stateList() const { return m_pStateList; }
    QListWidget* lottoList() const { return m_pLottoList; }
    QPushButton* button(int id) const;
    QRadioButton* radio(int id) const;
    QCheckBox* startupCheck() const { return m_startup; }

public slots:
    /// OPEN and Enter: ends the dialog with Accepted when a lottery is selected.
    void OnOK();
    void OnDblclkList1();
    void OnSelchangeList2();
    /// "Update Online".
    void OnOk2();
    /// "United States".
    void OnRadio1();
    /// "Other States".
    void OnRadio2();
    void OnStartupCheck();

protected:
    /// Fills the catalogue lists and opens on the other countries with "Australia" selected.
    void DoDataExchange();
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listothers();
    void UsaLotto();
    void OtherLotto();
    /// Shows the lotteries of the selected region of a catalogue, the first one selected.
    void showLotteries(core::CatalogueKind kind);
    void getitemtxt();
    void usaitemtxt();
    void otheritemtxt();
    void itemtxt(core::CatalogueKind kind);
    void getdatafromweb();

    QListWidget* m_pStateList;
    QListWidget* m_pLottoList;
    QPushButton* m_open;
    QPushButton* m_update;
    QPushButton* m_cancel;
    QRadioButton* m_unitedStates;
    QRadioButton* m_otherStates;
    QCheckBox* m_startup;
};

} // namespace corvane::app
