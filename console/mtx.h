// The few matrix routines of the console's MTX library that the engine's maths
// uses, in plain C++. Matrices are row-major; points are column vectors
// multiplied from the right.
#pragma once

#include "console/types.h"

typedef f32 Mtx44[4][4];
typedef f32 Mtx[3][4];  // affine: rotation/scale in columns 0-2, translation in column 3

struct Vec {
    f32 x, y, z;
};

// ab = a b. ab must not be a or b.
void PSMTX44Concat(const Mtx44 a, const Mtx44 b, Mtx44 ab);
void PSMTX44Copy(const Mtx44 src, Mtx44 dst);
// dst = the 3x3 part of m times src (no translation); dst may be src.
void PSMTXMultVecSR(const Mtx m, const Vec* src, Vec* dst);
