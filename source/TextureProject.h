// A texture projector placed in the level: a spot light that lays its texture on
// the level polygons of its cache, with the shadows of the objects that register
// as its casters this frame. The engine's projector manager resets and draws it.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Projector.h"
#include "orblib47/source/TextureProject.h"

struct s_collision_cache;
struct s_hmodel;
struct s_texture;

constexpr s32 TEXTURE_PROJECT_MAX_CASTERS = 16;  // a rack of pins and the ball

class CTextureProject : public s_texproj_object {
public:
    CTextureProject() { m_locals = &locals; }
    CTextureProject(const CTextureProject&) = delete;
    CTextureProject& operator=(const CTextureProject&) = delete;
    ~CTextureProject();

    // An object casts its shadow through this projector in the current frame;
    // casters past the last slot are left out. Nothing for a null hmodel.
    void AddShadowCaster(s_hmodel* hmodel);

    s_texproj_object_locals locals{};
    s_draw_light light{};                // the spot light it projects from
    f32 nearPlane = 1.0f;                // of the projection frustum
    s_texture* texture = nullptr;        // what it projects (not owned)
    s_collision_cache* cache = nullptr;  // the polygons it lights (not owned)
    s_textproj_parms parms{};            // its own projection
    s_texture* shadowTexture = nullptr;  // its texture with the casters' shadows; owned
    s_hmodel* casters[TEXTURE_PROJECT_MAX_CASTERS] = {};
};

// Draws one projector: renders its casters into its shadow texture when it has
// any (allocating the texture on first use), then projects onto its cache.
void TextureProjectLightDrawFunc(CTextureProject* textureProject);
// The game's warm step: the projector manager draws projectors with the above.
void TextureProjectRegisterDrawFunc();
