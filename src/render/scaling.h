// Whole-number enlargement of the finished 640x480 frame for larger windows and
// screens: every game pixel becomes an N x N block, never smoothed.
#pragma once

#include "core/display_layout.h"

struct BITMAP;

// Draws `frame` (640x480) on `target` at (x, y), each pixel made a factor x factor
// block. Returns false, drawing nothing, when the enlarged frame would not fit.
bool enlarge_frame(BITMAP* frame, BITMAP* target, int factor, int x, int y);
