// Global memory blocks and an in-memory clipboard. The clipboard owns the blocks handed to
// SetClipboardData and frees them when it is emptied. CF_UNICODETEXT holds wchar_t text
// with its terminator ((length + 1) * sizeof(wchar_t) bytes), as CString keeps it.
#pragma once
#include <string>

#include "platform/win/window_messages.h"
#include "platform/win/window_types.h"

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);   // FALSE once the lock count is back to 0
HGLOBAL GlobalFree(HGLOBAL memory);  // null on success, the block on failure
SIZE_T GlobalSize(HGLOBAL memory);

// The clipboard is open for one window (or for none, with a null window) at a time.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();                              // needs the clipboard open; frees the blocks it held
HANDLE SetClipboardData(UINT format, HANDLE data);  // the clipboard takes the block
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();

namespace StandIn {
// The CF_UNICODETEXT content, or empty when there is none.
std::wstring ClipboardText();
// Live global memory blocks (not freed and not held by the clipboard).
int LiveGlobalBlockCount();
// Makes the next GlobalAlloc calls fail (for testing failure paths); 0 turns it off.
void FailNextGlobalAllocs(int count);
}  // namespace StandIn
