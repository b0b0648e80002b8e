#include "power/idle_time_x11.h"

// Xlib's macros (None, Bool, Status) clash with Qt: this file stays free of Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace qz {

namespace {

class X11IdleTime : public IdleTime {
public:
    X11IdleTime(Display* display, XScreenSaverInfo* info) : m_display(display), m_info(info) {}
    ~X11IdleTime() override {
        XFree(m_info);
        XCloseDisplay(m_display);
    }
    X11IdleTime(const X11IdleTime&) = delete;
    X11IdleTime& operator=(const X11IdleTime&) = delete;

    std::uint32_t idleSeconds() override {
        if (!XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), m_info))
            return 0;
        return static_cast<std::uint32_t>(m_info->idle / 1000u);
    }

private:
    Display* m_display;
    XScreenSaverInfo* m_info;
};

} // namespace

std::unique_ptr<IdleTime> createX11IdleTime() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    XScreenSaverInfo* info = nullptr;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase) ||
        !(info = XScreenSaverAllocInfo())) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<X11IdleTime>(display, info);
}

} // namespace qz
