#include "platform/mfc/image_list.h"

#include <map>
#include <memory>

namespace {
// Temporary wrappers made by FromHandle; they never destroy the list they wrap.
struct TempImageLists {
  std::map<HIMAGELIST, CImageList*> permanent;  // objects that created or attached their list
  std::map<HIMAGELIST, std::unique_ptr<CImageList>> lists;
  ~TempImageLists() {
    for (auto& [h, l] : lists) l->Detach();
  }
};
TempImageLists& temps() {
  static TempImageLists t;
  return t;
}
void ForgetTemp(HIMAGELIST list) {
  auto it = temps().lists.find(list);
  if (it == temps().lists.end()) return;
  it->second->Detach();
  temps().lists.erase(it);
}
}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (m_hImageList) return FALSE;
  return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Attach(HIMAGELIST list) {
  if (!list || m_hImageList) return FALSE;
  m_hImageList = list;
  temps().permanent[list] = this;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST list = m_hImageList;
  auto owner = temps().permanent.find(list);
  if (owner != temps().permanent.end() && owner->second == this) temps().permanent.erase(owner);
  m_hImageList = nullptr;
  return list;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  HIMAGELIST list = Detach();
  ForgetTemp(list);
  return ImageList_Destroy(list);
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
int CImageList::Add(CBitmap* image, COLORREF maskColor) {
  return ImageList_AddMasked(m_hImageList, image ? static_cast<HBITMAP>(image->m_hObject) : nullptr, maskColor);
}
int CImageList::Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const {
  return ImageList_GetImageInfo(m_hImageList, index, info);
}
COLORREF CImageList::SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style) {
  return ImageList_Draw(m_hImageList, index, dc ? dc->m_hDC : nullptr, point.x, point.y, style);
}

CImageList* CImageList::FromHandle(HIMAGELIST list) {
  if (!list) return nullptr;
  auto owner = temps().permanent.find(list);
  if (owner != temps().permanent.end()) return owner->second;
  auto it = temps().lists.find(list);
  if (it != temps().lists.end()) return it->second.get();
  auto wrapper = std::make_unique<CImageList>();
  wrapper->m_hImageList = list;
  CImageList* result = wrapper.get();
  temps().lists[list] = std::move(wrapper);
  return result;
}
