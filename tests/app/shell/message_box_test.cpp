// The real message boxes behind the seam: the program's own messages are plain (text and OK);
// the framework's file errors and its save-changes question keep their icons.
#include "app_support.h"

#include "app/shell/message_box.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

using corvane::app::MessageBox;

class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        corvane::test::isolateFromTheUser();
        MessageBox::setTestMode(false);
    }

    void box_iconTextAndButtons_data();
    void box_iconTextAndButtons();
};

void MessageBoxTest::box_iconTextAndButtons_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("the program's own message")
        << QStringLiteral("information") << int(QMessageBox::NoIcon)
        << QStringList {QStringLiteral("OK")};
    QTest::newRow("a file error") << QStringLiteral("warning") << int(QMessageBox::Warning)
                                  << QStringList {QStringLiteral("OK")};
    QTest::newRow("save changes") << QStringLiteral("question") << int(QMessageBox::Question)
                                  << QStringList {QStringLiteral("Yes"), QStringLiteral("No"),
                                         QStringLiteral("Cancel")};
}

void MessageBoxTest::box_iconTextAndButtons()
{
    QFETCH(QString, kind);
    QFETCH(int, icon);
    QFETCH(QStringList, buttons);
    const QString text = QStringLiteral("Data File Must Has Data!");
    int shownIcon = -1;
    bool noPicture = false;
    QString shownText;
    QString title;
    QStringList shownButtons;
    const bool answered = corvane::test::answerModal(
        [&] {
            if (kind == QStringLiteral("information"))
                MessageBox::information(nullptr, text);
            else if (kind == QStringLiteral("warning"))
                MessageBox::warning(nullptr, text);
            else
                MessageBox::question(
                    nullptr, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        },
        [&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                shownIcon = box->icon();
                noPicture = box->iconPixmap().isNull();
                shownText = box->text();
                title = box->windowTitle();
                for (const QAbstractButton* button : box->buttons())
                    shownButtons << button->text().remove(QLatin1Char('&'));
            }
            modal->close();
        });
    QVERIFY(answered);
    QCOMPARE(shownIcon, icon);
    QCOMPARE(noPicture, icon == QMessageBox::NoIcon);
    QCOMPARE(shownText, text);
    QCOMPARE(title, QStringLiteral("Corvane"));
    shownButtons.sort();
    buttons.sort();
    QCOMPARE(shownButtons, buttons);
}

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
