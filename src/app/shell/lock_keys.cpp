#include "app/shell/lock_keys.h"

#include <QGuiApplication>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif defined(CORVANE_HAVE_X11)
#include <X11/XKBlib.h>
#endif

namespace corvane::app {

#if defined(Q_OS_WIN)

std::optional<LockKeys> queryLockKeys()
{
    return LockKeys {(GetKeyState(VK_CAPITAL) & 1) != 0, (GetKeyState(VK_NUMLOCK) & 1) != 0,
        (GetKeyState(VK_SCROLL) & 1) != 0};
}

#elif defined(CORVANE_HAVE_X11)

namespace {

bool indicator(Display* display, const char* name)
{
    Bool on = False;
    const Atom atom = XInternAtom(display, name, False);
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on != False;
}

} // namespace

std::optional<LockKeys> queryLockKeys()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return std::nullopt;
    Display* display = x11->display();
    return LockKeys {indicator(display, "Caps Lock"), indicator(display, "Num Lock"),
        indicator(display, "Scroll Lock")};
}

#else

std::optional<LockKeys> queryLockKeys()
{
    return std::nullopt;
}

#endif

} // namespace corvane::app
