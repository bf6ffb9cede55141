// Whether a PCX file holds all the picture its header promises. Allegro's load_pcx
// fills a cut-off file with whatever it finds, so a truncated scene would show
// as garbage instead of being reported.
#pragma once

bool pcx_complete(const char* path);
