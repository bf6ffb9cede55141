// Asking the X server which monitor modes it can switch to, on a connection of
// its own (the display is not open yet when this is asked).
#include "platform/x_server.h"

// Xlib's macros (None, Bool, Status) stay in this file.
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>

bool x_server_can_switch_to(int width, int height)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    bool found = false;
    int eventBase = 0, errorBase = 0, count = 0;
    XF86VidModeModeInfo** modes = nullptr;
    if (XF86VidModeQueryExtension(display, &eventBase, &errorBase) &&
        XF86VidModeGetAllModeLines(display, DefaultScreen(display), &count, &modes)) {
        for (int i = 0; i < count; ++i)
            if (modes[i]->hdisplay == width && modes[i]->vdisplay == height) found = true;
        XFree(modes);
    }
    XCloseDisplay(display);
    return found;
}
