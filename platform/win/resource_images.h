// Bitmaps and icons loaded from a module's resources. A loaded bitmap is a GDI bitmap
// (deleted with DeleteObject); an icon is an icon object of its own (DestroyIcon), except
// that LR_SHARED answers one shared icon per module, id and size, never destroyed.
#pragma once
#include "platform/win/dialog_controls.h"
#include "platform/win/resources.h"
#include "platform/win/window_types.h"

#define LR_DEFAULTSIZE 0x0040
#define LR_SHARED 0x8000

// IMAGE_BITMAP or IMAGE_ICON by integer resource id; cx/cy 0 keep the resource's size
// (for icons LR_DEFAULTSIZE gives 32 by 32). Null when the module lacks the resource.
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);  // shared, 32 by 32
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
BOOL DestroyIcon(HICON icon);

namespace StandIn {
// An icon's size and the id it was loaded from (false for a dead handle).
bool IconInfo(HICON icon, int& width, int& height, UINT& resourceId);
// Icons alive that are not shared.
int LiveIconCount();
}  // namespace StandIn
