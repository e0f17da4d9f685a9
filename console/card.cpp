// CARD: the memory card slots need no set-up on the host.
#include "console/card.h"

void CARDInit() {}
