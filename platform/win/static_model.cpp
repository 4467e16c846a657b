// The static control's model: texts need nothing beyond the window text; pictures keep
// the image they show, and delete an image they loaded themselves from the template.
#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"
#include "platform/win/dialog_controls.h"
#include "platform/win/gdi.h"
#include "platform/win/resource_images.h"

namespace StandIn {

namespace {

class StaticModel : public ControlModel {
public:
  StaticModel(HWND window, const CREATESTRUCTW& create);
  ~StaticModel() override;
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
  HANDLE image_ = nullptr;
  UINT imageType_ = IMAGE_BITMAP;
  bool ownsImage_ = false;
  HFONT font_ = nullptr;
};

// "#109" names resource 109; 0 for any other text.
UINT ResourceIdOf(LPCWSTR text) {
  if (!text || text[0] != L'#') return 0;
  UINT id = 0;
  for (const wchar_t* p = text + 1; *p; ++p) {
    if (*p < L'0' || *p > L'9' || id > 0xFFFF) return 0;
    id = id * 10 + static_cast<UINT>(*p - L'0');
  }
  return id <= 0xFFFF ? id : 0;
}

StaticModel::StaticModel(HWND, const CREATESTRUCTW& create) {
  DWORD kind = static_cast<DWORD>(create.style) & SS_TYPEMASK;
  UINT id = ResourceIdOf(create.lpszName);
  if (!id || (kind != SS_BITMAP && kind != SS_ICON)) return;
  if (kind == SS_BITMAP) {
    image_ = LoadBitmapW(create.hInstance, MAKEINTRESOURCEW(id));
    imageType_ = IMAGE_BITMAP;
  } else {
    image_ = LoadImageW(create.hInstance, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    imageType_ = IMAGE_ICON;
  }
  ownsImage_ = image_ != nullptr;
}

StaticModel::~StaticModel() {
  if (!ownsImage_ || !image_) return;
  if (imageType_ == IMAGE_BITMAP) DeleteObject(image_);
  else DestroyIcon(static_cast<HICON>(image_));
}

LRESULT StaticModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case STM_GETIMAGE: return wParam == imageType_ ? reinterpret_cast<LRESULT>(image_) : 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETFONT: font_ = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if ((GetWindowLongW(window, GWL_STYLE) & SS_NOTIFY) && message == WM_LBUTTONUP)
        SendCommandNotify(window, 0);  // STN_CLICKED
      return 0;
    default: handled = false; return 0;
  }
}

std::unique_ptr<ControlModel> MakeStatic(HWND window, const CREATESTRUCTW& create) {
  return std::make_unique<StaticModel>(window, create);
}

}  // namespace

void RegisterStaticClass() { RegisterControlClass(WC_STATICW, MakeStatic); }

}  // namespace StandIn
