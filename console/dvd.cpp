// DVD: the drive needs no set-up on the host.
#include "console/dvd.h"

void DVDInit() {}
