// The quick-play set-up screen. INTERIM: an empty stand-in until the screen
// comes; the main menu's flow only makes and frees it.
#pragma once

class CQuickPlayFlash {};
