// What a person does with mouse and keyboard, turned into the messages Windows would
// send: each helper posts the input messages to the window under the point (or to the
// focused window for keys), with GetKeyState and GetMessagePos set as during the action,
// and pumps the queue so that every message passes the pre-translate walk first.
// Points are client coordinates of the given window.
#pragma once
#include <string>

#include "platform/win/window_types.h"

namespace StandIn {

// Modifier keys held during an action (the MK_ values).
constexpr UINT kShift = 0x0004;
constexpr UINT kControl = 0x0008;

void MouseMove(HWND window, POINT point, UINT buttons = 0);
void LeftButtonDown(HWND window, POINT point, UINT modifiers = 0);
void LeftButtonUp(HWND window, POINT point, UINT modifiers = 0);
// Down and up at one point.
void LeftClick(HWND window, POINT point, UINT modifiers = 0);
// Down, up, double-click message and up at one point.
void DoubleClick(HWND window, POINT point, UINT modifiers = 0);
// Right button down and up; the window then receives WM_CONTEXTMENU as Windows sends it.
void RightClick(HWND window, POINT point, UINT modifiers = 0);
// The mouse wheel over the window (delta 120 is one notch away from the user).
void MouseWheel(HWND window, POINT point, int delta);
// Button down at `from`, a move beyond the drag threshold to `to` with the button held.
// A list view then starts a drag (LVN_BEGINDRAG); the OLE loop asks the input driver.
void DragFrom(HWND window, POINT from, POINT to, UINT modifiers = 0);
// A key pressed and released on the focused window (WM_KEYDOWN, the WM_CHAR that
// TranslateMessage makes of it, WM_KEYUP), with the modifiers held.
void PressKey(UINT virtualKey, UINT modifiers = 0);
// Characters typed into the focused window.
void TypeText(const std::wstring& text, UINT modifiers = 0);
// Clicks the focus onto a window the way Tab would move it (WM_KILLFOCUS/WM_SETFOCUS).
void MoveFocusTo(HWND window);
// Where a person clicks the header of a list view's group (at its left end), or the
// group's task link, in the list's client coordinates; false when the list does not show
// that header or link.
bool GroupHeaderPoint(HWND list, int groupId, POINT& point);
bool GroupTaskLinkPoint(HWND list, int groupId, POINT& point);
// A click there; false, with nothing clicked, when the list does not show it.
bool ClickGroupHeader(HWND list, int groupId);
bool ClickGroupTaskLink(HWND list, int groupId);
// Opens a date-time picker's calendar and clicks the day (the time of day is kept);
// false when the picker has no calendar or the date is no date.
bool PickCalendarDay(HWND picker, int year, int month, int day);

}  // namespace StandIn
