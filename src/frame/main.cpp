// The entry point: Allegro's platform layer hands control to game_main.
#include <allegro.h>

#include "frame/main_loop.h"

int main(int argc, char** argv)
{
    return game_main(argc, argv);
}
END_OF_MAIN()
