// The text column: cells in the column's own colours and font, compared as text ignoring
// case or as numbers. Every column inserted without a trait gets one.
#pragma once
#include "gridctrl/column_trait.h"
#include "gridctrl/custom_draw_font.h"

class CColumnTraitText : public CColumnTrait {
public:
  CColumnTraitText() = default;

  void OnCellCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result) override;
  int CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) override;
  int CompareItems(const LVITEM& a, const LVITEM& b, bool ascending) override;
  bool MakeSortKey(const LVITEM& item, CellSortKey& key) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;

  virtual bool QueryCellTextFont(NMLVCUSTOMDRAW* draw, LOGFONT& font);
  virtual bool QueryCellTextColor(NMLVCUSTOMDRAW* draw, COLORREF& color);
  virtual bool QueryCellBackColor(NMLVCUSTOMDRAW* draw, COLORREF& color);
  virtual int MeasureRowTextHeight(CListGridCtrl& owner);
  virtual CRect GetCellEditArea(CListGridCtrl& owner, int row, int col);

  void SetSortNumeric(bool numeric) { sortNumeric = numeric; }
  // The index of the row kept last when sorting; -1 keeps none. The grid sets it when a
  // sort starts: its last row while it ends with a totals row, else -1.
  void SetLastRow(int row) { lastRow = row; }
  void PinTotalsRowOf(CListGridCtrl& owner);
  int GetLastRow() const { return lastRow; }

protected:
  // The rule shared with the image column: numbers three-way, texts ignoring case.
  int CompareCellTexts(const wchar_t* a, const wchar_t* b, bool ascending) const;
  // A text's key by that rule (not the totals row's place).
  CellSortKey SortKeyOf(const wchar_t* text) const;
  // The item is the row kept last.
  bool IsPinned(const LVITEM& item) const { return lastRow >= 0 && item.iItem == lastRow; }
  // The column's header format (HDF_ flags); 0 when the header cannot say.
  static int HeaderFormatOf(CListGridCtrl& owner, int col);

  CCustomDrawFont drawFont;  // the font of the cell being drawn
  COLORREF savedTextColor = static_cast<COLORREF>(-1);
  COLORREF savedBackColor = static_cast<COLORREF>(-1);
  COLORREF textColor = static_cast<COLORREF>(-1);
  COLORREF backColor = static_cast<COLORREF>(-1);
  bool sortNumeric = false;
  int lastRow = -1;
};
