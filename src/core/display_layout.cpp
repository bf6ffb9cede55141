#include "core/display_layout.h"

#include <algorithm>

DisplayLayout displayLayout;

namespace {

// Room a window leaves for its frame and title bar, and for a panel along one edge.
constexpr int WINDOW_MARGIN_X = 16;
constexpr int WINDOW_MARGIN_Y = 96;

int largest_fitting(int width, int height)
{
    int factor = std::min(width / FRAME_WIDTH, height / FRAME_HEIGHT);
    return std::clamp(factor, 1, MAX_SCALE);
}

}  // namespace

int window_scale_for_desktop(int desktopWidth, int desktopHeight)
{
    return largest_fitting(desktopWidth - WINDOW_MARGIN_X, desktopHeight - WINDOW_MARGIN_Y);
}

int fullscreen_scale_for_desktop(int screenWidth, int screenHeight)
{
    return largest_fitting(screenWidth, screenHeight);
}
