// The column trait: one per grid column. It holds the column's state (shown, widths, order,
// sort, edit and resize rules) and decides how the column's cells draw, compare, react to a
// click and open an in-place editor.
#pragma once
#include "platform/mfc/mfc.h"

class CListGridCtrl;
class CTraitVisitor;

struct ColumnState {
  bool shown = true;         // the column is visible
  int savedWidth = 0;        // width kept while hidden
  int savedPosition = -1;    // display position kept while hidden; -1 none
  bool fixedHidden = false;  // never shown, never offered in the column menu
  bool fixedShown = false;   // cannot be hidden
  bool sortable = true;      // a heading click sorts by the column
  bool editable = true;      // false locks every cell
  bool resizable = true;     // the user and the program may change the width
  int minWidth = -1;         // smallest width a resize may give; -1 none
  int maxWidth = -1;         // largest width a resize may give; -1 none
  int metaFlags = 0;         // free flags of the column
};

// One cell as a sort compares it, made once per row before the sort (MakeSortKey), so that
// comparing two rows reads and parses no cell again.
struct CellSortKey {
  const wchar_t* text = L"";  // the cell's text, not owned; compared ignoring case
  bool byValue = false;       // compared by `value`, the text's leading number, instead
  double value = 0;
  bool last = false;  // follows every other row in both directions (a totals row)
};

// Two cells' keys: a `last` key after the other, else by value three-way or by text
// ignoring case, in the direction asked.
int CompareSortKeys(const CellSortKey& a, const CellSortKey& b, bool ascending);

// What a click on a cell means to the grid.
enum CellClick { kClickNone = 0, kClickStartEdit = 1, kClickImage = 2 };

class CColumnTrait {
public:
  CColumnTrait() = default;
  CColumnTrait(const CColumnTrait&) = delete;
  CColumnTrait& operator=(const CColumnTrait&) = delete;
  virtual ~CColumnTrait() = default;

  virtual void OnColumnAdded(CListGridCtrl& owner, int col);
  virtual void OnCellCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result);
  virtual int ClassifyClick(CListGridCtrl& owner, int row, int col, CPoint pt, bool dblClick);
  virtual CWnd* OpenEditor(CListGridCtrl& owner, int row, int col, CPoint pt);
  virtual CWnd* OpenEditor(CListGridCtrl& owner, int row, int col);
  virtual void OnEditorClosed();
  virtual int CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending);
  virtual int CompareItems(const LVITEM& a, const LVITEM& b, bool ascending);
  // The cell's key, when CompareSortKeys on two keys answers what CompareItems answers on
  // their cells; false (here) leaves a sort comparing the cells with CompareItems.
  virtual bool MakeSortKey(const LVITEM& item, CellSortKey& key);
  virtual void AcceptVisitor(CTraitVisitor& visitor);
  virtual bool IsCellLocked(CListGridCtrl& owner, int row, int col, CPoint pt);

  ColumnState& GetColumnState() { return state; }
  const ColumnState& GetColumnState() const { return state; }

protected:
  ColumnState state;
};
