// Dynamic instances: heap copies counted with the lists' own. A freed one waits
// in a ring of INSTANCE_FREE_RING_SIZE slots, readable by whoever still holds it,
// until its slot is reused.
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/InstanceInternal.h"

s_linked_list InstanceDynamicList = {};
s_INSTANCE* InstanceFreeList[INSTANCE_FREE_RING_SIZE] = {};
s32 InstanceFreeCount = 0;

namespace {

s_instance_link* FirstLink() {
    return static_cast<s_instance_link*>(InstanceDynamicList.next);
}

s_instance_link* Next(const s_instance_link* link) {
    return static_cast<s_instance_link*>(link->next);
}

}  // namespace

void InstanceDynamicReset() {
    InstanceDynamicList = {};
    for (s_INSTANCE*& slot : InstanceFreeList)
        slot = nullptr;
    InstanceFreeCount = 0;
}

s_INSTANCE* CInstanceList::NewDynamic(const s_INSTANCE& from) {
    auto* instance = static_cast<s_INSTANCE*>(HeapMalloc(sizeof(s_INSTANCE), __FILE_NAME__, __LINE__));
    auto* link = static_cast<s_instance_link*>(HeapMalloc(sizeof(s_instance_link), __FILE_NAME__, __LINE__));
    if (instance == nullptr || link == nullptr) {
        if (instance != nullptr)
            HeapMallocFree(instance);
        if (link != nullptr)
            HeapMallocFree(link);
        return nullptr;
    }
    *instance = from;
    instance->sysFlags = u_INSTANCE_FLAGS::Dynamic;
    instance->record = nullptr;
    link->instance = instance;
    link->priority = 0;
    RecordAppendList(&InstanceDynamicList, link);
    return instance;
}

void CInstanceList::FreeDynamic(s_INSTANCE* instance) {
    if (instance == nullptr)
        return;
    if (instance->sysFlags & u_INSTANCE_FLAGS::Rip) {
        DEBUG_PRINT("CInstanceList::FreeDynamic: Attempting to free dynamic instance %s more than once!\n",
                    instance->name != nullptr ? instance->name : "");
        return;
    }
    ORB_ASSERT(instance->sysFlags & u_INSTANCE_FLAGS::Dynamic, "FreeDynamic: %s is no dynamic instance!\n",
               instance->name != nullptr ? instance->name : "");
    instance->sysFlags |= u_INSTANCE_FLAGS::Rip;
    s_INSTANCE*& slot = InstanceFreeList[InstanceFreeCount];
    if (slot != nullptr)
        HeapMallocFree(slot);
    slot = instance;
    InstanceFreeCount = (InstanceFreeCount + 1) % INSTANCE_FREE_RING_SIZE;
    for (s_instance_link* link = FirstLink(); link != nullptr; link = Next(link)) {
        if (link->instance == instance) {
            RecordRemoveList(link);
            HeapMallocFree(link);
            break;
        }
    }
}

void CInstanceList::ShutDown() {
    for (s_instance_link* link = FirstLink(); link != nullptr;) {
        s_instance_link* next = Next(link);
        FreeDynamic(link->instance);
        link = next;
    }
    for (s_INSTANCE*& slot : InstanceFreeList) {
        if (slot != nullptr)
            HeapMallocFree(slot);
        slot = nullptr;
    }
    InstanceFreeCount = 0;
    InstanceListEnabled = 0;
}

s32 InstanceGetNumInstancesByType(e_INSTANCE_TYPE type) {
    s32 count = 0;
    for (const CInstanceList* list = InstanceList; list != nullptr; list = list->m_Next)
        for (s32 i = 0; i < list->m_Header.numInstance; ++i)
            count += list->m_Header.instanceList[i].type == type;
    for (const s_instance_link* link = FirstLink(); link != nullptr; link = Next(link))
        count += link->instance->type == type;
    return count;
}
