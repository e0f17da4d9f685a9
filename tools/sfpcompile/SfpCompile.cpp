#include "tools/sfpcompile/SfpCompile.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>

#include "tools/sfpcompile/SfcWriter.h"
#include "tools/sfpcompile/SfpAtlas.h"
#include "tools/sfpcompile/SfpDraw.h"
#include "tools/sfpcompile/SfpOrder.h"
#include "tools/sfpcompile/SfpWriter.h"

namespace sfpc {

namespace {

template <size_t N>
void CopyName(char (&to)[N], const std::string& from) {
    std::memset(to, 0, N);
    std::memcpy(to, from.data(), std::min(from.size(), N - 1));
}

// The movie's tables, which the record's spans view.
class Tables {
public:
    explicit Tables(const MovieSource& movie) : movie_(movie) {
        for (size_t i = 0; i < movie.draws.size(); ++i)
            drawIndex_[movie.draws[i].name] = i;
        for (size_t i = 1; i < movie.symbols.size(); ++i)
            symbolIndex_[movie.symbols[i].name] = i;
        order_ = OrderSymbols(movie, symbolIndex_);
        stored_.resize(order_.size());
        for (size_t k = 0; k < order_.size(); ++k)
            stored_[order_[k]] = k;
        Images();
        // Texts first, so that no text's pointer moves as the others are added.
        for (size_t s : order_)
            for (const ObjectSource& object : movie.symbols[s].objects)
                if (object.kind == SFP_KIND_TEXT)
                    strings_.push_back(object.text);
        for (size_t s : order_)
            Symbol(movie.symbols[s]);
        CheckInstances();
    }

    s_sfp_movie Movie() {
        s_sfp_movie movie{};
        movie.frameRate = movie_.rate;
        movie.width = movie_.width;
        movie.height = movie_.height;
        movie.textures = textures_, movie.images = images_, movie.fonts = fonts_, movie.texts = texts_;
        movie.buttons = buttons_, movie.symbols = symbols_, movie.labels = labels_, movie.objects = objects_;
        movie.keys = keys_;
        return movie;
    }

    const std::vector<discbuild::RgbaImage>& Atlases() const { return atlases_.atlases; }

private:
    void Images() {
        std::vector<discbuild::RgbaImage> drawn;
        for (const DrawSource& draw : movie_.draws) {
            if (draw.width > kAtlasMaxImage || draw.height > kAtlasMaxImage)
                Fail(draw.where, "image " + draw.name + " is " + std::to_string(draw.width) + "x" +
                                     std::to_string(draw.height) + "; an atlas takes images of at most " +
                                     std::to_string(kAtlasMaxImage) + "x" + std::to_string(kAtlasMaxImage));
            drawn.push_back(DrawImage(draw));
        }
        atlases_ = PackAtlases(drawn);
        for (u32 i = 0; i < atlases_.atlases.size(); ++i) {
            textures_.emplace_back();
            CopyName(textures_.back().name, SfcTextureName(movie_.name, i));
        }
        for (size_t i = 0; i < drawn.size(); ++i) {
            const AtlasPlace& place = atlases_.places[i];
            const f32 w = f32(atlases_.atlases[place.atlas].width),
                      h = f32(atlases_.atlases[place.atlas].height);
            const f32 iw = f32(drawn[i].width), ih = f32(drawn[i].height);
            images_.push_back({place.atlas, f32(place.x) / w, f32(place.y) / h, (f32(place.x) + iw) / w,
                               (f32(place.y) + ih) / h, iw, ih});
        }
    }

    void Symbol(const SymbolSource& symbol) {
        symbols_.push_back({symbol.frames, u32(labels_.size()), u32(symbol.labels.size()),
                            u32(objects_.size()), u32(symbol.objects.size())});
        for (const LabelSource& label : symbol.labels) {
            labels_.emplace_back();
            CopyName(labels_.back().name, label.name);
            labels_.back().frame = label.frame;
        }
        for (const ObjectSource& object : symbol.objects) {
            s_sfp_object stored{};
            CopyName(stored.name, object.name);
            stored.kind = object.kind;
            stored.width = object.width;
            stored.height = object.height;
            stored.ref = Reference(object, stored);
            stored.firstKey = u32(keys_.size());
            stored.numKeys = u32(object.keys.size());
            keys_.insert(keys_.end(), object.keys.begin(), object.keys.end());
            objects_.push_back(stored);
        }
    }

    u32 Reference(const ObjectSource& object, s_sfp_object& stored) {
        switch (object.kind) {
            case SFP_KIND_IMAGE: {
                const auto found = drawIndex_.find(object.ref);
                if (found == drawIndex_.end())
                    Fail(object.where, "no image named " + object.ref);
                stored.width = images_[found->second].width;
                stored.height = images_[found->second].height;
                return u32(found->second);
            }
            case SFP_KIND_TEXT: {
                s_sfp_text text{Font(object.font),
                                object.size,
                                object.colour,
                                object.align,
                                object.valign,
                                object.wrap,
                                strings_[texts_.size()].c_str()};
                texts_.push_back(text);
                return u32(texts_.size() - 1);
            }
            case SFP_KIND_BUTTON: {
                s_sfp_button button{{-1, -1, -1}, object.hit[0], object.hit[1], object.hit[2], object.hit[3]};
                for (int look = 0; look < SFP_LOOK_COUNT; ++look)
                    if (!object.looks[look].empty())
                        button.look[look] = s32(stored_[symbolIndex_.at(object.looks[look])]);
                buttons_.push_back(button);
                return u32(buttons_.size() - 1);
            }
            case SFP_KIND_INSTANCE:
                return u32(stored_[symbolIndex_.at(object.ref)]);
            default:
                return 0;
        }
    }

    u32 Font(const std::string& name) {
        for (u32 i = 0; i < fonts_.size(); ++i)
            if (fonts_[i].name == name)
                return i;
        fonts_.emplace_back();
        CopyName(fonts_.back().name, name);
        return u32(fonts_.size() - 1);
    }

    // The loader refuses a movie whose tree holds more objects than it plays; say so here, at the root.
    void CheckInstances() const {
        std::vector<u64> tree(symbols_.size(), 0);
        for (size_t s = symbols_.size(); s-- > 0;) {
            for (u32 o = 0; o < symbols_[s].numObjects; ++o) {
                const s_sfp_object& object = objects_[symbols_[s].firstObject + o];
                u64 count = 1;
                if (object.kind == SFP_KIND_INSTANCE)
                    count += tree[object.ref];
                for (int look = 0; look < SFP_LOOK_COUNT && object.kind == SFP_KIND_BUTTON; ++look)
                    count += buttons_[object.ref].look[look] < 0
                                 ? 0
                                 : tree[size_t(buttons_[object.ref].look[look])];
                tree[s] = std::min<u64>(tree[s] + count, u64(SFP_MAX_INSTANCES) + 1);
            }
        }
        if (tree[0] > SFP_MAX_INSTANCES)
            Fail(movie_.symbols[0].where,
                 "the movie's tree holds more than " + std::to_string(SFP_MAX_INSTANCES) + " objects");
    }

    const MovieSource& movie_;
    std::map<std::string, size_t> drawIndex_, symbolIndex_;
    std::vector<size_t> order_, stored_;  // stored position of each source symbol
    sfpc::Atlases atlases_;
    std::vector<std::string> strings_;
    std::vector<s_sfp_texture> textures_;
    std::vector<s_sfp_image> images_;
    std::vector<s_sfp_font> fonts_;
    std::vector<s_sfp_text> texts_;
    std::vector<s_sfp_button> buttons_;
    std::vector<s_sfp_symbol> symbols_;
    std::vector<s_sfp_label> labels_;
    std::vector<s_sfp_object> objects_;
    std::vector<s_sfp_key> keys_;
};

}  // namespace

bool CompileMovie(const std::string& source, const std::string& fileLabel, const IncludeSource& includes,
                  CompiledMovie* out, std::string* error) {
    try {
        const MovieSource movie = ParseMovieSource(source, fileLabel, includes);
        Tables tables(movie);
        out->name = movie.name;
        out->sfp = WriteSfp(tables.Movie());
        out->sfc = WriteSfc(movie.name, tables.Atlases());
        return true;
    } catch (const std::invalid_argument& fault) {
        *error = fault.what();
        return false;
    }
}

bool CompileMovie(const std::string& source, const std::string& fileLabel, CompiledMovie* out,
                  std::string* error) {
    return CompileMovie(source, fileLabel, IncludeSource(), out, error);
}

}  // namespace sfpc
