#include "world/exit_columns.h"

#include <cmath>

int column_of(double x)
{
    // Truncated towards zero; positions far off the screen stay far off the
    // exit columns instead of overflowing.
    double column = std::trunc(x / COLUMN_WIDTH) + 1.0;
    if (!(column > -1.0e6)) return -1000000;
    if (column > 1.0e6) return 1000000;
    return static_cast<int>(column);
}
