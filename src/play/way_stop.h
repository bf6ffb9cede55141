// The stop at a way up or down: a player who cannot see the way is held at the
// start of its column until they choose. Up (or Down) held takes the way as
// always; a new press of Right walks on.
#pragma once

// Whether the walker stops at each way up or down (with the voice or auto-walk on).
bool walker_stops_at_ways();
// In play_input after the walking speed is set: holds the walker at the start
// of an exit column until Right is pressed anew there.
void way_stop_step();
// Whether the walker is being held at a way now.
bool walker_held_at_way();
// Forgets the ways already walked past (tests, start-up).
void reset_way_stop();
