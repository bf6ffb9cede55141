#include "platform/forked_work.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/syscall.h>
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

struct Helper {
    int (*work)(int, void*);
    void* data;
    int socket;  // the child's end
};

void end_at_once()
{
    _exit(1);
}

int run_helper(void* data)
{
    Helper helper = *static_cast<Helper*>(data);
    // Registered last, so run first: exit() goes no further.
    atexit(end_at_once);
    // Ctrl+C in the terminal is the game's to take; the helper ends with it.
    signal(SIGINT, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    // Its standard streams are not the game's: no line of a library's own in the trace.
    const int null = open("/dev/null", O_RDWR);
    for (int fd = 0; fd <= 2 && null >= 0; ++fd) dup2(null, fd);
    // The socket becomes descriptor 3; nothing else of the game stays open.
    if (helper.socket != 3) {
        if (dup2(helper.socket, 3) < 0) return 125;
        helper.socket = 3;
    }
    // Not handed on to programs it starts (the speech service): its end is seen
    // to close when the helper ends.
    fcntl(3, F_SETFD, FD_CLOEXEC);
    syscall(SYS_close_range, 4u, ~0u, 0u);
    return helper.work(helper.socket, helper.data);
}

}  // namespace

int fork_helper(int (*work)(int socket, void* data), void* data, int cpuSeconds, int& socket)
{
    int ends[2];
    socket = -1;
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return -1;
    Helper helper{work, data, ends[1]};
    const int pid = fork_work(run_helper, &helper, cpuSeconds);
    close(ends[1]);
    if (pid < 0) {
        close(ends[0]);
        return -1;
    }
    socket = ends[0];
    return pid;
}

bool send_all(int socket, const void* bytes, size_t size)
{
    const char* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t n = send(socket, at, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        size -= size_t(n);
    }
    return true;
}

long receive_some(int socket, char* into, size_t size)
{
    for (;;) {
        const ssize_t n = recv(socket, into, size, 0);
        if (n >= 0 || errno != EINTR) return long(n);
    }
}

void shut_down_socket(int socket)
{
    if (socket >= 0) shutdown(socket, SHUT_RDWR);
}

void close_socket(int socket)
{
    if (socket >= 0) close(socket);
}

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
