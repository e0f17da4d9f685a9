// DVD: the disc drive.
#pragma once

void DVDInit();
