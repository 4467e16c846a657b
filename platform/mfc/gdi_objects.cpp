#include "platform/mfc/gdi_objects.h"

#include <cwchar>
#include <map>
#include <memory>

#include "platform/mfc/wnd.h"
#include "platform/win/system_info.h"

namespace {

// Temporary wrappers made by FromHandle; they never delete the handle they wrap.
struct TempGdiObjects {
  std::map<HGDIOBJ, CGdiObject*> permanent;  // objects that created or attached their handle
  std::map<HGDIOBJ, std::unique_ptr<CGdiObject>> objects;
  std::map<HDC, std::unique_ptr<CDC>> dcs;
  ~TempGdiObjects() {
    for (auto& [h, o] : objects) o->Detach();
    for (auto& [h, d] : dcs) d->Detach();
  }
};

TempGdiObjects& temps() {
  static TempGdiObjects t;
  return t;
}

template <typename T>
T* TempFor(HGDIOBJ handle) {
  if (!handle) return nullptr;
  auto owner = temps().permanent.find(handle);
  if (owner != temps().permanent.end())
    if (auto* typed = dynamic_cast<T*>(owner->second)) return typed;
  auto it = temps().objects.find(handle);
  if (it != temps().objects.end()) {
    CGdiObject* existing = it->second.get();
    if (auto* typed = dynamic_cast<T*>(existing)) return typed;
    if (existing) existing->Detach();  // a wrapper of another type: replaced below
    temps().objects.erase(it);
  }
  auto wrapper = std::make_unique<T>();
  wrapper->m_hObject = handle;
  T* result = wrapper.get();
  temps().objects[handle] = std::move(wrapper);
  return result;
}

void ForgetTemp(HGDIOBJ handle) {
  auto it = temps().objects.find(handle);
  if (it == temps().objects.end()) return;
  it->second->Detach();
  temps().objects.erase(it);
}

}  // namespace

// ---- CGdiObject and its kinds.

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object || m_hObject) return FALSE;
  m_hObject = object;
  temps().permanent[object] = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  auto owner = temps().permanent.find(object);
  if (owner != temps().permanent.end() && owner->second == this) temps().permanent.erase(owner);
  m_hObject = nullptr;
  return object;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  HGDIOBJ object = Detach();
  ForgetTemp(object);
  return ::DeleteObject(object);
}

int CGdiObject::GetObject(int size, LPVOID buffer) const { return ::GetObjectW(m_hObject, size, buffer); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
  switch (GetObjectType(object)) {
    case OBJ_FONT: return TempFor<CFont>(object);
    case OBJ_BRUSH: return TempFor<CBrush>(object);
    case OBJ_PEN: return TempFor<CPen>(object);
    case OBJ_BITMAP: return TempFor<CBitmap>(object);
    default: return object ? TempFor<CGdiObject>(object) : nullptr;
  }
}

BOOL CFont::CreateFontIndirect(const LOGFONT* font) { return Attach(::CreateFontIndirectW(font)); }

BOOL CFont::CreatePointFont(int pointSizeTimesTen, LPCWSTR faceName, CDC*) {
  LOGFONTW font;
  font.lfHeight = -(pointSizeTimesTen * 96 / 720);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  if (faceName) {
    std::wcsncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = 0;
  }
  return CreateFontIndirect(&font);
}

int CFont::GetLogFont(LOGFONT* font) const { return ::GetObjectW(m_hObject, sizeof(LOGFONT), font); }
CFont* CFont::FromHandle(HFONT font) { return TempFor<CFont>(font); }

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
BOOL CBrush::CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(GetSysColor(index))); }
CBrush* CBrush::FromHandle(HBRUSH brush) { return TempFor<CBrush>(brush); }

BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
CPen* CPen::FromHandle(HPEN pen) { return TempFor<CPen>(pen); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}
BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}
int CBitmap::GetBitmap(BITMAP* info) const { return ::GetObjectW(m_hObject, sizeof(BITMAP), info); }
CSize CBitmap::GetBitmapDimension() const {
  BITMAP info;
  if (!GetBitmap(&info)) return CSize();
  return CSize(info.bmWidth, info.bmHeight);
}
CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return TempFor<CBitmap>(bitmap); }

// ---- CDC.

CDC::~CDC() {
  if (ownsDC_) DeleteDC();
}

BOOL CDC::Attach(HDC dc) {
  if (!dc || m_hDC) return FALSE;
  m_hDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  ownsDC_ = false;
  return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  if (m_hDC) return FALSE;
  m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
  ownsDC_ = m_hDC != nullptr;
  return ownsDC_ ? TRUE : FALSE;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  HDC dc = Detach();
  return ::DeleteDC(dc);
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc) return nullptr;
  auto it = temps().dcs.find(dc);
  if (it != temps().dcs.end()) return it->second.get();
  auto wrapper = std::make_unique<CDC>();
  wrapper->m_hDC = dc;
  CDC* result = wrapper.get();
  temps().dcs[dc] = std::move(wrapper);
  return result;
}

void CDC::DeleteTempHandle(HDC dc) {
  auto it = temps().dcs.find(dc);
  if (it == temps().dcs.end()) return;
  it->second->Detach();
  temps().dcs.erase(it);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
  if (!object) return nullptr;
  return CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject));
}
CFont* CDC::SelectObject(CFont* font) {
  if (!font) return nullptr;
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject)));
}
CBrush* CDC::SelectObject(CBrush* brush) {
  if (!brush) return nullptr;
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject)));
}
CPen* CDC::SelectObject(CPen* pen) {
  if (!pen) return nullptr;
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject)));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!bitmap) return nullptr;
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
CGdiObject* CDC::SelectStockObject(int index) { return CGdiObject::FromHandle(::SelectObject(m_hDC, GetStockObject(index))); }
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(GetCurrentObject(m_hDC, OBJ_FONT))); }
int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hDC); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

CSize CDC::GetTextExtent(LPCWSTR text, int length) const {
  SIZE size;
  ::GetTextExtentPoint32W(m_hDC, text, length, &size);
  return CSize(size);
}
CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }
BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const { return ::GetTextMetricsW(m_hDC, metrics); }
int CDC::DrawText(LPCWSTR text, int length, LPRECT rect, UINT format) { return ::DrawTextW(m_hDC, text, length, rect, format); }
int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
  return ::DrawTextW(m_hDC, text.GetString(), text.GetLength(), rect, format);
}
BOOL CDC::TextOut(int x, int y, const CString& text) { return ::TextOutW(m_hDC, x, y, text.GetString(), text.GetLength()); }
void CDC::FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr); }
void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(m_hDC, rect, brush);
  ::DeleteObject(brush);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  RECT rect{x, y, x + cx, y + cy};
  FillSolidRect(&rect, color);
}
void CDC::FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr); }
void CDC::DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
BOOL CDC::Rectangle(LPCRECT rect) { return rect ? ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom) : FALSE; }
CPoint CDC::MoveTo(int x, int y) {
  POINT old;
  ::MoveToEx(m_hDC, x, y, &old);
  return CPoint(old);
}
CPoint CDC::MoveTo(POINT point) { return MoveTo(point.x, point.y); }
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::LineTo(POINT point) { return ::LineTo(m_hDC, point.x, point.y); }
BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, rop);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }

CClientDC::CClientDC(CWnd* window) : window_(window ? window->m_hWnd : nullptr) { m_hDC = ::GetDC(window_); }
CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(window_, Detach());
}

CWindowDC::CWindowDC(CWnd* window) : window_(window ? window->m_hWnd : nullptr) { m_hDC = ::GetWindowDC(window_); }
CWindowDC::~CWindowDC() {
  if (m_hDC) ::ReleaseDC(window_, Detach());
}

CPaintDC::CPaintDC(CWnd* window) : window_(window ? window->m_hWnd : nullptr) { m_hDC = ::BeginPaint(window_, &m_ps); }
CPaintDC::~CPaintDC() {
  if (m_hDC) {
    Detach();
    ::EndPaint(window_, &m_ps);
  }
}
