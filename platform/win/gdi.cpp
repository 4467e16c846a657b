#include "platform/win/gdi.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <map>

#include "platform/win/handle_table.h"
#include "platform/win/window_manager.h"

using namespace StandIn;

namespace {

struct GdiObject {
  HandleKind kind = HandleKind::Font;
  bool stock = false;
  LOGFONTW font;
  COLORREF color = 0;
  int penStyle = PS_SOLID;
  int width = 0;   // pen width, bitmap width
  int height = 0;  // bitmap height
  UINT brushStyle = BS_SOLID;
};

struct DcState {
  HGDIOBJ font = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ pen = nullptr;
  HGDIOBJ bitmap = nullptr;
  COLORREF textColor = 0;
  COLORREF backColor = RGB(255, 255, 255);
  POINT position;
};

struct DeviceContext {
  HWND window = nullptr;  // null for a memory DC
  bool memory = false;
  DcState state;
  std::vector<DcState> saved;
  std::vector<DrawRecord> records;  // memory DCs keep their own
};

struct Gdi {
  HandleTable<GdiObject> objects;
  HandleTable<DeviceContext> dcs;
  std::map<int, HGDIOBJ> stock;
  std::map<HWND, std::vector<DrawRecord>> drawings;
  HGDIOBJ defaultBitmap = nullptr;
};

Gdi& gdi() {
  static Gdi g;
  return g;
}

GdiObject* O(HGDIOBJ h) { return h ? gdi().objects.Find(h) : nullptr; }
DeviceContext* D(HDC h) { return h ? gdi().dcs.Find(h) : nullptr; }

HGDIOBJ AddObject(GdiObject object) {
  HandleKind kind = object.kind;
  return gdi().objects.Add<HGDIOBJ>(std::make_unique<GdiObject>(object), kind);
}

LOGFONTW DefaultGuiFont() {
  LOGFONTW f;
  f.lfHeight = -13;
  f.lfWeight = FW_NORMAL;
  f.lfCharSet = DEFAULT_CHARSET;
  std::wcscpy(f.lfFaceName, L"GUI Font");
  return f;
}

HGDIOBJ Stock(int index) {
  auto it = gdi().stock.find(index);
  if (it != gdi().stock.end()) return it->second;
  GdiObject o;
  o.stock = true;
  switch (index) {
    case WHITE_BRUSH:
      o.kind = HandleKind::Brush;
      o.color = RGB(255, 255, 255);
      break;
    case BLACK_BRUSH:
      o.kind = HandleKind::Brush;
      o.color = 0;
      break;
    case NULL_BRUSH:
      o.kind = HandleKind::Brush;
      o.brushStyle = BS_NULL;
      break;
    case WHITE_PEN:
      o.kind = HandleKind::Pen;
      o.color = RGB(255, 255, 255);
      o.width = 1;
      break;
    case BLACK_PEN:
      o.kind = HandleKind::Pen;
      o.width = 1;
      break;
    case NULL_PEN:
      o.kind = HandleKind::Pen;
      o.penStyle = PS_NULL;
      break;
    case SYSTEM_FONT:
      o.kind = HandleKind::Font;
      o.font = DefaultGuiFont();
      o.font.lfHeight = 16;
      o.font.lfWeight = FW_BOLD;
      break;
    case DEFAULT_GUI_FONT:
      o.kind = HandleKind::Font;
      o.font = DefaultGuiFont();
      break;
    default: return nullptr;
  }
  HGDIOBJ h = AddObject(o);
  gdi().stock[index] = h;
  return h;
}

HGDIOBJ DefaultBitmap() {
  if (!gdi().defaultBitmap) {
    GdiObject o;
    o.kind = HandleKind::Bitmap;
    o.stock = true;
    o.width = o.height = 1;
    gdi().defaultBitmap = AddObject(o);
  }
  return gdi().defaultBitmap;
}

HDC NewDc(HWND window, bool memory) {
  auto dc = std::make_unique<DeviceContext>();
  dc->window = window;
  dc->memory = memory;
  dc->state.font = Stock(DEFAULT_GUI_FONT);
  dc->state.brush = Stock(WHITE_BRUSH);
  dc->state.pen = Stock(BLACK_PEN);
  dc->state.bitmap = memory ? DefaultBitmap() : nullptr;
  return gdi().dcs.Add<HDC>(std::move(dc), HandleKind::Dc);
}

std::vector<DrawRecord>* RecordsOf(DeviceContext* dc) {
  if (!dc) return nullptr;
  if (dc->memory || !dc->window) return &dc->records;
  return &gdi().drawings[dc->window];
}

DrawRecord& Record(DeviceContext* dc, DrawRecord::Kind kind) {
  std::vector<DrawRecord>* records = RecordsOf(dc);
  records->push_back(DrawRecord());
  DrawRecord& r = records->back();
  r.kind = kind;
  r.textColor = dc->state.textColor;
  r.backColor = dc->state.backColor;
  if (GdiObject* f = O(dc->state.font)) r.font = f->font;
  return r;
}

COLORREF BrushColor(HBRUSH brush) {
  GdiObject* b = O(brush);
  return b ? b->color : 0;
}

}  // namespace

// ---- Text metric.

int StandIn::TextHeightOf(const LOGFONTW& font) {
  return font.lfHeight == 0 ? 13 : std::abs(static_cast<int>(font.lfHeight));
}
int StandIn::AverageCharWidthOf(const LOGFONTW& font) {
  return font.lfWidth != 0 ? std::abs(static_cast<int>(font.lfWidth)) : (TextHeightOf(font) + 1) / 2;
}
int StandIn::TextWidthOf(const LOGFONTW& font, const std::wstring& text) {
  return static_cast<int>(text.size()) * AverageCharWidthOf(font);
}
LOGFONTW StandIn::FontOf(HFONT font) {
  GdiObject* f = O(font);
  if (f && f->kind == HandleKind::Font) return f->font;
  return DefaultGuiFont();
}

// ---- Objects.

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  if (!font) return nullptr;
  GdiObject o;
  o.kind = HandleKind::Font;
  o.font = *font;
  o.font.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(AddObject(o));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  GdiObject o;
  o.kind = HandleKind::Brush;
  o.color = color;
  return static_cast<HBRUSH>(AddObject(o));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  GdiObject o;
  o.kind = HandleKind::Pen;
  o.penStyle = style;
  o.width = width;
  o.color = color;
  return static_cast<HPEN>(AddObject(o));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
  if (width < 0 || height < 0) return nullptr;
  GdiObject o;
  o.kind = HandleKind::Bitmap;
  o.width = width;
  o.height = height;
  return static_cast<HBITMAP>(AddObject(o));
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT, const void*) {
  return CreateCompatibleBitmap(nullptr, width, height);
}

HGDIOBJ GetStockObject(int index) { return Stock(index); }

BOOL DeleteObject(HGDIOBJ object) {
  GdiObject* o = O(object);
  if (!o) return FALSE;
  if (o->stock) return TRUE;
  gdi().objects.Remove(object);
  return TRUE;
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
  GdiObject* o = O(object);
  if (!o) return 0;
  switch (o->kind) {
    case HandleKind::Font:
      if (buffer && size >= static_cast<int>(sizeof(LOGFONTW))) *static_cast<LOGFONTW*>(buffer) = o->font;
      return sizeof(LOGFONTW);
    case HandleKind::Bitmap:
      if (buffer && size >= static_cast<int>(sizeof(BITMAP))) {
        BITMAP b;
        b.bmWidth = o->width;
        b.bmHeight = o->height;
        b.bmWidthBytes = o->width * 4;
        *static_cast<BITMAP*>(buffer) = b;
      }
      return sizeof(BITMAP);
    case HandleKind::Brush:
      if (buffer && size >= static_cast<int>(sizeof(LOGBRUSH))) {
        LOGBRUSH b;
        b.lbStyle = o->brushStyle;
        b.lbColor = o->color;
        *static_cast<LOGBRUSH*>(buffer) = b;
      }
      return sizeof(LOGBRUSH);
    case HandleKind::Pen:
      if (buffer && size >= static_cast<int>(sizeof(LOGPEN))) {
        LOGPEN p;
        p.lopnStyle = static_cast<UINT>(o->penStyle);
        p.lopnWidth.x = o->width;
        p.lopnColor = o->color;
        *static_cast<LOGPEN*>(buffer) = p;
      }
      return sizeof(LOGPEN);
    default: return 0;
  }
}

// ---- Device contexts.

HDC GetDC(HWND window) {
  if (window && !IsWindow(window)) return nullptr;
  return NewDc(window, false);
}
HDC GetWindowDC(HWND window) { return GetDC(window); }
int ReleaseDC(HWND, HDC dc) {
  if (!D(dc) || D(dc)->memory) return 0;
  gdi().dcs.Remove(dc);
  return 1;
}

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  if (!IsWindow(window)) return nullptr;
  ValidateRect(window, nullptr);
  gdi().drawings[window].clear();
  HDC dc = NewDc(window, false);
  if (paint) {
    paint->hdc = dc;
    paint->fErase = TRUE;
    GetClientRect(window, &paint->rcPaint);
  }
  return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  return ReleaseDC(window, paint->hdc) ? TRUE : FALSE;
}

HDC CreateCompatibleDC(HDC) { return NewDc(nullptr, true); }
BOOL DeleteDC(HDC dc) {
  if (!D(dc)) return FALSE;
  gdi().dcs.Remove(dc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  DeviceContext* d = D(dc);
  GdiObject* o = O(object);
  if (!d || !o) return nullptr;
  HGDIOBJ* slot = nullptr;
  switch (o->kind) {
    case HandleKind::Font: slot = &d->state.font; break;
    case HandleKind::Brush: slot = &d->state.brush; break;
    case HandleKind::Pen: slot = &d->state.pen; break;
    case HandleKind::Bitmap:
      if (!d->memory) return nullptr;
      slot = &d->state.bitmap;
      break;
    default: return nullptr;
  }
  HGDIOBJ old = *slot;
  *slot = object;
  return old;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  DeviceContext* d = D(dc);
  if (!d) return nullptr;
  switch (type) {
    case OBJ_FONT: return d->state.font;
    case OBJ_BRUSH: return d->state.brush;
    case OBJ_PEN: return d->state.pen;
    case OBJ_BITMAP: return d->state.bitmap;
    default: return nullptr;
  }
}

int SaveDC(HDC dc) {
  DeviceContext* d = D(dc);
  if (!d) return 0;
  d->saved.push_back(d->state);
  return static_cast<int>(d->saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
  DeviceContext* d = D(dc);
  if (!d || d->saved.empty()) return FALSE;
  int count = static_cast<int>(d->saved.size());
  int index = saved < 0 ? count + saved : saved - 1;
  if (index < 0 || index >= count) return FALSE;
  d->state = d->saved[static_cast<size_t>(index)];
  d->saved.resize(static_cast<size_t>(index));
  return TRUE;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  DeviceContext* d = D(dc);
  if (!d) return CLR_INVALID;
  COLORREF old = d->state.textColor;
  d->state.textColor = color;
  return old;
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  DeviceContext* d = D(dc);
  if (!d) return CLR_INVALID;
  COLORREF old = d->state.backColor;
  d->state.backColor = color;
  return old;
}

// ---- Measuring and drawing.

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, LPSIZE size) {
  DeviceContext* d = D(dc);
  if (!d || !size) return FALSE;
  LOGFONTW f = FontOf(static_cast<HFONT>(d->state.font));
  std::wstring s =
      text ? std::wstring(text, length < 0 ? std::wcslen(text) : static_cast<size_t>(length)) : std::wstring();
  size->cx = TextWidthOf(f, s);
  size->cy = TextHeightOf(f);
  return TRUE;
}

int DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format) {
  DeviceContext* d = D(dc);
  if (!d || !rect) return 0;
  std::wstring s =
      text ? std::wstring(text, length < 0 ? std::wcslen(text) : static_cast<size_t>(length)) : std::wstring();
  LOGFONTW f = FontOf(static_cast<HFONT>(d->state.font));
  int lineHeight = TextHeightOf(f);
  int lines = 1, widest = 0, current = 0;
  for (wchar_t c : s) {
    if (c == L'\n' && !(format & DT_SINGLELINE)) {
      ++lines;
      widest = std::max(widest, current);
      current = 0;
    } else if (c != L'\r') {
      ++current;
    }
  }
  widest = std::max(widest, current) * AverageCharWidthOf(f);
  int height = lines * lineHeight;
  if (format & DT_CALCRECT) {
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }
  DrawRecord& r = Record(d, DrawRecord::Text);
  r.rect = *rect;
  r.text = s;
  r.format = format;
  return height;
}

namespace {
int RecordBrushRect(HDC dc, DrawRecord::Kind kind, const RECT* rect, HBRUSH brush) {
  DeviceContext* d = D(dc);
  if (!d || !rect) return 0;
  DrawRecord& r = Record(d, kind);
  r.rect = *rect;
  r.fillColor = BrushColor(brush);
  return 1;
}
}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) { return RecordBrushRect(dc, DrawRecord::FillRect, rect, brush); }

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  DeviceContext* d = D(dc);
  if (!d || !rect) return FALSE;
  Record(d, DrawRecord::FocusRect).rect = *rect;
  return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  DeviceContext* d = D(dc);
  if (!d) return FALSE;
  if (previous) *previous = d->state.position;
  d->state.position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  DeviceContext* d = D(dc);
  if (!d) return FALSE;
  DrawRecord& r = Record(d, DrawRecord::Line);
  r.rect = RECT{d->state.position.x, d->state.position.y, x, y};
  if (GdiObject* pen = O(d->state.pen)) r.fillColor = pen->color;
  d->state.position = POINT{x, y};
  return TRUE;
}

// ---- Records.

const std::vector<DrawRecord>& StandIn::DrawingOf(HWND window) { return gdi().drawings[window]; }
void StandIn::ClearDrawing(HWND window) { gdi().drawings.erase(window); }

int StandIn::LiveGdiObjectCount() {
  int count = 0;
  for (const auto& [value, o] : gdi().objects.All())
    if (!o->stock) ++count;
  return count;
}
int StandIn::LiveDeviceContextCount() { return gdi().dcs.Size(); }

namespace StandIn {
// Records an image drawn by an image list.
void RecordImageDraw(HDC dc, int image, const RECT& rect, COLORREF background) {
  DeviceContext* d = D(dc);
  if (!d) return;
  DrawRecord& r = Record(d, DrawRecord::Image);
  r.image = image;
  r.rect = rect;
  r.fillColor = background;
}
}  // namespace StandIn
