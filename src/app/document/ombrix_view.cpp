#include "app/document/ombrix_view.h"

#include "app/document/ombrix_doc.h"
#include "app/shell/action_table.h"
#include "app/shell/app_ui.h"
#include "app/shell/commands.h"
#include "app/stats/drawpoint.h"
#include "app/stats/freq_dlg.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/predict/fuzzy.h"
#include "core/predict/regress.h"
#include "core/startup/startup.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>

namespace corvane::app {

namespace {

std::u16string_view view16(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString fromU16(const std::u16string& text)
{
    return QString(
        reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QString insertable(const QString& text)
{
    return fromU16(core::TextCodec::insertable(view16(text)));
}

std::string pathForCore(const QString& path)
{
    return path.toUtf8().toStdString();
}

// Where the editor may break a line: at white space, but not at a no-break space.
bool breaksLine(QChar c)
{
    return c.isSpace() && c.decompositionTag() != QChar::NoBreak;
}

bool hasUnbreakableRun(QStringView text)
{
    int run = 0;
    for (const QChar c : text) {
        run = breaksLine(c) ? 0 : run + 1;
        if (run > COmbrixView::kLongLine)
            return true;
    }
    return false;
}

} // namespace

COmbrixView::COmbrixView(COmbrixDoc* doc, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_doc(doc)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    // A one-byte text has no right-to-left letters. Saying so spares the editor a look through
    // a whole line for its direction at every blink of the cursor.
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(option);
    connect(document(), &QTextDocument::contentsChange, this, &COmbrixView::onContentsChange);
    // The editor calls the text unmodified again when Undo or Redo returns it to its saved
    // state; the document's flag records that the user changed it since, so it stays set.
    connect(document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (modified)
            m_changed = true;
    });
}

void COmbrixView::setTextModified(bool modified)
{
    document()->setModified(modified);
    m_changed = modified;
}

COmbrixView::~COmbrixView() = default;

COmbrixDoc* COmbrixView::GetDocument() const
{
    return m_doc;
}

void COmbrixView::connectCommands(const ActionTable& actions)
{
    connect(
        actions.action(kNonlinearRegress), &QAction::triggered, this, &COmbrixView::OnUseMethod1);
    connect(actions.action(kFuzzyPeriod), &QAction::triggered, this, &COmbrixView::OnMohuShuxue);
    connect(actions.action(kFrequency), &QAction::triggered, this, &COmbrixView::OnFrequency);
    connect(actions.action(kDistribution), &QAction::triggered, this, &COmbrixView::OnDistribution);

    QAction* undoAction = actions.action(kEditUndo);
    QAction* cutAction = actions.action(kEditCut);
    QAction* copyAction = actions.action(kEditCopy);
    QAction* pasteAction = actions.action(kEditPaste);
    connect(undoAction, &QAction::triggered, this, &QPlainTextEdit::undo);
    connect(cutAction, &QAction::triggered, this, &QPlainTextEdit::cut);
    connect(copyAction, &QAction::triggered, this, &QPlainTextEdit::copy);
    connect(pasteAction, &QAction::triggered, this, &QPlainTextEdit::paste);
    undoAction->setEnabled(false);
    cutAction->setEnabled(false);
    copyAction->setEnabled(false);
    connect(this, &QPlainTextEdit::undoAvailable, undoAction, &QAction::setEnabled);
    connect(this, &QPlainTextEdit::copyAvailable, cutAction, &QAction::setEnabled);
    connect(this, &QPlainTextEdit::copyAvailable, copyAction, &QAction::setEnabled);

    // Paste is offered only while the clipboard holds text. Another program may change it
    // without a word to this one, so it is looked at again whenever the program comes back.
    auto updatePaste = [this, pasteAction] { pasteAction->setEnabled(canPaste()); };
    updatePaste();
    connect(QApplication::clipboard(), &QClipboard::dataChanged, pasteAction, updatePaste);
    connect(qApp, &QGuiApplication::applicationStateChanged, pasteAction,
        [updatePaste](Qt::ApplicationState state) {
            if (state == Qt::ApplicationActive)
                updatePaste();
        });
}

void COmbrixView::OnInitialUpdate()
{
    viewport()->update();
    const QString path = m_doc ? m_doc->GetPathName() : QString();
    const QString name = QString::fromStdString(core::fileNamePart(pathForCore(path)));
    m_title = getlottoname(name)
        + QString::fromLatin1(
            core::kCaptionSuffix.data(), static_cast<qsizetype>(core::kCaptionSuffix.size()));
    window()->setWindowTitle(m_title);
}

QString COmbrixView::getlottoname(const QString& name)
{
    return QString::fromStdString(core::getlottoname(pathForCore(name)));
}

QString COmbrixView::GetRawText() const
{
    return document()->toRawText();
}

void COmbrixView::SetRawText(const QString& text)
{
    // Decided before the text goes in, so that it is laid out once; and after the old text is
    // gone, which a change of mode would lay out again, at word breaks if it had a long run.
    const QTextOption::WrapMode mode = hasUnbreakableRun(text)
        ? QTextOption::WrapAnywhere
        : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (mode != wordWrapMode()) {
        clear();
        setWordWrapMode(mode);
    }
    setPlainText(text);
}

// Breaking at spaces, the editor looks for a space through the rest of a line at each line it
// wraps, which takes minutes on a long run without one; anywhere it wraps in one pass.
void COmbrixView::wrapAnywhere()
{
    if (wordWrapMode() != QTextOption::WrapAnywhere)
        setWordWrapMode(QTextOption::WrapAnywhere);
}

// The editor throws a line's shaped text away after each paint, and shapes the whole line again
// for the next: on a line of a million characters that is a busy program at every cursor blink.
void COmbrixView::onContentsChange(int position, int /*removed*/, int added)
{
    const QTextDocument* doc = document();
    const QTextBlock last = doc->findBlock(position + added);
    for (QTextBlock block = doc->findBlock(position); block.isValid(); block = block.next()) {
        if (block.length() > kLongLine) {
            block.layout()->setCacheEnabled(true);
            if (wordWrapMode() != QTextOption::WrapAnywhere && hasUnbreakableRun(block.text()))
                wrapAnywhere();
        }
        if (block == last)
            break;
    }
}

void COmbrixView::OnUseMethod1()
{
    if (!m_doc || !m_doc->SaveModified())
        return;
    const std::string path = pathForCore(m_doc->GetPathName());
    AppUi ui(window());
    // The draw-history table is too large for the stack.
    auto method = std::make_unique<core::regress>();
    method->dojob(path, ui);
}

void COmbrixView::OnMohuShuxue()
{
    if (!m_doc || !m_doc->SaveModified())
        return;
    const std::string path = pathForCore(m_doc->GetPathName());
    AppUi ui(window());
    auto method = std::make_unique<core::fuzzy>();
    method->dofuzzy(path, ui);
}

QString COmbrixView::statisticsCaption(const QString& path, const QString& suffix)
{
    return getlottoname(QString::fromStdString(core::fileNamePart(pathForCore(path)))) + suffix;
}

// The statistics dialogs are owned by the main window, as dialogs made without a parent are.
void COmbrixView::OnFrequency()
{
    if (!m_doc || !m_doc->SaveModified())
        return;
    const QString path = m_doc->GetPathName();
    FreqDlg dlg(window());
    dlg.m_showall = 0;
    dlg.m_path = path;
    dlg.m_title = statisticsCaption(path, QStringLiteral("--Times Of Each Lotto That Turned Up"));
    dlg.exec();
}

void COmbrixView::OnDistribution()
{
    if (!m_doc || !m_doc->SaveModified())
        return;
    const QString path = m_doc->GetPathName();
    Drawpoint dlg(window());
    dlg.m_path = path;
    dlg.m_title
        = statisticsCaption(path, QStringLiteral("--Distribution Of Each Lotto That Turned Up"));
    dlg.exec();
}

bool COmbrixView::fits(const QString& text) const
{
    if (!m_doc)
        return true;
    const QTextDocument* doc = document();
    auto breaksIn = [](const QString& s) {
        std::size_t n = 0;
        for (const QChar c : s) {
            if (core::TextCodec::isEditorBreak(c.unicode()))
                ++n;
        }
        return n;
    };
    const QString selected = textCursor().selectedText();
    const std::size_t characters = static_cast<std::size_t>(doc->characterCount() - 1)
        - static_cast<std::size_t>(selected.size()) + static_cast<std::size_t>(text.size());
    const std::size_t breaks
        = static_cast<std::size_t>(doc->blockCount() - 1) - breaksIn(selected) + breaksIn(text);
    return m_doc->codec().editedSize(characters, breaks) <= core::TextCodec::kMaxBytes;
}

void COmbrixView::insertChecked(const QString& text, bool ownUndoStep)
{
    const QString allowed = insertable(text);
    if (!fits(allowed)) {
        QApplication::beep();
        return;
    }
    // Before the insertion, so that the long run is never laid out at word breaks. A short one
    // that joins runs into a long one is caught after the change.
    if (hasUnbreakableRun(allowed))
        wrapAnywhere();
    QTextCursor cursor = textCursor();
    // Typed characters undo together; a paste undoes on its own.
    if (ownUndoStep)
        cursor.beginEditBlock();
    cursor.insertText(allowed);
    if (ownUndoStep)
        cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void COmbrixView::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plainModifiers = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (enter && plainModifiers) {
        // Shift+Enter would make a soft line break; a single-byte file has only one kind.
        insertChecked(QStringLiteral("\n"), false);
        event->accept();
        return;
    }
    const QString text = event->text();
    // A letter with Ctrl (or Ctrl and Shift) is a command, not typing, as the editor itself has it.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool command
        = mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
    const bool printable
        = !command && !text.isEmpty() && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t'));
    if (printable) {
        insertChecked(text, false);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void COmbrixView::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    insertChecked(source->text(), true);
}

void COmbrixView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty()) {
        const QString allowed = insertable(event->commitString());
        if (fits(allowed)) {
            event->setCommitString(allowed, event->replacementStart(), event->replacementLength());
        } else {
            QApplication::beep();
            event->setCommitString(QString());
        }
    }
    QPlainTextEdit::inputMethodEvent(event);
}

} // namespace corvane::app
