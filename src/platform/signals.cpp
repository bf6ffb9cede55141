#include "platform/signals.h"

#include <csignal>

#include "core/game_state.h"

namespace {

void on_quit_signal(int)
{
    game.quitRequested = true;
}

}  // namespace

void block_quit_signals()
{
    sigset_t quitSignals;
    sigemptyset(&quitSignals);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&quitSignals, signal);
    sigprocmask(SIG_BLOCK, &quitSignals, nullptr);
}

void install_quit_signals()
{
    struct sigaction action{};
    action.sa_handler = on_quit_signal;
    sigemptyset(&action.sa_mask);
    sigset_t quitSignals;
    sigemptyset(&quitSignals);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
        sigaddset(&quitSignals, signal);
    }
    // A signal that came during start-up is taken now, by the handler above.
    sigprocmask(SIG_UNBLOCK, &quitSignals, nullptr);
}
