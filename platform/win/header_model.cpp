#include "platform/win/header_model.h"

#include <algorithm>
#include <cstdlib>

#include "platform/win/gdi.h"
#include "platform/win/system_info.h"

namespace StandIn {

namespace {
constexpr int kDividerZone = 4;

void CopyText(const std::wstring& text, LPWSTR buffer, int max) {
  if (!buffer || max <= 0 || buffer == LPSTR_TEXTCALLBACKW) return;
  int n = std::min<int>(static_cast<int>(text.size()), max - 1);
  std::wmemcpy(buffer, text.c_str(), static_cast<size_t>(n));
  buffer[n] = 0;
}
}  // namespace

int HeaderModel::Height() const {
  if (window_ && (GetWindowLongW(window_, GWL_STYLE) & HDS_HIDDEN)) return 0;
  return TextHeightOf(FontOf(font_)) + 8;
}

bool HeaderModel::ItemRect(int index, RECT& rect) const {
  if (index < 0 || index >= Count()) return false;
  int x = 0;
  for (int i : order_) {
    int w = items_[static_cast<size_t>(i)].width;
    if (i == index) {
      rect = RECT{x, 0, x + w, Height()};
      return true;
    }
    x += w;
  }
  return false;
}

int HeaderModel::HitTest(POINT point, UINT& flags) const {
  int height = Height();
  if (point.y < 0) {
    flags = HHT_ABOVE;
    return -1;
  }
  if (point.y >= height) {
    flags = HHT_BELOW;
    return -1;
  }
  if (point.x < 0) {
    flags = HHT_TOLEFT;
    return -1;
  }
  int x = 0, divider = -1, zeroDivider = -1, onItem = -1, bestDistance = kDividerZone + 1;
  for (int i : order_) {
    int w = items_[static_cast<size_t>(i)].width;
    int right = x + w;
    int distance = std::abs(point.x - right);
    if (distance <= kDividerZone) {
      if (w > 0 && distance <= bestDistance) {
        divider = i;
        bestDistance = distance;
      } else if (w == 0) {
        zeroDivider = i;
      }
    }
    if (point.x >= x && point.x < right) onItem = i;
    x = right;
  }
  if (divider >= 0) {
    flags = HHT_ONDIVIDER;
    return divider;
  }
  if (onItem >= 0) {
    flags = HHT_ONHEADER;
    return onItem;
  }
  if (zeroDivider >= 0) {
    flags = HHT_ONDIVOPEN;
    return zeroDivider;
  }
  flags = HHT_NOWHERE;
  return -1;
}

LRESULT HeaderModel::Notify(UINT code, int item, HDITEMW* changes, int button) {
  NMHEADERW nm;
  nm.iItem = item;
  nm.iButton = button;
  nm.pitem = changes;
  return SendNotify(window_, code, &nm.hdr);
}

LRESULT HeaderModel::Insert(int index, const HDITEMW* item) {
  if (!item) return -1;
  index = std::clamp(index, 0, Count());
  Item it;
  if (item->mask & HDI_WIDTH) it.width = std::max(0, item->cxy);
  if ((item->mask & HDI_TEXT) && item->pszText && item->pszText != LPSTR_TEXTCALLBACKW) it.text = item->pszText;
  if (item->mask & HDI_FORMAT) it.format = item->fmt;
  if (item->mask & HDI_LPARAM) it.data = item->lParam;
  if (item->mask & HDI_IMAGE) it.image = item->iImage;
  if (item->mask & HDI_BITMAP) it.bitmap = item->hbm;
  items_.insert(items_.begin() + index, it);
  for (int& o : order_)
    if (o >= index) ++o;
  int position = (item->mask & HDI_ORDER) ? item->iOrder : index;
  position = std::clamp(position, 0, static_cast<int>(order_.size()));
  order_.insert(order_.begin() + position, index);
  InvalidateRect(window_, nullptr, TRUE);
  return index;
}

bool HeaderModel::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  items_.erase(items_.begin() + index);
  order_.erase(std::remove(order_.begin(), order_.end(), index), order_.end());
  for (int& o : order_)
    if (o > index) --o;
  InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool HeaderModel::Get(int index, HDITEMW* item) const {
  if (!item || index < 0 || index >= Count()) return false;
  const Item& it = items_[static_cast<size_t>(index)];
  if (item->mask & HDI_WIDTH) item->cxy = it.width;
  if (item->mask & HDI_TEXT) CopyText(it.text, item->pszText, item->cchTextMax);
  if (item->mask & HDI_FORMAT) item->fmt = it.format;
  if (item->mask & HDI_LPARAM) item->lParam = it.data;
  if (item->mask & HDI_IMAGE) item->iImage = it.image;
  if (item->mask & HDI_BITMAP) item->hbm = it.bitmap;
  if (item->mask & HDI_ORDER)
    item->iOrder = static_cast<int>(std::find(order_.begin(), order_.end(), index) - order_.begin());
  return true;
}

void HeaderModel::MoveToOrder(int index, int position) {
  position = std::clamp(position, 0, Count() - 1);
  order_.erase(std::remove(order_.begin(), order_.end(), index), order_.end());
  order_.insert(order_.begin() + position, index);
}

bool HeaderModel::Set(int index, const HDITEMW* item) {
  if (!item || index < 0 || index >= Count()) return false;
  HDITEMW change = *item;
  if (Notify(HDN_ITEMCHANGINGW, index, &change)) return false;
  if (index >= Count()) return false;  // the handler deleted the item
  Item& it = items_[static_cast<size_t>(index)];
  if (change.mask & HDI_WIDTH) it.width = std::max(0, change.cxy);
  if ((change.mask & HDI_TEXT) && change.pszText != LPSTR_TEXTCALLBACKW)
    it.text = change.pszText ? change.pszText : L"";
  if (change.mask & HDI_FORMAT) it.format = change.fmt;
  if (change.mask & HDI_LPARAM) it.data = change.lParam;
  if (change.mask & HDI_IMAGE) it.image = change.iImage;
  if (change.mask & HDI_BITMAP) it.bitmap = change.hbm;
  if (change.mask & HDI_ORDER) MoveToOrder(index, change.iOrder);
  Notify(HDN_ITEMCHANGEDW, index, &change);
  InvalidateRect(window_, nullptr, TRUE);
  if (change.mask & (HDI_WIDTH | HDI_ORDER)) InvalidateRect(GetParent(window_), nullptr, TRUE);
  return true;
}

bool HeaderModel::SetOrder(int count, const int* order) {
  if (!order || count != Count()) return false;
  std::vector<int> next(order, order + count);
  std::vector<int> sorted = next;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < count; ++i)
    if (sorted[static_cast<size_t>(i)] != i) return false;  // not a permutation
  order_ = next;
  InvalidateRect(window_, nullptr, TRUE);
  InvalidateRect(GetParent(window_), nullptr, TRUE);
  return true;
}

void HeaderModel::OnButtonDown(POINT point) {
  UINT flags = 0;
  int index = HitTest(point, flags);
  press_ = Press::None;
  if (index < 0) return;
  pressed_ = index;
  pressPoint_ = point;
  if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
    HDITEMW begin;
    begin.mask = HDI_WIDTH;
    begin.cxy = items_[static_cast<size_t>(index)].width;
    if (Notify(HDN_BEGINTRACKW, index, &begin) || index >= Count()) return;  // refused
    press_ = Press::Tracking;
    pressWidth_ = items_[static_cast<size_t>(index)].width;
  } else {
    press_ = Press::Clicking;
  }
  SetCapture(window_);
}

void HeaderModel::OnMouseMove(POINT point) {
  if (pressed_ >= Count()) press_ = Press::None;
  if (press_ == Press::Tracking) {
    HDITEMW track;
    track.mask = HDI_WIDTH;
    track.cxy = std::max(0, pressWidth_ + static_cast<int>(point.x - pressPoint_.x));
    Notify(HDN_TRACKW, pressed_, &track);
  } else if (press_ == Press::Clicking && (GetWindowLongW(window_, GWL_STYLE) & HDS_DRAGDROP) &&
             std::abs(point.x - pressPoint_.x) > GetSystemMetrics(SM_CXDRAG)) {
    press_ = Notify(HDN_BEGINDRAG, pressed_, nullptr) ? Press::Refused : Press::Dragging;
  }
}

void HeaderModel::OnButtonUp(POINT point) {
  Press press = press_;
  int index = pressed_;
  press_ = Press::None;
  pressed_ = -1;
  if (GetCapture() == window_) ReleaseCapture();
  if (index < 0 || index >= Count()) return;
  if (press == Press::Tracking) {
    HDITEMW end;
    end.mask = HDI_WIDTH;
    end.cxy = std::max(0, pressWidth_ + static_cast<int>(point.x - pressPoint_.x));
    Notify(HDN_ENDTRACKW, index, &end);
    HDITEMW set;
    set.mask = HDI_WIDTH;
    set.cxy = end.cxy;
    if (index < Count()) Set(index, &set);
  } else if (press == Press::Dragging) {
    int position = 0, x = 0;
    for (size_t p = 0; p < order_.size(); ++p) {
      x += items_[static_cast<size_t>(order_[p])].width;
      position = static_cast<int>(p);
      if (point.x < x) break;
    }
    if (point.x < 0) position = 0;
    HDITEMW drop;
    drop.mask = HDI_ORDER;
    drop.iOrder = position;
    if (!Notify(HDN_ENDDRAG, index, &drop) && index < Count()) {
      MoveToOrder(index, drop.iOrder);
      InvalidateRect(window_, nullptr, TRUE);
      InvalidateRect(GetParent(window_), nullptr, TRUE);
    }
  } else if (press == Press::Clicking) {
    Notify(HDN_ITEMCLICKW, index, nullptr);
  }
}

void HeaderModel::OnDoubleClick(POINT point) {
  UINT flags = 0;
  int index = HitTest(point, flags);
  if (index < 0) return;
  if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) Notify(HDN_DIVIDERDBLCLICKW, index, nullptr);
  else Notify(HDN_ITEMDBLCLICKW, index, nullptr);
}

LRESULT HeaderModel::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  window_ = window;
  handled = true;
  switch (message) {
    case HDM_GETITEMCOUNT: return Count();
    case HDM_INSERTITEMW: return Insert(static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_DELETEITEM: return Delete(static_cast<int>(wParam));
    case HDM_GETITEMW: return Get(static_cast<int>(wParam), reinterpret_cast<HDITEMW*>(lParam));
    case HDM_SETITEMW: return Set(static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      return rect && ItemRect(static_cast<int>(wParam), *rect);
    }
    case HDM_HITTEST: {
      auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
      if (!info) return -1;
      info->iItem = HitTest(info->pt, info->flags);
      return info->iItem;
    }
    case HDM_ORDERTOINDEX: {
      int position = static_cast<int>(wParam);
      return position >= 0 && position < static_cast<int>(order_.size()) ? order_[static_cast<size_t>(position)]
                                                                         : position;
    }
    case HDM_GETORDERARRAY: {
      auto* out = reinterpret_cast<int*>(lParam);
      if (!out || static_cast<int>(wParam) != Count()) return FALSE;
      std::copy(order_.begin(), order_.end(), out);
      return TRUE;
    }
    case HDM_SETORDERARRAY: return SetOrder(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN: OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSEMOVE: OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP: OnButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_CAPTURECHANGED: press_ = Press::None; return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_RBUTTONUP: {
      NMHDR nm;
      SendNotify(window, NM_RCLICK, &nm);
      handled = false;  // the default procedure raises WM_CONTEXTMENU
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      HGDIOBJ oldFont = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
      for (int i : order_) {
        RECT r;
        ItemRect(i, r);
        const Item& it = items_[static_cast<size_t>(i)];
        UINT align = (it.format & HDF_RIGHT) ? DT_RIGHT : (it.format & HDF_CENTER) ? DT_CENTER : DT_LEFT;
        DrawTextW(dc, it.text.c_str(), -1, &r, align | DT_SINGLELINE | DT_VCENTER);
      }
      SelectObject(dc, oldFont);
      EndPaint(window, &ps);
      return 0;
    }
    default: handled = false; return 0;
  }
}

namespace {
std::unique_ptr<ControlModel> MakeHeader(HWND, const CREATESTRUCTW&) { return std::make_unique<HeaderModel>(); }
}  // namespace

void RegisterHeaderClass() { RegisterControlClass(WC_HEADERW, MakeHeader); }

}  // namespace StandIn
