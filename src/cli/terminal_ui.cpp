#include "terminal_ui.h"

#include "core/text/numbers.h"

namespace corvane::cli {

TerminalUi::TerminalUi(std::ostream& out, std::ostream& err)
    : m_out(out)
    , m_err(err)
{ }

void TerminalUi::messageBox(const std::string& text)
{
    m_refused = true;
    m_err << core::crlfToLf(text) << '\n';
}

void TerminalUi::showResult(const std::string& /*title*/, const std::string& text)
{
    m_out << core::crlfToLf(text) << '\n';
}

} // namespace corvane::cli
