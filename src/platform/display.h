// Opening the game's display in a window or full-screen, at the size the scale asks for.
#pragma once

// Opens a window (640N x 480N) or a full-screen display and sets displayLayout.
// Full-screen switches the monitor to 640x480 only when the scale is 1 and the X
// server can really make that switch; otherwise it opens at the desktop's own
// resolution with the frame enlarged, centred between black bars. Within the
// asked-for kind it falls back to the plain 640x480 display; returns false when
// that kind cannot be opened at all.
bool open_display_mode(bool fullscreen);
// The scale asked for, or `largest` when a desktop of width x height cannot
// show it: then lowered, and said once on stderr.
int fitted(int asked, int largest, int width, int height);
