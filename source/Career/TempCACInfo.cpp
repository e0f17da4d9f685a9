#include "source/Career/TempCACInfo.h"

s_TempCACInfo g_TempCACInfo = {};
