// The shared per-frame task: each list creates its forced instances on its first
// frame, afterwards creates and tells the instances its octree finds in view, and
// removes the groups all of whose members ask for it.
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/InstanceInternal.h"
#include "orblib47/source/Octree.h"

void InstanceListThread(s_thread*, void*) {
    if (!InstanceListEnabled)
        return;
    for (CInstanceList* list = InstanceList; list != nullptr;) {
        CInstanceList* next = list->m_Next;
        list->Update();
        list = next;
    }
}

void CInstanceList::Update() {
    if (!(m_Flags & u_INSTANCE_LIST_FLAGS::Disabled)) {
        if (m_Flags & u_INSTANCE_LIST_FLAGS::Force_Create) {
            m_Flags &= ~u_INSTANCE_LIST_FLAGS::Force_Create;
            for (s32 i = 0; i < m_Header.numInstance; ++i) {
                s_INSTANCE* instance = &m_Header.instanceList[i];
                if ((instance->sysFlags & u_INSTANCE_FLAGS::Force_Create) &&
                    !(instance->sysFlags & (u_INSTANCE_FLAGS::Active | u_INSTANCE_FLAGS::Disabled)))
                    Create(instance);
            }
        } else if (m_Header.octtree != nullptr) {
            OctTreeFrustumFar(m_Header.octtree, OctTreeCallback, this, FarZ, FustrumSlop);
        }
    }
    UpdateGroups();
}

void CInstanceList::OctTreeCallback(s32 item, void* data, s32, const s_octtree_node*) {
    auto* list = static_cast<CInstanceList*>(data);
    if (item < 0)
        return;
    s_INSTANCE* instance = &list->m_Header.instanceList[item];
    if (instance->sysFlags & u_INSTANCE_FLAGS::Disabled)
        return;
    if (DrawClipSphere(&instance->pos, instance->radius + FustrumSlop) != 0)
        return;
    if (!(instance->sysFlags & u_INSTANCE_FLAGS::Active))
        list->Create(instance);
    // Only a live instance is told; one its handler refused is offered again next frame.
    if (instance->sysFlags & u_INSTANCE_FLAGS::Active)
        InstanceSendEvent(instance, INSTANCE_EVENT_WITHIN_FUSTRUM, nullptr);
}

void CInstanceList::Create(s_INSTANCE* instance) {
    if (instance->groupId != INSTANCE_GROUP_NONE) {
        CreateGroup(instance->groupId);
        return;
    }
    if (InstanceSendEvent(instance, INSTANCE_EVENT_CREATE, m_GameData) != 0)
        instance->sysFlags |= u_INSTANCE_FLAGS::Active;
}

void CInstanceList::CreateGroup(e_INSTANCE_GROUP_ID id) {
    const s_instance_group& group = m_GroupList[id];
    for (s32 i = 0; i < group.numMembers; ++i) {
        s_INSTANCE* member = group.memberList[i].instance;
        if (member->sysFlags & (u_INSTANCE_FLAGS::Active | u_INSTANCE_FLAGS::Disabled))
            continue;
        if (InstanceSendEvent(member, INSTANCE_EVENT_CREATE, m_GameData) != 0)
            member->sysFlags |= u_INSTANCE_FLAGS::Active;
    }
}

void CInstanceList::UpdateGroups() {
    for (const s_instance_group& group : m_GroupList) {
        if (group.numMembers == 0)
            continue;
        bool all = true;
        for (s32 i = 0; i < group.numMembers && all; ++i)
            all = (group.memberList[i].instance->sysFlags & u_INSTANCE_FLAGS::Remove_Me) != 0;
        if (!all)
            continue;
        for (s32 i = 0; i < group.numMembers; ++i) {
            s_INSTANCE* member = group.memberList[i].instance;
            if (InstanceSendEvent(member, INSTANCE_EVENT_REMOVE, nullptr) != 0)
                member->sysFlags &= ~u_INSTANCE_FLAGS::Remove_Me;
        }
    }
}
