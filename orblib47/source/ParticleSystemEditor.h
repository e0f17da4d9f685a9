// The particle editor: a particle-effect authoring tool on the development host
// drives the program through files in the disc's base directory. The host writes
// a command into "hostout.txt" and the effect into "temp.pat"; the editor polls
// twice a second, carries out each new command once and echoes it into
// "hostin.txt"; "hostdata.txt" lists the sprite sets. In the game setting a loaded
// effect replaces the game's attributes of its name, live; in the viewer setting
// each of eight slots plays its own copy at a position the viewer moves.
#pragma once

#include "orblib47/source/HostIO.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_PARTSYS_ATTR;
struct s_particle_system;
struct s_thread;

constexpr s32 PARSYS_EDITOR_SLOTS = HOST_CMD_SLOTS;
constexpr f32 PARSYS_EDITOR_POLL_TIME = 0.5f;  // seconds of game time between polls
constexpr u32 PARSYS_EDITOR_PRIORITY = 6100;
constexpr s32 PARSYS_EDITOR_MAX_DATA_SETS = 128;

// The viewer setting's slots.
extern s_PARTSYS_ATTR* ParSysAttr[PARSYS_EDITOR_SLOTS];
extern s_particle_system* ParSysParticleSystem[PARSYS_EDITOR_SLOTS];
// The game setting's names last loaded, upper case.
extern char ParSysName[PARSYS_EDITOR_SLOTS][HOST_CMD_NAME_SIZE];
extern s_Vector3 ParSysPos;
extern s32 ParSysEditorOn;
extern s32 ParSysEditorInGame;  // 1 game setting, 0 viewer setting
extern s_thread* ParSysEditorThreadPtr;
extern f32 ParSysEditorTimer;  // GameTime of the last poll
extern s32 ParSysEditorCmdId;  // sequence number of the last command carried out; -1 none

// Forgets the slots and names (the heap they lived in is gone); editor off.
void ParSysEditorWarmReset();
// Only while off: on, slots stopped, position at the origin, the poll task running.
void ParSysEditorStartup(s32 inGame);
// Only while on: off, slots stopped, the poll task gone.
void ParSysEditorShutdown();
void ParSysEditorThread(s_thread* task, void* record);

// The viewer setting's position; every running slot follows it.
void ParSysEditorSetPosition(const s_Vector3* pos);
// Moves by velocity x RealDeltaTime.
void ParSysEditorMove(const s_Vector3* velocity);
void ParSysEditorGetPosition(s_Vector3* out);

// Plays "temp.pat" in a slot (viewer), or puts it in place of the game's attributes
// named `name` (game). Slots outside 0..7 are refused.
void ParSysEditorStart(s32 slot, const char* name);
void ParSysEditorStop(s32 slot);
void ParSysEditorStopAll();
void ParSysEditorRestart(s32 slot);
void ParSysEditorRestartAll();
// Writes "hostdata.txt": the count of "SPR" entries, then their names, a line each.
void ParSysEditorGetDataFiles();
