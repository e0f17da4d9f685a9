// Loading a screen's movie: the timeline file, its textures' archive, the
// descriptor's labels, and one heap block for everything the screen keeps.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/Wad.h"
#include "source/SFP/SFPInternal.h"

namespace {

constexpr u32 kPathSize = 128;

// "ROOT/NAME.ext"; false when it does not fit.
bool MoviePath(const char* name, const char* ext, char (&path)[kPathSize]) {
    const char* root = SFPPlayer.rootPath;
    const int n = std::snprintf(path, kPathSize, "%s%s%s.%s", root, root[0] != '\0' ? "/" : "", name, ext);
    return n > 0 && u32(n) < kPathSize;
}

// Offsets of the parts of one block, each at its alignment.
class BlockLayout {
public:
    template <class T>
    size_t Take(size_t count) {
        size_ = (size_ + alignof(T) - 1) / alignof(T) * alignof(T);
        const size_t at = size_;
        size_ += count * sizeof(T);
        return at;
    }
    size_t Size() const { return size_; }

private:
    size_t size_ = 0;
};

template <class T>
T* At(void* block, size_t offset) {
    return reinterpret_cast<T*>(static_cast<u8*>(block) + offset);
}

// The descriptor's label frames; one line names those the movie lacks.
void FindLabels(const s_sfp_movie& movie, SFP_SCREEN_INFO_t* info) {
    const s_sfp_symbol& root = movie.symbols[0];
    const auto labels = movie.labels.subspan(root.firstLabel, root.numLabels);
    char missing[256] = "";
    size_t used = 0;
    for (s32 i = 0; info->subScreens != nullptr && i < info->numSubScreens; ++i) {
        SFP_SCREEN_LABEL_t& wanted = info->subScreens[i];
        const char* name = wanted.name != nullptr ? wanted.name : "";
        const auto found = std::find_if(labels.begin(), labels.end(), [&](const s_sfp_label& label) {
            return std::strcmp(label.name, name) == 0;
        });
        wanted.frame = found != labels.end() ? s32(found->frame) : -1;
        if (found == labels.end() && used < sizeof(missing))
            used += size_t(std::snprintf(missing + used, sizeof(missing) - used, " \"%s\"", name));
    }
    if (missing[0] != '\0')
        DEBUG_PRINT("SFP2K: %s lacks the labels%s: they play from frame 0\n", info->fileName, missing);
}

// The parsed timeline; null after one line.
s_sfp_movie* LoadMovie(const char* name) {
    char path[kPathSize];
    u32 size = 0;
    void* data = MoviePath(name, "sfp", path) ? FileLoad(path, &size) : nullptr;
    if (data == nullptr) {
        DEBUG_PRINT("SFP2K: cannot read %s\n", path);
        return nullptr;
    }
    s_sfp_movie* movie = SFPFileParse(data, size, name);
    HeapMallocFree(data);
    return movie;
}

// The textures' archive; a movie without images has no textures and needs none.
// False after one line.
bool LoadArchive(const char* name, const s_sfp_movie& movie, s_wad** sfc) {
    *sfc = nullptr;
    if (movie.textures.empty())
        return true;
    char path[kPathSize];
    if (MoviePath(name, "sfc", path))
        *sfc = WadLoad(path, 0);
    if (*sfc == nullptr)
        DEBUG_PRINT("SFP2K: cannot load %s\n", path);
    return *sfc != nullptr;
}

// The movie's textures, each in the archive just loaded; false after one line.
bool FindTextures(const s_sfp_movie& movie, const char* name, s_texture** textures) {
    for (size_t i = 0; i < movie.textures.size(); ++i) {
        textures[i] = TextureFind(movie.textures[i].name);
        if (textures[i] == nullptr) {
            DEBUG_PRINT("SFP2K: %s lacks the texture %s\n", name, movie.textures[i].name);
            return false;
        }
    }
    return true;
}

}  // namespace

s_sfp_screen* SFPLoad(SFP_SCREEN_INFO_t* info, s32 localsSize) {
    const char* name = info->fileName != nullptr ? info->fileName : "";
    s_sfp_movie* movie = LoadMovie(name);
    s_wad* sfc = nullptr;
    if (movie == nullptr || !LoadArchive(name, *movie, &sfc)) {
        SFPFileFree(movie);
        return nullptr;
    }
    const s_sfp_tree_size tree = SFPTreeSize(*movie);
    BlockLayout layout;
    const size_t screenAt = layout.Take<s_sfp_screen>(1);
    const size_t texturesAt = layout.Take<s_texture*>(movie->textures.size());
    const size_t fontsAt = layout.Take<s32>(movie->fonts.size());
    const size_t instancesAt = layout.Take<s_sfp_instance>(tree.instances);
    const size_t localsAt = layout.Take<std::max_align_t>(0);
    layout.Take<u8>(std::max(size_t(std::max(localsSize, 0)), sizeof(void*)));
    const size_t textsAt = layout.Take<char>(size_t(tree.texts) * (SFP_MAX_TEXT + 1));
    void* block = HeapCalloc(1, u32(layout.Size()), __FILE_NAME__, __LINE__);
    if (block == nullptr)
        DEBUG_PRINT("SFP2K: no room for %s\n", name);
    if (block == nullptr || !FindTextures(*movie, name, At<s_texture*>(block, texturesAt))) {
        if (block != nullptr)
            HeapMallocFree(block);
        WadFree(sfc);
        SFPFileFree(movie);
        return nullptr;
    }

    s_sfp_screen* screen = At<s_sfp_screen>(block, screenAt);
    screen->info = info;
    screen->movie = movie;
    screen->sfc = sfc;
    screen->textures = At<s_texture*>(block, texturesAt);
    screen->fontRows = At<s32>(block, fontsAt);
    screen->instances = At<s_sfp_instance>(block, instancesAt);
    screen->numInstances = tree.instances;
    screen->locals = At<void>(block, localsAt);
    FindLabels(*movie, info);
    // The descriptor outlives its screens: a screen starts with no button pressed.
    for (s32 b = 0; info->buttons != nullptr && b < info->numButtons; ++b)
        info->buttons[b].flags &= ~(SFP_BUTTON_DOWN | SFP_BUTTON_RELEASED);
    SFPBuildInstances(screen, At<char>(block, textsAt));
    for (size_t i = 0; i < movie->fonts.size(); ++i)
        screen->fontRows[i] = SFPFontAcquire(movie->fonts[i].name, name);
    return screen;
}

void SFPRelease(s_sfp_screen* screen) {
    for (size_t i = 0; i < screen->movie->fonts.size(); ++i)
        SFPFontRelease(screen->fontRows[i]);
    WadFree(screen->sfc);
    SFPFileFree(screen->movie);
    HeapMallocFree(screen);
}
