#include "orblib47/source/OrbThread.h"

#include <cstdint>
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

s_stdrec* SystemThreads = nullptr;
u32 SystemThreadCount = 0;

namespace {

// A walk over a task list in progress. Walks nest: a task may run a private list,
// and a blocking disc read runs the system-critical pass from inside a task.
struct TaskWalk {
    s_thread* current;  // the task being called, null once it is killed
    s_thread* next;     // the task the walk visits next
    TaskWalk* outer;
};
TaskWalk* ActiveWalks = nullptr;

struct ScopedWalk {
    TaskWalk walk;
    explicit ScopedWalk(s_thread* first) : walk{nullptr, first, ActiveWalks} { ActiveWalks = &walk; }
    ~ScopedWalk() { ActiveWalks = walk.outer; }
    ScopedWalk(const ScopedWalk&) = delete;
    ScopedWalk& operator=(const ScopedWalk&) = delete;
};

// Keeps every walk in progress off a task that is being removed: a walk that was
// about to visit it goes on with its successor, and a walk whose current task
// removed itself goes on with the successor the task has now (so tasks it inserted
// right after itself still run), without ever reading the freed record.
void StepWalksPastKilledTask(s_thread* task) {
    for (TaskWalk* walk = ActiveWalks; walk != nullptr; walk = walk->outer) {
        if (walk->current == task) {
            walk->current = nullptr;
            walk->next = task->nextTask();
        } else if (walk->next == task) {
            walk->next = task->nextTask();
        }
    }
}

s_linked_list* TargetList(s_linked_list* list) {
    return list != nullptr ? list : SystemThreads;
}

s_thread* FirstTask(s_thread* first) {
    if (first != nullptr)
        return first;
    return SystemThreads != nullptr ? static_cast<s_thread*>(SystemThreads->next) : nullptr;
}

s_thread* TakeRecord() {
    if (SystemThreads == nullptr)
        return nullptr;
    return static_cast<s_thread*>(RecordAlloc(SystemThreads));
}

void FillTask(s_thread* task, const char* name, void* record, ThreadFunc func, ThreadFunc killFunc) {
    ++SystemThreadCount;
    std::strncpy(task->name, name, sizeof(task->name) - 1);
    task->name[sizeof(task->name) - 1] = '\0';
    task->record = record;
    task->func = func;
    task->killFunc = killFunc;
    task->id = SysId;
    task->flags = 0;
    task->timer = 0;
}

s_thread* InsertPriority(const char* name, const char* exhaustedMessage, s_linked_list* list, void* record,
                         ThreadFunc func, ThreadFunc killFunc, u32 priority) {
    s_linked_list* target = TargetList(list);
    s_thread* task = TakeRecord();
    if (task == nullptr) {
        DEBUG_PRINT("%s", exhaustedMessage);
        if (target != nullptr)
            ThreadDumpList(target);
        return nullptr;
    }
    FillTask(task, name, record, func, killFunc);
    task->priority = priority;
    RecordInsertPriorityList(target, task);
    return task;
}

// One walk from `first`; calls only tasks that carry all of `requiredFlags`.
void RunPass(s_thread* first, u16 requiredFlags) {
    ScopedWalk scope(FirstTask(first));
    TaskWalk& walk = scope.walk;
    while (walk.next != nullptr) {
        s_thread* task = walk.next;
        walk.current = task;
        walk.next = task->nextTask();
        if (task->timer != 0 && --task->timer != 0)
            continue;
        if (task->func != nullptr && (task->flags & requiredFlags) == requiredFlags) {
            task->func(task, task->record);
        }
    }
}

}  // namespace

void ThreadWarmReset(u32 maxthread) {
    SystemThreads = RecordCreate(maxthread, sizeof(s_thread));
    HeapAddrAddComment(SystemThreads, "ThreadWarmReset:SystemThreads");
    SystemThreadCount = 0;
}

s_thread* ThreadInsertPriorityDebug(const char* name, s_linked_list* list, void* record, ThreadFunc func,
                                    ThreadFunc killFunc, u32 priority) {
    return InsertPriority(name, "ThreadInsertPriorityDebug: RAN OUT OF THREADS!\n", list, record, func,
                          killFunc, priority);
}

s_thread* ThreadInsertPriority(s_linked_list* list, void* record, ThreadFunc func, ThreadFunc killFunc,
                               u32 priority) {
    return InsertPriority("Unnamed Thread", "ThreadInsertPriority: OUT OF THREADS!\n", list, record, func,
                          killFunc, priority);
}

s_thread* ThreadAppendDebug(const char* name, s_linked_list* list, void* record, ThreadFunc func,
                            ThreadFunc killFunc) {
    s_thread* task = TakeRecord();
    if (task == nullptr) {
        DEBUG_PRINT("ThreadAppendDebug: OUT OF THREADS!\n");
        return nullptr;
    }
    RecordAppendList(TargetList(list), task);
    FillTask(task, name, record, func, killFunc);
    task->priority = task->prev != nullptr ? task->prev->priority : 0;
    return task;
}

void ThreadKill(s_thread* task) {
    if (task->flags & THREAD_FLAG_REMOVED) {
        ORB_FAIL("Thread %lx already removed!\n",
                 static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(task)));
    }
    if (task->killFunc != nullptr)
        task->killFunc(task, task->record);
    StepWalksPastKilledTask(task);
    RecordRemoveList(task);
    RecordFree(SystemThreads, task);
    task->next = nullptr;
    task->prev = nullptr;
    task->flags |= THREAD_FLAG_REMOVED;
    --SystemThreadCount;
}

void ThreadKillList(s_thread* first) {
    // A kill function may kill other tasks of the list; the walk steps past them.
    ScopedWalk scope(first);
    while (scope.walk.next != nullptr) {
        s_thread* task = scope.walk.next;
        scope.walk.next = task->nextTask();
        ThreadKill(task);
    }
}

void ThreadProcess(s_thread* first) {
    RunPass(first, 0);
}

void ThreadProcessSystemCritical(s_thread* first) {
    RunPass(first, THREAD_FLAG_SYSTEM_CRITICAL);
}

void ThreadDumpList(s_linked_list* list) {
    for (s_linked_list* node = list->next; node != nullptr; node = node->next) {
        DEBUG_PRINT("%s\n", static_cast<s_thread*>(node)->name);
    }
}
