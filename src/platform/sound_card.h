// ALSA speaks for itself on stderr when it finds no sound card ("cannot find
// card '0'", eight lines of it); the game says so in one line of its own.
#pragma once

// While true, ALSA's error lines are dropped; false gives them back to ALSA.
// Nothing happens where Allegro has not loaded ALSA.
void quiet_sound_card_probe(bool quiet);
