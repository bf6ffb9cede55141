// Asks the desktop whether a screen reader runs: the accessibility bus's
// org.a11y.Status ScreenReaderEnabled property, on the session D-Bus, read by
// the gdbus program in a process of its own so the game never waits on the bus.
#pragma once

#include <string>

enum class ScreenReaderAnswer { Asking, Running, NotRunning };

// Starts the question (once); nothing happens when gdbus cannot be started.
void start_screen_reader_query();
// Never blocks: Asking until gdbus has answered, or given up after a few seconds.
ScreenReaderAnswer poll_screen_reader_query();
// What gdbus printed for the property: "(<true>,)" means a screen reader runs.
bool screen_reader_answer_says_running(const std::string& printed);
// Stops a question still running and allows another (tests).
void reset_screen_reader_query();
