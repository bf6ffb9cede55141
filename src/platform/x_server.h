// The X server: its monitor modes, the loss of the connection or the window,
// and the keyboard focus.
#pragma once

// When the X connection is lost (the server ends, or the client is killed) or the
// window is destroyed under the game, `save` is called once before the game
// stops, so the endings found are kept.
void install_display_loss_handler(void (*save)());

// Whether the X server can switch the monitor to a width x height mode: it has
// the XF86VidMode extension and lists such a mode. False without an X server.
bool x_server_can_switch_to(int width, int height);

// Whether the game's window receives the keys: it holds the focus, or the focus
// follows the pointer and the pointer is over it. True without an X display.
bool window_has_keyboard();
