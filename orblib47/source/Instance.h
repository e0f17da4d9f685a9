// Level instances: typed points a level places (lights, objects, texture
// projectors, particles...), created by their type's handler the first time they
// come into view and told every frame while they stay in view. Each level's game
// data holds one instance list with an octree over it; one shared task culls every
// list against the camera. Instances of a group are created and removed together.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"

struct s_octtree_map;
struct s_thread;
class CGameData;

enum e_INSTANCE_TYPE : u32 {
    INSTANCE_TYPE_INSTANCE_GENERIC = 0,
    INSTANCE_TYPE_INSTANCE_LIGHT = 1,
    INSTANCE_TYPE_INSTANCE_OBJECT = 2,
    INSTANCE_TYPE_INSTANCE_LUA_OBJECT = 3,
    INSTANCE_TYPE_INSTANCE_PICKUP = 4,
    INSTANCE_TYPE_INSTANCE_SCENE_LIGHT = 5,
    INSTANCE_TYPE_INSTANCE_TEMPLATE = 6,
    INSTANCE_TYPE_INSTANCE_TEXTURE_PROJECT = 7,
    INSTANCE_TYPE_INSTANCE_BREAKABLE = 8,
    INSTANCE_TYPE_INSTANCE_TRIGGERI = 9,
    INSTANCE_TYPE_INSTANCE_PARTICLE = 10,
    INSTANCE_TYPE_INSTANCE_GLANCE = 11,
    INSTANCE_TYPE_COUNT = 12,
};

enum e_INSTANCE_GROUP_ID : u32 {
    INSTANCE_GROUP_NONE = 0,
    INSTANCE_GROUP_ENEMY = 1,
    INSTANCE_GROUP_NPC = 2,
    INSTANCE_GROUP_COUNT = 3,
};

enum e_INSTANCE_EVENT_TYPE : s32 {
    INSTANCE_EVENT_CREATE = 0,          // parameter: the list's CGameData; non-zero: created
    INSTANCE_EVENT_REMOVE = 1,          // parameter null; non-zero: removed
    INSTANCE_EVENT_WITHIN_FUSTRUM = 2,  // parameter null; every frame an active instance is in view
};

struct u_INSTANCE_FLAGS {
    static constexpr u32 Disabled = 0x80000000u;
    static constexpr u32 Active = 0x40000000u;        // created by its handler
    static constexpr u32 Force_Create = 0x20000000u;  // created at once, without waiting for view
    static constexpr u32 Remove_Me = 0x10000000u;     // asks for its group's removal
    static constexpr u32 Dynamic = 0x08000000u;
    static constexpr u32 Rip = 0x04000000u;  // a freed dynamic instance
};

// An instance as the level data describe it; `record` is the handler's live thing
// and starts null, whatever the file holds.
struct s_INSTANCE {
    s_Vector3 pos;
    s_Quaternion quat;
    e_INSTANCE_TYPE type;
    const char* name;
    f32 radius;  // culling radius
    e_INSTANCE_GROUP_ID groupId;
    u32 sysFlags;  // u_INSTANCE_FLAGS
    void* record;
};

struct s_INSTANCE_LIST {
    const s_octtree_map* octtree;  // items are indices into instanceList
    s32 numInstance;
    s_INSTANCE* instanceList;
};

using InstanceFunc = s32 (*)(s_INSTANCE* instance, e_INSTANCE_EVENT_TYPE event, void* parm);

struct u_INSTANCE_LIST_FLAGS {
    static constexpr u32 Disabled = 0x80000000u;
    static constexpr u32 Force_Create = 0x40000000u;  // the first frame creates the forced instances
};

constexpr s32 INSTANCE_GROUP_MAX_MEMBERS = 32;
constexpr s32 INSTANCE_FREE_RING_SIZE = 128;
constexpr u32 INSTANCE_LIST_TASK_PRIORITY = 6500;

struct s_instance_group_member {
    s_INSTANCE* instance;
    u32 flags;
};

struct s_instance_group {
    s32 numMembers;
    s_instance_group_member* memberList;  // INSTANCE_GROUP_MAX_MEMBERS entries, or null
};

struct s_instance_link : s_linked_list {
    s_INSTANCE* instance;
};

class CInstanceList {
public:
    // Takes a parsed instance table (which stays the caller's), links the list at
    // the head of the chain and starts the shared task when none runs.
    CInstanceList(CGameData* gameData, const s_INSTANCE_LIST* header, const s_Vector3& pos, const char* name);
    // Removes every instance, then unlinks; the last list stops the task.
    ~CInstanceList();
    CInstanceList(const CInstanceList&) = delete;
    CInstanceList& operator=(const CInstanceList&) = delete;

    static e_error_code ColdReset();
    static e_error_code WarmReset();
    // Frees every dynamic instance and the deferred ones; disables the module.
    static void ShutDown();
    // Returns the previous setting.
    static s32 Enable(s32 on);
    static void RegisterFunc(e_INSTANCE_TYPE type, InstanceFunc handler);

    // A dynamic instance: a heap copy of `from` with only the Dynamic flag,
    // counted with the lists' instances until FreeDynamic.
    static s_INSTANCE* NewDynamic(const s_INSTANCE& from);
    // The instance stays readable until INSTANCE_FREE_RING_SIZE later frees.
    static void FreeDynamic(s_INSTANCE* instance);

    // Sends INSTANCE_EVENT_REMOVE to an active instance; it is inactive afterwards.
    static void RemoveInstance(s_INSTANCE* instance);

    s32 GetNumInstances() const { return m_Header.numInstance; }
    // An index past the count is a fatal assertion.
    s_INSTANCE* GetInstance(u32 index) const;

    CInstanceList* m_Next = nullptr;
    CInstanceList* m_Prev = nullptr;
    char m_Name[16 + 1] = {};
    s_Vector3 m_Pos;
    CGameData* m_GameData;
    s_INSTANCE_LIST m_Header;
    u32 m_Flags = u_INSTANCE_LIST_FLAGS::Force_Create;
    s32 m_NumGroups = 0;                                      // groups that have members
    s_instance_group m_GroupList[INSTANCE_GROUP_COUNT] = {};  // entry 0 unused

    // The per-frame work of one list (the shared task runs it for every list).
    void Update();

private:
    void CreateGroupList();
    void CreateGroup(e_INSTANCE_GROUP_ID id);
    void Create(s_INSTANCE* instance);
    void UpdateGroups();
    static void OctTreeCallback(s32 item, void* data, s32 clipFlags, const struct s_octtree_node* node);
};

// The game's instance types: the game installs this before the engine cold reset,
// which calls it right after the instance lists' own reset so that it registers
// the game's handlers. Null installs nothing.
using InstanceGameColdResetFunc = void (*)();
void InstanceSetGameColdReset(InstanceGameColdResetFunc func);
// The engine cold reset's step: the installed function, if any.
void InstanceGameColdReset();

// Instances of that type over every list and the dynamic instances.
s32 InstanceGetNumInstancesByType(e_INSTANCE_TYPE type);

// The head of the chain of lists, most recently made first.
extern CInstanceList* InstanceList;
extern s_thread* InstanceListThreadPtr;
