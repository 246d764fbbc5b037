// The document: the bytes of a file kept through open and save, the size limit, failed opens
// and saves, reopening, the names the document manager takes, the save-changes prompt.
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/doc_manager.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"
#include "app/shell/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextCursor>

#include <climits>

using namespace corvane::app;
using corvane::test::ChangeDir;
using corvane::test::drawLines;
using corvane::test::readBytes;
using corvane::test::StartedApp;
using corvane::test::writeBytes;

namespace {

constexpr int kLimit = 1048575;

QString cannotFind(const QString& path)
{
    return QDir::toNativeSeparators(path)
        + QStringLiteral("\nCannot find this file.\nPlease verify that the correct path and file "
                         "name are given.");
}

void typeAtEnd(COmbrixView* view, const QString& text)
{
    QTextCursor cursor = view->textCursor();
    cursor.movePosition(QTextCursor::End);
    view->setTextCursor(cursor);
    QTest::keyClicks(view, text);
}

} // namespace

class DocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void roundTrip_uneditedFileSavedByteForByte_data();
    void roundTrip_uneditedFileSavedByteForByte();
    void editedFile_savedWithItsDominantLineBreak();
    void newDocument_savedWithCrLf_andSaveAsKeepsTheCaption();
    void sizeLimit_data();
    void sizeLimit();
    void failedOpen_leavesTheDocumentAsItWas_data();
    void failedOpen_leavesTheDocumentAsItWas();
    void failedSave_leavesFilePathAndModifiedFlag_data();
    void failedSave_leavesFilePathAndModifiedFlag();
    void longPath_opensAndSaves();
    void reopen_readsTheFileChangedOnDisk();
    void reopen_modifiedDocument_asksFirst();
    void names_quotedRelativeAndLinked();
    void documentPath_data();
    void documentPath();
    void noTemplate_failedToOpenDocument();
    void savePrompt_beforeNew_data();
    void savePrompt_beforeNew();
    void close_asksToSaveAndCancelKeepsTheWindow();
};

void DocumentTest::roundTrip_uneditedFileSavedByteForByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    QString allShown;
    for (int b = 0; b < 256; ++b)
        allShown += b == 0 ? QChar(0x2400) : b == '\r' ? QChar(u'\n') : QChar(char16_t(b));
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("crlf") << QByteArray("20020101 1 2\r\n20020102 3 4\r\n")
                          << QStringLiteral("20020101 1 2\n20020102 3 4\n");
    QTest::newRow("mixed crlf and lf")
        << QByteArray("a\r\nb\nc\r\nd\n") << QStringLiteral("a\nb\nc\nd\n");
    QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << QStringLiteral("a\n\nb");
    QTest::newRow("lone cr") << QByteArray("a\rb\r") << QStringLiteral("a\nb\n");
    QTest::newRow("no final break") << QByteArray("1 2 3") << QStringLiteral("1 2 3");
    QTest::newRow("latin-1 and nbsp")
        << QByteArray("\x80 \xa0 \xe9 \xff\r\n") << QString::fromLatin1("\x80 \xa0 \xe9 \xff\n");
    QTest::newRow("tabs") << QByteArray("1\t2\t\t3\n") << QStringLiteral("1\t2\t\t3\n");
    QTest::newRow("nul") << QByteArray("a\0b\0\n", 5) << QStringLiteral("a\u2400b\u2400\n");
    QTest::newRow("every byte") << all << allShown;
}

void DocumentTest::roundTrip_uneditedFileSavedByteForByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("tricky.txt"));
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(started.app().OpenDocumentFile(path));
    QCOMPARE(started.view()->toPlainText(), QString(shown).replace(QChar(0xa0), QLatin1Char(' ')));
    QString raw = started.view()->GetRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QCOMPARE(raw, shown);
    QVERIFY(!started.doc()->IsModified());
    QVERIFY(writeBytes(path, "something else"));
    started.action(kFileSave)->trigger();
    QCOMPARE(readBytes(path), bytes);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void DocumentTest::editedFile_savedWithItsDominantLineBreak()
{
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("mixed.txt"));
    QVERIFY(writeBytes(path, "a\r\nb\nc\nd\re"));
    QVERIFY(started.app().OpenDocumentFile(path));
    typeAtEnd(started.view(), QStringLiteral("f"));
    QTest::keyClick(started.view(), Qt::Key_Return);
    QTest::keyClicks(started.view(), QStringLiteral("g"));
    QVERIFY(started.doc()->IsModified());
    started.action(kFileSave)->trigger();
    QCOMPARE(readBytes(path), QByteArray("a\nb\nc\nd\nef\ng"));
    QVERIFY(!started.doc()->IsModified());
    // Saved again unedited: the bytes just written.
    started.action(kFileSave)->trigger();
    QCOMPARE(readBytes(path), QByteArray("a\nb\nc\nd\nef\ng"));
}

void DocumentTest::newDocument_savedWithCrLf_andSaveAsKeepsTheCaption()
{
    StartedApp started;
    QVERIFY(started.start());
    started.action(kFileNew)->trigger();
    QTest::keyClicks(started.view(), QStringLiteral("20020101 1 2"));
    QTest::keyClick(started.view(), Qt::Key_Return);
    QTest::keyClicks(started.view(), QStringLiteral("20020102 3 4"));
    const QString path = started.file(QStringLiteral("ca649-copy.txt"));
    FileDialog::setNextFileName(path);
    started.action(kFileSave)->trigger(); // no path yet: Save acts as Save As
    QCOMPARE(FileDialog::takeAsked(), 1);
    QCOMPARE(readBytes(path), QByteArray("20020101 1 2\r\n20020102 3 4"));
    QCOMPARE(started.doc()->GetPathName(), path);
    QCOMPARE(started.doc()->GetTitle(), QStringLiteral("ca649-copy.txt"));
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("--Corvane For Windows"));
    QCOMPARE(started.app().recentFiles()->files().first(), path);

    // Save As of an opened file: a new path, and still the caption of the open.
    QVERIFY(started.app().OpenDocumentFile(started.file(QStringLiteral("ca649.txt"))));
    const QString other = started.file(QStringLiteral("au645.txt"));
    FileDialog::setNextFileName(other);
    started.action(kFileSaveAs)->trigger();
    QCOMPARE(started.doc()->GetPathName(), other);
    QCOMPARE(readBytes(other), readBytes(corvane::test::shippedHistory()));
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("Canadian 6/49--Corvane For Windows"));
}

void DocumentTest::sizeLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("opens");
    QTest::newRow("exactly the limit") << kLimit << true;
    QTest::newRow("one byte more") << kLimit + 1 << false;
    QTest::newRow("far more") << 3 * kLimit << false;
}

void DocumentTest::sizeLimit()
{
    QFETCH(int, size);
    QFETCH(bool, opens);
    StartedApp started;
    QVERIFY(started.start());
    QByteArray bytes = drawLines(size / 30 + 1, "\r\n").left(size);
    bytes.append(QByteArray(size - bytes.size(), '7'));
    const QString path = started.file(QStringLiteral("large.txt"));
    QVERIFY(writeBytes(path, bytes));
    const bool opened = started.app().OpenDocumentFile(path) != nullptr;
    QCOMPARE(opened, opens);
    if (opens) {
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(started.doc()->GetPathName(), path);
        QVERIFY(writeBytes(path, ""));
        started.action(kFileSave)->trigger();
        QCOMPARE(readBytes(path), bytes);
    } else {
        QCOMPARE(MessageBox::takeShown(),
            QStringList {QStringLiteral("The file is too large to open.")});
        QVERIFY(started.doc()->GetPathName().isEmpty());
        QCOMPARE(started.doc()->GetTitle(), QStringLiteral("Untitled"));
        QVERIFY(started.view()->toPlainText().isEmpty());
        QVERIFY(!started.doc()->IsModified());
        QCOMPARE(started.frame()->windowTitle(), QStringLiteral("--Corvane For Windows"));
        QCOMPARE(readBytes(path), bytes);
    }
}

void DocumentTest::failedOpen_leavesTheDocumentAsItWas_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message"); // %P: the path
    QTest::newRow("missing") << QStringLiteral("gone.txt") << cannotFind(QStringLiteral("%P"));
    QTest::newRow("a folder") << QStringLiteral(
        "folder") << QStringLiteral("Unable to read from %P, it is opened by someone else.");
}

void DocumentTest::failedOpen_leavesTheDocumentAsItWas()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    StartedApp started;
    QVERIFY(QDir(started.dir()).mkdir(QStringLiteral("folder")));
    QVERIFY(started.start());
    typeAtEnd(started.view(), QStringLiteral("99"));
    const QString text = started.view()->toPlainText();
    MessageBox::setNextAnswer(QMessageBox::No);
    QVERIFY(!started.app().OpenDocumentFile(started.file(name)));
    message.replace(QStringLiteral("%P"), QDir::toNativeSeparators(started.file(name)));
    QCOMPARE(MessageBox::takeShown(),
        QStringList({QStringLiteral("Save changes to ca649.txt?"), message}));
    QCOMPARE(started.view()->toPlainText(), text);
    QCOMPARE(started.doc()->GetPathName(), started.file(QStringLiteral("ca649.txt")));
    QVERIFY(started.doc()->IsModified());
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("Canada 6/49--Corvane For Windows"));
}

void DocumentTest::failedSave_leavesFilePathAndModifiedFlag_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("read-only file") << false;
    QTest::newRow("read-only folder") << true;
}

void DocumentTest::failedSave_leavesFilePathAndModifiedFlag()
{
    QFETCH(bool, readOnlyFolder);
    StartedApp started;
    QVERIFY(started.start());
    const QString folder = started.file(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/draws.txt");
    const QByteArray bytes = drawLines(20);
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(started.app().OpenDocumentFile(path));
    typeAtEnd(started.view(), QStringLiteral("5"));

    const QString locked = readOnlyFolder ? folder : path;
    const QFile::Permissions old = QFile::permissions(locked);
    QVERIFY(QFile::setPermissions(
        locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser));
    started.action(kFileSave)->trigger();
    QCOMPARE(MessageBox::takeShown(),
        QStringList {QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(path)
            + QStringLiteral(", it is read-only or opened by someone else.")});
    QVERIFY(QFile::setPermissions(locked, old));
    QCOMPARE(readBytes(path), bytes);
    QCOMPARE(started.doc()->GetPathName(), path);
    QVERIFY(started.doc()->IsModified());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList {QStringLiteral("draws.txt")});

    // A failed Save As keeps the old path as well.
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    FileDialog::setNextFileName(folder + QStringLiteral("/new.txt"));
    started.action(kFileSaveAs)->trigger();
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(MessageBox::takeShown().size(), 1);
    QCOMPARE(started.doc()->GetPathName(), path);
    QVERIFY(!QFile::exists(folder + QStringLiteral("/new.txt")));
    QVERIFY(started.doc()->IsModified());
}

void DocumentTest::longPath_opensAndSaves()
{
    StartedApp started;
    QVERIFY(started.start());
    QString folder = started.dir();
    while (folder.size() < 300)
        folder += QLatin1Char('/') + QString(50, QLatin1Char('f'));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/mydraws.txt");
    QVERIFY(writeBytes(path, drawLines(20)));
    QVERIFY(started.app().OpenDocumentFile(path));
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(started.doc()->GetPathName(), path);
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("mydraws.txt--Corvane For Windows"));
    typeAtEnd(started.view(), QStringLiteral("9"));
    started.action(kFileSave)->trigger();
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(readBytes(path), drawLines(20) + '9');
}

void DocumentTest::reopen_readsTheFileChangedOnDisk()
{
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("ca649.txt"));
    QVERIFY(writeBytes(path, "20251105 1 2 3\r\n"));
    QVERIFY(started.app().OpenDocumentFile(path));
    QVERIFY(MessageBox::takeShown().isEmpty());
    QCOMPARE(started.view()->toPlainText(), QStringLiteral("20251105 1 2 3\n"));
    QVERIFY(!started.doc()->IsModified());
}

void DocumentTest::reopen_modifiedDocument_asksFirst()
{
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("ca649.txt"));
    typeAtEnd(started.view(), QStringLiteral("1"));
    const QString edited = started.view()->toPlainText();

    MessageBox::setNextAnswer(QMessageBox::Cancel);
    QVERIFY(!started.app().OpenDocumentFile(path));
    QCOMPARE(MessageBox::takeShown(), QStringList {QStringLiteral("Save changes to ca649.txt?")});
    QCOMPARE(started.view()->toPlainText(), edited);
    QVERIFY(started.doc()->IsModified());

    MessageBox::setNextAnswer(QMessageBox::No);
    QVERIFY(started.app().OpenDocumentFile(path));
    QCOMPARE(started.view()->toPlainText().toLatin1(),
        readBytes(corvane::test::shippedHistory()).replace("\r\n", "\n"));
    QVERIFY(!started.doc()->IsModified());
}

void DocumentTest::names_quotedRelativeAndLinked()
{
    StartedApp started;
    QVERIFY(started.start());
    QTemporaryDir cwd;
    QVERIFY(QDir(cwd.path()).mkdir(QStringLiteral("sub")));
    const QString data = cwd.filePath(QStringLiteral("sub/draws.txt"));
    QVERIFY(writeBytes(data, drawLines(20)));
    ChangeDir inCwd(cwd.path());

    QVERIFY(started.app().OpenDocumentFile(QLatin1Char('"') + data + QLatin1Char('"')));
    QCOMPARE(started.doc()->GetPathName(), data);

    // Relative to the current directory, not to the executable's.
    QVERIFY(started.app().OpenDocumentFile(QStringLiteral("sub/./draws.txt")));
    QCOMPARE(started.doc()->GetPathName(), data);
    QVERIFY(!started.app().OpenDocumentFile(QStringLiteral("ca649.txt")));
    QCOMPARE(MessageBox::takeShown(),
        QStringList {cannotFind(cwd.filePath(QStringLiteral("ca649.txt")))});

    // A link opens its target, which becomes the document's path.
    const QString link = cwd.filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(data, link));
    QVERIFY(started.app().OpenDocumentFile(QStringLiteral("link.txt")));
    QCOMPARE(started.doc()->GetPathName(), data);
    QCOMPARE(started.frame()->windowTitle(), QStringLiteral("draws.txt--Corvane For Windows"));
}

void DocumentTest::documentPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    const QString longName = QStringLiteral("/") + QString(300, QLatin1Char('a'));
    QTest::newRow("plain") << QStringLiteral("/d/x.txt") << QStringLiteral("/d/x.txt");
    QTest::newRow("quoted") << QStringLiteral("\"/d/x.txt\"") << QStringLiteral("/d/x.txt");
    QTest::newRow("quoted with arguments")
        << QStringLiteral("\"/d/x.txt\" /p") << QStringLiteral("/d/x.txt");
    QTest::newRow("cut at the last quote")
        << QStringLiteral("/d/a\"b\"c") << QStringLiteral("/d/a\"b");
    QTest::newRow("dots cleaned") << QStringLiteral("/d/e/../x.txt") << QStringLiteral("/d/x.txt");
#ifdef Q_OS_WIN
    // The platform's own limit.
    const int limit = 259;
#else
    // The system's limit: PATH_MAX less the terminating null.
    const int limit = PATH_MAX - 1;
    QTest::newRow("300 characters kept") << longName << longName;
#endif
    const QString tooLong = QStringLiteral("/") + QString(limit + 40, QLatin1Char('a'));
    QTest::newRow("the limit kept") << tooLong.left(limit) << tooLong.left(limit);
    QTest::newRow("longer cut to the limit") << tooLong << tooLong.left(limit);
    QTest::newRow("quote then the limit") << QLatin1Char('"') + tooLong << tooLong.left(limit);
}

void DocumentTest::documentPath()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(
        CMyDocManager::documentPath(name), QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

void DocumentTest::noTemplate_failedToOpenDocument()
{
    CMyDocManager manager;
    QVERIFY(!manager.OpenDocumentFile(corvane::test::shippedHistory()));
    QCOMPARE(MessageBox::takeShown(), QStringList {QStringLiteral("Failed to open document.")});
}

void DocumentTest::savePrompt_beforeNew_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("emptied");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true << true;
    QTest::newRow("no") << int(QMessageBox::No) << true << false;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
}

void DocumentTest::savePrompt_beforeNew()
{
    QFETCH(int, answer);
    QFETCH(bool, emptied);
    QFETCH(bool, saved);
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("ca649.txt"));
    const QByteArray before = readBytes(path);
    typeAtEnd(started.view(), QStringLiteral("42"));
    MessageBox::setNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
    started.action(kFileNew)->trigger();
    QCOMPARE(MessageBox::takeShown(), QStringList {QStringLiteral("Save changes to ca649.txt?")});
    QCOMPARE(started.view()->toPlainText().isEmpty(), emptied);
    QCOMPARE(started.doc()->GetPathName().isEmpty(), emptied);
    QCOMPARE(readBytes(path), saved ? before + "42" : before);

    // An untitled document is named "Untitled" in the prompt.
    if (emptied) {
        QTest::keyClicks(started.view(), QStringLiteral("1"));
        started.action(kFileNew)->trigger();
        QCOMPARE(
            MessageBox::takeShown(), QStringList {QStringLiteral("Save changes to Untitled?")});
    }
}

void DocumentTest::close_asksToSaveAndCancelKeepsTheWindow()
{
    StartedApp started;
    QVERIFY(started.start());
    CMainFrame* frame = started.frame();
    QVERIFY(frame->close()); // unmodified: closes without asking
    QVERIFY(MessageBox::takeShown().isEmpty());
    frame->show();
    typeAtEnd(started.view(), QStringLiteral("7"));
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    QVERIFY(!frame->close());
    QVERIFY(frame->isVisible());
    QCOMPARE(MessageBox::takeShown(), QStringList {QStringLiteral("Save changes to ca649.txt?")});
    MessageBox::setNextAnswer(QMessageBox::No);
    started.action(kAppExit)->trigger();
    QVERIFY(!frame->isVisible());
}

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
