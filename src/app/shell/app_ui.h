#pragma once

#include "core/ui/ui.h"

#include <QPointer>
#include <QWidget>

namespace corvane::app {

/// How the core reaches the user in the program: a message box titled "Corvane", and the
/// result dialog Dlg2. The core's texts are single-byte and shown as Latin-1.
class AppUi : public core::Ui
{
public:
    explicit AppUi(QWidget* parent = nullptr);

    void messageBox(const std::string& text) override;
    void showResult(const std::string& title, const std::string& text) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace corvane::app
