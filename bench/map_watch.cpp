// Prints one line for every top-level window the X server maps:
//   <window id> <_NET_WM_PID or 0> <width> <CLOCK_MONOTONIC in ms>
// after a first line "ready". The benchmark times a window's appearance from these events
// rather than by polling the server, which would compete with the program it measures.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

double monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    xcb_atom_t result = XCB_ATOM_NONE;
    if (reply)
        result = reply->atom;
    std::free(reply);
    return result;
}

unsigned windowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pidAtom) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    unsigned pid = 0;
    if (reply && xcb_get_property_value_length(reply) == 4)
        std::memcpy(&pid, xcb_get_property_value(reply), 4);
    std::free(reply);
    return pid;
}

unsigned windowWidth(xcb_connection_t* c, xcb_window_t window) {
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const unsigned width = reply ? reply->width : 0;
    std::free(reply);
    return width;
}

} // namespace

int main() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    std::printf("ready\n");
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const double at = monotonicMs();
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::printf("%u %u %u %.3f\n", window, windowPid(c, window, pidAtom),
                        windowWidth(c, window), at);
            std::fflush(stdout);
        }
        std::free(event);
    }
    xcb_disconnect(c);
    return 0;
}
