// CListGridGroups: the grid that shows its rows in list-view groups. Rows are grouped by
// the texts of one column (one group per distinct text, the text as its header); a click
// on a heading sorts the groups or the rows inside them; a right click on a group header
// offers group commands; rows dropped on a group move into it; an empty list shows the
// grid's empty-list text through the list's own empty markup.
#pragma once
#include <vector>

#include "gridctrl/list_grid_ctrl.h"

// One group while the groups are rebuilt after a row sort.
struct GroupSortEntry {
  int id = -1;
  CString header;
  int direction = -1;             // -1 none, 0 descending, else ascending
  CColumnTrait* trait = nullptr;  // the group-by column's trait; null when none
};

class CListGridGroups : public CListGridCtrl {
public:
  CListGridGroups();
  ~CListGridGroups() override;

  bool SortByColumn(int col, bool ascending) override;
  bool HandleInternalDrop(COleDataObject* data, DROPEFFECT effect, CPoint pt) override;
  // With group view on, the argument is the group the selected rows move into.
  bool MoveSelectedRowsTo(int groupId) override;
  void OnBackgroundContextMenu(CWnd* wnd, CPoint pt) override;
  void OnHeaderContextMenu(CWnd* wnd, CPoint pt, int col) override;

  virtual int InsertGroupHeader(int index, int groupId, const CString& header, UINT state = 0, UINT align = 0);
  virtual CString GetGroupHeader(int groupId);
  virtual int GetRowGroupId(int row);
  virtual BOOL SetRowGroupId(int row, int groupId);
  virtual int GroupHitTest(CPoint pt);
  virtual int AssignRowToGroup(int row);
  virtual BOOL GetGroupIds(CSimpleArray<int>& ids);
  virtual BOOL GroupByColumn(int col);
  virtual BOOL RemoveGroup(int groupId);
  virtual BOOL IsGroupStateEnabled();
  virtual void CheckEntireGroup(int groupId, bool check);
  virtual void SetGroupSortMode(int mode);
  virtual BOOL HasGroupState(int groupId, UINT state);
  virtual BOOL SetGroupState(int groupId, UINT state);
  virtual BOOL CollapseAllGroups();
  virtual BOOL ExpandAllGroups();
  virtual BOOL SetGroupFooter(int groupId, const CString& footer, UINT align);
  virtual BOOL SetGroupTask(int groupId, const CString& task);
  virtual BOOL SetGroupSubtitle(int groupId, const CString& subtitle);
  virtual BOOL SetGroupTitleImage(int groupId, int image, const CString& topDescription,
                                  const CString& bottomDescription);
  virtual bool OnDisplayGroupId(int row, int col, int& groupId);
  virtual void OnGroupContextMenu(CWnd* wnd, int x, int y, int groupId);
  virtual BOOL OnGroupTaskClick(NMHDR* hdr, LRESULT* result);
  virtual BOOL OnGetEmptyMarkup(NMHDR* hdr, LRESULT* result);
  virtual LRESULT OnRemoveAllGroups(WPARAM wParam, LPARAM lParam);

  bool IsGroupViewEnabled();
  int GetGroupByColumn() const { return groupByColumn; }
  int GetGroupSortDirection() const { return groupSortDirection; }
  int GetGroupSortMode() const { return groupSortMode; }

protected:
  BOOL OnGetDispInfo(NMHDR* hdr, LRESULT* result) override;
  void OnLButtonDblClk(UINT flags, CPoint pt) override;
  BOOL OnHeaderEndDrag(UINT id, NMHDR* hdr, LRESULT* result) override;
  void OnContextMenu(CWnd* wnd, CPoint pt) override;
  void OnDestroy() override;
  void OnPaint() override;
  LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam) override;
  DECLARE_MESSAGE_MAP()

  void EnableGroupView(bool enable);
  // Removes every group and switches group view off.
  void DisableGrouping();
  // "Disable grouping" from the header menu: the rows stay where they were on screen.
  void DisableGroupingKeepingView();
  // Sorts the rows and rebuilds the groups in their recorded order (no group states).
  bool SortRowsKeepingGroups(int col, bool ascending);
  // A group id that no group in `ids` has.
  static int UnusedGroupId(const CSimpleArray<int>& ids);
  // Without group states the ids come from the rows: adds the groups of the list that hold
  // no row (their rows moved or were deleted), which keep their ids and headers as they do
  // where the list can be asked for its groups.
  void AddGroupsWithoutRows(CSimpleArray<int>& ids);
  // Sets group details that need group states.
  BOOL SetGroupDetails(int groupId, LVGROUP& group);
  // The expand, collapse and disable commands of the group and background menus.
  void AppendGroupViewItems(CMenu& menu, UINT firstId);
  void RunGroupViewCommand(UINT offset);

  int groupByColumn = -1;
  int groupSortDirection = -1;
  int groupSortMode = 2;
  // The ids of the groups inserted since all were last removed (a group removed alone may
  // still be listed): systems without group states cannot be asked for the list's groups,
  // only for one group by its id.
  std::vector<int> insertedGroupIds;
};
