// The front end's in-game screens behind lane play's hooks (g_InGameScreens): the
// pause menu, loaded with each level and freed with it, and the kudos movies.
#pragma once

// Takes over the pause and kudos hooks. A level whose pause movie does not load
// keeps the pause the hooks had before.
void InGameScreensInstall();
// The pause menu alone, loaded at the first pause: a seeded game draws the same
// random numbers and takes the same time as without it until then.
void InGameScreensInstallPause();
// After the warm reset: the screens' movies are gone with the engine's heap.
void InGameScreensForget();
