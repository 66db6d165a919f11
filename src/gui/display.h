#pragma once

#include <cstdlib>

namespace bv::gui {

// A window needs a display: X11, Wayland, or a platform chosen for Qt
// explicitly (offscreen, vnc, ...).
inline bool displayAvailable()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

} // namespace bv::gui
