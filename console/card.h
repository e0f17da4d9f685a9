// CARD: the memory card slots.
#pragma once

void CARDInit();
