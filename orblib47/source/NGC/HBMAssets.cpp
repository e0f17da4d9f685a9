// The HOME-button menu's files: the layout archive (a run of WAD chunks), the
// texts' table and the settings. Every count, size and range is checked.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/NGC/HBMInternal.h"
#include "orblib47/source/Wad.h"

namespace {

constexpr const char* kTextKeys[HBM_TEXT_COUNT] = {"title", "back", "reset", "menu"};
constexpr u32 kWadHeaderSize = 32;
constexpr u32 kLayoutValues = 10 + 4 * HBM_CELL_COUNT;
constexpr s32 kStageW = 640;
constexpr s32 kStageH = 448;

// The next line of `text` from `at`, without its CR LF; false at the end.
bool NextLine(std::string_view text, size_t* at, std::string_view* line) {
    if (*at >= text.size())
        return false;
    size_t end = text.find('\n', *at);
    if (end == std::string_view::npos)
        end = text.size();
    *line = text.substr(*at, end - *at);
    if (!line->empty() && line->back() == '\r')
        line->remove_suffix(1);
    *at = end + 1;
    return true;
}

// Field `index` of a comma-separated line, or nothing.
bool Field(std::string_view line, u32 index, std::string_view* out) {
    for (u32 i = 0; i < index; ++i) {
        const size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            return false;
        line.remove_prefix(comma + 1);
    }
    *out = line.substr(0, line.find(','));
    return true;
}

void Store(std::string_view text, char* out) {
    const size_t n = std::min<size_t>(text.size(), HBM_TEXT_SIZE - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

bool InStage(const s_hbm_rect& r) {
    return r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x <= kStageW - r.w && r.y <= kStageH - r.h;
}

}  // namespace

s_hbm_texts HBMDefaultTexts() {
    s_hbm_texts texts{};
    Store("HOME Menu", texts.text[HBM_TEXT_TITLE]);
    Store("Back to the Game", texts.text[HBM_TEXT_BACK]);
    Store("Reset", texts.text[HBM_TEXT_RESET]);
    Store("System Menu", texts.text[HBM_TEXT_MENU]);
    return texts;
}

// A header line "key,JPN,ENG,..." then one line per text: its key and a column per
// language, the console's language numbers plus one.
bool HBMParseTexts(const void* data, u32 size, s32 language, s_hbm_texts* out) {
    if (data == nullptr)
        return false;
    const std::string_view text(static_cast<const char*>(data), size);
    if (text.find('\0') != std::string_view::npos)
        return false;
    size_t at = 0;
    std::string_view line;
    if (!NextLine(text, &at, &line) || !line.starts_with("key,"))
        return false;
    s_hbm_texts parsed = *out;
    const u32 column = language >= 0 && u32(language) < HBM_LANGUAGES ? u32(language) + 1 : 2;
    while (NextLine(text, &at, &line)) {
        std::string_view key;
        std::string_view value;
        if (line.empty() || line[0] == '#')
            continue;
        if (!Field(line, 0, &key))
            return false;
        const auto* row = std::find(std::begin(kTextKeys), std::end(kTextKeys), key);
        if (row == std::end(kTextKeys))
            continue;
        if (!Field(line, column, &value) || value.empty())
            Field(line, 2, &value);
        if (value.empty() || value.size() >= HBM_TEXT_SIZE)
            return false;
        Store(value, parsed.text[row - std::begin(kTextKeys)]);
    }
    *out = parsed;
    return true;
}

bool HBMParseConfig(const void* data, u32 size, s_hbm_config* out) {
    if (data == nullptr)
        return false;
    struct Key {
        const char* name;
        s32 s_hbm_config::*field;
        s32 low, high;
    };
    static constexpr Key kKeys[] = {
        {"blackout_frames", &s_hbm_config::blackoutFrames, 1, 600},
        {"volume", &s_hbm_config::volume, 0, 100},
    };
    const std::string_view text(static_cast<const char*>(data), size);
    size_t at = 0;
    std::string_view line;
    while (NextLine(text, &at, &line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return false;
        const std::string_view name = line.substr(0, equals);
        const std::string_view number = line.substr(equals + 1);
        s32 value = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error != std::errc() || end != number.data() + number.size())
            return false;
        for (const Key& key : kKeys) {
            if (name != key.name)
                continue;
            if (value < key.low || value > key.high)
                return false;
            out->*key.field = value;
        }
    }
    return true;
}

bool HBMParseLayout(const void* data, u32 size, s_hbm_layout* out, const char** why) {
    const ChunkReader file(data, size);
    s_hbm_layout layout{};
    bool haveValues = false;
    u32 at = 0;
    for (;;) {
        s_wad_header header;
        if (!WadParseHeader(file.Bytes(at, kWadHeaderSize), kWadHeaderSize, &header)) {
            *why = "no end marker";
            return false;
        }
        at += kWadHeaderSize;
        if (WadIsEndMarker(&header))
            break;
        s_hbm_chunk chunk;
        chunk.size = header.size;
        chunk.compressed = (header.flags & WAD_FLAG_COMPRESSED) != 0;
        chunk.stored = header.size;
        if (chunk.compressed) {
            if (!file.U32(at, &chunk.stored)) {
                *why = "chunk cut short";
                return false;
            }
            at += 4;
        }
        chunk.data = file.Bytes(at, chunk.stored);
        if (chunk.data == nullptr || chunk.size == 0) {
            *why = "chunk cut short";
            return false;
        }
        std::memcpy(chunk.name, header.name, sizeof chunk.name);
        at += chunk.stored;
        const std::string_view type(header.ext);
        if (type == "LAY") {
            const ChunkReader values(chunk.data, chunk.stored);
            s32 v[kLayoutValues];
            if (chunk.compressed || chunk.stored != sizeof v) {
                *why = "bad layout values";
                return false;
            }
            for (u32 i = 0; i < kLayoutValues; ++i)
                values.S32(i * 4, &v[i]);
            layout.panel = {v[0], v[1], v[2], v[3]};
            layout.buttonW = v[4];
            layout.buttonH = v[5];
            layout.buttonGap = v[6];
            layout.firstButtonY = v[7];
            layout.titleY = v[8];
            layout.ruleY = v[9];
            for (u32 c = 0; c < HBM_CELL_COUNT; ++c)
                layout.cells[c] = {v[10 + 4 * c], v[11 + 4 * c], v[12 + 4 * c], v[13 + 4 * c]};
            haveValues = true;
        } else if (type == "TIM" && layout.skin.data == nullptr) {
            layout.skin = chunk;
        } else if (type == "TIM") {
            layout.fontTexture = chunk;
        } else if (type == "FNT") {
            layout.font = chunk;
        }
    }
    if (!haveValues || layout.skin.data == nullptr || layout.fontTexture.data == nullptr ||
        layout.font.data == nullptr) {
        *why = "a chunk is missing";
        return false;
    }
    // The panel on the stage, the buttons and the title inside it.
    const s_hbm_rect& p = layout.panel;
    const s_hbm_rect buttons = {p.x + (p.w - layout.buttonW) / 2, layout.firstButtonY, layout.buttonW,
                                HBM_BUTTONS * layout.buttonH + (HBM_BUTTONS - 1) * layout.buttonGap};
    if (!InStage(p) || layout.buttonW <= 0 || layout.buttonW > p.w || layout.buttonH <= 0 ||
        layout.buttonH > p.h || layout.buttonGap < 0 || layout.buttonGap > p.h || !InStage(buttons) ||
        buttons.y < p.y || buttons.y + buttons.h > p.y + p.h || layout.titleY < p.y ||
        layout.titleY >= layout.ruleY || layout.ruleY >= buttons.y) {
        *why = "layout outside its panel";
        return false;
    }
    *out = layout;
    return true;
}
