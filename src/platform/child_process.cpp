// fork and exec with pipes, poll for the output, SIGKILL to stop.
#include "platform/child_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr size_t READ_AT_ONCE = 1 << 20;

void close_fd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Status of a collected child: its exit code, or -1 when a signal ended it.
int status_of(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool start_child(const std::vector<std::string>& argv, const std::string& input, ChildProcess& child)
{
    child = ChildProcess{};
    if (argv.empty()) return false;
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0) return false;
    if (pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return false;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) {
        for (int fd : {in[0], in[1], out[0], out[1]}) ::close(fd);
        return false;
    }
    if (pid == 0) {
        // In the child only async-signal-safe calls until exec.
        dup2(in[0], 0);
        dup2(out[1], 1);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) dup2(null, 2);
        // The game blocks its quit signals; the child must not inherit that.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        // Nor the game's ignored SIGPIPE, which exec would keep.
        signal(SIGPIPE, SIG_DFL);
        execvp(args[0], args.data());
        _exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    // Short texts fit the pipe at once; a longer one is cut rather than wait.
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    const sighandler_t old = signal(SIGPIPE, SIG_IGN);
    size_t written = 0;
    while (written < input.size()) {
        const ssize_t n = ::write(in[1], input.data() + written, input.size() - written);
        if (n <= 0) break;
        written += size_t(n);
    }
    signal(SIGPIPE, old);
    ::close(in[1]);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    child.pid = pid;
    child.output = out[0];
    return true;
}

bool read_child(ChildProcess& child, std::string& into, int waitMs)
{
    if (child.output < 0) return false;
    pollfd p{child.output, POLLIN, 0};
    const int ready = poll(&p, 1, waitMs);
    if (ready < 0) return errno == EINTR;
    if (ready == 0) return true;
    char buffer[16384];
    // A child that writes without end still hands control back now and then.
    for (size_t taken = 0; taken < READ_AT_ONCE;) {
        const ssize_t n = ::read(child.output, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, size_t(n));
            taken += size_t(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return true;
        close_fd(child.output);
        return false;
    }
    return true;
}

int stop_child(ChildProcess& child)
{
    close_fd(child.output);
    if (child.pid <= 0) return -1;
    int status = 0;
    int result = -1;
    if (waitpid(child.pid, &status, WNOHANG) == child.pid) {
        result = status_of(status);
    } else {
        kill(child.pid, SIGKILL);
        if (waitpid(child.pid, &status, 0) == child.pid) result = status_of(status);
    }
    child.pid = -1;
    return result;
}

int finish_child(ChildProcess& child, int waitMs)
{
    close_fd(child.output);
    if (child.pid <= 0) return -1;
    int status = 0;
    for (int waited = 0; waited <= waitMs; waited += 5) {
        if (waitpid(child.pid, &status, WNOHANG) == child.pid) {
            child.pid = -1;
            return status_of(status);
        }
        const timespec pause{0, 5 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return stop_child(child);
}
