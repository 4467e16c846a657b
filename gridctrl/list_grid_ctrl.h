// CListGridCtrl: the list view in report view turned into a cell grid. Every header column
// owns a column trait; one row trait draws every row. On top of the list the grid keeps a
// focus column, edits cells in place, sorts by column, hides and shows columns from the
// header menu, copies its selection as text, moves rows by drag and drop and keeps its
// column layout in an optional settings store.
#pragma once
#include <memory>
#include <vector>

#include "platform/mfc/mfc.h"

#include "gridctrl/column_trait.h"
#include "gridctrl/row_trait.h"

class CViewSettingsSection;
template <typename T>
class COleDropTargetWnd;

class CListGridCtrl : public CListCtrl {
public:
  CListGridCtrl();
  ~CListGridCtrl() override;

  void PreSubclassWindow() override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

  virtual CFont* GetGridCellFont();
  virtual void SetRowSpacing(double factor);
  virtual CRowTrait* GetRowTraitOf(int row);
  virtual void ReplaceDefaultRowTrait(CRowTrait* trait);
  virtual bool ScrollColumnIntoView(int col, bool partlyVisibleIsEnough);
  virtual bool AutoFitColumnWidth(int col, bool includeHeader);
  virtual void ShowSortIndicator(int col, bool ascending);
  virtual bool SetColumnShown(int col, bool show);
  virtual bool IsColumnShown(int col);
  virtual bool IsColumnResizeAllowed(int col);
  virtual bool IsColumnFixedShown(int col);
  virtual bool IsColumnFixedHidden(int col);
  virtual int GetFirstShownColumn();
  virtual int AddHiddenLeadColumn();
  virtual void PlaceColumnTrait(int col, CColumnTrait* trait);
  virtual int InsertTraitColumn(int col, const CString& heading, int format, int width, int subItem,
                                CColumnTrait* trait);
  virtual CColumnTrait* GetColumnTraitAt(int col);
  virtual int GetColumnTraitCount();
  virtual void SetFocusColumn(int col, bool redraw);
  virtual CWnd* StartCellEdit(int row, int col, CPoint pt);
  virtual CWnd* StartCellEdit(int row, int col);
  virtual CColumnTrait* GetCellTrait(int row, int col);
  virtual void AttachColumnStore(CViewSettingsSection* store, bool owns);
  virtual void RestoreColumnLayout(CViewSettingsSection& store);
  virtual void StoreColumnLayout(CViewSettingsSection& store);
  virtual void RestoreColumnWidth(int n, int col, CViewSettingsSection& store);
  virtual void StoreColumnWidth(int n, int col, CViewSettingsSection& store);
  virtual bool QueryColumnEditorItem(int col, CString& title);
  virtual void RunColumnEditor(int col);
  virtual bool QueryColumnChooserItem(CString& title);
  virtual void RunColumnChooser();
  virtual bool QueryResetColumnsItem(CString& title);
  virtual void RunResetColumns();
  virtual CString QueryColumnProfiles(CSimpleArray<CString>& names, CString& title);
  virtual void SelectColumnProfile(const CString& name);
  virtual void OnColumnShownChanged();
  virtual void OnColumnWidthChanged();
  virtual void OnFocusLostSave();
  virtual void FillDisplayItem(LVITEM& item);
  virtual bool QueryCellText(int row, int col, CString& text);
  virtual bool QueryCellImage(int row, int col, int& image);
  virtual bool QueryCellTooltip(int row, int col, CString& text);
  virtual bool QueryTooltipAllowed(CPoint pt);
  virtual bool QueryCellColors(int row, int col, COLORREF& text, COLORREF& back);
  virtual bool QueryCellColors(NMLVCUSTOMDRAW* draw);
  virtual bool QueryCellFont(int row, int col, LOGFONT& font);
  virtual bool QueryCellFont(NMLVCUSTOMDRAW* draw, LOGFONT& font);
  virtual bool QueryRowColors(int row, COLORREF& text, COLORREF& back);
  virtual bool QueryRowFont(int row, LOGFONT& font);
  virtual void SetDropHighlightRow(int row);
  virtual bool GetCellCopyText(int row, int col, CString& text);
  virtual bool GetRowCopyText(int row, CString& text);
  virtual bool GetSelectionCopyText(CString& text, bool withHeading);
  virtual bool GetDragText(CString& text);
  virtual bool QueryVirtualRowChecked(int row);
  virtual void OnVirtualRowCheckToggled(int row, bool check);
  virtual int FindRowByPrefix(int col, int startRow, const CString& prefix);
  virtual void DestroyColumnTrait(int col);
  virtual void StepFocusColumn(bool forward);
  virtual bool SortByColumn(int col, bool ascending);
  virtual bool EnableDropTarget();
  virtual DROPEFFECT PrepareDragData(COleDataSource& source, COleDropSource& dropSource, DROPEFFECT allowed,
                                     const RECT* startRect);
  virtual DROPEFFECT HandleDragEnter(COleDataObject* data, DWORD keyState, CPoint pt);
  virtual DROPEFFECT HandleDragOver(COleDataObject* data, DWORD keyState, CPoint pt);
  virtual SCODE HandleGiveFeedback(DROPEFFECT effect);
  virtual void HandleDragLeave();
  virtual bool HandleDrop(COleDataObject* data, DROPEFFECT effect, CPoint pt);
  virtual bool HandleInternalDrop(COleDataObject* data, DROPEFFECT effect, CPoint pt);
  virtual bool HandleExternalDrop(COleDataObject* data, DROPEFFECT effect, CPoint pt);
  virtual bool MoveSelectedRowsTo(int row);
  virtual void CustomDrawRow(int row, NMLVCUSTOMDRAW* draw, LRESULT* result);
  virtual void CustomDrawCell(int row, int col, NMLVCUSTOMDRAW* draw, LRESULT* result);
  virtual int ClassifyCellClick(int row, int col, CPoint pt, bool dblClick);
  virtual CWnd* OpenCellEditor(int row, int col, CPoint pt);
  virtual CWnd* OpenCellEditor(int row, int col);
  virtual bool ApplyCellEdit(int row, int col, CWnd* editor, NMLVDISPINFO* info);
  virtual void OnBackgroundContextMenu(CWnd* wnd, CPoint pt);
  virtual void OnHeaderContextMenu(CWnd* wnd, CPoint pt, int col);
  virtual void OnKeyboardContextMenu(CWnd* wnd, CPoint pt);
  virtual void OnCellContextMenu(CWnd* wnd, CPoint pt, int row, int col);
  virtual void ApplyControlStyle();
  virtual void CopySelectionToClipboard();

  // Cells and focus.
  int GetFocusColumn() const { return focusColumn; }
  int GetFocusedRow();
  void SetFocusRow(int row);
  bool IsRowSelected(int row);
  void SelectRow(int row, bool select);
  int GetCellImageIndex(int row, int col);
  void SetCellImageIndex(int row, int col, int image);
  bool IsCellCallback(int row, int col);
  bool GetCellArea(int row, int col, int part, CRect& rect);
  UINT CellHitTest(CPoint pt, int& row, int& col);
  int GetColumnSubItem(int col);
  int GetColumnOrder(int col);
  CString GetColumnHeading(int col);
  CWnd* GetHeaderWindow();
  int GetHeaderColumnCount();
  bool IsEditorOpen() const { return openEditor != nullptr; }
  CWnd* GetOpenEditor() const { return openEditor; }
  bool IsExplorerThemed() const { return explorerThemed; }
  void SetEmptyListText(const CString& text) { emptyListText = text; }
  // Whether the grid's last row is a totals row, which the text columns keep last when
  // sorting; off unless the grid's owner says so.
  void SetEndsWithTotalsRow(bool totals) { endsWithTotalsRow = totals; }
  bool EndsWithTotalsRow() const { return endsWithTotalsRow; }
  int GetSortColumn() const { return sortColumn; }
  bool IsSortAscending() const { return sortAscending; }
  double GetRowSpacing() const { return rowSpacing; }
  CViewSettingsSection* GetColumnStore() const { return columnStore; }

  void BuildColumnChooserMenu(CMenu& menu, UINT firstId);
  int BuildColumnProfileMenu(CMenu& menu, UINT firstId, CSimpleArray<CString>& profiles);
  // Applies or removes the Explorer theme; answers the theme call's result (1 when nothing was done).
  int ApplyExplorerTheme(bool enable);

  // Reports a finished edit of a cell to the list's parent as LVN_ENDLABELEDITW.
  static LRESULT SendEndLabelEdit(CListCtrl& list, int row, int col, NMLVDISPINFO& info);

protected:
  afx_msg virtual int OnCreate(LPCREATESTRUCT create);
  afx_msg virtual LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
  afx_msg virtual LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam);
  afx_msg virtual BOOL OnItemClick(NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnItemDblClick(NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnGetDispInfo(NMHDR* hdr, LRESULT* result);
  afx_msg virtual void OnChar(UINT ch, UINT repeat, UINT flags);
  afx_msg virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg virtual void OnLButtonDown(UINT flags, CPoint pt);
  afx_msg virtual void OnRButtonDown(UINT flags, CPoint pt);
  afx_msg virtual void OnLButtonDblClk(UINT flags, CPoint pt);
  afx_msg virtual void OnCustomDraw(NMHDR* hdr, LRESULT* result);
  afx_msg virtual LRESULT OnSetColumnWidth(WPARAM wParam, LPARAM lParam);
  afx_msg virtual BOOL OnHeaderDividerDblClick(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnHeaderBeginTrack(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnHeaderBeginDrag(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnHeaderEndTrack(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnHeaderItemChanging(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnHeaderEndDrag(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnColumnClick(NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnToolNeedText(UINT id, NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnBeginLabelEdit(NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnEndLabelEdit(NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnFindItem(NMHDR* hdr, LRESULT* result);
  afx_msg virtual void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg virtual void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  afx_msg virtual void OnContextMenu(CWnd* wnd, CPoint pt);
  afx_msg virtual void OnDestroy();
  afx_msg virtual void OnPaint();
  afx_msg virtual void OnKillFocus(CWnd* newWnd);
  afx_msg virtual LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
  afx_msg virtual LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  afx_msg virtual BOOL OnBeginDrag(NMHDR* hdr, LRESULT* result);
  afx_msg virtual BOOL OnItemChanged(NMHDR* hdr, LRESULT* result);
  // Rows inserted, deleted or sorted: an open editor ends first, while its row still names its cell.
  afx_msg LRESULT OnRowsMoving(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  // Command ids of the header menu's column items: the first column's show/hide item, the
  // first profile and the reset item (the editor item is 1, the chooser item 2).
  struct ColumnMenuIds {
    UINT firstColumn;
    UINT firstProfile;
    UINT reset;
  };
  // The editor, chooser (or one item per column), profile and reset items of the header menu.
  void AppendColumnMenuItems(CMenu& menu, int col, const ColumnMenuIds& ids, CSimpleArray<CString>& profiles);
  void RunColumnMenuCommand(UINT id, int col, const ColumnMenuIds& ids, const CSimpleArray<CString>& profiles);

  // Deletes every column trait, from the last to the first.
  void DestroyAllColumnTraits();
  // Ends the open editor, whatever its kind, so that its column's trait hears of it.
  void EndOpenEditor(bool accept);
  // Applies the column's minimum and maximum width to a width.
  int ClampColumnWidth(int col, int width);
  // Sets a column's width past the user's resize rules (hiding, showing, restoring).
  void SetColumnWidthDirect(int col, int width);
  // Moves the focus off a column no longer shown, to the shown column nearest to where it
  // stood in the display order `before` (the later one when two are as near); -1 when none.
  void KeepFocusInShownColumn(const std::vector<int>& before);
  bool IsOwnerData() const;
  // Makes the base font the cell font and the factor-scaled font the list's own font.
  void ApplyFontScale(const LOGFONT& base, double factor);
  bool IsCtrlOrShiftHeld() const;
  // The cursor position of the last input event, in client coordinates, and its cell.
  CPoint CursorClientPoint();
  UINT CursorHitTest(int& row, int& col);

  std::vector<std::unique_ptr<CColumnTrait>> columnTraits;
  CViewSettingsSection* columnStore = nullptr;
  std::unique_ptr<CViewSettingsSection> ownedColumnStore;  // the attached store when the grid owns it
  std::unique_ptr<CRowTrait> defaultRowTrait;
  int focusColumn = -1;
  CString typeAheadText;
  CTime typeAheadTime;
  int typeAheadColumn = -1;
  int typeAheadRow = -1;
  int typeAheadRepeat = 0;
  int sortColumn = -1;
  bool sortAscending = false;
  CWnd* openEditor = nullptr;
  bool explorerThemed = false;
  int tooltipMaxWidth = 32767;
  CFont gridFont;
  CFont cellFont;
  double rowSpacing = 1.0;
  CString emptyListText;
  bool emptyTextShown = true;
  std::unique_ptr<COleDropTargetWnd<CListGridCtrl>> dropTarget;
  // Set while the program itself changes a width that the user's resize rules would refuse.
  bool forcingColumnWidth = false;
  bool endsWithTotalsRow = false;
};
