#include "app/shell/app_ui.h"

#include "app/shell/dlg2.h"
#include "app/shell/message_box.h"

namespace corvane::app {

namespace {

QString fromCore(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

AppUi::AppUi(QWidget* parent)
    : m_parent(parent)
{ }

void AppUi::messageBox(const std::string& text)
{
    QString shown = fromCore(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    MessageBox::information(m_parent, shown);
}

void AppUi::showResult(const std::string& title, const std::string& text)
{
    Dlg2 dlg(m_parent);
    dlg.m_title = fromCore(title);
    dlg.m_text = fromCore(text);
    dlg.exec();
}

} // namespace corvane::app
