// The recent files of the "&File" menu: how their paths are shortened for the menu.
#include "app_support.h"

#include "app/shell/recent_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using corvane::app::CRecentFileList;
using corvane::test::ChangeDir;

class RecentFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }

    void menuText_shortensTheFolders_data();
    void menuText_shortensTheFolders();
    void menuText_fileInTheCurrentFolder_byItsName();
};

void RecentFilesTest::menuText_shortensTheFolders_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QString deep = QStringLiteral("/home");
    for (int i = 0; i < 20; ++i)
        deep += QStringLiteral("/folder_%1").arg(i, 2, 10, QLatin1Char('0'));
    deep += QStringLiteral("/ca649.txt");
    const QString longName = QString(40, QLatin1Char('n')) + QStringLiteral(".txt");

    QTest::newRow("short") << QStringLiteral("/d/a.txt") << QStringLiteral("/d/a.txt");
    QTest::newRow("30 characters, whole") << QStringLiteral("/home/user/lotto/draws/ca6.txt")
                                          << QStringLiteral("/home/user/lotto/draws/ca6.txt");
    QTest::newRow("31 characters") << QStringLiteral("/home/user/lotto/data/ca649.txt")
                                   << QStringLiteral("/home/.../lotto/data/ca649.txt");
    QTest::newRow("215 characters") << deep << QStringLiteral("/home/.../folder_19/ca649.txt");
    QTest::newRow("a name longer than 30") << QStringLiteral("/d/") + longName << longName;
    QTest::newRow("no room beside the first folder")
        << QStringLiteral("/averyveryverylongfoldername/x/twenty-five-characters.txt")
        << QStringLiteral("twenty-five-characters.txt");
    QTest::newRow("in the first folder") << QStringLiteral("/home/") + longName.left(25)
            + QStringLiteral(".txt") << longName.left(25) + QStringLiteral(".txt");
    QTest::newRow("in the root, whole") << QStringLiteral("/twenty-nine-characters-a.txt")
                                        << QStringLiteral("/twenty-nine-characters-a.txt");
    QTest::newRow("ampersands doubled after shortening") << QStringLiteral(
        "/home/user/lotto/r&d/x/ca649.txt") << QStringLiteral("/home/.../r&&d/x/ca649.txt");
}

void RecentFilesTest::menuText_shortensTheFolders()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);
    CRecentFileList list;
    list.Add(path);
    QCOMPARE(list.menuText(0), QStringLiteral("&1 ") + QDir::toNativeSeparators(shown));
    // The list keeps the whole path: it is what is opened.
    QCOMPARE(list.files().first(), path);
}

void RecentFilesTest::menuText_fileInTheCurrentFolder_byItsName()
{
    QTemporaryDir dir;
    const QString here = dir.filePath(QStringLiteral("ca649.txt"));
    const QString below = dir.filePath(QStringLiteral("sub/au645.txt"));
    ChangeDir inDir(dir.path());
    CRecentFileList list;
    list.Add(below);
    list.Add(here);
    QCOMPARE(list.menuText(0), QStringLiteral("&1 ca649.txt"));
    QVERIFY(list.menuText(1).endsWith(QDir::toNativeSeparators(QStringLiteral("/sub/au645.txt"))));
    QVERIFY(list.menuText(1).contains(QDir::separator()));
}

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
