// The cooperative task list: every piece of per-frame work is a named task called
// once per pass, in descending priority.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"

struct s_thread;
using ThreadFunc = void (*)(s_thread* task, void* record);

constexpr u16 THREAD_FLAG_SYSTEM_CRITICAL = 0x8000;  // runs also during blocking disc reads
constexpr u16 THREAD_FLAG_REMOVED = 0x4000;          // set by ThreadKill

struct s_thread : s_linked_list {
    char name[32];
    u32 id;  // SysId at registration
    u16 flags;
    u16 timer;  // pass delay
    void* record;
    ThreadFunc func;
    ThreadFunc killFunc;

    s_thread* nextTask() const { return static_cast<s_thread*>(next); }
};

extern s_stdrec* SystemThreads;  // the task pool; its header heads the system list
extern u32 SystemThreadCount;

void ThreadWarmReset(u32 maxthread);
s_thread* ThreadInsertPriorityDebug(const char* name, s_linked_list* list, void* record, ThreadFunc func,
                                    ThreadFunc killFunc, u32 priority);
s_thread* ThreadInsertPriority(s_linked_list* list, void* record, ThreadFunc func, ThreadFunc killFunc,
                               u32 priority);
s_thread* ThreadAppendDebug(const char* name, s_linked_list* list, void* record, ThreadFunc func,
                            ThreadFunc killFunc);
void ThreadKill(s_thread* task);
void ThreadKillList(s_thread* first);
void ThreadProcess(s_thread* first);
void ThreadProcessSystemCritical(s_thread* first);
void ThreadDumpList(s_linked_list* list);
