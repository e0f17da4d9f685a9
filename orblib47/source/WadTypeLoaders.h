// The archive loader's adapters for the engine's own chunk types. Each is defined
// beside its type's loader; the archive loader dispatches to them by tag.
#pragma once

struct s_wad_header;

void* WadLoadTexture(s_wad_header* header, void* payload);  // "TIM"
void WadFreeTexture(void* data);
void* WadLoadSprite(s_wad_header* header, void* payload);  // "SPR"
void WadFreeSprite(void* data);
void* WadLoadFont(s_wad_header* header, void* payload);  // "FNT"
void WadFreeFont(void* data);
void* WadLoadFont3D(s_wad_header* header, void* payload);  // "F3D"
void WadFreeFont3D(void* data);
void* WadLoadModel(s_wad_header* header, void* payload);  // "VHM"
void WadFreeModel(void* data);
void* WadLoadModelGroup(s_wad_header* header, void* payload);  // "GRP"
void WadFreeModelGroup(void* data);
void* WadLoadHAnim(s_wad_header* header, void* payload);  // "VHA"
void WadFreeHAnim(void* data);
void* WadLoadSfx(s_wad_header* header, void* payload);  // "SFX"
void WadFreeSfx(void* data);
void* WadLoadSoundTag(s_wad_header* header, void* payload);  // "STG"
void WadFreeSoundTag(void* data);
void* WadLoadParticleAttr(s_wad_header* header, void* payload);  // "PAT"
void WadFreeParticleAttr(void* data);
