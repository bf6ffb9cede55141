// Work done in a forked child process, so that a crash or a hang in it costs
// the game nothing: the child is started, polled without waiting, and killed when late.
#pragma once

#include <cstdint>

// Forks; the child runs work(data) and exits with its result (0..125), with
// every signal back at its default, core files off, at most `cpuSeconds` of CPU
// time, and killed when the game ends. Returns the child's id, or -1.
int fork_work(int (*work)(void*), void* data, int cpuSeconds);

enum class ChildState { Running, Exited, Signalled, Lost };
// Whether the child has ended, without waiting; `code` is its exit status or
// the signal that ended it.
ChildState poll_forked(int pid, int& code);
// Kills the child and collects it.
void kill_forked(int pid);

// In the child: ends it with `exitCode` as soon as its CPU time exceeds
// *allowanceNs, which the work raises as it goes (checked 20 times a second).
void limit_child_cpu(const volatile int64_t* allowanceNs, int exitCode);
