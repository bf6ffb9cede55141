#include "frame/main_loop.h"
bool run_frame(RenderContext& context) { return false; }
int game_main(int argc, char** argv) { return 0; }
