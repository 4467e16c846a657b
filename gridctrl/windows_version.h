// Questions the grid asks about the system it runs on: the Windows version, the common
// controls' version and whether visual themes are in force. Missing libraries or exports
// count as "no" (an older system, no themes).
#pragma once
#include "platform/mfc/mfc.h"

// The major version in the high byte, the minor in the low byte (0x0601 = 6.1).
bool IsWindowsVersionAtLeast(WORD version);
// Common controls 6 or later.
bool GetCommonControlsVersion();
// Visual themes are active for the application and common controls 6 are loaded.
bool AreVisualThemesActive();
// Forgets the cached version answers (tests that change the configured version).
void ResetWindowsVersionCache();
