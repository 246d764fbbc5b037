#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QString>

class QPushButton;

namespace corvane::app {

/// The result dialog's text box: both scroll bars, no wrapping, typing limited to digits and
/// Enter (the rest of the keyboard still scrolls, selects and copies).
class DigitsEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit DigitsEdit(QWidget* parent = nullptr);
    ~DigitsEdit() override;
    Q_DISABLE_COPY_MOVE(DigitsEdit)

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

/// The result dialog: a caption and a block of text, closed with OK. The creator sets m_title
/// and m_text before exec().
class Dlg2 : public QDialog
{
    Q_OBJECT

public:
    /// Control ids of the dialog template, kept as object names.
    static constexpr int kTextBox = 1007;

    explicit Dlg2(QWidget* parent = nullptr);
    ~Dlg2() override;
    Q_DISABLE_COPY_MOVE(Dlg2)

    /// The text of the box; lines separated by "\r\n".
    QString m_text;
    /// The dialog's caption.
    QString m_title;

    int exec() override;

    QPlainTextEdit* textBox() const { return m_box; }

protected:
    /// Moves m_text into the box and m_title into the caption.
    void DoDataExchange();

private:
    DigitsEdit* m_box;
    QPushButton* m_ok;
};

} // namespace corvane::app
