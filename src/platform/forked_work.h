// Work done in a forked child process, so that a crash or a hang in it costs
// the game nothing: the child is started, polled without waiting, and killed when late.
#pragma once

#include <cstddef>
#include <cstdint>

// Forks; the child runs work(data) and exits with its result (0..125), with
// every signal back at its default, core files off, at most `cpuSeconds` of CPU
// time, and killed when the game ends. Returns the child's id, or -1.
int fork_work(int (*work)(void*), void* data, int cpuSeconds);

// A helper that lives beside the game, forked as above (at most `cpuSeconds` of
// CPU time), with a socket to it: `work(socket, data)` runs in the child on its
// end, with its standard streams on /dev/null and every other descriptor of the
// game closed. An exit() in the helper ends it at once: the game's own exit handlers (its
// display, its libraries) are not the helper's to run. Returns the child's id
// and the game's end of the socket in `socket`, or -1.
int fork_helper(int (*work)(int socket, void* data), void* data, int cpuSeconds, int& socket);
// Sends all of `size` bytes on such a socket; false once the helper is gone
// (no SIGPIPE).
bool send_all(int socket, const void* bytes, size_t size);
// Waits for bytes from the other end: how many were read, 0 once it has closed
// (or the socket was shut down), -1 on an error.
long receive_some(int socket, char* into, size_t size);
// Ends both directions at once: a receive waiting on another thread returns 0.
void shut_down_socket(int socket);
void close_socket(int socket);

enum class ChildState { Running, Exited, Signalled, Lost };
// Whether the child has ended, without waiting; `code` is its exit status or
// the signal that ended it.
ChildState poll_forked(int pid, int& code);
// Kills the child and collects it.
void kill_forked(int pid);

// In the child: ends it with `exitCode` as soon as its CPU time exceeds
// *allowanceNs, which the work raises as it goes (checked 20 times a second).
void limit_child_cpu(const volatile int64_t* allowanceNs, int exitCode);
