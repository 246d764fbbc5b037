#pragma once

#include <string>

namespace corvane::core {

/// The only way the core reaches the user. The program shows these as a message box and the
/// result dialog; the command line prints them; tests record them.
///
/// Texts are single-byte, with CR LF line breaks.
class Ui
{
public:
    virtual ~Ui() = default;

    /// A plain message box with an OK button; returns when the user has closed it.
    virtual void messageBox(const std::string& text) = 0;

    /// The result dialog: a caption and a block of text; returns when the user has closed it.
    virtual void showResult(const std::string& title, const std::string& text) = 0;
};

} // namespace corvane::core
