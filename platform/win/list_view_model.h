// The list view's model (report view): items with their cells, states and item data,
// columns (their widths and display order live in the header child), image lists,
// extended styles, selection, focus, hot item and selection mark, scrolling, label
// editing, and the notifications a person's mouse and keyboard raise.
//
// Every state change (selection, focus, drop highlight, check box) sends LVN_ITEMCHANGING
// and LVN_ITEMCHANGED to the parent at once. Check boxes are state images 1 (empty) and 2
// (checked); turning LVS_EX_CHECKBOXES on creates the two-image state list and gives every
// item state image 1.
//
// Geometry (client coordinates):
//   header height  the header font's text height + 8 (21 with the default font), 0 with
//                  LVS_NOCOLUMNHEADER; the header window sits at x = -horizontal scroll;
//   row height     max(text height of the list font, icon height) + 4, where the icon
//                  height is the small (or state) image list's, 0 without image lists;
//   row r          top = header height + (r - top index) x row height;
//   columns        side by side in display order from x = -horizontal scroll;
//   column 0 cell  state icon (state list width), then icon (small list width), then label;
//   other cells    icon at the left (small list width, with LVS_EX_SUBITEMIMAGES), the label
//                  rectangle is the whole cell.
// LVM_SCROLL moves whole rows vertically (dy rounded away from zero to rows) and pixels
// horizontally. Automatic widths are the widest text plus 12 pixels (plus icons).
//
// Groups (common controls 6 only; older versions leave the group messages unanswered):
// with group view on, the list shows, group after group in their order, a header line
// (one row tall, as wide as the client area; the header text from x = 4, the task link
// right-aligned 8 pixels from the right edge) and, unless the group is collapsed, the
// group's items in index order. Items of no group are not shown. Scrolling and the top
// index count these lines; the vertical scroll bar counts their pixels. A click on a group header sends LVN_LINKCLICK
// when it hits the task link, else toggles a collapsible group; LVM_SUBITEMHITTEST and LVM_HITTEST answer
// LVHT_EX_GROUP_HEADER with the group id in iGroup. An empty list asks its parent for a
// text with LVN_GETEMPTYMARKUP while painting and draws the answer.
#pragma once
#include <string>
#include <vector>

#include "platform/win/common_controls.h"
#include "platform/win/control_model.h"

// Stand-in private message: the label editor ends (wParam TRUE to accept).
#define LVM_STANDIN_ENDLABELEDIT (LVM_FIRST + 0x3F0)
// Stand-in private message: the rectangle of group wParam's task link into (RECT*) lParam;
// FALSE when the group has no task or its header is not shown. For the input driver.
#define LVM_STANDIN_GETGROUPTASKRECT (LVM_FIRST + 0x3F1)

namespace StandIn {

class HeaderModel;

class ListViewModel : public ControlModel {
public:
  struct Cell {
    std::wstring text;
    bool textCallback = false;
    int image = -1;              // -1: no image
    bool imageCallback = false;  // set with I_IMAGECALLBACK: the parent supplies the image
  };
  struct Item {
    std::vector<Cell> cells;
    UINT state = 0;
    LPARAM param = 0;
    int indent = 0;
    int group = I_GROUPIDNONE;
  };
  struct Column {
    int format = LVCFMT_LEFT;
    int subItem = 0;
    int image = -1;
  };
  struct Group {
    int id = 0;
    std::wstring header, footer, subtitle, task, descriptionTop, descriptionBottom;
    UINT state = LVGS_NORMAL;
    UINT align = 0;
    int titleImage = -1;
  };
  // One line of the report: an item (row), or the header of groups_[group] (row -1).
  struct Line {
    int row = -1;
    int group = -1;
  };

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  int Count() const { return static_cast<int>(items_.size()); }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int RowHeight() const;
  int HeaderHeight() const;

private:
  DWORD Style() const;
  bool OwnerData() const { return (Style() & LVS_OWNERDATA) != 0; }
  HeaderModel* HeaderData() const;
  std::vector<int> DisplayOrder() const;
  int ColumnWidth(int col) const;
  int ColumnLeft(int col) const;  // content coordinates
  int TotalWidth() const;
  int ClientWidth() const;
  int ClientHeight() const;
  int CountPerPage() const;
  int IconWidth(int list) const;
  bool CellParts(int row, int col, RECT& bounds, RECT& stateIcon, RECT& icon, RECT& label) const;
  bool ItemRect(int row, int part, RECT& rect) const;
  bool SubItemRect(int row, int col, int part, RECT& rect) const;
  int SubItemHitTest(LVHITTESTINFO& info) const;
  void Layout();

  // Lines of the report (list_view_groups.cpp): without group view one per item.
  bool GroupView() const { return groupView_; }
  std::vector<Line> Lines() const;
  int LineCount() const;
  int LineOfRow(int row) const;  // -1: the item is not shown
  Line LineAt(int line) const;
  int LineTop(int line) const { return HeaderHeight() + (line - top_) * RowHeight(); }
  // The next shown item above or below a row, in the report's order.
  int NeighbourRow(int row, bool above, UINT want) const;
  LRESULT HandleGroupMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  int FindGroup(int id) const;  // index in groups_, -1 none
  bool GroupsAvailable() const;
  int InsertGroup(int index, const LVGROUP* group);
  int SetGroupInfo(int id, const LVGROUP* group);
  int GetGroupInfo(int id, LVGROUP* group) const;
  int RemoveGroup(int id);
  void RemoveAllGroups();
  int EnableGroupView(bool enable);
  bool SortGroups(PFNLVGROUPCOMPARE compare, void* data);
  bool GroupRect(int id, int part, RECT& rect) const;
  bool GroupTaskRect(int id, RECT& rect) const;
  void OnGroupHeaderClick(int groupIndex, POINT point);
  void PaintGroupHeader(HDC dc, int line, const Group& group);
  void PaintEmptyMarkup(HDC dc, const RECT& client);

  LRESULT Notify(UINT code, NMHDR* header) const;
  LRESULT NotifyListView(UINT code, int row, int col, UINT oldState = 0, UINT newState = 0, UINT changed = 0,
                         POINT action = POINT());
  bool ChangeState(int row, UINT state, UINT mask);
  bool SetState(int row, UINT state, UINT mask);
  void SelectOnly(int row);
  void SelectRange(int from, int to);
  void FocusRow(int row);
  int FocusedRow() const;
  void ToggleCheck(int row);

  int InsertItem(const LVITEMW* item);
  bool DeleteItem(int row);
  bool DeleteAllItems();
  bool GetItem(LVITEMW* item);
  bool SetItem(const LVITEMW* item);
  std::wstring CellText(int row, int col);
  int CellImage(int row, int col);
  int InsertColumn(int col, const LVCOLUMNW* column);
  bool DeleteColumn(int col);
  bool GetColumn(int col, LVCOLUMNW* column) const;
  bool SetColumn(int col, const LVCOLUMNW* column);
  bool SetColumnWidth(int col, int width);
  bool SortItems(PFNLVCOMPARE compare, LPARAM data, bool byIndex);
  bool EnsureVisible(int row, bool partialOk);
  bool Scroll(int dx, int dy);
  int FindItem(int start, const LVFINDINFOW* find);
  DWORD SetExtendedStyle(DWORD mask, DWORD style);
  HWND EditLabel(int row);
  void EndLabelEdit(bool accept);

  void OnButtonDown(POINT point, bool right);
  void OnDoubleClick(POINT point);
  void OnKeyDown(UINT key);
  void OnChar(wchar_t ch);
  void Paint();

  HWND window_ = nullptr;
  HWND header_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND editor_ = nullptr;
  int editRow_ = -1;
  std::vector<Item> items_;
  std::vector<Column> columns_;
  std::vector<Group> groups_;  // in the order they are shown
  bool groupView_ = false;
  DWORD exStyle_ = 0;
  HIMAGELIST images_[3] = {nullptr, nullptr, nullptr};
  HIMAGELIST ownedStateImages_ = nullptr;
  HFONT font_ = nullptr;
  COLORREF backColor_ = 0xFFFFFF;
  COLORREF textColor_ = 0;
  COLORREF textBackColor_ = CLR_DEFAULT;
  int top_ = 0;
  int scrollX_ = 0;
  int mark_ = -1;
  int hot_ = -1;
  std::wstring search_;
  ULONGLONG searchTime_ = 0;
};

}  // namespace StandIn
