#include "source/DevEntries.h"

#include "orblib47/source/DrawFade.h"
#include "orblib47/source/OrbLib.h"
#include "source/Flash/TemplateFlash.h"
#include "source/OrbMain.h"

s32 FlashThirdStateTesting() {
    DrawSetClearColor(0x000000FF);
    DrawFade(FADE_IN, 0x000000FF, 1.0f);
    auto* screen = new CTemplateFlash;
    if (screen->Load())
        screen->Open();
    while (screen->m_bActive && !OrbMainFrameLimitReached())
        EventWait(1);
    screen->Kill();
    delete screen;
    return 0;
}
