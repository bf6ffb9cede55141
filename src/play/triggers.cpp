// PLACEHOLDER: filled by the trigger work.
#include "play/triggers.h"
void scan_triggers() {}
void war_ambience_step() {}
void faded_out_step() {}
void scene_swap_step() {}
