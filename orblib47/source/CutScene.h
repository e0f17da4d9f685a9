// Engine cut-scenes: ".CSF" scripts of timed commands (asset loads and frees,
// camera, fades, cut-scene objects, and the owner's own commands), played from the
// disc or from memory by a reader that queues commands a fixed time ahead of the
// playback clock.
#pragma once

#include "orblib47/source/Anim.h"
#include "orblib47/source/OrbEnum.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "orblib47/source/Record.h"

struct s_hmodel;
struct s_shadow;
struct s_collision_cache;
struct s_particle_list;
struct s_thread;

constexpr u32 CS_HEADER_SIZE = 32;
constexpr u32 CS_DATA_DEF_SIZE = 32;
constexpr u32 CS_INSTANCE_SIZE = 64;
constexpr u32 CS_CMD_SIZE = 16;
constexpr u32 CS_NAME_LEN = 16;
constexpr u32 CS_EXT_LEN = 4;
constexpr u32 CS_QUEUE_SIZE = 1024;
constexpr u32 CS_FILENAME_LEN = 16;  // name + ".CSF" + NUL
constexpr f32 CS_MEMORY_QUEUE_AHEAD = 2.0f;
// Command times beyond this are refused, so every command frame fits in 32 bits.
constexpr f32 CS_MAX_TIME = 1.0e6f;

enum e_CS_CMD_TYPE : s32 {
    CS_CMD_TYPE_NOP = 0,
    CS_CMD_TYPE_END,
    CS_CMD_TYPE_LOAD_TEXTURE,
    CS_CMD_TYPE_FREE_TEXTURE,
    CS_CMD_TYPE_LOAD_MODEL,
    CS_CMD_TYPE_FREE_MODEL,
    CS_CMD_TYPE_LOAD_ANIM,
    CS_CMD_TYPE_FREE_ANIM,
    CS_CMD_TYPE_LOAD_PARTICLE,
    CS_CMD_TYPE_FREE_PARTICLE,
    CS_CMD_TYPE_LOAD_SPRITE,
    CS_CMD_TYPE_FREE_SPRITE,
    CS_CMD_TYPE_LOAD_SFX_BANK,
    CS_CMD_TYPE_FREE_SFX_BANK,
    CS_CMD_TYPE_SET_CAMERA,
    CS_CMD_TYPE_DRAW_TRILIST_2D,
    CS_CMD_TYPE_FADE_IN,
    CS_CMD_TYPE_FADE_OUT,
    CS_CMD_TYPE_PLAY_STREAM,
    CS_CMD_TYPE_STOP_STREAM,
    CS_CMD_TYPE_PLAY_SFX,
    CS_CMD_TYPE_STOP_SFX,
    CS_CMD_TYPE_PLAY_PARTICLE,
    CS_CMD_TYPE_STOP_PARTICLE,
    CS_CMD_TYPE_OBJECT_CREATE,
    CS_CMD_TYPE_OBJECT_DESTROY,
    CS_CMD_TYPE_OBJECT_SET_POS,
    CS_CMD_TYPE_OBJECT_PLAY_ANIM,
    CS_CMD_TYPE_OBJECT_STOP_ANIM,
    CS_CMD_TYPE_OBJECT_FADE_IN,
    CS_CMD_TYPE_OBJECT_FADE_OUT,
    CS_CMD_TYPE_GAME_GAMESTATE_SET,
    CS_CMD_TYPE_GAME_GAMESTATE_CLEAR,
    CS_CMD_TYPE_GAME_OBJECT_CREATE,
    CS_CMD_TYPE_GAME_OBJECT_PLAY_ANIM,
    CS_CMD_TYPE_GAME_OBJECT_SET_POSITION,
    CS_CMD_TYPE_GAME_OBJECT_HIDE,
    CS_CMD_TYPE_GAME_OBJECT_SHOW,
    CS_CMD_TYPE_GAME_WARP,
    CS_CMD_TYPE_GAME_LEVEL_HIDE,
    CS_CMD_TYPE_GAME_LEVEL_SHOW,
    CS_CMD_TYPE_GAME_END_MISSION,
    CS_CMD_TYPE_GAME_PLAYER_SET_POSITION,
    CS_CMD_TYPE_SPEECH,
    CS_CMD_TYPE_SFX,
    CS_CMD_TYPE_GAME_PLAY_PARTICLE,
    CS_CMD_TYPE_COUNT,  // 46
    CS_CMD_TYPE_INVALID = 0x7fffffff,
};

// Commands from here on go to the owner's handler.
constexpr s32 CS_CMD_TYPE_FIRST_HANDLER = CS_CMD_TYPE_GAME_GAMESTATE_SET;

enum e_CUTSCENE_INSTANCE_ID : s32 {
    CUTSCENE_INSTANCE_ID_COUNT = 0,
    CUTSCENE_INSTANCE_ID_INVALID = 0x7fffffff,
};

enum e_cs_state : s32 {
    CS_STATE_WAIT_IO = 0,
    CS_STATE_START,
    CS_STATE_READ_HEADER,
    CS_STATE_READ_DATA_LIST,
    CS_STATE_READ_CMD,
    CS_STATE_READ_CMD_DATA,
    CS_STATE_QUEUE_CMD,
    CS_STATE_DONE,
    CS_STATE_EOF,
    CS_STATE_ERROR,
    CS_STATE_SUSPEND,
    CS_STATE_INVALID,
};

enum e_CS_AMBIENT_LIGHT : s32 {
    CS_AMBIENT_LIGHT_OBJECT = 0,
    CS_AMBIENT_LIGHT_PLAYER = 1,
    CS_AMBIENT_LIGHT_NPC = 2,
    CS_AMBIENT_LIGHT_COUNT = 3,
};

enum e_FADE_MODE : s32 {
    FADE_FADED_IN = 0,
    FADE_FADED_OUT = 1,
    FADE_FADING_IN = 2,
    FADE_FADING_OUT = 3,
};

// The player's flag word.
struct u_cs_flags {
    static constexpr u32 PreLoadDone = 0x80000000u;  // queue primed: playback runs
    static constexpr u32 Aborting = 0x40000000u;
    static constexpr u32 Paused = 0x20000000u;  // holds the clock and execution
};

// The file's header, parsed.
struct s_cs_header {
    u32 magic;
    u32 flags;
    f32 totalTime;
    s32 size;
    s32 trailerOffset;
    s32 numData;
    s32 numObjects;
};

// One asset the script loads; `data` is the loaded asset, empty until a LOAD.
struct s_cs_data_def {
    char name[CS_NAME_LEN + 1];
    char ext[CS_EXT_LEN + 1];
    void* data;
};

// One object slot's placement.
struct s_cs_instance {
    s_Vector4 pos;
    s_Vector4 scale;
    s_Quaternion quat;
    u32 dataId;  // the data definition naming the model
};

// A command header, parsed.
struct s_cs_cmd {
    s32 type;
    f32 time;
    s32 size;
    u32 parm;
};

struct s_cs_cmd_queue : s_linked_list {
    s_cs_cmd cmd;
    s8* data;     // the payload (big-endian, as stored), or null
    bool logged;  // a command the handler holds is logged once, not every frame
};

struct s_fade_parms {
    e_FADE_MODE mode;
    f32 distance;
    f32 time;
    f32 timer;
    f32 alpha;
};

struct s_cs_object {
    s_Matrix4 matrix;
    s_Vector3 centerPos;
    u32 centerBone;
    e_CS_AMBIENT_LIGHT ambientLight;
    s_hmodel* hmodel;
    s_hanim_header* hanim;
    s_fade_parms fadeParms;
    s_particle_list* parList;
    s_shadow* shadow;
    s_collision_cache* collision;
    u32 ambient;
};

struct s_orb_cut_scene;
// reason 0: the queue is primed (entry and command null); 1: a due command;
// 2: once a frame after execution (entry and command null).
using CutSceneCmdFunc = s32 (*)(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s32 reason, s_cs_cmd* cmd);
using CutSceneAmbientFunc = u32 (*)(s_cs_object* object);

struct s_orb_cut_scene {
    s32 fid;
    const s8* fmdata;  // the image in memory mode, else null
    u32 fmoffset;      // the next byte to read, in either mode
    f32 time;
    f32 timeScale;
    e_cs_state state;
    e_cs_state nextState;
    s_cs_header header;
    s_stdrec* queue;
    s_cs_data_def* dataList;  // header.numData definitions
    CutSceneCmdFunc cmdHandler;
    CutSceneCmdFunc cmdPreHandler;
    HAnimEventFunc eventHandler;
    s_thread* thread;
    s_thread* renderThread;
    char filename[CS_FILENAME_LEN];
    u32 filesize;  // of the file or the memory image
    s_cs_cmd cmd;
    s8* cmdData;
    s_cs_object* objectList;      // header.numObjects slots
    s_cs_instance* instanceList;  // header.numObjects placements
    u32 flags;                    // u_cs_flags
    f32 queueAheadTime;
    CutSceneAmbientFunc ambientCallback[CS_AMBIENT_LIGHT_COUNT];
    u8 readBuffer[CS_HEADER_SIZE];  // the header or a command header while it is read
    u8* rawList;                    // the definitions and placements while they are read
};

// --- CutSceneFormat.cpp: the file's layout and command table

extern const s_orb_enum CutSceneCommandTypes[];

// The sixtieth of a second in which a command at `time` takes effect.
s32 CutSceneFrame(f32 time);
// The header from its 32 stored bytes; false (with one line) when a count is
// negative or the definitions and placements do not fit in `fileSize`.
bool CutSceneParseHeader(const u8* bytes, u32 fileSize, s_cs_header* header);
// Definitions and placements from their stored block (with `data` empty); false
// (with one line) for a tag that is no asset type or a placement naming no definition.
bool CutSceneParseDataList(const u8* bytes, const s_cs_header& header, s_cs_data_def* defs,
                           s_cs_instance* instances);
// A command header; false (with one line) for a time that is not finite or out of
// range, or a payload size that is negative or runs past `remaining` bytes.
bool CutSceneParseCmd(const u8* bytes, u32 remaining, s_cs_cmd* cmd);
// False (with one line) for an engine command whose payload is shorter than its
// structure, or whose definition or slot index is out of range or of the wrong type.
bool CutSceneCheckCmd(const s_cs_header& header, const s_cs_data_def* defs, const s_cs_cmd& cmd,
                      const s8* payload);

// --- CutScenePlayer.cpp: the player

// File mode: `name` (at most 11 characters) + ".CSF" from the current directory.
s_orb_cut_scene* OrbCutScenePlay(const char* name, f32 queueTime, u32 flags, f32 timeScale);
// Memory mode: `size` bytes at `image`, which must outlive the cut scene; the
// queue runs 2 s ahead.
s_orb_cut_scene* OrbCutScenePlay(const void* image, u32 size, u32 flags, f32 timeScale);
void OrbCutSceneStop(s_orb_cut_scene* cutscene);
bool OrbCutScenePlaying(const s_orb_cut_scene* cutscene);

// --- CutSceneObject.cpp: the script's own actors

extern const s_Vector3 OrbCutScenePolyCacheBounds[2];

s32 OrbCsCmdObjectCreate(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s_cs_cmd* cmd);
s32 OrbCsCmdObjectDestroy(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s_cs_cmd* cmd);
s32 OrbCsCmdObjectSetPos(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s_cs_cmd* cmd);
s32 OrbCsCmdObjectPlayAnim(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s_cs_cmd* cmd);
s32 OrbCsCmdObjectStopAnim(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s_cs_cmd* cmd);
s32 OrbCsCmdObjectFadeIn(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s_cs_cmd* cmd);
s32 OrbCsCmdObjectFadeOut(s_orb_cut_scene* cutscene, s_cs_cmd_queue* entry, s_cs_cmd* cmd);

void OrbCutSceneObjectSetPos(s_cs_object* object, const s_cs_instance* instance);
void OrbCutSceneObjectUpdateCenter(s_cs_object* object);
void OrbCutSceneObjectUpdate(s_cs_object* object);
void OrbCutSceneObjectDraw(void* object);
void OrbCutSceneObjectFree(s_cs_object* object);
// type: FADE_IN or FADE_OUT (e_FADE_TYPE).
void OrbCutSceneObjectFade(s_fade_parms* fadeParms, s32 type, f32 time);
void OrbCutSceneFadeParmsUpdate(s_fade_parms* fadeParms);
