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
  operator HGDIOBJ() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();  // deletes the held object; false when there is none
  int GetObject(int size, LPVOID buffer) const;
  // A temporary wrapper for a handle (kept until the handle is deleted), null for null.
  static CGdiObject* FromHandle(HGDIOBJ object);
};

class CFont : public CGdiObject {
public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  BOOL CreateFontIndirect(const LOGFONT* font);
  BOOL CreatePointFont(int pointSizeTimesTen, LPCWSTR faceName, CDC* dc = nullptr);
  int GetLogFont(LOGFONT* font) const;
  static CFont* FromHandle(HFONT font);
};

class CBrush : public CGdiObject {
public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  BOOL CreateSolidBrush(COLORREF color);
  BOOL CreateSysColorBrush(int index);
  static CBrush* FromHandle(HBRUSH brush);
};

class CPen : public CGdiObject {
public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  BOOL CreatePen(int style, int width, COLORREF color);
  static CPen* FromHandle(HPEN pen);
};

class CBitmap : public CGdiObject {
public:
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  int GetBitmap(BITMAP* info) const;
  CSize GetBitmapDimension() const;
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
  operator HDC() const { return m_hDC; }
  BOOL Attach(HDC dc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  // A temporary wrapper for a handle (kept until the DC is released), null for null.
  static CDC* FromHandle(HDC dc);
  static void DeleteTempHandle(HDC dc);

  CGdiObject* SelectObject(CGdiObject* object);
  CFont* SelectObject(CFont* font);
  CBrush* SelectObject(CBrush* brush);
  CPen* SelectObject(CPen* pen);
  CBitmap* SelectObject(CBitmap* bitmap);
  HGDIOBJ SelectObject(HGDIOBJ object);
  CGdiObject* SelectStockObject(int index);
  CFont* GetCurrentFont() const;
  int SaveDC();
  BOOL RestoreDC(int saved);
  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  int SetBkMode(int mode);

  CSize GetTextExtent(LPCWSTR text, int length) const;
  CSize GetTextExtent(const CString& text) const;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const;
  int DrawText(LPCWSTR text, int length, LPRECT rect, UINT format);
  int DrawText(const CString& text, LPRECT rect, UINT format);
  BOOL TextOut(int x, int y, const CString& text);
  void FillRect(LPCRECT rect, CBrush* brush);
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FrameRect(LPCRECT rect, CBrush* brush);
  void DrawFocusRect(LPCRECT rect);
  BOOL Rectangle(LPCRECT rect);
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point);
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point);
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop);
  COLORREF SetPixel(int x, int y, COLORREF color);

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
