#include "frame/platform.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <string>

#include "frame/game_state.h"

// Last: Xlib's macros (None, Bool, Status) stay out of the game's own headers.
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>

int64_t monotonic_now_ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void sleep_ns(int64_t ns)
{
    if (ns <= 0) return;
    timespec wait{time_t(ns / 1000000000), long(ns % 1000000000)};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

namespace {

void on_quit_signal(int)
{
    game.quitRequested = true;
}

bool is_directory(const char* path)
{
    struct stat info{};
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

void install_quit_signals()
{
    struct sigaction action{};
    action.sa_handler = on_quit_signal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void change_to_game_directory()
{
    if (is_directory("data")) return;
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return;
    path[length] = '\0';
    std::string folder(path);
    folder.erase(folder.find_last_of('/') + 1);
    if (chdir(folder.c_str()) != 0) {
        // Stay where we are: the loaders then name the files they cannot find.
    }
}

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

bool first_joystick_codes(std::vector<int>& axisCodes, std::vector<int>& buttonCodes)
{
    // The devices in the order Allegro's joystick driver tries them.
    for (const char* pattern : {"/dev/input/js%d", "/dev/js%d"}) {
        for (int n = 0; n < 4; ++n) {
            char path[32];
            std::snprintf(path, sizeof path, pattern, n);
            int fd = open(path, O_RDONLY | O_NONBLOCK);
            if (fd < 0) continue;
            unsigned char axes = 0, buttons = 0;
            uint8_t axisMap[ABS_CNT] = {};
            uint16_t buttonMap[KEY_MAX - BTN_MISC + 1] = {};
            bool known = ioctl(fd, JSIOCGAXES, &axes) >= 0 && ioctl(fd, JSIOCGBUTTONS, &buttons) >= 0 &&
                         ioctl(fd, JSIOCGAXMAP, axisMap) >= 0 && ioctl(fd, JSIOCGBTNMAP, buttonMap) >= 0;
            close(fd);
            if (!known) return false;
            axisCodes.assign(axisMap, axisMap + std::min<int>(axes, ABS_CNT));
            buttonCodes.assign(buttonMap, buttonMap + std::min<int>(buttons, KEY_MAX - BTN_MISC + 1));
            return true;
        }
    }
    return false;
}
