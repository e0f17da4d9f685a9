// The texture-combining stages for what is bound: set after every texture bind, so
// drawing never depends on what the hardware was left holding.
#pragma once

// What the combine stages read besides the rasterised colour.
enum class e_bound_texture {
    None,        // the rasterised colour only
    Ordinary,    // one texture modulated by the rasterised colour
    Palettised,  // two palettes over one index image, joined, then modulated
};

// Programs the coordinate generators, colour channels and combine stages for the
// bound texture and sets or clears the context's TextureOn flag. With the stencil
// mode on, a textured set-up also modulates by map 7, read at coordinates from the
// vertex position through texture matrix 9.
void DrawSetCombineStages(e_bound_texture texture);
// The stages for the texture the draw context has bound, after a caller added
// stages of its own.
void DrawResetCombineStages();
