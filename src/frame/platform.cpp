#include "frame/platform.h"

#include <csignal>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "frame/game_state.h"

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
