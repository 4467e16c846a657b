// The header control's model: items with text, format, width, image, bitmap and item
// data, the display order, and the HDN_ notifications to the parent. Width changes made
// through HDM_SETITEM (by a person or by the program) go through HDN_ITEMCHANGING, whose
// handler may change the width in the notification's item or refuse the change.
//
// Geometry: the header is as high as its font's text plus 8 pixels (21 with the default
// font); items lie side by side in display order from x = 0; a divider zone reaches 4
// pixels to either side of an item's right edge.
#pragma once
#include <string>
#include <vector>

#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"

namespace StandIn {

class HeaderModel : public ControlModel {
public:
  struct Item {
    int width = 0;
    std::wstring text;
    int format = HDF_LEFT | HDF_STRING;
    LPARAM data = 0;
    int image = -1;
    HBITMAP bitmap = nullptr;
  };

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  int Count() const { return static_cast<int>(items_.size()); }
  const Item& ItemAt(int index) const { return items_.at(static_cast<size_t>(index)); }
  const std::vector<int>& Order() const { return order_; }
  int Height() const;
  // The item's rectangle in header coordinates; false for a bad index.
  bool ItemRect(int index, RECT& rect) const;
  int HitTest(POINT point, UINT& flags) const;
  HFONT Font() const { return font_; }

private:
  LRESULT Insert(int index, const HDITEMW* item);
  bool Delete(int index);
  bool Get(int index, HDITEMW* item) const;
  bool Set(int index, const HDITEMW* item);
  bool SetOrder(int count, const int* order);
  void MoveToOrder(int index, int position);
  LRESULT Notify(UINT code, int item, HDITEMW* changes, int button = 0);
  void OnButtonDown(POINT point);
  void OnMouseMove(POINT point);
  void OnButtonUp(POINT point);
  void OnDoubleClick(POINT point);

  HWND window_ = nullptr;
  std::vector<Item> items_;
  std::vector<int> order_;
  HFONT font_ = nullptr;
  // What the left button is doing between its down and up messages (the header holds
  // the mouse capture meanwhile).
  enum class Press { None, Tracking, Clicking, Dragging, Refused } press_ = Press::None;
  int pressed_ = -1;
  POINT pressPoint_;
  int pressWidth_ = 0;
};

}  // namespace StandIn
