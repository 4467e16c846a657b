#include "platform/mfc/ole_drag_drop.h"

#include <cstring>

#include "platform/mfc/wnd.h"
#include "platform/win/clipboard.h"
#include "platform/win/input_driver.h"

namespace {
std::map<HWND, COleDropTarget*>& targets() {
  static std::map<HWND, COleDropTarget*> map;
  return map;
}

// The registered drop target under a screen point: the deepest window there or the
// nearest of its parents that is registered.
COleDropTarget* TargetAt(POINT screen, HWND& window) {
  for (HWND h = WindowFromPoint(screen); h; h = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr) {
    auto it = targets().find(h);
    if (it != targets().end()) {
      window = h;
      return it->second;
    }
  }
  window = nullptr;
  return nullptr;
}
}  // namespace

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const {
  if (!data_) return nullptr;
  auto it = data_->find(format);
  if (it == data_->end()) return nullptr;
  SIZE_T size = GlobalSize(it->second);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  void* to = GlobalLock(copy);
  void* from = GlobalLock(it->second);
  if (to && from && size) std::memcpy(to, from, size);
  GlobalUnlock(it->second);
  GlobalUnlock(copy);
  return copy;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }
SCODE COleDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (!(keyState & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
  return S_OK;
}

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL memory) {
  auto it = data_.find(format);
  if (it != data_.end() && it->second != memory) GlobalFree(it->second);
  data_[format] = memory;
}

void COleDataSource::Empty() {
  for (auto& [format, memory] : data_) GlobalFree(memory);
  data_.clear();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD allowedEffects, LPCRECT, COleDropSource* dropSource) {
  COleDropSource defaultSource;
  if (!dropSource) dropSource = &defaultSource;
  COleDataObject data;
  data.Attach(&data_);
  StandIn::DragContext context;
  context.source = GetCapture() ? GetCapture() : GetFocus();
  context.allowedEffects = allowedEffects;
  HWND currentWindow = nullptr;
  COleDropTarget* current = nullptr;
  DROPEFFECT effect = DROPEFFECT_NONE;
  for (;;) {
    StandIn::DragStep step = StandIn::CurrentInputDriver().NextDragStep(context);
    ++context.stepsTaken;
    if (step.kind == StandIn::DragStep::Cancel) {
      dropSource->QueryContinueDrag(TRUE, step.keyState);
      if (current && targets().count(currentWindow)) current->OnDragLeave(CWnd::FromHandle(currentWindow));
      return DROPEFFECT_NONE;
    }
    StandIn::SetMessagePos(step.screenPoint);
    HWND window = nullptr;
    COleDropTarget* target = TargetAt(step.screenPoint, window);
    POINT client = step.screenPoint;
    if (window) ScreenToClient(window, &client);
    DWORD keys = step.keyState | (step.kind == StandIn::DragStep::Move ? MK_LBUTTON : 0);
    if (target != current || window != currentWindow) {
      if (current && targets().count(currentWindow)) current->OnDragLeave(CWnd::FromHandle(currentWindow));
      current = target;
      currentWindow = window;
      effect = target ? target->OnDragEnter(CWnd::FromHandle(window), &data, keys, CPoint(client)) : DROPEFFECT_NONE;
    } else if (target) {
      effect = target->OnDragOver(CWnd::FromHandle(window), &data, keys, CPoint(client));
    }
    effect &= allowedEffects | DROPEFFECT_SCROLL;
    dropSource->GiveFeedback(effect & ~static_cast<DWORD>(DROPEFFECT_SCROLL));
    if (step.kind != StandIn::DragStep::Drop) continue;
    // The button is released where the hand is now.
    DROPEFFECT dropEffect = effect & ~static_cast<DWORD>(DROPEFFECT_SCROLL);
    if (!current || !targets().count(currentWindow)) return DROPEFFECT_NONE;
    if (!dropEffect) {
      current->OnDragLeave(CWnd::FromHandle(currentWindow));
      return DROPEFFECT_NONE;
    }
    return current->OnDrop(CWnd::FromHandle(currentWindow), &data, dropEffect, CPoint(client)) ? dropEffect
                                                                                               : DROPEFFECT_NONE;
  }
}

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* window) {
  if (!window || !window->m_hWnd || targets().count(window->m_hWnd)) return FALSE;
  targets()[window->m_hWnd] = this;
  return TRUE;
}

void COleDropTarget::Revoke() {
  for (auto it = targets().begin(); it != targets().end();) {
    if (it->second == this) it = targets().erase(it);
    else ++it;
  }
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
void COleDropTarget::OnDragLeave(CWnd*) {}

COleDropTarget* StandIn::DropTargetOf(HWND window) {
  auto it = targets().find(window);
  return it == targets().end() ? nullptr : it->second;
}
