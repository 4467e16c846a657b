#include "wizard/grid_list_ctrl.h"

#include "extraction/res_strings.h"
#include "res/resource_ids.h"

namespace {
constexpr UINT kSelectAllId = 1;
constexpr UINT kNoSelectionId = 2;

constexpr UINT kEditorItemId = 1;
constexpr UINT kChooserItemId = 2;
constexpr UINT kResetItemId = 3;
constexpr UINT kFirstColumnItemId = 4;
}  // namespace

GridListCtrl::~GridListCtrl() { includedColumns.clear(); }

void GridListCtrl::setColumnChecks(int col, bool cellMode, bool checked) {
  int count = GetItemCount();
  for (int row = 0; row < count; ++row) {
    if (cellMode) SetCellImageIndex(row, col, checked ? 1 : 0);
    else SetCheck(row, checked ? TRUE : FALSE);
  }
}

bool GridListCtrl::SortByColumn(int col, bool ascending) {
  if (!CListGridCtrl::SortByColumn(col, ascending)) return false;
  std::erase_if(rowSorts, [col](const ColumnSort& sort) { return sort.column == col; });
  rowSorts.insert(rowSorts.begin(), {col, ascending});
  rowsMovedByHand = false;
  return true;
}

bool GridListCtrl::MoveSelectedRowsTo(int row) {
  if (!CListGridCtrl::MoveSelectedRowsTo(row)) return false;
  rowSorts.clear();
  rowsMovedByHand = true;
  return true;
}

void GridListCtrl::OnCellContextMenu(CWnd*, CPoint pt, int row, int col) {
  int image = GetCellImageIndex(row, col);
  if (image == -1 && col != 1) return;
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, kSelectAllId, LoadResString(IDS_SELECT_ALL));
  menu.AppendMenu(MF_STRING, kNoSelectionId, LoadResString(IDS_NO_SELECTION));
  UINT id = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, pt.x, pt.y, this));
  if (id == kSelectAllId) setColumnChecks(col, cellCheckMode, /*checked=*/true);
  else if (id == kNoSelectionId) setColumnChecks(col, cellCheckMode, /*checked=*/false);
}

void GridListCtrl::OnHeaderContextMenu(CWnd*, CPoint pt, int col) {
  if (!headerMenuEnabled) return;
  CMenu menu;
  menu.CreatePopupMenu();
  CString title;
  if (QueryColumnEditorItem(col, title)) menu.AppendMenu(MF_STRING, kEditorItemId, title);
  if (QueryColumnChooserItem(title)) {
    menu.AppendMenu(MF_STRING, kChooserItemId, title);
  } else {
    if (menu.GetMenuItemCount() > 0) menu.AppendMenu(MF_SEPARATOR);
    BuildColumnChooserMenu(menu, kFirstColumnItemId);
  }
  const int columns = GetHeaderColumnCount();
  CSimpleArray<CString> profiles;
  int profileCount = BuildColumnProfileMenu(menu, static_cast<UINT>(columns + 5), profiles);
  if (QueryResetColumnsItem(title)) {
    if (profileCount == 0) menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, kResetItemId, title);
  }

  int id = static_cast<int>(menu.TrackPopupMenu(TPM_RETURNCMD, pt.x, pt.y, this));
  if (id <= 0) return;
  if (id == static_cast<int>(kEditorItemId)) {
    RunColumnEditor(col);
  } else if (id == static_cast<int>(kChooserItemId)) {
    RunColumnChooser();
  } else if (id == static_cast<int>(kResetItemId)) {
    RunResetColumns();
  } else if (id - static_cast<int>(kFirstColumnItemId) < columns) {
    int column = id - static_cast<int>(kFirstColumnItemId);
    SetColumnShown(column, !IsColumnShown(column));
    bool shown = IsColumnShown(column);
    if (static_cast<std::size_t>(column) >= includedColumns.size()) includedColumns.resize(column + 1, true);
    includedColumns[column] = shown;
  } else {
    int profile = id - 5 - columns;
    if (profile < profiles.GetSize()) SelectColumnProfile(profiles[profile]);
  }
}
