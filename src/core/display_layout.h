// The size of the finished frame and where it sits on the display: whole-number
// enlargements for larger windows and screens.
#pragma once

constexpr int FRAME_WIDTH = 640;
constexpr int FRAME_HEIGHT = 480;
constexpr int MAX_SCALE = 8;

// Where the frame sits on the current display: its factor and its top-left corner.
// Factor 1 at (0, 0) is the plain 640x480 display with its video pages.
struct DisplayLayout {
    int factor = 1;
    int x = 0;
    int y = 0;
};

extern DisplayLayout displayLayout;

// The largest factor whose window, with its title bar and the desktop's panel,
// fits a desktop of the given size; at least 1.
int window_scale_for_desktop(int desktopWidth, int desktopHeight);
// The largest factor whose picture fits a whole screen of the given size; at least 1.
int fullscreen_scale_for_desktop(int screenWidth, int screenHeight);
