#include "source/Flash/ShellLights.h"

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "source/BowlingDb/BowlingDb.h"

void ShellPreviewBegin(u32 usage) {
    DrawEnableLight(1);
    if (const s_ShellLight* shell = GetShellLight(usage)) {
        DrawResetLights();
        DrawSetAmbientLight(shell->Ambient);
        for (u32 i = 0; i < shell->Count && i < SHELL_LIGHT_MAX; ++i) {
            const s_ShellLightDef& def = shell->Lights[i];
            s_draw_light light{};
            light.diffuse = def.diffuse;
            light.specular = def.specular;
            light.position = def.position;
            light.direction = def.direction;
            light.flags = u_light_flags::light_in_use | u_light_flags::light_diffuse |
                          u_light_flags::light_directional | (def.flags & SHELL_LIGHT_SPECULAR);
            light.intensity = 1.0f;
            DrawAddLight(&light);
        }
    } else {
        DrawSetDefaultLights();
        DrawSetAmbientLight(0x969696FF);
    }
    DrawSetProjection(DC_PROJ_3D);
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    DrawSetZBufferWrite(1);
    DrawSetZBufferMode(DC_ZMODE_LESS_EQUAL);
}
