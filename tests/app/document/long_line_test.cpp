// Files of very long lines: they open whole and wrapped, wrap at spaces where a line has them,
// and keep their laid-out text between paints; a long run without a space, opened, pasted or
// made by an edit, wraps anywhere.
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
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace corvane::app;
using corvane::test::StartedApp;
using corvane::test::writeBytes;

namespace {

constexpr int kLimit = 1048575;

// Draws of seven numbers, each followed by end, cut at size.
QByteArray draws(int size, const char* end)
{
    QByteArray text;
    for (int i = 0; text.size() < size; ++i) {
        text += QByteArray::number(19800101 + i);
        for (int c = 1; c <= 7; ++c)
            text += ' ' + QByteArray::number((i * 13 + c * 7) % 49 + 1);
        text += end;
    }
    return text.left(size);
}

QByteArray digits(int size)
{
    QByteArray text(size, '0');
    for (int i = 0; i < size; ++i)
        text[i] = char('0' + i % 10);
    return text;
}

// Draw numbers joined by no-break spaces, where no line may break.
QByteArray noBreakSpaced(int size)
{
    QByteArray text = draws(size, "\xa0");
    text.replace(' ', '\xa0');
    return text;
}

// Every line of the block lies within the view's width; false with the first that does not.
bool fitsTheWidth(const COmbrixView* view, const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    const qreal width = view->viewport()->width();
    for (int i = 0; i < layout->lineCount(); ++i) {
        if (layout->lineAt(i).naturalTextWidth() > width) {
            qWarning("line %d is %g wide in a view of %g", i, layout->lineAt(i).naturalTextWidth(),
                width);
            return false;
        }
    }
    return true;
}

// Each line but the last ends in a space or is broken at one: the words stay whole.
bool brokenAtSpaces(const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    const QString text = block.text();
    for (int i = 0; i + 1 < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const int end = line.textStart() + line.textLength();
        if (text.at(end - 1) != QLatin1Char(' ') && text.at(end) != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

class LongLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { corvane::test::isolateFromTheUser(); }
    void init() { MessageBox::takeShown(); }

    void oneLine_opensWholeAndWrapped_data();
    void oneLine_opensWholeAndWrapped();
    void longRunMadeByEditing_wrapsAnywhere_data();
    void longRunMadeByEditing_wrapsAnywhere();
};

void LongLineTest::oneLine_opensWholeAndWrapped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QTextOption::WrapMode>("wrap");
    // Whether every line is broken at a space (no run is wider than the view).
    QTest::addColumn<bool>("atSpaces");
    const auto words = QTextOption::WrapAtWordBoundaryOrAnywhere;
    const auto anywhere = QTextOption::WrapAnywhere;
    const QByteArray shortRun = digits(COmbrixView::kLongLine);
    QTest::newRow("draws on one line") << draws(kLimit, " ") << words << true;
    QTest::newRow("digits without a space") << digits(kLimit) << anywhere << false;
    QTest::newRow("no-break spaces") << noBreakSpaced(kLimit / 4) << anywhere << false;
    QTest::newRow("runs just short of long")
        << shortRun + ' ' + draws(20000, " ") + shortRun << words << false;
    QTest::newRow("one character more") << draws(20000, " ") + shortRun + '0' << anywhere << false;
}

void LongLineTest::oneLine_opensWholeAndWrapped()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QTextOption::WrapMode, wrap);
    QFETCH(bool, atSpaces);
    StartedApp started;
    QVERIFY(started.start());
    QVERIFY(QTest::qWaitForWindowExposed(started.frame()));
    const QString path = started.file(QStringLiteral("one-line.txt"));
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(started.app().OpenDocumentFile(path));
    QVERIFY(MessageBox::takeShown().isEmpty());

    COmbrixView* view = started.view();
    QCOMPARE(view->document()->blockCount(), 1);
    QCOMPARE(view->GetRawText(), QString::fromLatin1(bytes));
    const QTextBlock line = view->document()->firstBlock();
    QTRY_VERIFY(line.layout()->lineCount() > 1);
    QVERIFY(!view->horizontalScrollBar()->isVisible());
    QVERIFY(fitsTheWidth(view, line));
    QCOMPARE(view->wordWrapMode(), wrap);
    if (atSpaces)
        QVERIFY(brokenAtSpaces(line));
    // The editor keeps the line's shaped text between paints, and never looks through the line
    // for its direction: else each blink of the cursor costs as much as opening the file.
    QVERIFY(line.layout()->cacheEnabled());
    QCOMPARE(line.layout()->textOption().textDirection(), Qt::LeftToRight);

    // The next file is laid out on its own terms: short lines wrap at spaces again, but the
    // long line never waits for its removal under them.
    QList<QTextOption::WrapMode> modesAtRemoval;
    const auto watch = connect(
        view->document(), &QTextDocument::contentsChange, view, [&](int, int removed, int) {
            if (removed >= bytes.size())
                modesAtRemoval << view->wordWrapMode();
        });
    QVERIFY(started.app().OpenDocumentFile(started.file(QStringLiteral("ca649.txt"))));
    disconnect(watch);
    QCOMPARE(modesAtRemoval, QList<QTextOption::WrapMode> {wrap});
    QCOMPARE(view->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void LongLineTest::longRunMadeByEditing_wrapsAnywhere_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("pasted") << QStringLiteral("paste");
    QTest::newRow("two runs joined") << QStringLiteral("join");
}

void LongLineTest::longRunMadeByEditing_wrapsAnywhere()
{
    QFETCH(QString, edit);
    StartedApp started;
    QVERIFY(started.start());
    QVERIFY(QTest::qWaitForWindowExposed(started.frame()));
    COmbrixView* view = started.view();
    started.action(kFileNew)->trigger();
    QTest::keyClicks(view, QStringLiteral("1 2 3"));
    const QString run = QString::fromLatin1(digits(COmbrixView::kLongLine * 40));

    if (edit == QStringLiteral("paste")) {
        QApplication::clipboard()->setText(run);
        started.action(kEditPaste)->trigger();
    } else {
        // Two runs that are not long, a space between them, and the space deleted.
        const QString half = run.left(COmbrixView::kLongLine - 10);
        QApplication::clipboard()->setText(half + QLatin1Char(' ') + half);
        started.action(kEditPaste)->trigger();
        QTextCursor cursor = view->textCursor();
        cursor.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, half.size());
        view->setTextCursor(cursor);
        QTest::keyClick(view, Qt::Key_Backspace);
        QCOMPARE(view->toPlainText(), QStringLiteral("1 2 3") + half + half);
    }
    QCOMPARE(view->wordWrapMode(), QTextOption::WrapAnywhere);
    const QTextBlock line = view->document()->firstBlock();
    QTRY_VERIFY(line.layout()->lineCount() > 1);
    QVERIFY(fitsTheWidth(view, line));
    QVERIFY(line.layout()->cacheEnabled());
}

QTEST_MAIN(LongLineTest)
#include "long_line_test.moc"
