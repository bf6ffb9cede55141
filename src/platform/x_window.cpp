// The X11 pieces of the platform seam: keeping the endings when the display goes
// away under the game, and asking whether the game's window has the keyboard.
// Allegro's own X connection and window are used (xalleg.h).
#include "platform/x_server.h"

#include <allegro.h>
#include <xalleg.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "core/game_state.h"

namespace {

void (*saveOnDisplayLoss)() = nullptr;
XErrorHandler previousErrorHandler = nullptr;
Display* gameDisplay = nullptr;
std::atomic<bool> displayLossSaved{false};

void save_once()
{
    if (saveOnDisplayLoss && !displayLossSaved.exchange(true)) saveOnDisplayLoss();
}

// The connection is gone: Xlib ends the process after this returns, so the
// endings are saved here and the game stops at once.
int on_x_connection_lost(Display*)
{
    static const char line[] = "Karvelle: the connection to the display was lost; the endings found are saved\n";
    if (write(STDERR_FILENO, line, sizeof line - 1) < 0) {
        // Nothing more to be done about stderr.
    }
    save_once();
    _exit(1);
}

// A request on a window destroyed under the game fails; the game then ends as
// by the close button, and the errors of tearing down what hung on the window
// are expected. Other errors go on to the handler that was there before.
std::atomic<bool> windowLost{false};

int on_x_error(Display* display, XErrorEvent* error)
{
    // Errors on other connections (the start-up query of the screen modes) are
    // not the window's. Allegro forgets its connection while closing it, so the
    // one it had when the handler was installed is the one compared.
    if (display != gameDisplay) return previousErrorHandler ? previousErrorHandler(display, error) : 0;
    if (windowLost) return 0;
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        windowLost = true;
        std::fprintf(stderr, "Karvelle: the window was destroyed; the game ends\n");
        game.quitRequested = true;
        save_once();
        return 0;
    }
    save_once();
    return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

}  // namespace

void install_display_loss_handler(void (*save)())
{
    saveOnDisplayLoss = save;
    gameDisplay = _xwin.display;
    XSetIOErrorHandler(on_x_connection_lost);
    previousErrorHandler = XSetErrorHandler(on_x_error);
}

namespace {

bool is_game_window(Window window)
{
    return window != None && (window == _xwin.window || window == _xwin.wm_window || window == _xwin.fs_window);
}

}  // namespace

bool window_has_keyboard()
{
    if (!system_driver || system_driver->id != SYSTEM_XWINDOWS || !_xwin.display) return true;
    bool focused = true;
    XLOCK();
    Window focus = None;
    int revert = 0;
    XGetInputFocus(_xwin.display, &focus, &revert);
    if (focus == PointerRoot) {
        // The keys go to whichever window the pointer is over.
        Window root = None, child = None;
        int rootX, rootY, x, y;
        unsigned int buttons;
        XQueryPointer(_xwin.display, DefaultRootWindow(_xwin.display), &root, &child, &rootX, &rootY, &x, &y,
                      &buttons);
        focus = child;
    }
    if (!is_game_window(focus)) {
        // The focus may be on a window inside the game's own.
        Window root = None, parent = focus, *children = nullptr;
        unsigned int count = 0;
        focused = false;
        for (int depth = 0; depth < 8 && parent != None && parent != root && !focused; ++depth) {
            if (!XQueryTree(_xwin.display, parent, &root, &parent, &children, &count)) break;
            if (children) XFree(children);
            focused = is_game_window(parent);
        }
    }
    XUNLOCK();
    return focused;
}
