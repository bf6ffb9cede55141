#include "platform/forked_work.h"

#include <errno.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

const volatile int64_t* cpuAllowance = nullptr;
int overLimitCode = 0;

void check_cpu(int)
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    int64_t ns = int64_t(used.tv_sec) * 1000000000 + used.tv_nsec;
    if (cpuAllowance && ns > *cpuAllowance) _exit(overLimitCode);
}

// The child inherits the game's handlers (Allegro's would shut down the game's
// display from here) and its blocked signals: all back to the defaults.
void reset_signals()
{
    struct sigaction plain{};
    plain.sa_handler = SIG_DFL;
    sigemptyset(&plain.sa_mask);
    for (int signal = 1; signal < NSIG; ++signal)
        if (signal != SIGKILL && signal != SIGSTOP) sigaction(signal, &plain, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

}  // namespace

int fork_work(int (*work)(void*), void* data, int cpuSeconds)
{
    pid_t parent = getpid();
    pid_t child = fork();
    if (child != 0) return child < 0 ? -1 : int(child);
    reset_signals();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(125);  // the game ended before the line above
    rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    rlimit cpu{rlim_t(cpuSeconds), rlim_t(cpuSeconds) + 1};
    setrlimit(RLIMIT_CPU, &cpu);
    int result = work(data);
    _exit(result < 0 || result > 125 ? 125 : result);
}

ChildState poll_forked(int pid, int& code)
{
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == 0) return ChildState::Running;
    if (done != pid) return ChildState::Lost;
    if (WIFEXITED(status)) {
        code = WEXITSTATUS(status);
        return ChildState::Exited;
    }
    code = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return ChildState::Signalled;
}

void kill_forked(int pid)
{
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

void limit_child_cpu(const volatile int64_t* allowanceNs, int exitCode)
{
    cpuAllowance = allowanceNs;
    overLimitCode = exitCode;
    struct sigaction action{};
    action.sa_handler = check_cpu;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGPROF, &action, nullptr);
    itimerval every{{0, 50000}, {0, 50000}};
    setitimer(ITIMER_PROF, &every, nullptr);
}
