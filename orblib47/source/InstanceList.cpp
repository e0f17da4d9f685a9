// Instance lists: the chain of every level's list, their groups, the type
// handlers and the module's resets.
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/InstanceInternal.h"
#include "orblib47/source/OrbThread.h"

CInstanceList* InstanceList = nullptr;
s_thread* InstanceListThreadPtr = nullptr;
InstanceFunc InstanceListFuncList[INSTANCE_TYPE_COUNT];
s32 InstanceListEnabled = 0;
f32 FarZ = 40.0f;
f32 FustrumSlop = 1.0f;

namespace {

// Installed once by the program, before any reset; no reset clears it.
InstanceGameColdResetFunc GameColdResetFunc = nullptr;

s32 InstanceGenericFunc(s_INSTANCE*, e_INSTANCE_EVENT_TYPE, void*) {
    return 0;
}

}  // namespace

s32 InstanceSendEvent(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE event, void* parm) {
    ORB_ASSERT(instance->type < INSTANCE_TYPE_COUNT, "Instance type %u out of range!\n", u32(instance->type));
    return InstanceListFuncList[instance->type](instance, event, parm);
}

CInstanceList::CInstanceList(CGameData* gameData, const s_INSTANCE_LIST* header, const s_Vector3& pos,
                             const char* name)
    : m_Pos(pos), m_GameData(gameData), m_Header(*header) {
    std::strncpy(m_Name, name, sizeof(m_Name) - 1);
    FarZ = 40.0f;
    FustrumSlop = 1.0f;
    CreateGroupList();
    m_Next = InstanceList;
    if (InstanceList != nullptr)
        InstanceList->m_Prev = this;
    InstanceList = this;
    if (InstanceListThreadPtr == nullptr)
        InstanceListThreadPtr = ThreadInsertPriorityDebug(
            "InstanceListThread", nullptr, nullptr, InstanceListThread, nullptr, INSTANCE_LIST_TASK_PRIORITY);
}

CInstanceList::~CInstanceList() {
    for (s32 i = 0; i < m_Header.numInstance; ++i)
        RemoveInstance(&m_Header.instanceList[i]);
    for (s_instance_group& group : m_GroupList)
        if (group.memberList != nullptr)
            HeapMallocFree(group.memberList);
    if (m_Prev != nullptr)
        m_Prev->m_Next = m_Next;
    else
        InstanceList = m_Next;
    if (m_Next != nullptr)
        m_Next->m_Prev = m_Prev;
    if (InstanceList == nullptr && InstanceListThreadPtr != nullptr) {
        ThreadKill(InstanceListThreadPtr);
        InstanceListThreadPtr = nullptr;
    }
}

void CInstanceList::CreateGroupList() {
    for (s32 i = 0; i < m_Header.numInstance; ++i) {
        s_INSTANCE* instance = &m_Header.instanceList[i];
        const u32 id = instance->groupId;
        if (id == INSTANCE_GROUP_NONE)
            continue;
        ORB_ASSERT(id < INSTANCE_GROUP_COUNT, "CreateGroupList: Invalid group %u!\n", id);
        s_instance_group& group = m_GroupList[id];
        if (group.memberList == nullptr) {
            group.memberList = static_cast<s_instance_group_member*>(HeapCalloc(
                INSTANCE_GROUP_MAX_MEMBERS, sizeof(s_instance_group_member), __FILE_NAME__, __LINE__));
            if (group.memberList == nullptr)
                continue;
            ++m_NumGroups;
        }
        if (group.numMembers >= INSTANCE_GROUP_MAX_MEMBERS) {
            DEBUG_PRINT("CreateGroupList: Too many members in group %u!\n", id);
            continue;
        }
        group.memberList[group.numMembers++] = {instance, 0};
    }
}

s_INSTANCE* CInstanceList::GetInstance(u32 index) const {
    if (index >= u32(m_Header.numInstance))
        DebugAssertFail("((Sint32) index < m_Header.numInstance)", __FILE_NAME__, __LINE__,
                        "Instance out of range!\n");
    return &m_Header.instanceList[index];
}

void CInstanceList::RemoveInstance(s_INSTANCE* instance) {
    if (instance->sysFlags & u_INSTANCE_FLAGS::Active)
        InstanceSendEvent(instance, INSTANCE_EVENT_REMOVE, nullptr);
    instance->sysFlags &= ~u_INSTANCE_FLAGS::Active;
}

e_error_code CInstanceList::ColdReset() {
    InstanceList = nullptr;
    InstanceListThreadPtr = nullptr;
    for (InstanceFunc& func : InstanceListFuncList)
        func = InstanceGenericFunc;
    InstanceListEnabled = 0;
    InstanceDynamicReset();
    return RET_NO_ERROR;
}

e_error_code CInstanceList::WarmReset() {
    InstanceListEnabled = 0;
    InstanceDynamicReset();
    return RET_NO_ERROR;
}

s32 CInstanceList::Enable(s32 on) {
    const s32 previous = InstanceListEnabled;
    InstanceListEnabled = on;
    return previous;
}

void InstanceSetGameColdReset(InstanceGameColdResetFunc func) {
    GameColdResetFunc = func;
}

void InstanceGameColdReset() {
    if (GameColdResetFunc != nullptr)
        GameColdResetFunc();
}

void CInstanceList::RegisterFunc(e_INSTANCE_TYPE type, InstanceFunc handler) {
    ORB_ASSERT(type < INSTANCE_TYPE_COUNT, "RegisterFunc: Instance type %u out of range!\n", u32(type));
    InstanceListFuncList[type] = handler;
}
