#include "platform/win/image_list.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win/gdi.h"
#include "platform/win/handle_table.h"

namespace StandIn {
void RecordImageDraw(HDC dc, int image, const RECT& rect, COLORREF background);
}

using namespace StandIn;

struct ImageListObject {};  // handles only; the state lives in the table below

namespace {

struct ImageList {
  int cx = 16;
  int cy = 16;
  UINT flags = 0;
  int count = 0;
  COLORREF background = CLR_NONE;
};

HandleTable<ImageList>& lists() {
  static HandleTable<ImageList> table;
  return table;
}

ImageList* L(HIMAGELIST h) { return h ? lists().Find(h) : nullptr; }

int AddImages(HIMAGELIST list, HBITMAP image) {
  ImageList* l = L(list);
  if (!l) return -1;
  BITMAP info;
  if (!image || !GetObjectW(image, sizeof info, &info)) return -1;
  int added = std::max(1, static_cast<int>(info.bmWidth) / std::max(1, l->cx));
  int first = l->count;
  l->count += added;
  return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
  if (cx <= 0 || cy <= 0) return nullptr;
  auto list = std::make_unique<ImageList>();
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  return lists().Add<HIMAGELIST>(std::move(list), HandleKind::ImageList);
}

BOOL ImageList_Destroy(HIMAGELIST list) { return lists().Remove(list) ? TRUE : FALSE; }
int ImageList_GetImageCount(HIMAGELIST list) { return L(list) ? L(list)->count : 0; }
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count) {
  if (!L(list)) return FALSE;
  L(list)->count = static_cast<int>(count);
  return TRUE;
}
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF) { return AddImages(list, image); }

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
  ImageList* l = L(list);
  if (!l || !icon) return -1;
  if (index == -1) return l->count++;
  return index >= 0 && index < l->count ? index : -1;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  ImageList* l = L(list);
  if (!l) return FALSE;
  if (cx) *cx = l->cx;
  if (cy) *cy = l->cy;
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
  ImageList* l = L(list);
  if (!l) return CLR_NONE;
  COLORREF old = l->background;
  l->background = color;
  return old;
}
COLORREF ImageList_GetBkColor(HIMAGELIST list) { return L(list) ? L(list)->background : CLR_NONE; }

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT) {
  ImageList* l = L(list);
  if (!l || index < 0 || index >= l->count) return FALSE;
  RecordImageDraw(dc, index, RECT{x, y, x + l->cx, y + l->cy}, l->background);
  return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
  ImageList* l = L(list);
  if (!l || !info || index < 0 || index >= l->count) return FALSE;
  *info = IMAGEINFO();
  info->rcImage = RECT{index * l->cx, 0, (index + 1) * l->cx, l->cy};
  return TRUE;
}
