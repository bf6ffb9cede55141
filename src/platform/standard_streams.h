// The standard streams the game was started with, made safe before anything
// opens a descriptor.
#pragma once

// A closed stdin, stdout or stderr is opened on /dev/null, so the X connection
// or a data file never takes descriptor 0, 1 or 2 and has a warning or a trace
// line written into it. A write to a pipe whose reader has gone fails instead
// of ending the game with SIGPIPE; the line is dropped.
void guard_standard_streams();
