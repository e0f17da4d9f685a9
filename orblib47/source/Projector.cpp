// The projector manager: the pool of projector records, their list, and the
// update and render tasks that walk it.
#include "orblib47/source/Projector.h"

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"

s_stdrec* ProjectorHeaderRecords = nullptr;
s_thread* ProjectorUpdateThreadPtr = nullptr;
s_thread* ProjectorRenderThreadPtr = nullptr;

namespace {

// Seen from just outside the view a projector's light may still reach into it.
constexpr f32 kViewMargin = 1.0f;

ProjectorDrawFunc DrawFunc = nullptr;

s_projector_list* First() {
    return ProjectorHeaderRecords != nullptr ? static_cast<s_projector_list*>(ProjectorHeaderRecords->next)
                                             : nullptr;
}

s_projector_list* Next(const s_projector_list* projector) {
    return static_cast<s_projector_list*>(projector->next);
}

void ProjectorUpdateThread(s_thread*, void*) {
    for (s_projector_list* p = First(); p != nullptr; p = Next(p)) {
        s_texproj_object_locals* locals = p->projectorObject->m_locals;
        if (locals == nullptr)
            continue;
        locals->flags &= ~u_texproj_object_flags::activeRender;
        locals->numObjShadowCast = 0;
    }
}

bool Visible(const s_texproj_object_locals& locals) {
    if (DrawClipSphere(&locals.projectorCenter, locals.projectorRadius + kViewMargin) != DC_CLIP_NONE)
        return false;
    return (DrawClipSphereInsideVeils(&locals.projectorCenter, locals.projectorRadius) &
            DC_CLIP_COMPLETELY_INSIDE_VEIL) == 0;
}

void ProjectorRenderThread(s_thread*, void*) {
    s_projector_list* next = nullptr;
    // The next record is taken first: drawing may free the current one.
    for (s_projector_list* p = First(); p != nullptr; p = next) {
        next = Next(p);
        s_texproj_object* object = p->projectorObject;
        if (object->m_locals != nullptr && Visible(*object->m_locals) && DrawFunc != nullptr)
            DrawFunc(object);
    }
}

}  // namespace

void ProjectorForget() {
    ProjectorHeaderRecords = nullptr;
    ProjectorUpdateThreadPtr = nullptr;
    ProjectorRenderThreadPtr = nullptr;
    DrawFunc = nullptr;
}

void ProjectorSetDrawFunc(ProjectorDrawFunc func) {
    DrawFunc = func;
}

s32 ProjectorWarmReset() {
    ProjectorHeaderRecords = RecordCreate(PROJECTOR_MAX, sizeof(s_projector_list));
    if (ProjectorHeaderRecords != nullptr)
        HeapAddrAddComment(ProjectorHeaderRecords, "ProjectorWarmReset:ProjectorHeaderRecords");
    ProjectorUpdateThreadPtr = ThreadInsertPriorityDebug(
        "ProjectorUpdateThread", nullptr, nullptr, ProjectorUpdateThread, nullptr, PROJECTOR_UPDATE_PRIORITY);
    ProjectorRenderThreadPtr = ThreadInsertPriorityDebug(
        "ProjectorRenderThread", nullptr, nullptr, ProjectorRenderThread, nullptr, PROJECTOR_RENDER_PRIORITY);
    return ProjectorHeaderRecords != nullptr && ProjectorUpdateThreadPtr != nullptr &&
                   ProjectorRenderThreadPtr != nullptr
               ? 1
               : 0;
}

void ProjectorShutdownThreads() {
    if (ProjectorRenderThreadPtr != nullptr)
        ThreadKill(ProjectorRenderThreadPtr);
    ProjectorRenderThreadPtr = nullptr;
    if (ProjectorUpdateThreadPtr != nullptr)
        ThreadKill(ProjectorUpdateThreadPtr);
    ProjectorUpdateThreadPtr = nullptr;
}

void ProjectorShutdownMemory() {
    if (ProjectorHeaderRecords != nullptr)
        HeapMallocFree(ProjectorHeaderRecords);
    ProjectorHeaderRecords = nullptr;
}

s_projector_list* ProjectorAlloc(s_texproj_object* projectorObject) {
    if (ProjectorHeaderRecords == nullptr)
        return nullptr;
    auto* projector = static_cast<s_projector_list*>(RecordAlloc(ProjectorHeaderRecords));
    if (projector == nullptr)
        return nullptr;
    projector->projectorObject = projectorObject;
    RecordInsertList(ProjectorHeaderRecords, projector);
    return projector;
}

s_projector_list* ProjectorFree(s_projector_list* projector) {
    if (projector == nullptr)
        return nullptr;
    RecordRemoveList(projector);
    RecordFree(ProjectorHeaderRecords, projector);
    return nullptr;
}
