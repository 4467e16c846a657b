// Image lists: a size, a count of images and a background colour. An image keeps the size
// and a short description of where it came from; nothing is rasterised.
#pragma once
#include "platform/win/window_types.h"

#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLOR16 0x00000010
#define ILD_NORMAL 0x00000000

struct IMAGEINFO {
  HBITMAP hbmImage = nullptr;
  HBITMAP hbmMask = nullptr;
  int Unused1 = 0;
  int Unused2 = 0;
  RECT rcImage;
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);  // index -1 appends
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);  // recorded
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
