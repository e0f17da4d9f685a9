// Cache maintenance: the host's memory is coherent, so there is nothing to do.
#include "console/os.h"

void DCFlushRange(void*, u32) {}
void DCFlushRangeNoSync(void*, u32) {}
void DCStoreRange(void*, u32) {}
void DCInvalidateRange(void*, u32) {}
void LCEnable() {}
void LCDisable() {}
