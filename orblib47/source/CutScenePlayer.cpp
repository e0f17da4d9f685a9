// The cut-scene player: a reader that streams the script one command at a time
// (polled disc reads, or copies from a memory image) into a queue filled a fixed
// time ahead of the clock, and a task that runs the commands whose frame has come.
// Every read is bounded by the file's size; a damaged script ends in the error
// state with one line, never with a read past its end.
#include <strings.h>

#include <cstdio>
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/CutScene.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/Texture.h"

namespace {

constexpr u32 kPlayPriority = 5590;
constexpr u32 kRenderPriority = 5200;
constexpr u32 kMaxNameLength = CS_FILENAME_LEN - 5;  // room for ".CSF" and the NUL

using CommandFunc = s32 (*)(s_orb_cut_scene*, s_cs_cmd_queue*, s_cs_cmd*);

template <typename T>
T* Calloc(u32 count) {
    return static_cast<T*>(HeapCalloc(count, sizeof(T), __FILE_NAME__, __LINE__));
}

bool MemoryMode(const s_orb_cut_scene* cs) {
    return cs->fmdata != nullptr;
}

s_cs_cmd_queue* QueueHead(const s_orb_cut_scene* cs) {
    return static_cast<s_cs_cmd_queue*>(cs->queue->next);
}

void Fail(s_orb_cut_scene* cs, const char* message) {
    if (message != nullptr)
        DEBUG_PRINT("%s", message);
    cs->state = CS_STATE_ERROR;
}

// Reads the next n bytes into dst, then enters `next` once they are there.
void Read(s_orb_cut_scene* cs, void* dst, u32 n, e_cs_state next) {
    if (n > cs->filesize - cs->fmoffset)
        return Fail(cs, "CutScene: the file ends early\n");
    if (MemoryMode(cs))
        std::memcpy(dst, cs->fmdata + cs->fmoffset, n);
    else if (FileReadBytesAsync(cs->fid, dst, n) != RET_NO_ERROR)
        return Fail(cs, "CutScene: unable to start a read\n");
    cs->fmoffset += n;
    cs->state = CS_STATE_WAIT_IO;
    cs->nextState = next;
}

void CloseFile(s_orb_cut_scene* cs) {
    if (cs->fid == 0)
        return;
    FileIoFlushSync(cs->fid, 0);  // no transfer may land in a buffer about to be freed
    FileClose(cs->fid);
    cs->fid = 0;
}

void ReleaseAsset(s_cs_data_def* def) {
    if (def->data == nullptr)
        return;
    if (strcasecmp(def->ext, "VHM") == 0)
        ModelFree(static_cast<s_model*>(def->data));
    else if (strcasecmp(def->ext, "VHA") == 0)
        HAnimFree(static_cast<s_hanim_header*>(def->data));
    else if (strcasecmp(def->ext, "TIM") == 0)
        TextureFree(static_cast<s_texture*>(def->data));
    else if (strcasecmp(def->ext, "SPR") == 0)
        SpriteFree(static_cast<s_sprite_set*>(def->data));
    else if (strcasecmp(def->ext, "SFX") == 0)
        SfxFree(static_cast<s_sfx_bank*>(def->data));
    else if (strcasecmp(def->ext, "PAT") == 0)
        ParticleSystemAttrFree(static_cast<s_PARTSYS_ATTR*>(def->data));
    def->data = nullptr;
}

// The loaders take the payload over, on success or failure alike.
void* LoadAsset(s32 type, const s_cs_data_def* def, void* payload, u32 size) {
    switch (type) {
        case CS_CMD_TYPE_LOAD_TEXTURE:
            return TextureLoad(def->name, payload, size);
        case CS_CMD_TYPE_LOAD_MODEL:
            return ModelLoad(def->name, payload, size);
        case CS_CMD_TYPE_LOAD_ANIM:
            return HAnimLoad(def->name, payload, size, 0);
        case CS_CMD_TYPE_LOAD_SPRITE:
            return SpriteLoad(def->name, payload, size);
        case CS_CMD_TYPE_LOAD_PARTICLE:
            return ParticleSystemAttrLoad(def->name, payload, size, 0);
        default:  // LOAD_SFX_BANK
            return SfxLoad(def->name, payload, size);
    }
}

void ReadHeader(s_orb_cut_scene* cs) {
    if (!MemoryMode(cs))
        cs->filesize = u32(FileGetSize(cs->fid));
    Read(cs, cs->readBuffer, CS_HEADER_SIZE, CS_STATE_READ_DATA_LIST);
}

void ReadDataList(s_orb_cut_scene* cs) {
    if (!CutSceneParseHeader(cs->readBuffer, cs->filesize, &cs->header))
        return Fail(cs, nullptr);
    const u32 numData = u32(cs->header.numData), numObjects = u32(cs->header.numObjects);
    if (numObjects > 0) {
        cs->objectList = Calloc<s_cs_object>(numObjects);
        cs->instanceList = Calloc<s_cs_instance>(numObjects);
        if (cs->objectList == nullptr || cs->instanceList == nullptr)
            return Fail(cs, "CUTSCENE: Object List not created!\n");
    }
    const u32 size = numData * CS_DATA_DEF_SIZE + numObjects * CS_INSTANCE_SIZE;
    if (size == 0) {
        cs->state = CS_STATE_READ_CMD;
        return;
    }
    if (numData > 0)
        cs->dataList = Calloc<s_cs_data_def>(numData);
    cs->rawList = static_cast<u8*>(HeapMalloc(size, __FILE_NAME__, __LINE__));
    if ((numData > 0 && cs->dataList == nullptr) || cs->rawList == nullptr)
        return Fail(cs, "CutScene: Unable to allocate header data!\n");
    Read(cs, cs->rawList, size, CS_STATE_READ_CMD);
}

void ReadCmd(s_orb_cut_scene* cs) {
    if (cs->rawList != nullptr) {
        const bool parsed = CutSceneParseDataList(cs->rawList, cs->header, cs->dataList, cs->instanceList);
        HeapMallocFree(cs->rawList);
        cs->rawList = nullptr;
        if (!parsed)
            return Fail(cs, nullptr);
    }
    Read(cs, cs->readBuffer, CS_CMD_SIZE, CS_STATE_READ_CMD_DATA);
}

void ReadCmdData(s_orb_cut_scene* cs) {
    if (!CutSceneParseCmd(cs->readBuffer, cs->filesize - cs->fmoffset, &cs->cmd))
        return Fail(cs, nullptr);
    if (cs->cmd.size == 0) {
        cs->state = CS_STATE_QUEUE_CMD;
        return;
    }
    cs->cmdData = static_cast<s8*>(HeapMalloc(u32(cs->cmd.size), __FILE_NAME__, __LINE__));
    if (cs->cmdData == nullptr)
        return Fail(cs, "CutScene: Unable to allocate command data buffer!\n");
    Read(cs, cs->cmdData, u32(cs->cmd.size), CS_STATE_QUEUE_CMD);
}

// False when the frame's reading ends here.
bool QueueCmd(s_orb_cut_scene* cs) {
    if (!CutSceneCheckCmd(cs->header, cs->dataList, cs->cmd, cs->cmdData)) {
        Fail(cs, nullptr);
        return true;
    }
    if (cs->cmd.time <= cs->time + cs->queueAheadTime * cs->timeScale) {
        auto* entry = static_cast<s_cs_cmd_queue*>(RecordAlloc(cs->queue));
        if (entry == nullptr)
            return false;
        entry->cmd = cs->cmd;
        entry->data = cs->cmdData;
        entry->logged = false;
        cs->cmdData = nullptr;
        RecordAppendList(cs->queue, entry);
        cs->state = cs->cmd.type == CS_CMD_TYPE_END ? CS_STATE_EOF : CS_STATE_READ_CMD;
        return true;
    }
    if ((cs->flags & u_cs_flags::PreLoadDone) == 0) {
        if (cs->cmdHandler != nullptr)
            cs->cmdHandler(cs, nullptr, 0, nullptr);
        cs->flags |= u_cs_flags::PreLoadDone;
    }
    return false;
}

// False when the frame's reading ends here.
bool ReadStep(s_orb_cut_scene* cs) {
    switch (cs->state) {
        case CS_STATE_WAIT_IO:
            if (!MemoryMode(cs) && !FileIoStatus(cs->fid)) {
                if (QueueHead(cs) == nullptr && (cs->flags & u_cs_flags::PreLoadDone))
                    DEBUG_PRINT("Cutscene starved!\n");
                return false;
            }
            if (!MemoryMode(cs) && FileGetReadError(cs->fid) != 0) {
                Fail(cs, "CutScene: a read failed\n");
                return true;
            }
            cs->state = cs->nextState;
            cs->nextState = CS_STATE_INVALID;
            return true;
        case CS_STATE_START:
            if (!MemoryMode(cs) && (cs->fid = FileOpen(cs->filename)) == 0) {
                cs->state = CS_STATE_ERROR;
                return true;
            }
            cs->state = CS_STATE_WAIT_IO;
            cs->nextState = CS_STATE_READ_HEADER;
            return true;
        case CS_STATE_READ_HEADER:
            ReadHeader(cs);
            return true;
        case CS_STATE_READ_DATA_LIST:
            ReadDataList(cs);
            return true;
        case CS_STATE_READ_CMD:
            ReadCmd(cs);
            return true;
        case CS_STATE_READ_CMD_DATA:
            ReadCmdData(cs);
            return true;
        case CS_STATE_QUEUE_CMD:
            return QueueCmd(cs);
        case CS_STATE_DONE:
        case CS_STATE_EOF:
        case CS_STATE_ERROR:
            cs->flags |= u_cs_flags::PreLoadDone;
            CloseFile(cs);
            return false;
        default:
            return false;
    }
}

void Drop(s_orb_cut_scene* cs, s_cs_cmd_queue* entry) {
    if (entry->data != nullptr)
        HeapMallocFree(entry->data);
    RecordRemoveList(entry);
    RecordFree(cs->queue, entry);
}

void Log(const s_orb_cut_scene* cs, const s_cs_cmd& cmd) {
    if (cmd.type == CS_CMD_TYPE_SET_CAMERA || cmd.type == CS_CMD_TYPE_DRAW_TRILIST_2D)
        return;
    const bool known = cmd.type >= 0 && cmd.type < CS_CMD_TYPE_COUNT;
    const char* description = known ? CutSceneCommandTypes[cmd.type].description : "";
    const bool load = cmd.type >= CS_CMD_TYPE_LOAD_TEXTURE && cmd.type <= CS_CMD_TYPE_FREE_SFX_BANK &&
                      (cmd.type - CS_CMD_TYPE_LOAD_TEXTURE) % 2 == 0;
    if (load)
        DEBUG_PROGRESS("  [%d] %s %s\n", CutSceneFrame(cmd.time), description, cs->dataList[cmd.parm].name);
    else
        DEBUG_PROGRESS("  [%d] %s\n", CutSceneFrame(cmd.time), description);
}

void SetCamera(const s8* payload) {
    const ChunkReader in(payload, 32);
    f32 v[8] = {};
    for (u32 i = 0; i < 8; ++i)
        in.F32(i * 4, &v[i]);
    const s_Vector3 position = {v[0], v[1], v[2], 0.0f};
    const s_Quaternion quat = {v[4], v[5], v[6], v[7]};
    s_Matrix4 matrix = {};
    QuatToMatrix4(&matrix, &quat);
    for (s32 row = 0; row < 3; ++row)
        matrix.at(row, 3) = -(matrix.at(row, 0) * position.x + matrix.at(row, 1) * position.y +
                              matrix.at(row, 2) * position.z);
    matrix.at(3, 3) = 1.0f;
    DrawSetCamera(&matrix, &position);
    DrawSetFOV(v[3]);
}

f32 PayloadF32(const s8* payload, u32 offset) {
    f32 value = 0.0f;
    ChunkReader(payload, offset + 4).F32(offset, &value);
    return value;
}

CommandFunc ObjectCommand(s32 type) {
    switch (type) {
        case CS_CMD_TYPE_OBJECT_CREATE:
            return OrbCsCmdObjectCreate;
        case CS_CMD_TYPE_OBJECT_DESTROY:
            return OrbCsCmdObjectDestroy;
        case CS_CMD_TYPE_OBJECT_SET_POS:
            return OrbCsCmdObjectSetPos;
        case CS_CMD_TYPE_OBJECT_PLAY_ANIM:
            return OrbCsCmdObjectPlayAnim;
        case CS_CMD_TYPE_OBJECT_STOP_ANIM:
            return OrbCsCmdObjectStopAnim;
        case CS_CMD_TYPE_OBJECT_FADE_IN:
            return OrbCsCmdObjectFadeIn;
        case CS_CMD_TYPE_OBJECT_FADE_OUT:
            return OrbCsCmdObjectFadeOut;
        default:
            return nullptr;
    }
}

// Runs one due command; false when the handler keeps it at the head for later.
bool Run(s_orb_cut_scene* cs, s_cs_cmd_queue* entry) {
    s_cs_cmd& cmd = entry->cmd;
    if (cmd.type >= CS_CMD_TYPE_FIRST_HANDLER)
        return cs->cmdHandler == nullptr || cs->cmdHandler(cs, entry, 1, &cmd) == 0;
    if (CommandFunc object = ObjectCommand(cmd.type)) {
        object(cs, entry, &cmd);
        return true;
    }
    const bool isAsset = cmd.type >= CS_CMD_TYPE_LOAD_TEXTURE && cmd.type <= CS_CMD_TYPE_FREE_SFX_BANK;
    if (isAsset) {
        s_cs_data_def* def = &cs->dataList[cmd.parm];
        ReleaseAsset(def);  // a second load of a slot must not leak the first
        if ((cmd.type - CS_CMD_TYPE_LOAD_TEXTURE) % 2 == 0) {
            def->data = LoadAsset(cmd.type, def, entry->data, u32(cmd.size));
            entry->data = nullptr;
        }
        return true;
    }
    switch (cmd.type) {
        case CS_CMD_TYPE_END:
            cs->state = CS_STATE_DONE;
            break;
        case CS_CMD_TYPE_SET_CAMERA:
            SetCamera(entry->data);
            break;
        case CS_CMD_TYPE_FADE_IN:
            DrawFade(FADE_IN, 0, PayloadF32(entry->data, 0));
            break;
        case CS_CMD_TYPE_FADE_OUT: {
            u32 color = 0;
            ChunkReader(entry->data, 8).U32(4, &color);
            DrawFade(FADE_OUT, color, PayloadF32(entry->data, 0));
            break;
        }
        default:
            break;
    }
    return true;
}

void ExecuteDue(s_orb_cut_scene* cs) {
    const s32 now = CutSceneFrame(cs->time);
    while (s_cs_cmd_queue* entry = QueueHead(cs)) {
        if (CutSceneFrame(entry->cmd.time) > now)
            return;
        if (cs->cmdPreHandler != nullptr && cs->cmdPreHandler(cs, entry, 1, &entry->cmd) == 1) {
            Drop(cs, entry);
            continue;
        }
        if (!entry->logged)
            Log(cs, entry->cmd);
        entry->logged = true;
        if (!Run(cs, entry))
            return;
        Drop(cs, entry);
    }
}

void OrbCutSceneThread(s_thread*, void* record) {
    auto* cs = static_cast<s_orb_cut_scene*>(record);
    if (cs->state == CS_STATE_DONE)
        return;
    while (ReadStep(cs)) {
    }
    if ((cs->flags & u_cs_flags::PreLoadDone) == 0)
        return;
    if (!GamePaused() && (cs->flags & u_cs_flags::Paused) == 0) {
        ExecuteDue(cs);
        cs->time += DeltaTime * cs->timeScale;
    }
    if (cs->cmdHandler != nullptr)
        cs->cmdHandler(cs, nullptr, 2, nullptr);
}

void OrbCutSceneRenderThread(s_thread*, void* record) {
    auto* cs = static_cast<s_orb_cut_scene*>(record);
    if (cs->state == CS_STATE_DONE || (cs->flags & u_cs_flags::PreLoadDone) == 0 || cs->objectList == nullptr)
        return;
    for (s32 i = 0; i < cs->header.numObjects; ++i) {
        s_cs_object* object = &cs->objectList[i];
        if (CutSceneAmbientFunc ambient = cs->ambientCallback[object->ambientLight])
            object->ambient = ambient(object);
        OrbCutSceneObjectUpdate(object);
    }
}

s_orb_cut_scene* Start(u32 flags, f32 queueTime, f32 timeScale) {
    auto* cs = Calloc<s_orb_cut_scene>(1);
    if (cs == nullptr) {
        DEBUG_PRINT("OrbCutScenePlay: Unable to allocate ORB_CUT_SCENE!\n");
        return nullptr;
    }
    cs->queueAheadTime = queueTime;
    cs->flags = flags;
    cs->timeScale = timeScale;
    cs->nextState = CS_STATE_INVALID;
    cs->queue = RecordCreate(CS_QUEUE_SIZE, sizeof(s_cs_cmd_queue));
    if (cs->queue == nullptr) {
        DEBUG_PRINT("OrbCutScenePlay: Unable to allocate CS_CMD_QUEUE!\n");
        HeapMallocFree(cs);
        return nullptr;
    }
    HeapAddrAddComment(cs->queue, "OrbCutScenePlay:cutscene->queue");
    return cs;
}

s_orb_cut_scene* Begin(s_orb_cut_scene* cs) {
    cs->state = CS_STATE_START;
    cs->thread = ThreadInsertPriorityDebug("OrbCutSceneThread", nullptr, cs, OrbCutSceneThread, nullptr,
                                           kPlayPriority);
    cs->renderThread = ThreadInsertPriorityDebug("OrbCutSceneRenderThread", nullptr, cs,
                                                 OrbCutSceneRenderThread, nullptr, kRenderPriority);
    if (cs->thread == nullptr || cs->renderThread == nullptr) {
        OrbCutSceneStop(cs);
        return nullptr;
    }
    return cs;
}

}  // namespace

s_orb_cut_scene* OrbCutScenePlay(const char* name, f32 queueTime, u32 flags, f32 timeScale) {
    if (std::strlen(name) > kMaxNameLength) {
        DEBUG_PRINT("OrbCutScenePlay: File name '%s' is too long!\n", name);
        return nullptr;
    }
    s_orb_cut_scene* cs = Start(flags, queueTime, timeScale);
    if (cs == nullptr)
        return nullptr;
    std::snprintf(cs->filename, sizeof(cs->filename), "%s.CSF", name);
    if (!FileExist(cs->filename)) {
        DEBUG_PRINT("OrbCutScenePlay: File '%s' not found!\n", cs->filename);
        HeapMallocFree(cs->queue);
        HeapMallocFree(cs);
        return nullptr;
    }
    DEBUG_PROGRESS("OrbCutScenePlay: Starting cutscene %s\n", cs->filename);
    return Begin(cs);
}

s_orb_cut_scene* OrbCutScenePlay(const void* image, u32 size, u32 flags, f32 timeScale) {
    s_orb_cut_scene* cs = Start(flags, CS_MEMORY_QUEUE_AHEAD, timeScale);
    if (cs == nullptr)
        return nullptr;
    cs->fmdata = static_cast<const s8*>(image);
    cs->filesize = size;
    return Begin(cs);
}

void OrbCutSceneStop(s_orb_cut_scene* cs) {
    if (cs == nullptr)
        return;
    CloseFile(cs);
    while (s_cs_cmd_queue* entry = QueueHead(cs))
        Drop(cs, entry);
    HeapMallocFree(cs->queue);
    if (cs->objectList != nullptr) {
        for (s32 i = 0; i < cs->header.numObjects; ++i)
            OrbCutSceneObjectFree(&cs->objectList[i]);
        HeapMallocFree(cs->objectList);
    }
    if (cs->instanceList != nullptr)
        HeapMallocFree(cs->instanceList);
    if (cs->dataList != nullptr) {
        for (s32 i = 0; i < cs->header.numData; ++i)
            ReleaseAsset(&cs->dataList[i]);
        HeapMallocFree(cs->dataList);
    }
    if (cs->rawList != nullptr)
        HeapMallocFree(cs->rawList);
    if (cs->cmdData != nullptr)
        HeapMallocFree(cs->cmdData);
    if (cs->thread != nullptr)
        ThreadKill(cs->thread);
    if (cs->renderThread != nullptr)
        ThreadKill(cs->renderThread);
    HeapMallocFree(cs);
}

bool OrbCutScenePlaying(const s_orb_cut_scene* cs) {
    return cs != nullptr && cs->state != CS_STATE_DONE && cs->state != CS_STATE_ERROR;
}
