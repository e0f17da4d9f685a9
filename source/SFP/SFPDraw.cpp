// Drawing the stack's screens: the backdrop, each movie's objects back to front
// under their parents' transforms and colours, then the screen's own Draw.
#include <algorithm>
#include <cmath>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "source/SFP/SFPInternal.h"

namespace {

constexpr f32 kDegrees = 3.14159265f / 180.0f;
constexpr u32 kBackdropTop = 0x1A2C55FFu;
constexpr u32 kBackdropBottom = 0x060B1AFFu;
constexpr u32 kOpaqueWhite = 0xFFFFFFFFu;

// From an object's space to the screen: x' = a x + b y + tx, y' = c x + d y + ty;
// the scales multiplied down the tree (for text, drawn unturned) and the colour.
struct s_xform {
    f32 a, b, c, d, tx, ty;
    f32 scaleX, scaleY;
    f32 color[4];
};

u32 ColorByte(f32 value) {
    return u32(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

u32 Pack(const f32 (&color)[4]) {
    return ColorByte(color[0]) << 24 | ColorByte(color[1]) << 16 | ColorByte(color[2]) << 8 |
           ColorByte(color[3]);
}

s_xform Compose(const s_xform& parent, const s_sfp_look& look, u32 tint) {
    f32 cs = 1.0f;
    f32 sn = 0.0f;
    if (look.rotation != 0.0f) {
        cs = std::cos(look.rotation * kDegrees);
        sn = std::sin(look.rotation * kDegrees);
    }
    // The object's own: scale, then turn (clockwise on screen, y down), then move.
    const f32 la = cs * look.scaleX;
    const f32 lb = -sn * look.scaleY;
    const f32 lc = sn * look.scaleX;
    const f32 ld = cs * look.scaleY;
    s_xform out;
    out.a = parent.a * la + parent.b * lc;
    out.b = parent.a * lb + parent.b * ld;
    out.c = parent.c * la + parent.d * lc;
    out.d = parent.c * lb + parent.d * ld;
    out.tx = parent.a * look.x + parent.b * look.y + parent.tx;
    out.ty = parent.c * look.x + parent.d * look.y + parent.ty;
    out.scaleX = parent.scaleX * look.scaleX;
    out.scaleY = parent.scaleY * look.scaleY;
    for (u32 i = 0; i < 4; ++i)
        out.color[i] = parent.color[i] * look.color[i] * SFPChannel(tint, i);
    return out;
}

void Corner(const s_xform& x, f32 px, f32 py, f32 u, f32 v, u32 rgba) {
    s_draw_vertex vertex;
    DrawInitVertex(&vertex);
    vertex.coord = {x.a * px + x.b * py + x.tx, x.c * px + x.d * py + x.ty, 0.0f, 1.0f};
    vertex.color = rgba;
    vertex.u = u;
    vertex.v = v;
    DrawVertex(&vertex);
}

// Into the open quad run; a change of texture sends what the run holds so far.
void Quad(const s_xform& x, f32 w, f32 h, s_texture* texture, f32 u0, f32 v0, f32 u1, f32 v1) {
    DrawSetTexture(texture);
    const u32 rgba = Pack(x.color);
    Corner(x, 0.0f, 0.0f, u0, v0, rgba);
    Corner(x, w, 0.0f, u1, v0, rgba);
    Corner(x, w, h, u1, v1, rgba);
    Corner(x, 0.0f, h, u0, v1, rgba);
}

u32 Lines(const char* text) {
    u32 lines = 1;
    for (; *text != '\0'; ++text)
        lines += *text == '\n' && text[1] != '\0' ? 1 : 0;
    return lines;
}

// A text field in its box: the box moves and scales with the tree, the text is
// not turned. The quad run is closed around it: the font draws its own.
void DrawTextField(const s_sfp_screen& screen, const s_sfp_instance& instance, const s_xform& x) {
    const s_sfp_object& object = *instance.object;
    const s_sfp_text& field = screen.movie->texts[object.ref];
    s_font* font = SFPFontOf(screen.fontRows[field.font]);
    if (font == nullptr || font->textureCount == 0 || instance.text[0] == '\0')
        return;
    DrawEnd();
    s_font* previousFont = FontSet(font);
    const s32 mode = FontSetMode(FONT_MODE_PROPORTIONAL);
    const s32 justification = FontSetJustification(field.align);  // the same numbers
    f32 scaleX;
    f32 scaleY;
    FontGetScale(&scaleX, &scaleY);
    const f32 size = field.size / f32(font->height);
    FontSetScale(size * x.scaleX, size * x.scaleY);

    const f32 boxW = object.width * x.scaleX;
    const f32 boxH = object.height * x.scaleY;
    const char* text =
        field.wrap != 0 ? FontWordWrapStringMetaNoAlloc(instance.text, boxW, nullptr, 0) : instance.text;
    const f32 lineH = FontCharHeight();
    f32 y = x.ty + lineH;  // the pen stands on the line's bottom
    if (field.valign == SFP_VALIGN_MIDDLE)
        y += (boxH - f32(Lines(text)) * lineH) / 2.0f;
    const f32 anchor = field.align == SFP_ALIGN_CENTRE  ? boxW / 2.0f
                       : field.align == SFP_ALIGN_RIGHT ? boxW
                                                        : 0.0f;
    FontColor = {SFPChannel(field.color, 0) * x.color[0], SFPChannel(field.color, 1) * x.color[1],
                 SFPChannel(field.color, 2) * x.color[2], SFPChannel(field.color, 3) * x.color[3]};
    DrawSetTexture(font->textures[0].texture);
    FontDrawStringNoSetTexture(text, 0, x.tx + anchor, y);

    FontSetScale(scaleX, scaleY);
    FontSetJustification(justification);
    FontSetMode(mode);
    FontSet(previousFont);
    DrawBegin(PRIM_QUAD);
}

class ScreenPainter {
public:
    explicit ScreenPainter(const s_sfp_screen& screen) : screen_(screen), movie_(*screen.movie) {}

    // `count` objects of one symbol at `frame`, the first at instance `first`.
    void Objects(u32 first, u32 count, u32 frame, const s_xform& parent) const {
        for (u32 k = 0; k < count; ++k) {
            Object(first, frame, parent);
            first = screen_.instances[first].end;
        }
    }

private:
    void Object(u32 index, u32 frame, const s_xform& parent) const {
        const s_sfp_instance& instance = screen_.instances[index];
        const s_sfp_object& object = *instance.object;
        s_sfp_look look;
        if (instance.hidden != 0 || !SFPLookAt(movie_, object, frame, &look) || !look.visible)
            return;
        const s_xform x = Compose(parent, look, instance.tint);
        switch (object.kind) {
            case SFP_KIND_RECT:
                Quad(x, object.width, object.height, nullptr, 0.0f, 0.0f, 0.0f, 0.0f);
                break;
            case SFP_KIND_IMAGE: {
                const s_sfp_image& image = movie_.images[object.ref];
                Quad(x, image.width, image.height, screen_.textures[image.texture], image.u0, image.v0,
                     image.u1, image.v1);
                break;
            }
            case SFP_KIND_TEXT:
                DrawTextField(screen_, instance, x);
                break;
            case SFP_KIND_BUTTON:
                Button(index, x);
                break;
            case SFP_KIND_INSTANCE:
                Objects(index + 1, movie_.symbols[object.ref].numObjects, instance.timeline.frame, x);
                break;
            default:
                break;
        }
    }

    // The look of the button's state, at its timeline's frame once the update
    // has seen the state; the looks' objects follow the button's instance: up,
    // over, down.
    void Button(u32 index, const s_xform& x) const {
        const s_sfp_instance& instance = screen_.instances[index];
        const u8 state = SFPButtonLook(screen_, instance);
        const s_sfp_button& button = movie_.buttons[instance.object->ref];
        if (button.look[state] < 0)
            return;
        u32 first = index + 1;
        for (u32 look = 0; look < state; ++look) {
            if (button.look[look] >= 0)
                first = SFPSkipSiblings(screen_, first, movie_.symbols[button.look[look]].numObjects);
        }
        const u32 frame = instance.look == state ? instance.timeline.frame : 0;
        Objects(first, movie_.symbols[button.look[state]].numObjects, frame, x);
    }

    const s_sfp_screen& screen_;
    const s_sfp_movie& movie_;
};

void Setup2D() {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetZBufferWrite(0);
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    DrawSetFlatColor(kOpaqueWhite);
}

void Backdrop() {
    const f32 w = f32(DrawContext.screenSize.x);
    const f32 h = f32(DrawContext.screenSize.y);
    const s_xform screen = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, {1.0f, 1.0f, 1.0f, 1.0f}};
    DrawSetTexture(nullptr);
    DrawBegin(PRIM_QUAD);
    Corner(screen, 0.0f, 0.0f, 0.0f, 0.0f, kBackdropTop);
    Corner(screen, w, 0.0f, 0.0f, 0.0f, kBackdropTop);
    Corner(screen, w, h, 0.0f, 0.0f, kBackdropBottom);
    Corner(screen, 0.0f, h, 0.0f, 0.0f, kBackdropBottom);
    DrawEnd();
}

// The root label whose segment holds the current frame; empty before the first.
char* CurrentLabel(const s_sfp_screen& screen) {
    static char none[1] = "";
    const s_sfp_symbol& root = screen.movie->symbols[0];
    s_sfp_label* current = nullptr;
    for (s_sfp_label& label : screen.movie->labels.subspan(root.firstLabel, root.numLabels)) {
        if (label.frame <= screen.root.frame && (current == nullptr || label.frame >= current->frame))
            current = &label;
    }
    return current != nullptr ? current->name : none;
}

void DrawScreen(s32 screenId, const s_sfp_screen& screen) {
    Setup2D();
    SFP_SCREEN_INFO_t* info = screen.info;
    if (info->renderBackdrop != 0)
        Backdrop();
    const s_sfp_movie& movie = *screen.movie;
    s_xform stage = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, {1.0f, 1.0f, 1.0f, 1.0f}};
    if (info->screenAlign == 1) {
        stage.tx = std::floor((f32(DrawContext.screenSize.x) - f32(movie.width)) / 2.0f);
        stage.ty = std::floor((f32(DrawContext.screenSize.y) - f32(movie.height)) / 2.0f);
    }
    DrawBegin(PRIM_QUAD);
    ScreenPainter(screen).Objects(0, movie.symbols[0].numObjects, screen.root.frame, stage);
    DrawEnd();
    if (info->Draw != nullptr)
        info->Draw(screenId, info, CurrentLabel(screen));
}

}  // namespace

void SFPRenderThread(s_thread*, void*) {
    if (g_SFP2KDisable != 0 || SFPPlayer.render == 0 || SFPPlayer.stackSize == 0)
        return;
    const e_PROJ_MODE projection = DrawContext.projectionMode;
    const e_ZBUF_MODE zMode = DrawContext.zBufferMode;
    const s32 zWrite = DrawContext.zBufferWriteEnable;
    const e_COMBINE_MODE combine = DrawContext.combineMode;
    const u32 flat = DrawContext.color;
    // A screen's Draw may close or kill screens: the stack as it was.
    s32 ids[SFP2K_MAX_SCREENS];
    const s32 n = SFPPlayer.stackSize;
    std::copy(SFPPlayer.stack, SFPPlayer.stack + n, ids);
    for (s32 i = 0; i < n; ++i) {
        if (SFPOnStack(ids[i]))
            DrawScreen(ids[i], *SFPPlayer.screens[ids[i]]);
    }
    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
    DrawSetZBufferWrite(zWrite);
    DrawSetZBufferMode(zMode);
    DrawSetProjection(projection);
}
