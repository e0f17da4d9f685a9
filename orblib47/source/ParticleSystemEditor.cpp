// The particle editor's life cycle, its poll of the host's command file and the
// data-set file. The slots' work is in ParticleSystemEditorSlots.cpp.
#include "orblib47/source/ParticleSystemEditor.h"

#include <cstring>
#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbThread.h"

s_PARTSYS_ATTR* ParSysAttr[PARSYS_EDITOR_SLOTS];
s_particle_system* ParSysParticleSystem[PARSYS_EDITOR_SLOTS];
char ParSysName[PARSYS_EDITOR_SLOTS][HOST_CMD_NAME_SIZE];
s_Vector3 ParSysPos;
s32 ParSysEditorOn = 0;
s32 ParSysEditorInGame = 0;
s_thread* ParSysEditorThreadPtr = nullptr;
f32 ParSysEditorTimer = 0.0f;
s32 ParSysEditorCmdId = -1;

namespace {

constexpr const char* kCommandFile = "hostout.txt";
constexpr const char* kAckFile = "hostin.txt";
constexpr const char* kDataSetFile = "hostdata.txt";

void WriteHostFile(const char* name, const char* mode, const void* bytes, u32 size) {
    const s32 fid = FileOpen(name, mode);
    if (fid == 0)
        return;
    FileWriteBytes(fid, bytes, size);
    FileClose(fid);
}

// Carries the command out; false when its sequence number is not to be remembered.
bool Handle(e_host_cmd cmd, s32 slot, const char* name) {
    switch (cmd) {
        case HOST_CMD_RESET:
            ParSysEditorStopAll();
            ParSysEditorGetDataFiles();
            DEBUG_PRINT("ParSysEditor: Command Reset\n");
            return true;
        case HOST_CMD_START_PARTICLE:
            DEBUG_PRINT("ParSysEditor: Start Particle System %d (%s)\n", slot, name);
            ParSysEditorStart(slot, name);
            return true;
        case HOST_CMD_STOP_PARTICLE:
            DEBUG_PRINT("ParSysEditor: Stop Particle System %d\n", slot);
            if (ParSysEditorInGame == 0)
                ParSysEditorStop(slot);
            return true;
        case HOST_CMD_GET_DATA_SETS:
            ParSysEditorGetDataFiles();
            DEBUG_PRINT("ParSysEditor: Get Data Sets\n");
            return true;
        case HOST_CMD_START_ALL_PARTICLE:
            if (ParSysEditorInGame != 0)
                return false;
            DEBUG_PRINT("ParSysEditor: Restart All Particle Systems %d\n", slot);
            ParSysEditorRestartAll();
            return true;
        case HOST_CMD_LOAD_PARTICLE:
            DEBUG_PRINT("ParSysEditor: Load Particle System %d (%s)\n", slot, name);
            return true;
        default:
            return false;
    }
}

// The command file, read whole; a command not carried out before is handled and
// acknowledged with the file's bytes.
void Poll() {
    if (FileExist(kCommandFile) == 0)
        return;
    const s32 fid = FileOpen(kCommandFile, "R");
    const u32 size = u32(FileGetSize(fid));
    if (fid == 0 || size == 0) {
        FileClose(fid);
        return;
    }
    auto* text = static_cast<char*>(HeapMalloc(size, __FILE_NAME__, __LINE__));
    const u32 read = text != nullptr ? u32(FileReadBytes(fid, text, size)) : 0;
    FileClose(fid);
    s32 seq = 0;
    s32 slot = 0;
    char name[HOST_CMD_NAME_SIZE];
    if (read != 0) {
        const e_host_cmd cmd = HostCmdParseFile(text, read, &seq, &slot, name);
        // A reset is remembered like every other command, so that one reset file
        // is carried out once rather than at every poll.
        if (seq != ParSysEditorCmdId) {
            if (Handle(cmd, slot, name))
                ParSysEditorCmdId = seq;
            WriteHostFile(kAckFile, "RW", text, read);
        }
    }
    if (text != nullptr)
        HeapMallocFree(text);
}

}  // namespace

void ParSysEditorWarmReset() {
    for (s32 slot = 0; slot < PARSYS_EDITOR_SLOTS; ++slot) {
        ParSysAttr[slot] = nullptr;
        ParSysParticleSystem[slot] = nullptr;
        ParSysName[slot][0] = '\0';
    }
    ParSysEditorThreadPtr = nullptr;
    ParSysEditorOn = 0;
}

void ParSysEditorStartup(s32 inGame) {
    if (ParSysEditorOn != 0)
        return;
    ParSysEditorOn = 1;
    ParSysEditorStopAll();
    ParSysPos = {};
    ParSysEditorThreadPtr = ThreadInsertPriorityDebug("ParSysEditorThread", nullptr, nullptr,
                                                      ParSysEditorThread, nullptr, PARSYS_EDITOR_PRIORITY);
    ParSysEditorTimer = GameTime;
    ParSysEditorCmdId = -1;
    ParSysEditorInGame = inGame;
}

void ParSysEditorShutdown() {
    if (ParSysEditorOn == 0)
        return;
    ParSysEditorOn = 0;
    ParSysEditorStopAll();
    if (ParSysEditorThreadPtr != nullptr)
        ThreadKill(ParSysEditorThreadPtr);
    ParSysEditorThreadPtr = nullptr;
}

void ParSysEditorThread(s_thread*, void*) {
    if (GameTime - ParSysEditorTimer <= PARSYS_EDITOR_POLL_TIME)
        return;
    const std::string directory = FileGetDirectory();
    FileChangeDirectory("");
    ParSysEditorTimer = GameTime;
    Poll();
    FileChangeDirectory(directory.c_str());
}

void ParSysEditorGetDataFiles() {
    s_datafile sets[PARSYS_EDITOR_MAX_DATA_SETS];
    const s32 count = DataGetList(sets, "SPR", PARSYS_EDITOR_MAX_DATA_SETS);
    std::string text = std::to_string(count) + "\n";
    for (s32 i = 0; i < count; ++i)
        text += std::string(sets[i].name, strnlen(sets[i].name, DATA_NAME_LENGTH)) + "\n";
    WriteHostFile(kDataSetFile, "WT", text.data(), u32(text.size()));
}
