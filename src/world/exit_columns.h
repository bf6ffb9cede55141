// The exit columns of a room: the play field in four 80-unit columns, numbered
// 1 to 4 from the left, where the ways up and down lie.
#pragma once

constexpr int COLUMN_WIDTH = 80;

// The 1-based exit column of a position.
int column_of(double x);
