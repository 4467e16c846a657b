// GridListCtrl: the grid the wizard pages show (object kinds, properties, preview). It adds
// a cell menu that checks or clears a whole check column, and a header menu that hides and
// shows columns while keeping the preview's column-inclusion flags in step; it also keeps how
// the user ordered the rows.
#pragma once
#include <vector>

#include "gridctrl/list_grid_ctrl.h"

class GridListCtrl : public CListGridCtrl {
public:
  GridListCtrl() = default;
  ~GridListCtrl() override;

  void OnHeaderContextMenu(CWnd* wnd, CPoint pt, int col) override;
  void OnCellContextMenu(CWnd* wnd, CPoint pt, int row, int col) override;
  bool SortByColumn(int col, bool ascending) override;
  bool MoveSelectedRowsTo(int row) override;

  // Checks or clears the column in every row: its cell images in cell mode (0 unchecked,
  // 1 checked), else the rows' item check boxes.
  void setColumnChecks(int col, bool cellMode, bool checked);

  // One flag per column of the shown rows; the header menu keeps a flag equal to its
  // column's shown state.
  std::vector<bool> includedColumns;
  bool headerMenuEnabled = false;
  // True when the check columns are cell images, false when they are item check boxes.
  bool cellCheckMode = false;

  // How the user ordered the rows: the sorts by column since rows were last moved by hand,
  // the latest first (a column once, with its latest direction; the earlier sorts order its
  // ties), and whether rows were moved by hand since the last sort.
  struct ColumnSort {
    int column;
    bool ascending;
  };
  std::vector<ColumnSort> rowSorts;
  bool rowsMovedByHand = false;
};
