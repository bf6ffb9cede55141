// The two small sounds that a player who listens walks by: a footstep, and the
// cue that says the walker is held still.
#pragma once

enum class Cue { Footstep, HeldStill };

constexpr const char* FOOTSTEP_FILE = "sound/footstep.wav";
constexpr const char* HELD_STILL_FILE = "sound/held.wav";

// Plays a cue, loading both on first use; a file that cannot be loaded is named
// once on stderr and its cue stays silent.
void play_cue(Cue cue);
