// CPoint, CSize and CRect: the MFC value classes over POINT, SIZE and RECT.
#pragma once
#include "platform/win/window_types.h"

class CSize : public SIZE {
public:
  CSize(int x, int y) {
    cx = x;
    cy = y;
  }
  CSize(SIZE s) {
    cx = s.cx;
    cy = s.cy;
  }
  bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
};

class CPoint : public POINT {
public:
  CPoint(int px, int py) {
    x = px;
    y = py;
  }
  CPoint(POINT p) {
    x = p.x;
    y = p.y;
  }
  // A point packed into a DWORD or LPARAM: x in the low word, y in the high word (signed).
  explicit CPoint(DWORD packed) {
    x = (short)LOWORD(packed);
    y = (short)HIWORD(packed);
  }
  bool operator==(POINT p) const { return x == p.x && y == p.y; }
};

class CRect : public RECT {
public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  CRect(const RECT& r) {
    left = r.left;
    top = r.top;
    right = r.right;
    bottom = r.bottom;
  }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool EqualRect(const RECT* r) const {
    return r && left == r->left && top == r->top && right == r->right && bottom == r->bottom;
  }
  void InflateRect(int dx, int dy) {
    left -= dx;
    top -= dy;
    right += dx;
    bottom += dy;
  }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
  bool operator==(const RECT& r) const { return EqualRect(&r); }
};
