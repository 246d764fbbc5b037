// Editing the text: what a single-byte file cannot hold, the size limit, the edit commands.
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/commands.h"
#include "app/shell/main_frame.h"
#include "app/shell/message_box.h"
#include "app/shell/ombrix_app.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QToolBar>

using namespace corvane::app;
using corvane::test::readBytes;
using corvane::test::StartedApp;
using corvane::test::writeBytes;

namespace {

constexpr int kLimit = 1048575;

void moveToEnd(COmbrixView* view)
{
    QTextCursor cursor = view->textCursor();
    cursor.movePosition(QTextCursor::End);
    view->setTextCursor(cursor);
}

// A file of exactly size bytes: lines of digits ending in lineEnd, the last one without.
QByteArray filled(int size, const char* lineEnd)
{
    const QByteArray line = QByteArray(48, '1') + lineEnd;
    QByteArray bytes;
    while (bytes.size() + line.size() + 10 < size)
        bytes += line;
    bytes += QByteArray(size - bytes.size(), '2');
    return bytes;
}

// The text as the file will get it: toPlainText() would show U+00A0 as a space.
QString rawText(const COmbrixView* view)
{
    return view->GetRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// Typing any character, as a keyboard layout that has it would (QTest types ASCII only).
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

class EditingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void inserted_data();
    void inserted();
    void typedAboveLatin1_becomesQuestionMark_andIsSavedSo();
    void limit_typingAndPastingPastItAreRefused_data();
    void limit_typingAndPastingPastItAreRefused();
    void editCommands_undoCutCopyPaste();
    void modifiedFlag_staysSetThroughUndoUntilSaved_data();
    void modifiedFlag_staysSetThroughUndoUntilSaved();
    void paste_enabledOnlyWithTextOnTheClipboard_data();
    void paste_enabledOnlyWithTextOnTheClipboard();
    void view_wrapsWithoutHorizontalScrollBar();
};

void EditingTest::inserted_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << QStringLiteral("20020101 1 2") << QStringLiteral("20020101 1 2");
    QTest::newRow("latin-1") << QString::fromLatin1("\xe9\xa0\xff")
                             << QString::fromLatin1("\xe9\xa0\xff");
    QTest::newRow("euro sign") << QStringLiteral("1\u20ac2") << QStringLiteral("1?2");
    QTest::newRow("cjk") << QStringLiteral("\u4e2d\u6587") << QStringLiteral("??");
    QTest::newRow("emoji is one character")
        << QStringLiteral("a\U0001F600b") << QStringLiteral("a?b");
    QTest::newRow("windows line ends") << QStringLiteral("1\r\n2\r3") << QStringLiteral("1\n2\n3");
    QTest::newRow("line separator") << QStringLiteral("1\u20282") << QStringLiteral("1\n2");
}

void EditingTest::inserted()
{
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    StartedApp started;
    QVERIFY(started.start());
    started.action(kFileNew)->trigger();
    QApplication::clipboard()->setText(pasted);
    started.action(kEditPaste)->trigger();
    QCOMPARE(rawText(started.view()), shown);

    // Input methods commit text the same way.
    MessageBox::setNextAnswer(QMessageBox::No);
    started.action(kFileNew)->trigger();
    QVERIFY(started.view()->toPlainText().isEmpty());
    QInputMethodEvent commit;
    commit.setCommitString(pasted);
    QApplication::sendEvent(started.view(), &commit);
    QCOMPARE(rawText(started.view()), shown);
}

void EditingTest::typedAboveLatin1_becomesQuestionMark_andIsSavedSo()
{
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("typed.txt"));
    QVERIFY(writeBytes(path, "1\n"));
    QVERIFY(started.app().OpenDocumentFile(path));
    moveToEnd(started.view());
    typeText(started.view(), QStringLiteral("\u0411\u00e92"));
    QTest::keyClick(started.view(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(started.view(), QStringLiteral("3"));
    QCOMPARE(started.view()->toPlainText(),
        QString::fromLatin1("1\n?\xe9"
                            "2\n3"));
    QCOMPARE(started.view()->document()->blockCount(), 3);
    started.action(kFileSave)->trigger();
    QCOMPARE(readBytes(path),
        QByteArray("1\n?\xe9"
                   "2\n3"));
}

void EditingTest::limit_typingAndPastingPastItAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("full file, one character")
        << filled(kLimit, "\r\n") << QStringLiteral("2") << false;
    QTest::newRow("one short, one character")
        << filled(kLimit - 1, "\r\n") << QStringLiteral("2") << true;
    // A paste that does not fit is refused whole.
    QTest::newRow("one short, two characters")
        << filled(kLimit - 1, "\r\n") << QStringLiteral("23") << false;
    // A line break of a CR LF file takes two bytes, of an LF file one.
    QTest::newRow("crlf, break fits") << filled(kLimit - 2, "\r\n") << QStringLiteral("\n") << true;
    QTest::newRow("crlf, break refused")
        << filled(kLimit - 1, "\r\n") << QStringLiteral("\n") << false;
    QTest::newRow("lf, break fits") << filled(kLimit - 1, "\n") << QStringLiteral("\n") << true;
}

void EditingTest::limit_typingAndPastingPastItAreRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, inserted);
    QFETCH(bool, accepted);
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("full.txt"));
    QVERIFY(writeBytes(path, content));
    QVERIFY(started.app().OpenDocumentFile(path));
    const int before = started.view()->document()->characterCount();
    auto changed = [&] { return started.view()->document()->characterCount() != before; };

    // Pasting.
    moveToEnd(started.view());
    QApplication::clipboard()->setText(inserted);
    started.action(kEditPaste)->trigger();
    QCOMPARE(changed(), accepted);
    started.view()->undo();
    QVERIFY(!changed());

    // Typing, one key.
    if (inserted.size() != 1)
        return;
    moveToEnd(started.view());
    for (const QChar c : inserted) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(started.view(), Qt::Key_Return);
        else
            QTest::keyClicks(started.view(), QString(c));
    }
    QCOMPARE(changed(), accepted);
    if (accepted) {
        started.action(kFileSave)->trigger();
        QVERIFY(readBytes(path).size() <= kLimit);
        QVERIFY(started.app().OpenDocumentFile(path));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }
}

void EditingTest::editCommands_undoCutCopyPaste()
{
    StartedApp started;
    QVERIFY(started.start());
    started.action(kFileNew)->trigger();
    COmbrixView* view = started.view();
    QVERIFY(!started.action(kEditUndo)->isEnabled());
    QVERIFY(!started.action(kEditCut)->isEnabled());
    QTest::keyClicks(view, QStringLiteral("123 456"));
    QVERIFY(started.action(kEditUndo)->isEnabled());
    view->selectAll();
    QVERIFY(started.action(kEditCopy)->isEnabled());
    started.action(kEditCut)->trigger();
    QCOMPARE(view->toPlainText(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("123 456"));
    started.action(kEditPaste)->trigger();
    started.action(kEditPaste)->trigger();
    QCOMPARE(view->toPlainText(), QStringLiteral("123 456123 456"));
    view->selectAll();
    started.action(kEditCopy)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("123 456123 456"));
    started.action(kEditUndo)->trigger();
    QCOMPARE(view->toPlainText(), QStringLiteral("123 456"));
    QVERIFY(started.doc()->IsModified());
}

void EditingTest::modifiedFlag_staysSetThroughUndoUntilSaved_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("modified");
    const auto row = [](const char* name, std::initializer_list<const char*> steps, bool modified) {
        QStringList list;
        for (const char* step : steps)
            list << QString::fromLatin1(step);
        QTest::newRow(name) << list << modified;
    };
    row("opened", {}, false);
    row("typed", {"type"}, true);
    row("typed, then undone", {"type", "undo"}, true);
    row("typed twice, both undone", {"type", "type", "undo", "undo"}, true);
    row("saved", {"type", "save"}, false);
    row("saved, then undone", {"type", "save", "undo"}, true);
    row("saved, undone, redone", {"type", "save", "undo", "redo"}, true);
    row("undone, then saved", {"type", "undo", "save"}, false);
    row("opened again without saving", {"type", "undo", "reopen"}, false);
}

void EditingTest::modifiedFlag_staysSetThroughUndoUntilSaved()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, modified);
    StartedApp started;
    QVERIFY(started.start());
    const QString path = started.file(QStringLiteral("undo.txt"));
    QVERIFY(writeBytes(path, "20020105 1 2 3\r\n5\n"));
    QVERIFY(started.app().OpenDocumentFile(path));
    for (const QString& step : steps) {
        if (step == QLatin1String("type")) {
            moveToEnd(started.view());
            QTest::keyClicks(started.view(), QStringLiteral("4"));
        } else if (step == QLatin1String("undo")) {
            started.action(kEditUndo)->trigger();
        } else if (step == QLatin1String("redo")) {
            started.view()->redo();
        } else if (step == QLatin1String("save")) {
            started.action(kFileSave)->trigger();
        } else if (step == QLatin1String("reopen")) {
            MessageBox::setNextAnswer(QMessageBox::No);
            QVERIFY(started.app().OpenDocumentFile(path));
        }
    }
    QCOMPARE(started.doc()->IsModified(), modified);
    // A text undone back to the file's is written back byte for byte, mixed line ends and all.
    if (steps.endsWith(QLatin1String("save")))
        QCOMPARE(readBytes(path),
            QByteArray(steps.contains(QLatin1String("undo")) ? "20020105 1 2 3\r\n5\n"
                                                             : "20020105 1 2 3\r\n5\r\n4"));
    // Whatever the editor's undo history says, the prompt follows the flag.
    MessageBox::takeShown();
    if (modified)
        MessageBox::setNextAnswer(QMessageBox::Cancel);
    QCOMPARE(started.doc()->SaveModified(), !modified);
    QCOMPARE(MessageBox::takeShown().size(), modified ? 1 : 0);
}

void EditingTest::paste_enabledOnlyWithTextOnTheClipboard_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << QStringLiteral("empty") << false;
    QTest::newRow("text") << QStringLiteral("text") << true;
    QTest::newRow("a picture only") << QStringLiteral("picture") << false;
    QTest::newRow("text, then emptied") << QStringLiteral("text, then emptied") << false;
    QTest::newRow("a picture, then text") << QStringLiteral("picture, then text") << true;
}

void EditingTest::paste_enabledOnlyWithTextOnTheClipboard()
{
    QFETCH(QString, clipboard);
    QFETCH(bool, enabled);
    QClipboard* board = QApplication::clipboard();
    // The state the program starts in counts too: set it before the window is made.
    board->clear();
    if (clipboard.startsWith(QStringLiteral("text")))
        board->setText(QStringLiteral("20020101 1 2 3"));
    if (clipboard.startsWith(QStringLiteral("picture"))) {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        board->setImage(picture);
    }
    StartedApp started;
    QVERIFY(started.start());
    if (clipboard.endsWith(QStringLiteral("emptied")))
        board->clear();
    if (clipboard.endsWith(QStringLiteral("then text")))
        board->setText(QStringLiteral("1"));

    QAction* paste = started.action(kEditPaste);
    QTRY_COMPARE(paste->isEnabled(), enabled);
    QCOMPARE(started.frame()->toolBar()->widgetForAction(paste)->isEnabled(), enabled);
    const QString before = started.view()->toPlainText();
    QTest::keyClick(started.view(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(started.view()->toPlainText() != before, enabled);
    board->clear();
}

void EditingTest::view_wrapsWithoutHorizontalScrollBar()
{
    StartedApp started;
    QVERIFY(started.start());
    COmbrixView* view = started.view();
    QCOMPARE(started.frame()->centralWidget(), view);
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(!view->isReadOnly());
    started.action(kFileNew)->trigger();
    view->setPlainText(QString(5000, QLatin1Char('9')));
    QTRY_VERIFY(view->document()->firstBlock().layout()->lineCount() > 1);
}

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
