#include "wizard/page_support.h"

#include "extraction/extension_module.h"
#include "extraction/res_strings.h"
#include "platform/host/doc_manager.h"
#include "platform/win/resource_images.h"

void setPageTexts(CWnd& page, UINT titleId, std::initializer_list<std::pair<int, UINT>> texts) {
  page.SetWindowText(LoadResString(titleId));
  for (const auto& [control, text] : texts) {
    if (CWnd* item = page.GetDlgItem(control)) item->SetWindowText(LoadResString(text));
  }
}

CWnd* hostMainWindow() { return CWnd::FromHandle(vusw_ovisMainWnd()); }

HICON loadModuleIcon(UINT id) {
  return static_cast<HICON>(
      LoadImageW(extensionModule().instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_SHARED));
}
