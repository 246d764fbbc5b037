#pragma once

#include "core/ui/ui.h"

#include <ostream>

namespace corvane::cli {

/// The core's messages on the terminal: a message box goes to err, a result's text to out,
/// each with CR LF written as LF and one LF after it.
class TerminalUi : public core::Ui
{
public:
    TerminalUi(std::ostream& out, std::ostream& err);

    void messageBox(const std::string& text) override;
    void showResult(const std::string& title, const std::string& text) override;

    bool refused() const { return m_refused; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_refused = false;
};

} // namespace corvane::cli
