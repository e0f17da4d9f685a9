#include "orblib47/source/OrbLib.h"

#include <cstdlib>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/Decal.h"
#include "orblib47/source/DrawSort.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Font3D.h"
#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/GameData.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/Keyboard.h"
#include "orblib47/source/Language.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/HBM.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/MemCard.h"
#include "orblib47/source/NGC/Memory.h"
#include "orblib47/source/NGC/NVRam.h"
#include "orblib47/source/Name.h"
#include "orblib47/source/Net.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/OpenFileDialog.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/ParticleList.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/ParticleSystemEditor.h"
#include "orblib47/source/PhysicsParticles.h"
#include "orblib47/source/Projector.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/RViewerModel.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Screenshot.h"
#include "orblib47/source/Shadow.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/SpatialSfx.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/TextureProject.h"
#include "orblib47/source/TimeSlice.h"
#include "orblib47/source/TrackBall.h"
#include "orblib47/source/UIObject.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/World.h"

u32 SceneFlags = 0;
f32 PlayTime = 0.0f;
s32 ScreenShotModeActive = 0;
s_orblib_config DefaultConfig;

namespace {

// The modules' resets run in a fixed order; each module adds its own step to these
// tables in its place. Results are ignored: a module that fails reports it itself.
using ResetStep = void (*)(u32 videoMode, s_orblib_config* config);

const ResetStep ColdResetSteps[] = {
    [](u32, s_orblib_config*) { MemoryColdReset(); },
    [](u32, s_orblib_config*) { HardwareColdReset(); },
    [](u32, s_orblib_config*) { DebugColdReset(); },
    [](u32, s_orblib_config* config) {
        if (config != nullptr && config->heapstart == nullptr) {
            config->heapstart = MemoryGetBase();
            config->heapsize = MemoryGetSize();
        }
    },
    [](u32, s_orblib_config*) { ClockColdReset(); },
    [](u32, s_orblib_config*) { OrbRandColdReset(); },
    [](u32, s_orblib_config*) { ScreenshotColdReset(); },
    [](u32 videoMode, s_orblib_config*) { DrawColdReset(videoMode); },
    [](u32, s_orblib_config*) { AudioColdReset(); },
    [](u32, s_orblib_config*) { SfxColdReset(); },
    [](u32, s_orblib_config*) { FileColdReset(); },
    [](u32, s_orblib_config*) { ContColdReset(); },
    [](u32, s_orblib_config*) { MemCardColdReset(); },
    [](u32, s_orblib_config*) { NetColdReset(8); },
    [](u32, s_orblib_config*) { NVRamColdReset(); },
    [](u32, s_orblib_config*) { MouseColdReset(); },
    [](u32, s_orblib_config*) { KeyboardColdReset(); },
    [](u32, s_orblib_config*) { PadColdReset(); },
    [](u32, s_orblib_config*) { WadColdReset(); },
    [](u32, s_orblib_config*) { OrbMaterial.ColdReset(); },
    [](u32, s_orblib_config*) { OrbScene.ColdReset(); },
    [](u32, s_orblib_config*) { OrbStreamManager.ColdReset(); },
    [](u32, s_orblib_config*) { OctTreeColdReset(); },
    [](u32, s_orblib_config*) { SymbolTransColdReset(); },
    [](u32, s_orblib_config*) { CGameData::ColdReset(); },
    [](u32, s_orblib_config*) { CInstanceList::ColdReset(); },
    [](u32, s_orblib_config*) { InstanceGameColdReset(); },
    [](u32, s_orblib_config*) { OrbFrameFilter.ColdReset(); },
    [](u32, s_orblib_config*) { OrbLanguage.ColdReset(); },
    [](u32, s_orblib_config*) {
        PlayTime = 0.0f;
        SceneFlags = 0;
    },
    [](u32, s_orblib_config*) { UIObjectColdReset(); },
    [](u32, s_orblib_config*) { OpenFileDialogColdReset(); },
    [](u32, s_orblib_config*) { StructEditColdReset(); },
    [](u32, s_orblib_config*) { TrackballColdReset(); },
    [](u32, s_orblib_config*) { RViewerColdReset(); },
    [](u32, s_orblib_config*) { RViewerModelColdReset(); },
};

const ResetStep WarmResetSteps[] = {
    [](u32, s_orblib_config*) { SysIdReset(); },
    [](u32, s_orblib_config* c) { HeapWarmReset(c->maxhandle, c->heapstart, c->heapsize); },
    [](u32, s_orblib_config*) { ContWarmReset(); },
    [](u32, s_orblib_config* c) { ThreadWarmReset(c->maxthread); },
    [](u32, s_orblib_config*) { HeapStartup(); },
    [](u32, s_orblib_config*) { HardwareWarmReset(); },
    [](u32, s_orblib_config*) { TimeSliceWarmReset(); },
    [](u32 videoMode, s_orblib_config*) { DrawWarmReset(videoMode); },
    [](u32, s_orblib_config*) { OrbMaterial.WarmReset(); },
    [](u32, s_orblib_config*) { PadWarmReset(); },
    [](u32, s_orblib_config*) { PadCaptureWarmReset(); },
    [](u32, s_orblib_config*) { KeyboardWarmReset(); },
    [](u32, s_orblib_config*) { MouseWarmReset(); },
    [](u32, s_orblib_config* c) { FileWarmReset(c->filebufsize); },
    [](u32, s_orblib_config* c) { DataWarmReset(c->maxdata); },
    [](u32, s_orblib_config* c) { NameWarmReset(c->maxname); },
    [](u32, s_orblib_config*) { StringTableWarmReset(); },
    [](u32, s_orblib_config* c) { WadWarmReset(c->maxWad); },
    [](u32, s_orblib_config* c) { TextureWarmReset(c->maxtexture, c->maxtextureanim); },
    [](u32, s_orblib_config*) { OrbFrameFilter.WarmReset(); },
    [](u32, s_orblib_config*) { TextureProjectWarmReset(); },
    [](u32, s_orblib_config* c) { ShadowWarmReset(s32(c->maxTextureProject)); },
    [](u32, s_orblib_config*) { ProjectorForget(); },
    [](u32, s_orblib_config* c) { AudioWarmReset(c->streamRamBufSize, c->streamSpuRamBufSize); },
    [](u32, s_orblib_config* c) { StreamWarmReset(c->streamRamBufSize, c->streamSpuRamBufSize); },
    [](u32, s_orblib_config*) { SfxWarmReset(); },
    [](u32, s_orblib_config*) { HBMForget(); },
    [](u32, s_orblib_config*) { ModelWarmReset(); },
    [](u32, s_orblib_config*) { ModelGroupWarmReset(); },
    [](u32, s_orblib_config*) { WorldWarmReset(); },
    [](u32, s_orblib_config*) { FMatrixWarmReset(); },
    [](u32, s_orblib_config* c) { HModelWarmReset(c->maxhmodel, c->maxbone); },
    [](u32, s_orblib_config* c) { HAnimWarmReset(c->maxanim, c->maxchannel); },
    [](u32, s_orblib_config* c) {
        PolyCollideWarmReset(s32(c->maxcollvert), s32(c->maxcollnorm), s32(c->maxcollcache),
                             s32(c->maxcollpoly));
    },
    [](u32, s_orblib_config*) { PolyCollideQueryWarmReset(); },
    [](u32, s_orblib_config* c) { FontWarmReset(c->maxfontdraw); },
    [](u32, s_orblib_config*) { Font3DWarmReset(); },
    [](u32, s_orblib_config* c) { SpriteWarmReset(c->maxspriteanim, c->maxSpriteDrawGroup); },
    [](u32, s_orblib_config*) { HardwareResetStartup(); },
    [](u32, s_orblib_config*) { HardwareSetGameName(ORBLIB_GAME_TITLE); },
    [](u32, s_orblib_config*) { SymbolTransLoad(SYMBOL_TRANS_FILE); },
    [](u32, s_orblib_config*) { DebugWarmReset(); },
    [](u32, s_orblib_config*) { SetGamePause(0); },
    [](u32, s_orblib_config*) { NetWarmReset(); },
    [](u32, s_orblib_config*) {
        SceneLightsForget();
        SceneLightsWarmReset(24);
    },
    [](u32, s_orblib_config*) { ParticleSystemWarmReset(); },
    [](u32, s_orblib_config*) { ParSysEditorWarmReset(); },
    [](u32, s_orblib_config*) { ParticleListWarmReset(); },
    [](u32, s_orblib_config*) { DecalWarmReset(); },
    [](u32, s_orblib_config*) { PhysicsParticlesWarmReset(); },
    [](u32, s_orblib_config*) { SpatialSfxWarmReset(); },
    [](u32, s_orblib_config*) { DrawSortWarmReset(); },
    [](u32, s_orblib_config*) { FontStartup("ARIAL10", "WIIICONS", nullptr, 0, 0); },
    [](u32, s_orblib_config*) { OrbScene.WarmReset(); },
    [](u32, s_orblib_config*) { OrbStreamManager.WarmReset(); },
    [](u32, s_orblib_config*) { CGameData::WarmReset(); },
    [](u32, s_orblib_config*) { CInstanceList::WarmReset(); },
    [](u32, s_orblib_config*) { NVRamWarmReset(); },
    [](u32, s_orblib_config* c) { UIObjectWarmReset(c->maxuiobject); },
    [](u32, s_orblib_config*) { StructEditWarmReset(); },
    [](u32, s_orblib_config*) { TrackballWarmReset(); },
};

const ResetStep ExitSteps[] = {
    [](u32, s_orblib_config*) { OpenFileDialogExit(); }, [](u32, s_orblib_config*) { DebugShutdown(); },
    [](u32, s_orblib_config*) { ContExit(); },           [](u32, s_orblib_config*) { DrawExit(); },
    [](u32, s_orblib_config*) { MemoryExit(); },         [](u32, s_orblib_config*) { HardwareExit(); },
};

void (*GameExit)() = nullptr;

template <std::size_t N>
void RunSteps(const ResetStep (&steps)[N], u32 videoMode, s_orblib_config* config) {
    for (ResetStep step : steps)
        step(videoMode, config);
}

}  // namespace

void OrblibColdReset(u32 videoMode, s_orblib_config* config) {
    DEBUG_PROGRESS("\nORBLib V4.7 Cold Reset\n\n");
    GameExit = nullptr;
    RunSteps(ColdResetSteps, videoMode, config);
}

void OrblibDefaultConfig(s_orblib_config* config) {
    config->maxhandle = 1024;
    config->heapsize = MemoryGetSize();
    config->heapstart = MemoryGetBase();
    config->maxthread = 100;
    config->maxviewport = 8;
    config->maxtexture = 256;
    config->maxtextureanim = 16;
    config->maxsprite = 512;
    config->maxfontdraw = 2048;
    config->maxdata = 512;
    config->maxname = 128;
    config->compbufaddr = nullptr;
    config->compbufsize = 0x20000;
    config->filebufsize = 0x10000;
    config->maxWad = 512;
    config->maxsfx = 256;
    config->streamRamBufSize = 0x10000;
    config->streamSpuRamBufSize = 0x8000;
    config->maxmodel = 128;
    config->maxhmodel = 128;
    config->maxbone = 16;
    config->maxhmatrix = 2048;
    config->maxanim = 16;
    config->maxchannel = 1024;
    config->maxspriteanim = 32;
    config->maxcollvert = 1024;
    config->maxcollnorm = 1024;
    config->maxcollcache = 32;
    config->maxcollpoly = 255;
    config->maxdynavertset = 16;
    config->maxmorph = 32;
    config->maxuiobject = 128;
    config->bufferSize = 0x300000;
    config->maxSpriteDrawGroup = 128;
    config->vramReserved = 0x90000;
    config->maxtcache = 256;
    config->maxTextureProject = 100;
}

void OrblibWarmReset(u32 videoMode, s_orblib_config* config) {
    DEBUG_PROGRESS("\nORBLib V4.7 Warm Reset\n\n");
    if (config == nullptr) {
        OrblibDefaultConfig(&DefaultConfig);
        config = &DefaultConfig;
    }
    RunSteps(WarmResetSteps, videoMode, config);
}

void OrblibStartup() {
    DrawStartup(1);
    PadStartup();
}

void OrblibExit() {
    if (void (*gameExit)() = GameExit) {
        GameExit = nullptr;
        gameExit();
    }
    RunSteps(ExitSteps, 0, nullptr);
}

void OrblibSetGameExit(void (*gameExit)()) {
    GameExit = gameExit;
}

void EventWait(s32 n) {
    if (GamePaused() == 0)
        PlayTime += RealDeltaTime;
    // Slot 24 alone, newly pressed on pad 0: no button of this game's mapping fills it.
    if (Pad[0].bnew == 0x01000000 || QuitRequested != 0) {
        OrblibExit();
        std::exit(0);
    }
    // A negative count runs no pass rather than counting down through zero.
    for (; n > 0; --n)
        ThreadProcess(nullptr);
}

s32 SetGamePause(s32 on) {
    s32 was = s32(SceneFlags & SCENE_FLAG_GAME_PAUSED);
    if (on != 0) {
        SceneFlags |= SCENE_FLAG_GAME_PAUSED;
    } else {
        SceneFlags &= ~SCENE_FLAG_GAME_PAUSED;
    }
    return was;
}

s32 GamePaused() {
    return (SceneFlags & SCENE_FLAG_GAME_PAUSED) != 0 ? 1 : 0;
}

s32 GameInCutscene() {
    return (SceneFlags & SCENE_FLAG_IN_CUTSCENE) != 0 ? 1 : 0;
}

void ScreenShotEnable(s32 flag) {
    ScreenShotModeActive = flag;
}
