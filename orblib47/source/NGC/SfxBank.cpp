// "SFX" sound banks: the samples go to audio-readable memory, the headers, records
// and names stay in one main-memory block that the registry entry owns; banks are
// shared by name.
#include <cstddef>
#include <cstring>
#include <initializer_list>

#include "console/os.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/WadTypeLoaders.h"

namespace {

constexpr const char* kType = "SFX";
constexpr u32 kRecordSize = 20;
constexpr u32 kMaxSounds = 0x10000;  // a sound id holds a 16-bit index
constexpr u32 kAramAlignment = 256;

struct SoundInFile {
    u32 header;  // offset of the 96-byte header; the samples follow it
    u32 pitch;
    u32 size;  // header and samples
    const char* name;
    s_pcm_header pcm;
};

size_t AlignUp(size_t value, size_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// A sound is playable when its end (and loop start) lie inside its samples and it
// has a rate; anything else would play other memory or never end.
bool ReadSound(const ChunkReader& view, u32 listOffset, u32 index, SoundInFile* sound) {
    ChunkCursor cursor(view, listOffset + index * kRecordSize);
    u32 aram = 0, nameOffset = 0;
    cursor.U32(&sound->header), cursor.U32(&aram), cursor.U32(&sound->pitch);
    cursor.U32(&sound->size), cursor.U32(&nameOffset);
    if (!cursor.Ok() || !view.CString(nameOffset, &sound->name))
        return false;
    if (sound->size < PCM_HEADER_SIZE || !view.Range(sound->header, sound->size))
        return false;
    s_pcm_header& pcm = sound->pcm;
    if (!PcmHeaderRead(view.Bytes(sound->header, PCM_HEADER_SIZE), PCM_HEADER_SIZE, &pcm))
        return false;
    const u64 sampleNibbles = u64(sound->size - PCM_HEADER_SIZE) * 2;
    return pcm.sampleRate != 0 && pcm.ea < sampleNibbles && pcm.sa <= pcm.ea;
}

// Checks every sound first, then builds the bank in one block: the bank, its
// records, its headers, its names.
s_sfx_bank* Parse(const u8* data, u32 size) {
    ChunkReader view(data, size);
    s32 numSfx = 0;
    u32 listOffset = 0;
    if (!view.S32(4, &numSfx) || !view.U32(8, &listOffset) || numSfx < 0 || u32(numSfx) > kMaxSounds ||
        !view.RangeArray(listOffset, u32(numSfx), kRecordSize))
        return nullptr;
    const u32 count = u32(numSfx);
    size_t nameBytes = 0;
    SoundInFile sound;
    for (u32 i = 0; i < count; ++i) {
        if (!ReadSound(view, listOffset, i, &sound))
            return nullptr;
        nameBytes += std::strlen(sound.name) + 1;
    }

    const size_t recordsAt = AlignUp(sizeof(s_sfx_bank), alignof(s_sfx));
    const size_t headersAt = AlignUp(recordsAt + count * sizeof(s_sfx), alignof(s_pcm_header));
    const size_t namesAt = headersAt + count * sizeof(s_pcm_header);
    if (namesAt + nameBytes > 0xFFFFFFFFu)
        return nullptr;
    auto* block = static_cast<u8*>(HeapMalloc(u32(namesAt + nameBytes), __FILE_NAME__, __LINE__));
    if (block == nullptr)
        return nullptr;
    auto* bank = reinterpret_cast<s_sfx_bank*>(block);
    bank->dataEntry = nullptr;
    bank->numSfx = numSfx;
    bank->sfxList = reinterpret_cast<s_sfx*>(block + recordsAt);
    auto* header = reinterpret_cast<s_pcm_header*>(block + headersAt);
    char* name = reinterpret_cast<char*>(block + namesAt);
    for (u32 i = 0; i < count; ++i) {
        ReadSound(view, listOffset, i, &sound);
        header[i] = sound.pcm;
        const size_t length = std::strlen(sound.name) + 1;
        std::memcpy(name, sound.name, length);
        s_sfx& sfx = bank->sfxList[i];
        sfx.pcmHeader = &header[i];
        sfx.pitch = sound.pitch;
        sfx.size = sound.size;
        sfx.name = name;
        // Out of audio memory: this sound stays unloaded, the others play.
        sfx.aramHandle = SfxTransferToARAM(data + sound.header, sound.size - PCM_HEADER_SIZE);
        name += length;
    }
    return bank;
}

void FreeSamples(s_sfx_bank* bank) {
    for (s32 i = 0; i < bank->numSfx; ++i) {
        if (bank->sfxList[i].aramHandle != nullptr)
            FreeHandle(bank->sfxList[i].aramHandle);
    }
}

// Sounds of a bank that goes stop at once, so that no voice reads freed samples.
void StopBankChannels(const s_sfx_bank* bank) {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        s_channel_status& status = ChannelStatus[channel];
        if ((status.header.flags & CHANNEL_FLAG_IN_USE) == 0 || status.header.bank != bank ||
            status.header.stream != nullptr)
            continue;
        if (status.voiceData != nullptr)
            SfxVoiceFree(channel);
        else
            SfxStop(channel);
    }
}

}  // namespace

bool PcmHeaderRead(const u8* data, u32 size, s_pcm_header* header) {
    ChunkCursor cursor(ChunkReader(data, size));
    s_pcm_header h{};
    cursor.U32(&h.numSamples), cursor.U32(&h.numADPCMNibbles), cursor.U32(&h.sampleRate);
    cursor.U16(&h.loopFlags), cursor.U16(&h.format);
    cursor.U32(&h.sa), cursor.U32(&h.ea), cursor.U32(&h.ca);
    for (s16& coef : h.coef)
        cursor.S16(&coef);
    for (u16* word : {&h.gain, &h.ps, &h.yn1, &h.yn2, &h.lps, &h.lyn1, &h.lyn2})
        cursor.U16(word);
    for (u16& word : h.pad)
        cursor.U16(&word);
    if (!cursor.Ok())
        return false;
    *header = h;
    return true;
}

s_mem_handle* SfxAllocARAM(u32 size) {
    if (size == 0)
        return nullptr;
    SysIdPush(FourCC("ARAM"));
    s_mem_handle* handle = NewHandle(&ExtraHeap, size, kAramAlignment, __FILE_NAME__, __LINE__);
    SysIdPop();
    return handle;
}

s_mem_handle* SfxTransferToARAM(const void* header, u32 size) {
    s_mem_handle* handle = SfxAllocARAM(size);
    if (handle == nullptr)
        return nullptr;
    std::memcpy(handle->address, static_cast<const u8*>(header) + PCM_HEADER_SIZE, size);
    DCFlushRange(handle->address, size);
    return handle;
}

s_sfx_bank* SfxLoad(const char* name, void* buffer, u32 size) {
    bool registered = false;
    auto* shared = static_cast<s_sfx_bank*>(DataShareLoaded(name, kType, buffer, &registered));
    if (registered || buffer == nullptr)
        return shared;
    s_sfx_bank* bank = name != nullptr ? Parse(static_cast<const u8*>(buffer), size) : nullptr;
    HeapMallocFree(buffer);  // the samples and headers now live elsewhere
    if (bank == nullptr) {
        DEBUG_PRINT("SfxLoad: \"%s\" is not a sound bank.\n", DebugName(name != nullptr ? name : "").c_str());
        return nullptr;
    }
    s_DATA_ENTRY* entry = DataLoad(name, kType, bank, -1);
    if (entry == nullptr) {
        FreeSamples(bank);
        HeapMallocFree(bank);
        return nullptr;
    }
    entry->record = bank;
    bank->dataEntry = entry;
    return bank;
}

void SfxFree(s_sfx_bank* bank) {
    if (bank == nullptr)
        return;
    if (DataRemoveCheck(bank->dataEntry)) {
        StopBankChannels(bank);
        FreeSamples(bank);
        if (SfxDefaultBank == bank)
            SfxDefaultBank = nullptr;
    }
    DataRemove(bank->dataEntry);
}

void* WadLoadSfx(s_wad_header* header, void* payload) {
    return SfxLoad(header->name, payload, header->size);
}

void WadFreeSfx(void* data) {
    SfxFree(static_cast<s_sfx_bank*>(data));
}
