// Skeletal animation banks: "VHA" chunks holding the animations of one skeleton,
// their channels and key encodings, and addressing an animation by id.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_DATA_ENTRY;
struct s_mem_handle;
struct s_stdrec;

// u_HANIM_FLAGS: bank headers, animation records, play requests, playing animations.
constexpr u16 HANIM_FLAG_REPEAT = 0x8000;
constexpr u16 HANIM_FLAG_BLEND_STATIC = 0x4000;
constexpr u16 HANIM_FLAG_BLEND_DYNAMIC = 0x2000;
constexpr u16 HANIM_FLAG_PAUSE = 0x1000;
constexpr u16 HANIM_FLAG_EXPORT = 0x0800;
constexpr u16 HANIM_FLAG_NO_RESET = 0x0400;
constexpr u16 HANIM_FLAG_ADD = 0x0200;
constexpr u16 HANIM_FLAG_REAL_DELTA_TIME = 0x0100;
constexpr u16 HANIM_FLAG_SPOOLED_ANIM = 0x0080;
constexpr u16 HANIM_FLAG_CLEAR_DATA_FLAGS = 0x0040;
constexpr u16 HANIM_FLAG_IS_TEXTURE_ANIM = 0x0020;
constexpr u16 HANIM_FLAG_IS_CAMERA_ANIM = 0x0010;
constexpr u16 HANIM_FLAG_RESET_TIME = 0x0008;
constexpr u16 HANIM_FLAG_DATA_FLAGS = 0x0004;
constexpr u16 HANIM_FLAG_FREEZE_TIME = 0x0002;
constexpr u16 HANIM_FLAG_STATIC_DATA = 0x0001;

// u_HCHANNEL_FLAGS.
constexpr u8 HCHANNEL_FLAG_IS_KEYED = 0x80;  // timed keys; else samples at `rate`
constexpr u8 HCHANNEL_FLAG_MATERIAL = 0x40;  // animates a flat bone of a material track
constexpr u8 HCHANNEL_FLAG_NO_INTERP = 0x20;

enum e_ANIM_CHANNEL_TYPE : u8 {
    ANIM_QUAT = 0,
    ANIM_EULER = 1,
    ANIM_POS = 2,
    ANIM_SCALE = 3,
    ANIM_EVENT = 4,
    ANIM_MORPH = 5,
    ANIM_TRANS = 6,
    ANIM_FPOS = 7,
    ANIM_QUAT32 = 8,
    ANIM_QUAT48 = 9,
    ANIM_FQUAT = 10,
    ANIM_FSCALE = 11,
    ANIM_CHANNEL_TYPE_COUNT = 12,
};

constexpr u32 HANIM_CHANNEL_NO_BONE = 0xFFFFFFFFu;  // an event channel's boneId
constexpr u32 HANIM_QUAT_TABLE_SIZE = 1024;
constexpr u32 HANIM_SPOOL_QUEUE_SIZE = 30;

// A channel record as it lies in a loaded bank (byte-swapped to host order),
// followed at once by its `count` keys; the next record follows the last key.
struct s_hanim_channel {
    u8 type;  // e_ANIM_CHANNEL_TYPE
    u8 flags;
    u8 oldboneId;
    u8 rate;  // samples per second of an unkeyed channel
    u16 count;
    s16 size;
    u32 boneId;
};
static_assert(sizeof(s_hanim_channel) == 12);

struct s_hanim_event_parms {
    s32 type;  // e_ANIM_EVENT_TYPE
    s32 parm8;
    s32 parm16;
    s32 parm32;
};

// A keyed event channel's key, in ascending time order.
struct s_event_key {
    f32 time;
    s_hanim_event_parms parms;
};
static_assert(sizeof(s_event_key) == 20);

// One animation of a bank.
struct s_hanim_data {
    const char* name;
    u16 flags;  // default u_HANIM_FLAGS, merged into the play flags
    u16 count;  // channels
    f32 timeStart;
    f32 timeEnd;
    f32 blendTime;  // 0 means 0.15
    s_mem_handle* spoolHandle;
    u16 refCount;  // residency: 1 once the channels are in memory
    u16 bLoadInProgress;
    const s_hanim_channel* orgChannelPtr;
    // First channel; null while a spooled animation's channels are on the disc.
    const s_hanim_channel* channels;
    u32 spoolOffset;  // a spooled animation's channels: position in the archive file
};

struct s_hanim_header {
    s_DATA_ENTRY* dataEntry;
    u16 flags;
    u16 bankNum;
    s16 numAnim;
    s16 numBoneRemaps;
    s_hanim_data* animList;
    u32 boneRemapList;         // as in the file; nothing reads it
    s_mem_handle* aramHandle;  // spool buffer, freed with the bank
    u32 largestAnimSize;
    u32 lastAnimSize;
};

using HAnimEventFunc = s32 (*)(void* record, s_hanim_event_parms* parms);

// u_hanim_sys_flag
constexpr u32 HANIM_SYS_INIT = 0x80000000u;
constexpr u32 HANIM_SYS_LOOPED = 0x40000000u;  // the clock wrapped during the last step
constexpr u32 HANIM_SYS_DONE = 0x20000000u;    // a non-repeating animation reached its end

enum e_ANIM_EVENT_TYPE : s32 {
    ANIM_EVENT_TYPE_NULL = 0,
    ANIM_EVENT_TYPE_PAUSE = 1,
    ANIM_EVENT_TYPE_LOOP_BEGIN = 2,
    ANIM_EVENT_TYPE_LOOP_END = 3,
    ANIM_EVENT_TYPE_SUB_ANIM_BEGIN = 4,
    ANIM_EVENT_TYPE_FOOTSTEP_PLAY_RIGHT = 5,
    ANIM_EVENT_TYPE_FOOTSTEP_PLAY_LEFT = 6,
    ANIM_EVENT_TYPE_PLAY_SFX = 7,
    ANIM_EVENT_TYPE_CUTSCENE_START = 8,
    ANIM_EVENT_TYPE_GAME_STATE = 9,
    ANIM_EVENT_TYPE_COUNT = 10,
};

// Notifications the clock sends to an animation's event callback.
constexpr s32 ANIM_EVENT_TYPE_LOOPED = 253;
constexpr s32 ANIM_EVENT_TYPE_DONE = 254;

// A playing channel (a record of HChannelRecords).
struct s_hchannel {
    s_QuatCoordSys blend;
    s_Vector4 currentData;
    s_hchannel* next;
    u8 type;
    u8 flags;
    u32 boneId;
    u8 rate;
    u16 count;
    s32 dataIndex;  // cached key index; wide enough for every u16 count
    const s_hanim_channel* data;
};

// A playing animation (a record of HAnimRecords).
struct s_hanim {
    s_hanim* next;
    s_hanim* prev;
    u16 flags;
    u32 sysFlags;
    f32 time;
    s_Matrix4 lastExportMatrix;
    s_Vector3 lastExportTrans;
    s_Matrix4 exportMatrix;
    s_Vector3 exportTrans;
    f32 timeScale;  // negative plays backwards
    f32 timeStart;
    f32 timeEnd;
    f32 loopStart;
    f32 loopEnd;
    f32 blendTime;
    f32 blendTimer;
    f32 dynamicBlendPercent;
    const s_hanim_data* data;
    s_hchannel* channels;
    HAnimEventFunc eventFunc;
    void* eventRecord;
    u32 index;
    f32 oldTime;  // time at the previous normal update
};

extern f32 QuatTable[HANIM_QUAT_TABLE_SIZE];
extern s_stdrec* HAnimRecords;
extern s_stdrec* HChannelRecords;
extern const s8* HAnimBoneMaskTable;  // per-bone: 0 leaves the bone alone
extern s32 HAnimFastForward;
extern s_hanim_event_parms HAnimEvent;  // the last looped/done notification sent

// Pools, the quaternion table and the idle spool task; non-zero when both pools were made.
s32 HAnimWarmReset(u32 maxAnims, u32 maxChannels);

// The "VHA" loader: `size` bytes of chunk at `data`, which the bank owns from then
// on. Bit 0 of `flags`: a spooled bank, whose channels stay on the disc. A name
// already loaded gains a reference (and `data` is freed). Null, after a one-line
// message, for a bad chunk.
s_hanim_header* HAnimLoad(const char* name, void* data, u32 size, u32 flags);
void HAnimFree(s_hanim_header* hanim);

// The bank bound to the data-file id in the high half of `id` (bit 31: a symbol,
// translated first) and, in `index`, the low half; null when no bank is bound.
s_hanim_header* HAnimResolveId(u32 id, u32* index);
// True when the animation's channels are in memory and may be played.
bool HAnimDataLoaded(const s_hanim_data* data);

// Bytes of one key of a channel of `type` (keyed or not); 0 for a type without
// a key encoding.
u32 HAnimKeySize(u8 type, bool keyed);
const s_hanim_channel* HAnimNextChannel(const s_hanim_channel* channel);
// Key i's time: stored for keyed channels, i / rate for samples.
f32 HAnimKeyTime(const s_hanim_channel* channel, u32 i);
// Key i's value: a quaternion (x, y, z, w), or a vector in x, y, z with w 0.
void HAnimKeyValue(const s_hanim_channel* channel, u32 i, s_Vector4* out);
const s_event_key* HAnimEventKey(const s_hanim_channel* channel, u32 i);
// The smallest-three packed quaternion.
void HAnimUnpackQuat32(u32 packed, s_Quaternion* out);

struct s_flat_matrix;
struct s_hmatrix;
struct s_hmodel;
struct s_orb_enum;

// Keyword and description of each e_ANIM_EVENT_TYPE, ended by a row of zeros.
extern const s_orb_enum AnimEventTypes[];

// How a play request follows the one before it.
enum e_HANIM_TRANS_TYPE : s32 {
    HANIM_TRANS_TYPE_PLAY = 0,
    HANIM_TRANS_TYPE_BLEND_STATIC = 1,
    HANIM_TRANS_TYPE_BLEND_DYNAMIC = 2,
};

struct s_HANIM_TRANS {
    u32 animId;  // the animation this transition leads to
    s32 type;    // e_HANIM_TRANS_TYPE
    f32 blendTime;
};

// A play request held by the animation's owner.
struct s_HANIM_ATTR {
    u16 flags;
    u32 userFlags;
    f32 speedScale;
    s32 animId;
    s32 subAnimId;  // non-zero: start at this sub-animation's begin event
    s32 numTransitions;
    const s_HANIM_TRANS* transitionList;
};

constexpr u32 HANIM_MAX_MORPHS = 16;

struct s_hanim_morph {
    s32 num;
    f32 percent;
};

// Playback. `sysFlags` bit 31: the model had no animation before, so no blending.
// `workBuffer`, `textureMatrix` and `hmodel` are accepted for the callers; `hmodel`
// would supply the default event callback and is not read yet.
s_hanim* HAnimPlay(u32 num, f32 scale, u16 uFlags, u32 sysFlags, s_hmatrix* hmatrix, void* workBuffer,
                   void* textureMatrix, s_hmodel* hmodel);
s_hanim* HAnimPlayFromBankAndId(s_hanim_header* anim, u32 num, f32 scale, u16 uFlags, u32 sysFlags,
                                s_hmatrix* hmatrix, void* workBuffer, void* textureMatrix, s_hmodel* hmodel);
void HAnimStop(s_hanim* hanim);
void HAnimSetEventFunc(s_hanim* hanim, HAnimEventFunc func, void* record);
void HAnimSetScale(s_hanim* hanim, f32 scale);
f32 HAnimGetScale(const s_hanim* hanim);
f32 HAnimGetTime(const s_hanim* hanim);
f32 HAnimGetDuration(const s_hanim* hanim);
// True for null, once a non-repeating animation is done, and in the step that wrapped.
s32 HAnimDone(const s_hanim* hanim);
// Starts the request's animation (null when it does not start), at its sub-animation
// when it names one, with the blend of the transition from `prevAttr` that leads to it.
s_hanim* HAnimPlayFromAttr(const s_HANIM_ATTR* animAttr, const s_HANIM_ATTR* prevAttr, s_hmatrix* hmatrix,
                           void* workBuffer, s_flat_matrix* texMatrix, s_hmodel* hmodel);
// Moves the clock to `time` and re-poses the bones there at once, without events
// reaching the callback and without pausing; returns the previous time (0 for null).
f32 HAnimSetTime(s_hanim* hanim, s_hmatrix* header, f32 time, s_flat_matrix* texMatrix);
// The morph targets of the last update and their time; returns their count.
// Morph channels produce none, so the list is empty.
s32 HAnimGetMorphTargets(s_hanim_morph* morphs, f32* time);

// One clock step by the frame's delta time; returns the new time.
f32 HAnimUpdateTime(s_hanim* hanim, s_hmatrix* hmatrix);
// (time - key1Time) over the key gap, or time - key1Time for equal key times.
f32 HAnimPercentage(f32 time, f32 key1Time, f32 key2Time);
// The last key at or before `time` (0 before the first, the last after it),
// searched from the cached dataIndex and cached there.
s32 HAnimFindKey(s_hchannel* hchannel, f32 time);
// Samples the channel at the animation's time into currentData.
void HAnimExtractChannelData(s_hanim* hanim, s_hchannel* hchannel);
// Empty: morph channels give nothing on this platform.
void HAnimProcessMorphChannel(s_hanim* hanim, s_hchannel* hchannel);

// Events. Fires the keys of an event channel that the clock passes before its
// next step: loop points and pauses are the animation's own, every other event
// goes to its callback.
void HAnimProcessEventChannel(s_hanim* hanim, s_hchannel* hchannel, f32 time);
void HAnimDoEvent(s_hanim* hanim, f32 time, const s_hanim_event_parms* parms);
// The first key of the first event channel with this type and low byte of parm8;
// null when there is none or that channel is not keyed.
const s_event_key* HAnimFindEvent(const s_hanim* hanim, s32 id, s32 parm8);

// One frame of one animation on one hierarchy: the clock steps, the channels are
// written by the animation's mode (additive, dynamic blend, static blend while its
// timer runs, else normal), and bone 1's motion moves into the export fields.
// `texMatrix` may be null: material tracks are then left alone. Nothing happens
// for null, paused or finished animations.
void HAnimUpdate(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix);
// The four ways of writing the sampled channels into the bones.
void HAnimUpdateNormal(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix);
// From the pose each bone had at the start towards the animation by pct (bone 1 is never blended).
void HAnimUpdateStaticBlend(s_hanim* hanim, s_hmatrix* hmatrix, f32 pct, s_flat_matrix* texMatrix);
// A fixed mix, by dynamicBlendPercent, over what the bones hold now.
void HAnimUpdateDynamicBlend(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix);
// Adds how far each channel has moved since the animation started.
void HAnimUpdateAdd(s_hanim* hanim, s_hmatrix* hmatrix, s_flat_matrix* texMatrix);
// Takes an additive animation's contribution back out of the bones.
void HAnimResetAdd(s_hanim* hanim, s_hmatrix* hmatrix);
// A flat bone's texture matrix: scale, then translation; the rotation is not applied.
void QuatCoordSysToMatrix4WithRotationOffset(s_Matrix4* mat, const s_QuatCoordSys* qsys);
