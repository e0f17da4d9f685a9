// Models of a group that live in archives of their own: read in the background
// when first wanted, kept in a least-recently-used list, and evicted from the
// oldest when the data heap runs low.
#include <cstdio>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/ModelGroupInternal.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr u32 kMaxRequests = 64;
constexpr u32 kThreadPriority = 3500;
constexpr u32 kHeapReserve = 0x300000;
constexpr const char* kArchivePrefix = "CITY";

// A pending read; `def` is null once its group was freed.
struct s_model_group_request {
    s_linked_list link;
    s_model_def* def;
    s_wad_status* status;
};

// Its header heads the list of pending requests.
s_stdrec* ModelGroupLoadingList;
s_model_def ModelGroupLRUList;
s_model_def ModelGroupLRUListEnd;
s_thread* ModelGroupThreadPtr;

void Unlink(s_model_def* def) {
    if (def->prev != nullptr)
        def->prev->next = def->next;
    if (def->next != nullptr)
        def->next->prev = def->prev;
    def->next = nullptr;
    def->prev = nullptr;
}

s_model_group_request* FirstRequest() {
    return reinterpret_cast<s_model_group_request*>(ModelGroupLoadingList->next);
}

void FinishRequest(s_model_group_request* request) {
    RecordRemoveList(&request->link);
    RecordFree(ModelGroupLoadingList, request);
}

// Oldest first, sparing what was used at this game time and stopping once the
// heap has its reserve back.
void Evict() {
    s_heap* heap = DataGetHeap();
    if (heap == &MainHeap || HeapAvail(heap) >= kHeapReserve)
        return;
    DrawWait();
    for (s_model_def* def = ModelGroupLRUList.next; def != &ModelGroupLRUListEnd;) {
        if (HeapAvail(heap) >= kHeapReserve || def->timeStamp == GameTime)
            break;
        s_model_def* next = def->next;
        ModelGroupRelease(def);
        def = next;
    }
}

// A finished read gives the definition its archive and model; a failed one leaves
// it unloaded, to be asked for again.
void Complete() {
    for (s_model_group_request* request = FirstRequest(); request != nullptr;) {
        auto* next = reinterpret_cast<s_model_group_request*>(request->link.next);
        s32 done = 0;
        s_wad* wad = WadLoadStatus(request->status, &done);
        if (done) {
            s_model_def* def = request->def;
            if (def == nullptr) {
                WadFree(wad);
            } else {
                def->wadStatus = nullptr;
                def->wad = wad;
                if (wad != nullptr) {
                    DEBUG_PROGRESS("  Load Model %s\n", DebugName(def->name).c_str());
                    def->model = ModelLoad(def->name, nullptr, 0);
                }
            }
            FinishRequest(request);
        }
        request = next;
    }
}

void ModelGroupThread(s_thread*, void*) {
    Evict();
    Complete();
}

}  // namespace

e_error_code ModelGroupWarmReset() {
    ModelGroupLoadingList = RecordCreate(kMaxRequests, sizeof(s_model_group_request));
    if (ModelGroupLoadingList != nullptr)
        HeapAddrAddComment(ModelGroupLoadingList, "ModelGroupWarmReset:ModelGroupLoadingList");
    ModelGroupLRUList = {};
    ModelGroupLRUListEnd = {};
    ModelGroupLRUList.next = &ModelGroupLRUListEnd;
    ModelGroupLRUListEnd.prev = &ModelGroupLRUList;
    ModelGroupThreadPtr = ThreadInsertPriorityDebug("ModelGroupThread", nullptr, nullptr, ModelGroupThread,
                                                    nullptr, kThreadPriority);
    return RET_NO_ERROR;
}

s32 ModelGroupLoading() {
    return ModelGroupLoadingList != nullptr && ModelGroupLoadingList->next != nullptr ? 1 : 0;
}

void ModelGroupTouch(s_model_def* def) {
    if (def->wad == nullptr)
        return;
    def->timeStamp = GameTime;
    Unlink(def);
    def->prev = ModelGroupLRUListEnd.prev;
    def->next = &ModelGroupLRUListEnd;
    def->prev->next = def;
    ModelGroupLRUListEnd.prev = def;
}

void ModelGroupLoadModel(s_model_def* def) {
    if (def->wadStatus != nullptr || def->wad != nullptr || ModelGroupLoadingList == nullptr)
        return;
    auto* request = static_cast<s_model_group_request*>(RecordAlloc(ModelGroupLoadingList));
    if (request == nullptr)
        return;
    char name[32];
    std::snprintf(name, sizeof(name), "%s_%d", kArchivePrefix, def->wadIndex);
    def->wadStatus = WadLoadAsync(name, 0);
    if (def->wadStatus == nullptr) {
        RecordFree(ModelGroupLoadingList, request);
        return;
    }
    request->def = def;
    request->status = def->wadStatus;
    RecordAppendList(ModelGroupLoadingList, &request->link);
}

void ModelGroupRelease(s_model_def* def) {
    ModelFree(def->model);
    def->model = nullptr;
    if (def->wad != nullptr)
        WadFree(def->wad);
    def->wad = nullptr;
    Unlink(def);
    if (def->wadStatus == nullptr)
        return;
    for (s_model_group_request* r = FirstRequest(); r != nullptr;
         r = reinterpret_cast<s_model_group_request*>(r->link.next)) {
        if (r->def == def)
            r->def = nullptr;
    }
    def->wadStatus = nullptr;
}
