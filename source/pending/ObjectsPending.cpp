// Stand-ins until the objects land; the owner deletes this file.
#include "source/Objects/Object.h"

s32 g_ObjDraw = 0;
s32 g_ObjUpdate = 0;
s32 g_HUDDraw = 0;
void* ObjectDebugTimePtr = nullptr;
void ObjectWarmReset() {}
void AlleyObjectsCreate() {}
void AlleyObjectsRemove() {}
