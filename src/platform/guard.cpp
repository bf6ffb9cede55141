#include "platform/guard.h"

#include <pthread.h>
#include <setjmp.h>
#include <signal.h>
#include <time.h>

#include <cstring>
#include <mutex>

namespace {

// Sent to a thread to cut its guarded work short.
constexpr int INTERRUPT_SIGNAL = SIGUSR2;

// Where the calling thread's guarded work jumps back to; null outside it.
thread_local sigjmp_buf* volatile guardJump = nullptr;

struct sigaction previousFault{};
std::mutex installing;

void on_guard_signal(int signal, siginfo_t* info, void* context)
{
    sigjmp_buf* jump = guardJump;
    if (jump) {
        guardJump = nullptr;
        siglongjmp(*jump, signal);
    }
    if (signal != SIGFPE) return;  // an interrupt that came late: the work had ended
    // A fault outside guarded work is handled as it was before.
    if ((previousFault.sa_flags & SA_SIGINFO) && previousFault.sa_sigaction) {
        previousFault.sa_sigaction(signal, info, context);
    } else if (previousFault.sa_handler != SIG_DFL && previousFault.sa_handler != SIG_IGN &&
               previousFault.sa_handler != nullptr) {
        previousFault.sa_handler(signal);
    } else {
        // Returning runs the faulting instruction again, which now ends the process.
        ::signal(SIGFPE, SIG_DFL);
    }
}

bool handler_installed(int signal)
{
    struct sigaction current{};
    sigaction(signal, nullptr, &current);
    return (current.sa_flags & SA_SIGINFO) && current.sa_sigaction == on_guard_signal;
}

// Installed at the first guarded work, and again if a library has put its own
// handler in since (Allegro installs one for SIGFPE when it starts).
void install_handlers()
{
    if (handler_installed(SIGFPE) && handler_installed(INTERRUPT_SIGNAL)) return;
    std::lock_guard<std::mutex> lock(installing);
    struct sigaction action{};
    action.sa_sigaction = on_guard_signal;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    if (!handler_installed(SIGFPE)) sigaction(SIGFPE, &action, &previousFault);
    if (!handler_installed(INTERRUPT_SIGNAL)) sigaction(INTERRUPT_SIGNAL, &action, nullptr);
}

int64_t clock_ns(clockid_t clock)
{
    timespec now{};
    if (clock_gettime(clock, &now) != 0) return 0;
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

GuardEnd run_guarded(void (*work)(void*), void* data)
{
    install_handlers();
    sigjmp_buf jump;
    int signal = sigsetjmp(jump, 1);
    if (signal != 0) return signal == SIGFPE ? GuardEnd::Fault : GuardEnd::Interrupted;
    guardJump = &jump;
    work(data);
    guardJump = nullptr;
    return GuardEnd::Done;
}

uint64_t current_thread_id()
{
    return uint64_t(pthread_self());
}

void interrupt_guarded(uint64_t thread)
{
    pthread_kill(pthread_t(thread), INTERRUPT_SIGNAL);
}

int64_t thread_cpu_ns()
{
    return clock_ns(CLOCK_THREAD_CPUTIME_ID);
}

int64_t thread_cpu_ns_of(uint64_t thread)
{
    clockid_t clock;
    if (pthread_getcpuclockid(pthread_t(thread), &clock) != 0) return 0;
    return clock_ns(clock);
}
