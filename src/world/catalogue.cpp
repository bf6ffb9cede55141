// PLACEHOLDER: filled by the world work.
#include "world/room.h"
void build_world() {}
