// PLACEHOLDER: filled by the walking work.
#include "play/input.h"
InputState input;
void reset_input() { input = InputState{}; }
void poll_input() {}
