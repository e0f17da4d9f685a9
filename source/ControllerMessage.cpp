#include "source/ControllerMessage.h"
void ControllerMessageDisable() {}
void ControllerMessageEnable() {}
void ControllerMessageCheck() {}
