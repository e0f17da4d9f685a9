// The save banner: made by the disc build, copied into flash storage after a save
// when storage has none.
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/NVRam.h"
#include "source/LoadSave/LoadSave.h"

void CLoadSave::WriteBannerIfMissing() {
    if (NVRamBannerExist() != 0)
        return;
    u32 size = 0;
    void* banner = FileLoad(SAVE_BANNER_DISC_FILE, &size);
    if (banner == nullptr || size != NVRamGetBannerSize(1))
        DEBUG_PRINT("LoadSave: no banner of %u bytes on the disc\n", NVRamGetBannerSize(1));
    else if (NVRamSaveBanner(banner, 1) == 0)
        DEBUG_PRINT("LoadSave: the banner was not written (%d)\n", NVRamGetLastError());
    if (banner != nullptr)
        HeapMallocFree(banner);
}
