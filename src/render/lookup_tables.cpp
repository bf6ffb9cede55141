#include "render/lookup_tables.h"

#include <allegro.h>

#include <cmath>

double SineTable[360];
double CosineTable[360];
int ColourRamp[256];

namespace {

// Degrees become radians with 3.1415, not with pi: the tables keep that slight skew.
constexpr double TABLE_PI = 3.1415;

}  // namespace

void fill_lookup_tables()
{
    for (int d = 0; d < 360; ++d) {
        SineTable[d] = -std::sin(d * TABLE_PI / 180);
        CosineTable[d] = std::cos(d * TABLE_PI / 180);
    }
}

void fill_colour_ramp()
{
    for (int i = 0; i < 256; ++i) {
        if (i < 64)
            ColourRamp[i] = makecol(0, i, i);
        else if (i < 128)
            ColourRamp[i] = makecol(0, 128 - i, 128 - i);
        else if (i < 196)
            ColourRamp[i] = makecol(i - 128, i - 128, 0);
        else
            ColourRamp[i] = makecol(260 - i, 260 - i, 0);
    }
}
