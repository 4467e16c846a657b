#include "platform/win/tooltip_model.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/win/control_model.h"

namespace StandIn {

namespace {

class TooltipModel : public ControlModel {
public:
  struct Tool {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT flags = 0;
    RECT rect;
    std::wstring text;
    bool callback = false;
  };

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  std::vector<Tool> tools;
  bool active = true;
  int maxWidth = -1;
  std::wstring shown;

private:
  Tool* Find(HWND window, UINT_PTR id) {
    for (Tool& t : tools)
      if (t.window == window && t.id == id) return &t;
    return nullptr;
  }
  bool Show(HWND tooltip, HWND window, UINT_PTR id);
};

bool TooltipModel::Show(HWND tooltip, HWND window, UINT_PTR id) {
  shown.clear();
  Tool* tool = Find(window, id);
  if (!tool || !active) return false;
  if (!tool->callback) {
    shown = tool->text;
    return !shown.empty();
  }
  NMTTDISPINFOW info;
  info.hdr.hwndFrom = tooltip;
  info.hdr.idFrom = id;
  info.hdr.code = TTN_NEEDTEXTW;
  info.lParam = 0;
  SendMessageW(window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
  if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW && info.lpszText != info.szText &&
      !IS_INTRESOURCE(info.lpszText))
    shown = info.lpszText;
  else shown.assign(info.szText, wcsnlen(info.szText, 80));
  return !shown.empty();
}

LRESULT TooltipModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  auto* info = reinterpret_cast<TOOLINFOW*>(lParam);
  switch (message) {
    case TTM_ADDTOOLW: {
      if (!info) return FALSE;
      Tool tool;
      tool.window = info->hwnd;
      tool.id = info->uId;
      tool.flags = info->uFlags;
      tool.rect = info->rect;
      tool.callback = info->lpszText == LPSTR_TEXTCALLBACKW;
      if (!tool.callback && info->lpszText && !IS_INTRESOURCE(info->lpszText)) tool.text = info->lpszText;
      tools.erase(std::remove_if(tools.begin(), tools.end(),
                                 [&](const Tool& t) { return t.window == tool.window && t.id == tool.id; }),
                  tools.end());
      tools.push_back(tool);
      return TRUE;
    }
    case TTM_DELTOOLW:
      if (info)
        tools.erase(std::remove_if(tools.begin(), tools.end(),
                                   [&](const Tool& t) { return t.window == info->hwnd && t.id == info->uId; }),
                    tools.end());
      return 0;
    case TTM_ACTIVATE:
      active = wParam != 0;
      if (!active) shown.clear();
      return 0;
    case TTM_SETMAXTIPWIDTH: {
      int old = maxWidth;
      maxWidth = static_cast<int>(lParam);
      return old;
    }
    case TTM_POP: shown.clear(); return 0;
    case TTM_STANDIN_SHOW: return Show(window, reinterpret_cast<HWND>(lParam), static_cast<UINT_PTR>(wParam));
    default: handled = false; return 0;
  }
}

std::unique_ptr<ControlModel> MakeTooltip(HWND, const CREATESTRUCTW&) { return std::make_unique<TooltipModel>(); }

}  // namespace

std::wstring TooltipTextOf(HWND tooltip) {
  auto* model = ModelAs<TooltipModel>(tooltip);
  return model ? model->shown : std::wstring();
}
int TooltipMaxWidthOf(HWND tooltip) {
  auto* model = ModelAs<TooltipModel>(tooltip);
  return model ? model->maxWidth : -1;
}

void RegisterTooltipClass() { RegisterControlClass(TOOLTIPS_CLASSW, MakeTooltip); }

}  // namespace StandIn
