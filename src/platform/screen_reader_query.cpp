#include "platform/screen_reader_query.h"

#include <time.h>

#include "platform/child_process.h"

namespace {

constexpr int BUS_TIMEOUT_SECONDS = 2;   // gdbus's own limit on the call
constexpr long GIVE_UP_NS = 3000000000;  // and ours on gdbus

ChildProcess query;
std::string printed;
bool started = false;
ScreenReaderAnswer answer = ScreenReaderAnswer::NotRunning;
long long startedAt = 0;

long long now_ns()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

}  // namespace

bool screen_reader_answer_says_running(const std::string& text)
{
    // gdbus prints the variant in the reply tuple: "(<true>,)" or "(<false>,)".
    return text.find("<true>") != std::string::npos;
}

void start_screen_reader_query()
{
    if (started) return;
    started = true;
    const std::vector<std::string> argv = {
        "gdbus", "call", "--session", "--timeout", std::to_string(BUS_TIMEOUT_SECONDS),
        "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
        "--method", "org.freedesktop.DBus.Properties.Get", "org.a11y.Status", "ScreenReaderEnabled"};
    if (!start_child(argv, "", query)) return;
    answer = ScreenReaderAnswer::Asking;
    startedAt = now_ns();
}

ScreenReaderAnswer poll_screen_reader_query()
{
    if (answer != ScreenReaderAnswer::Asking) return answer;
    if (read_child(query, printed, 0)) {
        if (now_ns() - startedAt < GIVE_UP_NS) return answer;
        stop_child(query);
        answer = ScreenReaderAnswer::NotRunning;
        return answer;
    }
    const int status = finish_child(query, 50);
    answer = status == 0 && screen_reader_answer_says_running(printed) ? ScreenReaderAnswer::Running
                                                                        : ScreenReaderAnswer::NotRunning;
    return answer;
}

void reset_screen_reader_query()
{
    stop_child(query);
    printed.clear();
    started = false;
    answer = ScreenReaderAnswer::NotRunning;
}
