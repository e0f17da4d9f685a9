// Where the demo disc that the build makes lies.
#pragma once

const char* DefaultDiscRoot();
