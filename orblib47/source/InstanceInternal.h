// The instance module's state, shared by its files (and read by tests).
#pragma once

#include "orblib47/source/Instance.h"

extern InstanceFunc InstanceListFuncList[INSTANCE_TYPE_COUNT];
extern s32 InstanceListEnabled;
// The culling distance and the slop added to every radius; every list's
// constructor sets them.
extern f32 FarZ;
extern f32 FustrumSlop;
extern s_linked_list InstanceDynamicList;  // of s_instance_link
extern s_INSTANCE* InstanceFreeList[INSTANCE_FREE_RING_SIZE];
extern s32 InstanceFreeCount;  // the ring slot the next free takes

// Sends an event to the instance's type handler.
s32 InstanceSendEvent(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE event, void* parm);
// The shared per-frame task.
void InstanceListThread(s_thread* task, void* record);
// Forgets the dynamic instances and the deferred frees without freeing them.
void InstanceDynamicReset();
