// Running another program beside the game: its input given at once, its output
// read without ever blocking the caller for long, and stopped at any moment.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

struct ChildProcess {
    pid_t pid = -1;
    int output = -1;  // the read end of the child's stdout, non-blocking
};

// Starts `argv[0]` (looked up on PATH) with `input` on its stdin and its stdout on
// a pipe; its stderr goes nowhere. False when it cannot be started; a program
// that is not installed is found out by read_child reporting its end with nothing
// written and child_exit_status 127.
bool start_child(const std::vector<std::string>& argv, const std::string& input, ChildProcess& child);
// Appends what the child has written (a megabyte at most), waiting at most
// `waitMs` for something.
// Returns false once its output has ended (or on an error).
bool read_child(ChildProcess& child, std::string& into, int waitMs);
// Kills the child if it still runs and collects it; returns its exit status, or
// -1 when it was killed or never ran.
int stop_child(ChildProcess& child);
// Waits up to `waitMs` for the child to end by itself, then stops it; returns
// its exit status as stop_child does.
int finish_child(ChildProcess& child, int waitMs);
