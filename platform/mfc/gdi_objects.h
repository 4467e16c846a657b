// MFC drawing objects over the recording device context: CGdiObject and its fonts,
// brushes, pens and bitmaps; CDC with the client, window and paint DCs.
#pragma once
#include "platform/mfc/cstring.h"
#include "platform/mfc/point_rect.h"
#include "platform/win/gdi.h"

class CWnd;
class CDC;

class CGdiObject {
public:
  CGdiObject() = default;
  virtual ~CGdiObject();  // deletes the object it holds
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();  // deletes the held object; false when there is none
};

class CFont : public CGdiObject {
public:
  BOOL CreateFontIndirect(const LOGFONT* font);
  int GetLogFont(LOGFONT* font) const;
  static CFont* FromHandle(HFONT font);
};

class CBrush : public CGdiObject {
public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color);
};

class CPen : public CGdiObject {
public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color);
  static CPen* FromHandle(HPEN pen);
};

class CBitmap : public CGdiObject {
public:
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  static CBitmap* FromHandle(HBITMAP bitmap);
};

class CDC {
public:
  CDC() = default;
  virtual ~CDC();  // deletes a DC it created (CreateCompatibleDC)
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  // A temporary wrapper for a handle (kept until the DC is released), null for null.
  static CDC* FromHandle(HDC dc);

  CFont* SelectObject(CFont* font);
  CPen* SelectObject(CPen* pen);
  CBitmap* SelectObject(CBitmap* bitmap);
  CFont* GetCurrentFont() const;
  int SaveDC();
  BOOL RestoreDC(int saved);
  COLORREF SetTextColor(COLORREF color);
  COLORREF SetBkColor(COLORREF color);

  CSize GetTextExtent(LPCWSTR text, int length) const;
  CSize GetTextExtent(const CString& text) const;
  int DrawText(LPCWSTR text, int length, LPRECT rect, UINT format);
  int DrawText(const CString& text, LPRECT rect, UINT format);
  void FillRect(LPCRECT rect, CBrush* brush);
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void DrawFocusRect(LPCRECT rect);
  CPoint MoveTo(int x, int y);
  BOOL LineTo(int x, int y);

protected:
  bool ownsDC_ = false;
};

// The client area's DC of a window, released on destruction.
class CClientDC : public CDC {
public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

protected:
  HWND window_ = nullptr;
};

class CWindowDC : public CDC {
public:
  explicit CWindowDC(CWnd* window);
  ~CWindowDC() override;

protected:
  HWND window_ = nullptr;
};

// BeginPaint/EndPaint around a WM_PAINT handler.
class CPaintDC : public CDC {
public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

protected:
  HWND window_ = nullptr;
};
