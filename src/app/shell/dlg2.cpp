#include "app/shell/dlg2.h"

#include "app/shell/dialog_units.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>

namespace corvane::app {

namespace {

bool isDigitOrBreak(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\n');
}

} // namespace

DigitsEdit::DigitsEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

DigitsEdit::~DigitsEdit() = default;

void DigitsEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        textCursor().insertBlock();
        ensureCursorVisible();
        event->accept();
        return;
    }
    // Printable text other than digits is refused; keys without text (arrows, Home, the
    // copy and select shortcuts, Backspace, Delete) keep their usual meaning.
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DigitsEdit::insertFromMimeData(const QMimeData* source)
{
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.removeIf([](QChar c) { return !isDigitOrBreak(c); });
    insertPlainText(text);
}

// Template 131's frame: a caption with a system menu, so a close box but no minimize or maximize
// box, which would only take the caption's room.
Dlg2::Dlg2(QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , m_box(new DigitsEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    // Template 131: 181 x 102 dialog units in "System" 10 points, the platform's bold system
    // font; the box at 8, 11 (165 x 67), OK at 69, 81 (50 x 14).
    setWindowTitle(QStringLiteral("Corvane For Windows"));
    setModal(true);
    const QFont font = systemTemplateFont();
    setFont(font);
    setFixedSize(dialogUnitsToPixels(font, QSize(181, 102)));
    m_box->setObjectName(QString::number(kTextBox));
    m_box->setGeometry(dialogUnitsToPixels(font, QRect(8, 11, 165, 67)));
    m_ok->setObjectName(QStringLiteral("IDOK"));
    m_ok->setGeometry(dialogUnitsToPixels(font, QRect(69, 81, 50, 14)));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

Dlg2::~Dlg2() = default;

int Dlg2::exec()
{
    DoDataExchange();
    return QDialog::exec();
}

void Dlg2::DoDataExchange()
{
    m_box->setPlainText(m_text);
    setWindowTitle(m_title);
}

} // namespace corvane::app
