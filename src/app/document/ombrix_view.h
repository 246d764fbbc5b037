#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>

namespace corvane::app {

class ActionTable;
class COmbrixDoc;

/// The data file view: the main window's client, an editable text that wraps at the window's
/// width. It holds the document's text, keeps the main window's caption on the lottery's name
/// and runs the analysis commands on the document's file.
class COmbrixView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit COmbrixView(COmbrixDoc* doc, QWidget* parent = nullptr);
    ~COmbrixView() override;
    Q_DISABLE_COPY_MOVE(COmbrixView)

    COmbrixDoc* GetDocument() const;
    void connectCommands(const ActionTable& actions);

    /// Called each time the frame receives a document: at start-up, after an open and after
    /// New. Gives the main window the caption of the document's lottery.
    void OnInitialUpdate();

    /// The display name of a bare data-file name; a name outside the catalogue comes back as it
    /// is.
    static QString getlottoname(const QString& name);
    /// A statistics dialog's caption: the display name of the path's file name, then suffix.
    static QString statisticsCaption(const QString& path, const QString& suffix);
    /// The caption the view last gave the main window.
    const QString& title() const { return m_title; }

    /// The whole text, with the editor's paragraph separators between lines, and its
    /// replacement; the undo history starts afresh.
    QString GetRawText() const;
    void SetRawText(const QString& text);

    /// The text's modified flag. Once set by a change it stays set, even when Undo brings the
    /// text back to what was saved, until it is cleared here (by open, New or save).
    bool isTextModified() const { return m_changed || document()->isModified(); }
    void setTextModified(bool modified);
    /// Whether the text now differs from what was read or last saved: Undo back to it makes it
    /// the same again, and the file's bytes can then be written back exactly.
    bool differsFromFile() const { return document()->isModified(); }

    /// Lines longer than this keep their laid-out text between paints; a text with a longer run
    /// of characters that cannot be broken at a space wraps anywhere.
    static constexpr int kLongLine = 1024;

public slots:
    void OnUseMethod1();
    void OnMohuShuxue();
    void OnFrequency();
    void OnDistribution();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    /// Lets lines wrap anywhere, not only at spaces.
    void wrapAnywhere();
    /// Keeps the layouts of the long lines in the changed range, and lets a long run made by the
    /// change wrap anywhere.
    void onContentsChange(int position, int removed, int added);
    /// True when replacing the selection by text keeps the file within its size limit.
    bool fits(const QString& text) const;
    /// Inserts text as a single-byte file can hold it, or refuses it past the limit.
    void insertChecked(const QString& text, bool ownUndoStep);

    QPointer<COmbrixDoc> m_doc;
    QString m_title;
    /// The text changed since the modified flag was last cleared.
    bool m_changed = false;
};

} // namespace corvane::app
