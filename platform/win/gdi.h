// Drawing without pixels: device contexts record what is drawn into them, drawing objects
// keep their descriptions, and text is measured with a fixed metric so that widths and
// row heights are deterministic.
//
// Text metric: a font's text height is |lfHeight| (13 when 0) and its average character
// width is |lfWidth|, or (height + 1) / 2 when lfWidth is 0; a text is as wide as its
// characters times that width. The default GUI font has lfHeight -13.
#pragma once
#include <string>
#include <vector>

#include "platform/win/window_types.h"

#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_NOCLIP 0x00000100
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_END_ELLIPSIS 0x00008000

#define PS_SOLID 0
#define PS_NULL 5
#define BS_SOLID 0
#define BS_NULL 1
#define FW_NORMAL 400
#define FW_BOLD 700
#define DEFAULT_CHARSET 1

#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_FONT 6
#define OBJ_BITMAP 7

// ---- Drawing objects.
HFONT CreateFontIndirectW(const LOGFONTW* font);
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);  // stock objects are never deleted
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
#define GetObject GetObjectW
#define CreateFontIndirect CreateFontIndirectW

// ---- Device contexts.
HDC GetDC(HWND window);
HDC GetWindowDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);  // answers the object it replaces
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);  // -1: the last saved state
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);

// ---- Measuring and drawing (recorded).
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, LPSIZE size);
int DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format);  // answers the text height
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL DrawFocusRect(HDC dc, const RECT* rect);
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL LineTo(HDC dc, int x, int y);
#define DrawText DrawTextW

namespace StandIn {

// One recorded drawing call.
struct DrawRecord {
  enum Kind { Text, FillRect, FocusRect, Line, Image } kind = Text;
  RECT rect;          // the target rectangle (a line: left/top to right/bottom)
  std::wstring text;  // Text: the text drawn
  UINT format = 0;    // Text: DT_ flags
  COLORREF textColor = 0;
  COLORREF backColor = 0;
  COLORREF fillColor = 0;  // FillRect: the brush's colour; Line: the pen's colour;
                           // Image: the image list's background colour (CLR_NONE: none)
  LOGFONTW font;           // Text: the font selected at the time
  int image = -1;          // Image: the image index drawn
};

// What has been drawn into a window (through GetDC, GetWindowDC or BeginPaint), in order.
const std::vector<DrawRecord>& DrawingOf(HWND window);
void ClearDrawing(HWND window);
// Text measures of the fixed metric.
int TextHeightOf(const LOGFONTW& font);
int AverageCharWidthOf(const LOGFONTW& font);
int TextWidthOf(const LOGFONTW& font, const std::wstring& text);
// The font of a font handle (the default GUI font for null or an unknown handle).
LOGFONTW FontOf(HFONT font);
// Live drawing objects (fonts, brushes, pens, bitmaps; stock objects excluded) and DCs.
int LiveGdiObjectCount();
int LiveDeviceContextCount();

}  // namespace StandIn
