// Keyboard use of the main window and of every dialog: mnemonics, tab order, default buttons,
// Escape.
#include "app_support.h"

#include "app/catalogue/dlg3.h"
#include "app/document/ombrix_view.h"
#include "app/shell/about_dlg.h"
#include "app/shell/commands.h"
#include "app/shell/dlg2.h"
#include "app/shell/help_window.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/recent_files.h"
#include "app/shell/settings.h"
#include "app/shell/tip_dlg.h"
#include "app/stats/drawpoint.h"
#include "app/stats/freq_dlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>

#include <algorithm>
#include <functional>
#include <memory>

using namespace corvane::app;
using corvane::test::answerModal;
using corvane::test::mnemonicOf;
using corvane::test::StartedApp;
using corvane::test::tabOrder;
using corvane::test::writeBytes;

namespace {

using KeyScript = std::function<void(QWidget*)>;
using DialogMaker = std::function<std::unique_ptr<QDialog>()>;

KeyScript keys(std::initializer_list<QPair<Qt::Key, Qt::KeyboardModifiers>> presses)
{
    const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> list(presses);
    return [list](QWidget* dialog) {
        for (const auto& [key, modifiers] : list) {
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : dialog, key, modifiers);
            // A mnemonic presses its button and lets it go a moment later, as a click would.
            const QList<QAbstractButton*> buttons = dialog->findChildren<QAbstractButton*>();
            const bool released = QTest::qWaitFor([&buttons] {
                return std::none_of(buttons.begin(), buttons.end(),
                    [](const QAbstractButton* button) { return button->isDown(); });
            });
            if (!released)
                qWarning("a button stayed pressed");
        }
    };
}

// Waits until the modal dialog is active, so that keys go where the user's would.
bool activate(QWidget* dialog)
{
    return QTest::qWaitForWindowActive(dialog);
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init();
    void cleanup();

    void menus_everyItemHasItsOwnMnemonic_data();
    void menus_everyItemHasItsOwnMnemonic();
    void mainWindow_startsWithTheFocusInTheText();
    void dlg2_tabOrder_andDefaultButton();
    void dlg2_keys_data();
    void dlg2_keys();
    void tipDlg_tabOrder_andDefaultButton();
    void tipDlg_keys_data();
    void tipDlg_keys();
    void helpWindow_focusInTheText_escapeCloses();
    void dialogs_tabOrderFollowsTheTemplate_data();
    void dialogs_tabOrderFollowsTheTemplate();
    void datePicker_arrowsWalkThroughTheFields();
    void dlg3_arrowsSwitchTheRegionGroup();

private:
    QString m_previousDir;
    std::unique_ptr<QTemporaryDir> m_cwd;
    std::unique_ptr<QTemporaryDir> m_profile;
};

void KeyboardTest::init()
{
    // A fresh profile, and a current directory with two tips for the tip of the day.
    m_profile = std::make_unique<QTemporaryDir>();
    Settings::redirectTo(m_profile->path());
    m_previousDir = QDir::currentPath();
    m_cwd = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_cwd->path()));
    QVERIFY(writeBytes(QStringLiteral("tips.txt"), "First tip\nSecond tip\n"));
    MessageBox::takeShown();
}

void KeyboardTest::cleanup()
{
    QDir::setCurrent(m_previousDir);
    m_cwd.reset();
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void KeyboardTest::menus_everyItemHasItsOwnMnemonic_data()
{
    QTest::addColumn<QString>("title");
    for (const char* title :
        {"", "&File", "Lotto&Data", "&Predict", "&Statistics", "&Edit", "&View", "&Help"})
        QTest::newRow(*title ? title : "menu bar") << QString::fromLatin1(title);
}

void KeyboardTest::menus_everyItemHasItsOwnMnemonic()
{
    QFETCH(QString, title);
    CRecentFileList recent;
    recent.Add(QDir(m_cwd->path()).filePath(QStringLiteral("ca649.txt")));
    recent.Add(QDir(m_cwd->path()).filePath(QStringLiteral("pb545.txt")));
    CMainFrame frame(QString(), &recent);
    frame.OnInitMenu();

    QList<QAction*> items;
    if (title.isEmpty()) {
        items = frame.menuBar()->actions();
    } else {
        for (QAction* top : frame.menuBar()->actions()) {
            if (top->text() == title)
                items = top->menu()->actions();
        }
        QVERIFY(!items.isEmpty());
    }
    QMap<QChar, QString> taken;
    for (const QAction* item : items) {
        // The blank item of "Lotto&Data" has no text to carry one.
        if (item->isSeparator() || !item->isVisible() || item->text().trimmed().isEmpty())
            continue;
        const QChar key = mnemonicOf(item->text());
        QVERIFY2(!key.isNull(), qPrintable(item->text() + QStringLiteral(" has no mnemonic")));
        QVERIFY2(!taken.contains(key),
            qPrintable(item->text() + QStringLiteral(" shares its mnemonic with ") + taken[key]));
        taken.insert(key, item->text());
    }
}

void KeyboardTest::mainWindow_startsWithTheFocusInTheText()
{
    StartedApp started;
    QVERIFY(started.start());
    QVERIFY(QTest::qWaitForWindowActive(started.frame()));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(started.view()));
}

void KeyboardTest::dlg2_tabOrder_andDefaultButton()
{
    Dlg2 dlg;
    dlg.m_text = QStringLiteral("1 2 3");
    QStringList order;
    QVERIFY(answerModal([&dlg] { dlg.exec(); },
        [&](QWidget* modal) {
            if (activate(modal))
                order = tabOrder(modal, 2);
            modal->close();
        }));
    QCOMPARE(order,
        QStringList({QStringLiteral("1007"), QStringLiteral("IDOK"), QStringLiteral("1007")}));
    QVERIFY(dlg.findChild<QPushButton*>(QStringLiteral("IDOK"))->isDefault());
}

void KeyboardTest::dlg2_keys_data()
{
    QTest::addColumn<KeyScript>("script");
    QTest::addColumn<int>("result");
    QTest::newRow("Escape") << keys({{Qt::Key_Escape, {}}}) << int(QDialog::Rejected);
    QTest::newRow("Tab to OK, Enter")
        << keys({{Qt::Key_Tab, {}}, {Qt::Key_Return, {}}}) << int(QDialog::Accepted);
    QTest::newRow("Tab to OK, Space")
        << keys({{Qt::Key_Tab, {}}, {Qt::Key_Space, {}}}) << int(QDialog::Accepted);
}

void KeyboardTest::dlg2_keys()
{
    QFETCH(KeyScript, script);
    QFETCH(int, result);
    Dlg2 dlg;
    dlg.m_text = QStringLiteral("1 2 3");
    int got = -1;
    QVERIFY(answerModal([&] { got = dlg.exec(); },
        [&](QWidget* modal) {
            if (activate(modal))
                script(modal);
            if (modal->isVisible())
                modal->close();
        }));
    QCOMPARE(got, result);
}

void KeyboardTest::tipDlg_tabOrder_andDefaultButton()
{
    CTipDlg dlg;
    QStringList order;
    QVERIFY(answerModal([&dlg] { dlg.exec(); },
        [&](QWidget* modal) {
            if (activate(modal))
                order = tabOrder(modal, 3);
            modal->close();
        }));
    QCOMPARE(order,
        QStringList(
            {QString::number(CTipDlg::kStartupBox), QString::number(CTipDlg::kNextTipButton),
                QStringLiteral("IDOK"), QString::number(CTipDlg::kStartupBox)}));
    QVERIFY(dlg.closeButton()->isDefault());
}

void KeyboardTest::tipDlg_keys_data()
{
    QTest::addColumn<KeyScript>("script");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QVariant>("startUp"); // as stored in the profile; invalid when not stored

    const QString first = QStringLiteral("First tip\n");
    const QString second = QStringLiteral("Second tip\n");
    QTest::newRow("Alt+N shows the next tip")
        << keys({{Qt::Key_N, Qt::AltModifier}}) << second << true << QVariant();
    QTest::newRow("Alt+S clears the box, Alt+C closes and stores it")
        << keys({{Qt::Key_S, Qt::AltModifier}, {Qt::Key_C, Qt::AltModifier}}) << first << false
        << QVariant(1);
    QTest::newRow("Enter presses Close")
        << keys({{Qt::Key_Return, {}}}) << first << false << QVariant(0);
    QTest::newRow("Space clears the box, Enter presses Close")
        << keys({{Qt::Key_Space, {}}, {Qt::Key_Return, {}}}) << first << false << QVariant(1);
    QTest::newRow("Enter on Next Tip shows the next tip")
        << keys({{Qt::Key_Tab, {}}, {Qt::Key_Return, {}}}) << second << true << QVariant();
    QTest::newRow("Escape closes without storing")
        << keys({{Qt::Key_S, Qt::AltModifier}, {Qt::Key_Escape, {}}}) << first << false
        << QVariant();
}

void KeyboardTest::tipDlg_keys()
{
    QFETCH(KeyScript, script);
    QFETCH(QString, tip);
    QFETCH(bool, open);
    QFETCH(QVariant, startUp);
    CTipDlg dlg;
    QString shown;
    bool stillOpen = false;
    QVERIFY(answerModal([&dlg] { dlg.exec(); },
        [&](QWidget* modal) {
            if (activate(modal))
                script(modal);
            shown = dlg.tipLabel()->text();
            stillOpen = modal->isVisible();
            if (stillOpen)
                modal->close();
        }));
    QCOMPARE(shown, tip);
    QCOMPARE(stillOpen, open);
    const QVariant stored = Settings().value(QStringLiteral("Tip"), QStringLiteral("StartUp"));
    QCOMPARE(stored.isValid(), startUp.isValid());
    if (startUp.isValid())
        QCOMPARE(stored.toInt(), startUp.toInt());
}

void KeyboardTest::helpWindow_focusInTheText_escapeCloses()
{
    StartedApp started;
    QVERIFY(QFile::copy(QStringLiteral(CORVANE_APP_RESOURCES_DIR "/corvh.hlp"),
        started.file(QStringLiteral("corvh.hlp"))));
    QVERIFY(started.start());
    QVERIFY(QTest::qWaitForWindowActive(started.frame()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    HelpWindow* help = started.frame()->helpWindow();
    QVERIFY(help);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(help->browser()));

    QTest::keyClick(help->browser(), Qt::Key_Escape);
    QTRY_VERIFY(!help->isVisible());
    QVERIFY(started.frame()->isVisible());
}

void KeyboardTest::dialogs_tabOrderFollowsTheTemplate_data()
{
    QTest::addColumn<DialogMaker>("make");
    QTest::addColumn<QStringList>("order"); // the focus when it opens, then after each Tab
    QTest::addColumn<QString>("defaultButton");

    auto ids = [](std::initializer_list<int> list) {
        QStringList names;
        for (int id : list)
            names << QString::number(id);
        return names;
    };
    // The selection dialog opens on the other countries, so that radio button is the group's stop.
    QTest::newRow("lottery selection")
        << DialogMaker([] { return std::make_unique<Dlg3>(); })
        << ids({Dlg3::kOpen, Dlg3::kUpdateOnline, Dlg3::kCancel, Dlg3::kStateList, Dlg3::kLottoList,
               Dlg3::kOtherStates, Dlg3::kStartupCheck, Dlg3::kOpen})
        << QString::number(Dlg3::kOpen);
    QTest::newRow("frequency table")
        << DialogMaker([] { return std::make_unique<FreqDlg>(); })
        << (ids({FreqDlg::kFromPicker, FreqDlg::kToPicker, FreqDlg::kShowAllLines, FreqDlg::kList})
               << QStringLiteral("IDOK") << QStringLiteral("IDCANCEL")
               << QString::number(FreqDlg::kFromPicker))
        << QStringLiteral("IDOK");
    QTest::newRow("distribution chart")
        << DialogMaker([] { return std::make_unique<Drawpoint>(); })
        << (ids({Drawpoint::kFromPicker, Drawpoint::kToPicker}) << QStringLiteral(
                "IDOK") << QStringLiteral("IDCANCEL") << QString::number(Drawpoint::kFromPicker))
        << QStringLiteral("IDOK");
    QTest::newRow("about box") << DialogMaker([] { return std::make_unique<CAboutDlg>(); })
                               << QStringList({QStringLiteral("IDOK"), QStringLiteral("IDOK")})
                               << QStringLiteral("IDOK");
}

void KeyboardTest::dialogs_tabOrderFollowsTheTemplate()
{
    QFETCH(DialogMaker, make);
    QFETCH(QStringList, order);
    QFETCH(QString, defaultButton);
    const std::unique_ptr<QDialog> dlg = make();
    QStringList seen;
    QVERIFY(answerModal([&dlg] { dlg->exec(); },
        [&](QWidget* modal) {
            if (activate(modal))
                seen = tabOrder(modal, int(order.size()) - 1);
            modal->close();
        }));
    QCOMPARE(seen, order);
    const QPushButton* button = dlg->findChild<QPushButton*>(defaultButton);
    QVERIFY(button);
    QVERIFY(button->isDefault());
}

void KeyboardTest::datePicker_arrowsWalkThroughTheFields()
{
    FreqDlg dlg;
    auto* picker = dlg.findChild<QDateEdit*>(QString::number(FreqDlg::kFromPicker));
    QVERIFY(picker);
    QList<QDateTimeEdit::Section> sections;
    QWidget* focusAfter = nullptr;
    QVERIFY(answerModal([&dlg] { dlg.exec(); },
        [&](QWidget* modal) {
            if (activate(modal) && QApplication::focusWidget() == picker) {
                picker->setCurrentSection(QDateTimeEdit::YearSection);
                sections << picker->currentSection();
                // "yy-M-d" is at most eight characters: Right walks through every field.
                for (int i = 0; i < 10; ++i) {
                    QTest::keyClick(picker, Qt::Key_Right);
                    if (picker->currentSection() != sections.last())
                        sections << picker->currentSection();
                }
                focusAfter = QApplication::focusWidget();
            }
            modal->close();
        }));
    QCOMPARE(sections,
        QList<QDateTimeEdit::Section>(
            {QDateTimeEdit::YearSection, QDateTimeEdit::MonthSection, QDateTimeEdit::DaySection}));
    QCOMPARE(focusAfter, static_cast<QWidget*>(picker));
}

void KeyboardTest::dlg3_arrowsSwitchTheRegionGroup()
{
    Dlg3 dlg;
    QRadioButton* unitedStates = dlg.radio(Dlg3::kUnitedStates);
    QWidget* focused = nullptr;
    int regions = 0;
    QStringList back;
    QVERIFY(answerModal([&dlg] { dlg.exec(); },
        [&](QWidget* modal) {
            if (activate(modal)) {
                dlg.radio(Dlg3::kOtherStates)->setFocus(Qt::TabFocusReason);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
                focused = QApplication::focusWidget();
                regions = dlg.stateList()->count();
                // Round the dialog once: the pair's stop is now United States.
                back = tabOrder(modal, 7);
            }
            modal->close();
        }));
    QCOMPARE(focused, static_cast<QWidget*>(unitedStates));
    QVERIFY(unitedStates->isChecked());
    QCOMPARE(dlg.m_bOther, 0);
    QCOMPARE(regions, 52);
    QCOMPARE(back.first(), QString::number(Dlg3::kUnitedStates));
    QCOMPARE(back.last(), QString::number(Dlg3::kUnitedStates));
    QVERIFY(!back.contains(QString::number(Dlg3::kOtherStates)));
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
