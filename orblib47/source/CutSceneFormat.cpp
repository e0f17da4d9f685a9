// The ".CSF" layout: the command table, command frames, and the checks that keep a
// damaged or hostile script from reaching past what it declared.
#include <strings.h>

#include <cmath>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/CutScene.h"
#include "orblib47/source/Debug.h"

const s_orb_enum CutSceneCommandTypes[] = {
    {CS_CMD_TYPE_NOP, "NOP", "Nop"},
    {CS_CMD_TYPE_END, "END", "End"},
    {CS_CMD_TYPE_LOAD_TEXTURE, "LOAD_TEXTURE", "Load Texture"},
    {CS_CMD_TYPE_FREE_TEXTURE, "FREE_TEXTURE", "Free Texture"},
    {CS_CMD_TYPE_LOAD_MODEL, "LOAD_MODEL", "Load Model"},
    {CS_CMD_TYPE_FREE_MODEL, "FREE_MODEL", "Free Model"},
    {CS_CMD_TYPE_LOAD_ANIM, "LOAD_ANIM", "Load Anim"},
    {CS_CMD_TYPE_FREE_ANIM, "FREE_ANIM", "Free Anim"},
    {CS_CMD_TYPE_LOAD_PARTICLE, "LOAD_PARTICLE", "Load Particle"},
    {CS_CMD_TYPE_FREE_PARTICLE, "FREE_PARTICLE", "Free Particle"},
    {CS_CMD_TYPE_LOAD_SPRITE, "LOAD_SPRITE", "Load Sprite"},
    {CS_CMD_TYPE_FREE_SPRITE, "FREE_SPRITE", "Free Sprite"},
    {CS_CMD_TYPE_LOAD_SFX_BANK, "LOAD_SFX_BANK", "Load Sfx Bank"},
    {CS_CMD_TYPE_FREE_SFX_BANK, "FREE_SFX_BANK", "Free Sfx Bank"},
    {CS_CMD_TYPE_SET_CAMERA, "SET_CAMERA", "Set Camera"},
    {CS_CMD_TYPE_DRAW_TRILIST_2D, "DRAW_TRILIST_2D", "Draw 2d Triangles"},
    {CS_CMD_TYPE_FADE_IN, "FADE_IN", "Fade In"},
    {CS_CMD_TYPE_FADE_OUT, "FADE_OUT", "Fade Out"},
    {CS_CMD_TYPE_PLAY_STREAM, "PLAY_STREAM", "Play Stream"},
    {CS_CMD_TYPE_STOP_STREAM, "STOP_STREAM", "Stop Stream"},
    {CS_CMD_TYPE_PLAY_SFX, "PLAY_SFX", "Play Sfx"},
    {CS_CMD_TYPE_STOP_SFX, "STOP_SFX", "Stop Sfx"},
    {CS_CMD_TYPE_PLAY_PARTICLE, "PLAY_PARTICLE", "Play Particle"},
    {CS_CMD_TYPE_STOP_PARTICLE, "STOP_PARTICLE", "Stop Particle"},
    {CS_CMD_TYPE_OBJECT_CREATE, "OBJECT_CREATE", "Object Create"},
    {CS_CMD_TYPE_OBJECT_DESTROY, "OBJECT_DESTROY", "Object Destroy"},
    {CS_CMD_TYPE_OBJECT_SET_POS, "OBJECT_SET_POS", "Object Set Position"},
    {CS_CMD_TYPE_OBJECT_PLAY_ANIM, "OBJECT_PLAY_ANIM", "Object Play Anim"},
    {CS_CMD_TYPE_OBJECT_STOP_ANIM, "OBJECT_STOP_ANIM", "Object Stop Anim"},
    {CS_CMD_TYPE_OBJECT_FADE_IN, "OBJECT_FADE_IN", "Object Fade In"},
    {CS_CMD_TYPE_OBJECT_FADE_OUT, "OBJECT_FADE_OUT", "Object Fade Out"},
    {CS_CMD_TYPE_GAME_GAMESTATE_SET, "GAME_GAMESTATE_SET", "GameState Set"},
    {CS_CMD_TYPE_GAME_GAMESTATE_CLEAR, "GAME_GAMESTATE_CLEAR", "GameState Clear"},
    {CS_CMD_TYPE_GAME_OBJECT_CREATE, "GAME_OBJECT_CREATE", "Game Object Create"},
    {CS_CMD_TYPE_GAME_OBJECT_PLAY_ANIM, "GAME_OBJECT_PLAY_ANIM", "Game Object Play Anim"},
    {CS_CMD_TYPE_GAME_OBJECT_SET_POSITION, "GAME_OBJECT_SET_POSITION", "Game Object Set Position"},
    {CS_CMD_TYPE_GAME_OBJECT_HIDE, "GAME_OBJECT_HIDE", "Game Object Hide"},
    {CS_CMD_TYPE_GAME_OBJECT_SHOW, "GAME_OBJECT_SHOW", "Game Object Show"},
    {CS_CMD_TYPE_GAME_WARP, "GAME_WARP", "Warp"},
    {CS_CMD_TYPE_GAME_LEVEL_HIDE, "GAME_LEVEL_HIDE", "Level Hide"},
    {CS_CMD_TYPE_GAME_LEVEL_SHOW, "GAME_LEVEL_SHOW", "Level Show"},
    {CS_CMD_TYPE_GAME_END_MISSION, "GAME_END_MISSION", "End Mission"},
    {CS_CMD_TYPE_GAME_PLAYER_SET_POSITION, "GAME_PLAYER_SET_POSITION", "Player Set Position"},
    {CS_CMD_TYPE_SPEECH, "SPEECH", "Play Speech"},
    {CS_CMD_TYPE_SFX, "SFX", "Play Sfx"},
    {CS_CMD_TYPE_GAME_PLAY_PARTICLE, "GAME_PLAY_PARTICLE", "Play Particle"},
    {0, nullptr, nullptr},
};

namespace {

// The asset tags by LOAD/FREE pair, from LOAD_TEXTURE on.
constexpr const char* kAssetTags[] = {"TIM", "VHM", "VHA", "PAT", "SPR", "SFX"};

bool IsAssetTag(const char* ext) {
    for (const char* tag : kAssetTags)
        if (strcasecmp(ext, tag) == 0)
            return true;
    return false;
}

// Payload bytes an engine command needs, and where its slot indices lie.
struct s_cmd_shape {
    u32 size;
    s32 slotOffsets[2];  // -1: none
    s32 animOffset;      // -1: none
};

s_cmd_shape Shape(s32 type) {
    switch (type) {
        case CS_CMD_TYPE_SET_CAMERA:
            return {32, {-1, -1}, -1};
        case CS_CMD_TYPE_FADE_IN:
            return {4, {-1, -1}, -1};
        case CS_CMD_TYPE_FADE_OUT:
            return {8, {-1, -1}, -1};
        case CS_CMD_TYPE_OBJECT_CREATE:
        case CS_CMD_TYPE_OBJECT_DESTROY:
            return {4, {0, -1}, -1};
        case CS_CMD_TYPE_OBJECT_SET_POS:
            return {8, {0, 4}, -1};
        case CS_CMD_TYPE_OBJECT_PLAY_ANIM:
            return {12, {0, -1}, 4};
        case CS_CMD_TYPE_OBJECT_FADE_IN:
        case CS_CMD_TYPE_OBJECT_FADE_OUT:
            return {8, {0, -1}, -1};
        default:
            return {0, {-1, -1}, -1};
    }
}

bool Refuse(const s_cs_cmd& cmd, const char* why) {
    DEBUG_PRINT("CutScene: command %d at %g %s\n", cmd.type, double(cmd.time), why);
    return false;
}

bool DefinitionIs(const s_cs_header& header, const s_cs_data_def* defs, u32 index, const char* tag) {
    return index < u32(header.numData) && strcasecmp(defs[index].ext, tag) == 0;
}

}  // namespace

s32 CutSceneFrame(f32 time) {
    return s32(time * 60.0f + 1.0f / 120.0f);
}

bool CutSceneParseHeader(const u8* bytes, u32 fileSize, s_cs_header* header) {
    ChunkCursor in(ChunkReader(bytes, CS_HEADER_SIZE));
    in.U32(&header->magic);
    in.U32(&header->flags);
    in.F32(&header->totalTime);
    in.S32(&header->size);
    in.S32(&header->trailerOffset);
    in.S32(&header->numData);
    in.S32(&header->numObjects);
    const u64 listBytes =
        u64(u32(header->numData)) * CS_DATA_DEF_SIZE + u64(u32(header->numObjects)) * CS_INSTANCE_SIZE;
    if (header->numData < 0 || header->numObjects < 0 || fileSize < CS_HEADER_SIZE ||
        listBytes > fileSize - CS_HEADER_SIZE) {
        DEBUG_PRINT("CutScene: bad header (%d definitions, %d objects in %u bytes)\n", header->numData,
                    header->numObjects, fileSize);
        return false;
    }
    return true;
}

bool CutSceneParseDataList(const u8* bytes, const s_cs_header& header, s_cs_data_def* defs,
                           s_cs_instance* instances) {
    const u32 numData = u32(header.numData);
    const u32 numObjects = u32(header.numObjects);
    ChunkCursor in(ChunkReader(bytes, numData * CS_DATA_DEF_SIZE + numObjects * CS_INSTANCE_SIZE));
    for (u32 i = 0; i < numData; ++i) {
        s_cs_data_def& def = defs[i];
        in.Name(CS_NAME_LEN, def.name);
        in.Name(CS_EXT_LEN, def.ext);
        in.Skip(12);  // the run-time slot and padding: never trusted
        def.data = nullptr;
        if (!IsAssetTag(def.ext)) {
            DEBUG_PRINT("CutScene: definition %u (%s) has no asset type\n", i, def.name);
            return false;
        }
    }
    for (u32 i = 0; i < numObjects; ++i) {
        s_cs_instance& instance = instances[i];
        in.F32(&instance.pos.x), in.F32(&instance.pos.y), in.F32(&instance.pos.z), in.F32(&instance.pos.w);
        in.F32(&instance.scale.x), in.F32(&instance.scale.y), in.F32(&instance.scale.z);
        in.F32(&instance.scale.w);
        in.F32(&instance.quat.x), in.F32(&instance.quat.y), in.F32(&instance.quat.z),
            in.F32(&instance.quat.w);
        in.U32(&instance.dataId);
        in.Skip(12);
        if (instance.dataId >= numData) {
            DEBUG_PRINT("CutScene: object %u names definition %u of %u\n", i, instance.dataId, numData);
            return false;
        }
    }
    return in.Ok();
}

bool CutSceneParseCmd(const u8* bytes, u32 remaining, s_cs_cmd* cmd) {
    ChunkCursor in(ChunkReader(bytes, CS_CMD_SIZE));
    in.S32(&cmd->type);
    in.F32(&cmd->time);
    in.S32(&cmd->size);
    in.U32(&cmd->parm);
    if (!std::isfinite(cmd->time) || cmd->time < 0.0f || cmd->time > CS_MAX_TIME)
        return Refuse(*cmd, "has a time out of range");
    if (cmd->size < 0 || u32(cmd->size) > remaining)
        return Refuse(*cmd, "has a payload beyond the file");
    return true;
}

bool CutSceneCheckCmd(const s_cs_header& header, const s_cs_data_def* defs, const s_cs_cmd& cmd,
                      const s8* payload) {
    if (cmd.type >= CS_CMD_TYPE_LOAD_TEXTURE && cmd.type <= CS_CMD_TYPE_FREE_SFX_BANK) {
        if (!DefinitionIs(header, defs, cmd.parm, kAssetTags[(cmd.type - CS_CMD_TYPE_LOAD_TEXTURE) / 2]))
            return Refuse(cmd, "names no definition of its type");
        return true;
    }
    if (cmd.type == CS_CMD_TYPE_OBJECT_STOP_ANIM) {
        if (cmd.parm >= u32(header.numObjects))
            return Refuse(cmd, "names no object");
        return true;
    }
    const s_cmd_shape shape = Shape(cmd.type);
    if (u32(cmd.size) < shape.size)
        return Refuse(cmd, "has a short payload");
    const ChunkReader in(payload, u32(cmd.size));
    for (s32 offset : shape.slotOffsets) {
        u32 slot = 0;
        if (offset >= 0 && (!in.U32(u32(offset), &slot) || slot >= u32(header.numObjects)))
            return Refuse(cmd, "names no object");
    }
    u32 anim = 0;
    if (shape.animOffset >= 0 &&
        (!in.U32(u32(shape.animOffset), &anim) || !DefinitionIs(header, defs, anim, "VHA")))
        return Refuse(cmd, "names no animation bank");
    return true;
}
