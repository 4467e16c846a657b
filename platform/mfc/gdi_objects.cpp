#include "platform/mfc/gdi_objects.h"

#include <map>
#include <memory>

#include "platform/mfc/wnd.h"

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

BOOL CFont::CreateFontIndirect(const LOGFONT* font) { return Attach(::CreateFontIndirectW(font)); }

int CFont::GetLogFont(LOGFONT* font) const { return ::GetObjectW(m_hObject, sizeof(LOGFONT), font); }
CFont* CFont::FromHandle(HFONT font) { return TempFor<CFont>(font); }

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }

BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
CPen* CPen::FromHandle(HPEN pen) { return TempFor<CPen>(pen); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}
CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return TempFor<CBitmap>(bitmap); }

// ---- CDC.

CDC::~CDC() {
  if (ownsDC_) DeleteDC();
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

CFont* CDC::SelectObject(CFont* font) {
  if (!font) return nullptr;
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject)));
}
CPen* CDC::SelectObject(CPen* pen) {
  if (!pen) return nullptr;
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject)));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!bitmap) return nullptr;
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)));
}
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(GetCurrentObject(m_hDC, OBJ_FONT))); }
int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }

CSize CDC::GetTextExtent(LPCWSTR text, int length) const {
  SIZE size;
  ::GetTextExtentPoint32W(m_hDC, text, length, &size);
  return CSize(size);
}
CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }
int CDC::DrawText(LPCWSTR text, int length, LPRECT rect, UINT format) {
  return ::DrawTextW(m_hDC, text, length, rect, format);
}
int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
  return ::DrawTextW(m_hDC, text.GetString(), text.GetLength(), rect, format);
}
void CDC::FillRect(LPCRECT rect, CBrush* brush) {
  ::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(brush->m_hObject) : nullptr);
}
void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(m_hDC, rect, brush);
  ::DeleteObject(brush);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  RECT rect{x, y, x + cx, y + cy};
  FillSolidRect(&rect, color);
}
void CDC::DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
CPoint CDC::MoveTo(int x, int y) {
  POINT old;
  ::MoveToEx(m_hDC, x, y, &old);
  return CPoint(old);
}
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }

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
