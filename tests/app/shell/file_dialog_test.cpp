// The real file dialogs behind the seam: their one filter keeps its label and shows every file.
#include "app_support.h"

#include "app/shell/message_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

using corvane::app::FileDialog;
using corvane::test::ChangeDir;

namespace {

// The names the dialog's file list shows. It reads its folder in the background, so this waits
// a while for the three files of the test, and gives what is listed then.
QStringList listedNames(QFileDialog* dialog)
{
    const QAbstractItemView* list = nullptr;
    for (const char* name : {"listView", "treeView"}) {
        const auto* view = dialog->findChild<QAbstractItemView*>(QString::fromLatin1(name));
        if (view && view->isVisible())
            list = view;
    }
    if (!list)
        return {};
    QStringList names;
    const bool loaded = QTest::qWaitFor(
        [&] {
            names.clear();
            const QModelIndex root = list->rootIndex();
            for (int row = 0; row < list->model()->rowCount(root); ++row)
                names << list->model()->index(row, 0, root).data().toString();
            return names.size() == 3;
        },
        10000);
    if (!loaded)
        qWarning("the dialog did not list every file");
    return names;
}

} // namespace

class FileDialogTest : public QObject
{
    Q_OBJECT

private slots:
    // The real dialogs, not the test's answers; their own settings go to a test folder.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void allFiles_keepsItsLabel_showsNamesWithoutADot_data();
    void allFiles_keepsItsLabel_showsNamesWithoutADot();
};

void FileDialogTest::allFiles_keepsItsLabel_showsNamesWithoutADot_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save as") << true;
}

void FileDialogTest::allFiles_keepsItsLabel_showsNamesWithoutADot()
{
    QFETCH(bool, save);
    QTemporaryDir dir;
    for (const char* name : {"ca649.txt", "draws", "README"})
        QVERIFY(corvane::test::writeBytes(dir.filePath(QString::fromLatin1(name)), "1\r\n"));
    ChangeDir inDir(dir.path());
    const QString filter = QStringLiteral("All Files (*.*)");

    QStringList labels;
    QStringList names;
    QStringList namesAfterChoosingTheFilter;
    QStringList patternsAfterChoosingTheFilter {QStringLiteral("(none read)")};
    QString typed;
    const bool answered = corvane::test::answerModal(
        [&] {
            const QString chosen = save ? FileDialog::getSaveFileName(
                                       nullptr, dir.filePath(QStringLiteral("ca649.txt")), filter)
                                        : FileDialog::getOpenFileName(nullptr, filter);
            QVERIFY(chosen.isEmpty());
        },
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog) {
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                if (types) {
                    for (int i = 0; i < types->count(); ++i)
                        labels << types->itemText(i);
                }
                names = listedNames(dialog);
                if (const auto* edit
                    = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    typed = edit->text();
                // The user chooses the filter from its list again.
                if (types) {
                    emit types->activated(0);
                    emit types->textActivated(types->itemText(0));
                }
                // The list follows its model's patterns a moment later; the patterns at once.
                if (const auto* model = dialog->findChild<QFileSystemModel*>())
                    patternsAfterChoosingTheFilter = model->nameFilters();
                QTest::qWait(300);
                namesAfterChoosingTheFilter = listedNames(dialog);
            }
            modal->close();
        });
    QVERIFY(answered);
    QCOMPARE(labels, QStringList {filter});
    const QStringList every {
        QStringLiteral("README"), QStringLiteral("ca649.txt"), QStringLiteral("draws")};
    names.sort();
    QCOMPARE(names, every);
    QCOMPARE(patternsAfterChoosingTheFilter, QStringList());
    namesAfterChoosingTheFilter.sort();
    QCOMPARE(namesAfterChoosingTheFilter, every);
    QCOMPARE(typed, save ? QStringLiteral("ca649.txt") : QString());
}

QTEST_MAIN(FileDialogTest)
#include "file_dialog_test.moc"
