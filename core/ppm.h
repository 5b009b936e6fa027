// Binary portable pixmaps (P6), one byte per sample.
#pragma once

#include "plane.h"

// Reads the file into three new planes (red, green, blue; values 0..255) that
// the caller owns.  Returns 1 with a message line, allocating nothing, when
// the file cannot be opened or is not a P6 pixmap with a maximum of 1..255.
int read_ppm(const char *path, int *width, int *height, Plane *red, Plane *green, Plane *blue);
