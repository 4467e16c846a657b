// CImageList: owns an image list handle (destroyed with the object unless detached).
#pragma once
#include "platform/mfc/gdi_objects.h"
#include "platform/win/image_list.h"

class CImageList {
public:
  CImageList() = default;
  virtual ~CImageList();
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();
  BOOL DeleteImageList();
  int GetImageCount() const;
  int Add(CBitmap* image, COLORREF maskColor);
  int Add(HICON icon);
  BOOL GetImageInfo(int index, IMAGEINFO* info) const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  BOOL Draw(CDC* dc, int index, POINT point, UINT style);
  // A temporary wrapper for a handle (kept until the list is destroyed), null for null.
  static CImageList* FromHandle(HIMAGELIST list);
};
