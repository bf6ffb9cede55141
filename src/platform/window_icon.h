// The window as a desktop sees it: its class (karvelle/Karvelle, which the menu
// entry's StartupWMClass names) and the game's own icon instead of Allegro's.
#pragma once

// Before allegro_init: Allegro makes its window with the class and icon set here.
void name_game_window();
// After every opening of the display: the icon at 16 and 32 pixels as the
// window's _NET_WM_ICON, which task bars read.
void show_game_icon();
