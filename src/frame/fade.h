// The fade machine and the three pulsing counters, advanced once a frame.
#pragma once

void update_fade();
void update_pulses();
