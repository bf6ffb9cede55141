// The two pieces of music, written in a small note notation and turned into
// Impulse Tracker modules.
#pragma once

#include "audio/it_writer.h"

ItModule possibilities_module();
ItModule impossibilities_module();

// Seconds that one pass of a module lasts before it loops.
double loop_seconds(const ItModule& module);
