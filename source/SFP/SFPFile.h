// Screen movies (".sfp", docs/screenmovies.md) parsed into native records. A
// movie is a library of symbols, each a timeline of placed objects with keyed
// looks; symbol 0 is the root. Every index below was checked at load: a symbol
// refers only to symbols after it, so nesting always ends.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "orblib47/source/OrbTypes.h"

constexpr u32 SFP_NAME_LEN = 32;     // object, label and font names
constexpr u32 SFP_TEXNAME_LEN = 16;  // texture names (the ".sfc" archive's chunk names)
constexpr u32 SFP_MAX_FRAMES = 65535;
constexpr u32 SFP_MAX_RATE = 120;
constexpr u32 SFP_MAX_TEXT = 1024;       // bytes of one text, terminator not counted
constexpr u32 SFP_MAX_INSTANCES = 4096;  // objects of one movie's whole tree

enum e_sfp_kind : u8 {
    SFP_KIND_RECT = 0,      // a filled rectangle of the object's size in the key's colour
    SFP_KIND_IMAGE = 1,     // an image of the texture atlas
    SFP_KIND_TEXT = 2,      // a dynamic text field
    SFP_KIND_BUTTON = 3,    // a button with up, over and down looks
    SFP_KIND_INSTANCE = 4,  // a nested symbol with a timeline of its own
    SFP_KIND_COUNT = 5,
};

enum e_sfp_ease : u8 {
    SFP_EASE_LINEAR = 0,
    SFP_EASE_IN = 1,
    SFP_EASE_OUT = 2,
    SFP_EASE_INOUT = 3,
    SFP_EASE_STEP = 4,  // holds this key's look up to the next key
    SFP_EASE_COUNT = 5,
};

enum e_sfp_align : u8 {
    SFP_ALIGN_LEFT = 0,
    SFP_ALIGN_CENTRE = 1,
    SFP_ALIGN_RIGHT = 2,
    SFP_ALIGN_COUNT = 3,
};

enum e_sfp_valign : u8 {
    SFP_VALIGN_TOP = 0,
    SFP_VALIGN_MIDDLE = 1,
    SFP_VALIGN_COUNT = 2,
};

enum e_sfp_look : u8 {
    SFP_LOOK_UP = 0,
    SFP_LOOK_OVER = 1,  // the screen's current button
    SFP_LOOK_DOWN = 2,  // pressed
    SFP_LOOK_COUNT = 3,
};

// The look of an object from its key's frame on: position of the object's origin
// in its parent's space, scale about the origin, rotation in degrees (clockwise on
// screen), a colour multiplied into everything it draws (0xRRGGBBAA).
struct s_sfp_key {
    u16 frame;
    u8 ease;     // e_sfp_ease: how the look moves towards the next key
    u8 visible;  // 0 hides the object (and what it holds)
    f32 x, y;
    f32 scaleX, scaleY;
    f32 rotation;
    u32 color;
};

// A rectangle of a texture of the movie's ".sfc" archive, drawn at width x height
// pixels with its top-left corner at the object's origin.
struct s_sfp_image {
    u32 texture;  // index into s_sfp_movie::textures
    f32 u0, v0, u1, v1;
    f32 width, height;
};

// A text field: a box of the object's size whose text is drawn in a movie font of
// the player's font table, `size` pixels high, in `color`.
struct s_sfp_text {
    u32 font;  // index into s_sfp_movie::fonts
    f32 size;
    u32 color;
    u8 align;          // e_sfp_align, in the box
    u8 valign;         // e_sfp_valign, in the box
    u8 wrap;           // 1: words wrap at the box's width
    const char* text;  // the first text, NUL-terminated (Windows-1252)
};

// A button: one symbol per look (-1 none), shown at the button's origin, and the
// area, from the origin, that belongs to it.
struct s_sfp_button {
    s32 look[SFP_LOOK_COUNT];
    f32 hitX, hitY, hitW, hitH;
};

struct s_sfp_label {
    char name[SFP_NAME_LEN + 1];
    u32 frame;
};

// One object placed on a symbol's timeline. It shows from its first key's frame;
// its keys are in increasing frame order.
struct s_sfp_object {
    char name[SFP_NAME_LEN + 1];
    u8 kind;  // e_sfp_kind
    u32 ref;  // by kind: -, image, text, button, symbol index
    f32 width, height;
    u32 firstKey;  // into s_sfp_movie::keys
    u32 numKeys;   // at least 1
};

struct s_sfp_symbol {
    u32 numFrames;  // at least 1
    u32 firstLabel, numLabels;
    u32 firstObject, numObjects;  // drawn in this order, the first at the back
};

struct s_sfp_font {
    char name[SFP_NAME_LEN + 1];  // a movie font name of the font table
};

struct s_sfp_texture {
    char name[SFP_TEXNAME_LEN + 1];
};

// A parsed movie is one block of the engine heap: this record, then its tables
// and texts. The compiler fills the same record over tables of its own.
struct s_sfp_movie {
    u32 frameRate;  // 1..SFP_MAX_RATE frames a second
    u32 width, height;
    std::span<s_sfp_texture> textures;
    std::span<s_sfp_image> images;
    std::span<s_sfp_font> fonts;
    std::span<s_sfp_text> texts;
    std::span<s_sfp_button> buttons;
    std::span<s_sfp_symbol> symbols;  // at least 1: the root
    std::span<s_sfp_label> labels;
    std::span<s_sfp_object> objects;
    std::span<s_sfp_key> keys;
    u32 numInstances;  // objects of the whole tree, nested ones and button looks included
};

// Parses a movie image into one heap block; null with one "SFP2K: ..." line
// naming `name` when the data is not a sound movie. Nothing of `data` is kept.
s_sfp_movie* SFPFileParse(const void* data, u32 size, const char* name);
void SFPFileFree(s_sfp_movie* movie);

// What a screen finds in its movie by name.
struct s_sfp_names {
    std::vector<std::string> textures;
    std::vector<std::string> labels;   // the root's
    std::vector<std::string> buttons;  // objects of button kind
};

// Checks a movie image as SFPFileParse does, in host memory, so before the engine
// starts, and gives the names a screen looks for. False after the same one line.
bool SFPFileValid(const void* data, u32 size, const char* name, s_sfp_names* names);
