// 16-bit, two-axis FITS image files.
#pragma once

#include "plane.h"

// Room the callers give read_fits for header cards: 100 cards of 80 bytes.
constexpr int kFitsHeaderCards = 100;
constexpr int kFitsHeaderBytes = kFitsHeaderCards * 80;
// Largest image side written or read.
constexpr int kFitsMaxSide = 99999;

// Writes the one-block header, the samples row by row (high byte first) and
// the 5312-byte zero trailer.  Returns 0; 1 with a message line when the file
// cannot be created, a side is outside 1..kFitsMaxSide, or a write fails (the
// partial file is then removed).
int write_fits(const char *path, int width, int height, Plane plane);

// Reads a 16-bit two-axis FITS file.  Copies the first (at most 100) header
// cards into `header` (the caller provides kFitsHeaderBytes), returns the
// number of header cards read (a multiple of 36), the BZERO value (not
// applied) and a new plane of raw unsigned 16-bit samples that the caller
// owns.  Returns 1 with a message line, allocating nothing and leaving *plane
// untouched, when the file cannot be opened or is not such a file.
int read_fits(const char *path, char *header, int *width, int *height, int *cards,
              double *offset, Plane *plane);
