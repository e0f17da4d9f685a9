// One line of the display copy: a row of the embedded frame buffer, through the
// vertical filter when there is one, encoded as YUYV (see console/host/yuyv.h).
// The vector forms give the scalar form's bytes exactly.
#pragma once

#include "console/types.h"

namespace console::gx {

struct CopyRowSource {
    const u32* above;  // the rows around `line`; `line` itself at the source's edges
    const u32* line;
    const u32* below;
    u32 weights[3];  // 64ths over above, line, below
    bool filter;     // false: the line as it is
};

// Pixels `from` (even) to `width` of 0x..RRGGBB into Y0 U Y1 V groups at their
// place in the `yuyv` row; the two pixels of a group share the average of their
// chroma. An odd last pixel is left out.
void CopyRowScalar(const CopyRowSource& src, u32 from, u32 width, u8* yuyv);
// The whole row with the baseline vectors of the target.
void CopyRowVector(const CopyRowSource& src, u32 width, u8* yuyv);
// With AVX2; false, writing nothing, on a processor without it.
bool CopyRowWide(const CopyRowSource& src, u32 width, u8* yuyv);
// The fastest of these the processor has.
void CopyRow(const CopyRowSource& src, u32 width, u8* yuyv);

}  // namespace console::gx
