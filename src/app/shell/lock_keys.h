#pragma once

#include <optional>

namespace corvane::app {

/// Caps Lock, Num Lock and Scroll Lock as the window system reports them.
struct LockKeys
{
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

/// The lock keys' state, on X11 and Windows; nothing where the platform does not tell.
std::optional<LockKeys> queryLockKeys();

} // namespace corvane::app
