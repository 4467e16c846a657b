// The tooltip control's model: tools (window, id, rectangle, text or a callback), the
// active flag and the maximum tip width. Showing a tip asks a callback tool's window for
// its text with TTN_NEEDTEXTW; tests read the text shown.
#pragma once
#include <string>

#include "platform/win/common_controls.h"

// Stand-in private message: show the tip of tool wParam of window lParam (answers TRUE
// when a non-empty text was shown).
#define TTM_STANDIN_SHOW (WM_USER + 0x3F0)

namespace StandIn {
// The text of the tip the tooltip window shows now (empty when none).
std::wstring TooltipTextOf(HWND tooltip);
int TooltipMaxWidthOf(HWND tooltip);
}  // namespace StandIn
