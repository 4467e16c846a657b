// The grouped grid: rows grouped by a column, groups sorted by their headers both ways,
// collapsed and opened, rows dropped into a group, groups removed, and the same without
// the group states of older systems.
#include "grid_fixture.h"

#include <climits>

#include "gridctrl/list_grid_groups.h"

namespace gridtest {
namespace {

class GridGroups : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGroupedGrid();
  }
  void CreateGroupedGrid() {
    groups = new CListGridGroups;
    grid.reset(groups);
    ASSERT_TRUE(groups->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 600, 380), &parent, kGridId));
    grid->InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    grid->InsertColumn(1, L"Kind", LVCFMT_LEFT, 100);
    grid->InsertColumn(2, L"Size", LVCFMT_LEFT, 100);
    dynamic_cast<CColumnTraitText*>(grid->GetColumnTraitAt(2))->SetSortNumeric(true);
    AddRows({{L"r0", L"b", L"3"}, {L"r1", L"a", L"10"}, {L"r2", L"b", L"2"}, {L"r3", L"c", L"1"}});
    grid->SetFocus();
  }
  std::vector<int> GroupOrder() {
    CSimpleArray<int> ids;
    groups->GetGroupIds(ids);
    return std::vector<int>(ids.GetData(), ids.GetData() + ids.GetSize());
  }
  // The ids of the list's groups in the order it shows them, rows or none.
  std::vector<int> ListGroupIds() {
    std::vector<int> ids;
    int count = static_cast<int>(grid->SendMessage(LVM_GETGROUPCOUNT));
    for (int i = 0; i < count; ++i) {
      LVGROUP group;
      group.mask = LVGF_GROUPID;
      EXPECT_TRUE(grid->SendMessage(LVM_GETGROUPINFOBYINDEX, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&group)));
      ids.push_back(group.iGroupId);
    }
    return ids;
  }
  // The headers of the groups in the order the list shows them.
  std::vector<CString> HeaderOrder() {
    std::vector<CString> headers;
    for (int id : ListGroupIds()) headers.push_back(groups->GetGroupHeader(id));
    return headers;
  }
  // Each group of the list in its order, as "id header:" and the names of its rows.
  std::vector<std::wstring> ListGroups() {
    std::vector<std::wstring> lines;
    for (int id : ListGroupIds()) {
      std::wstring line = std::to_wstring(id) + L" " + groups->GetGroupHeader(id).GetString() + L":";
      for (int row = 0; row < grid->GetItemCount(); ++row)
        if (groups->GetRowGroupId(row) == id) line += L" " + std::wstring(grid->GetItemText(row, 0));
      lines.push_back(line);
    }
    return lines;
  }
  std::vector<int> RowGroups() {
    std::vector<int> ids;
    for (int row = 0; row < grid->GetItemCount(); ++row) ids.push_back(groups->GetRowGroupId(row));
    return ids;
  }
  // Every row sits in the group whose header is its text in the column.
  void ExpectRowsInTheirGroups(int col) {
    for (int row = 0; row < grid->GetItemCount(); ++row)
      EXPECT_EQ(groups->GetGroupHeader(groups->GetRowGroupId(row)), grid->GetItemText(row, col)) << "row " << row;
  }
  CRect GroupHeader(int id) {
    RECT rect{0, LVGGR_HEADER, 0, 0};
    EXPECT_TRUE(grid->SendMessage(LVM_GETGROUPRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&rect)));
    return CRect(rect);
  }
  void DragSelectionTo(CPoint target) {
    int row = grid->GetNextItem(-1, LVNI_SELECTED);
    CPoint start = CellPoint(row, 0);
    grid->ClientToScreen(&target);
    driver.AddDragMove(target);
    driver.AddDragDrop(target);
    StandIn::DragFrom(grid->GetSafeHwnd(), start, CPoint(start.x, start.y + 8));
    StandIn::PumpMessages();
  }
  CListGridGroups* groups = nullptr;
};

TEST_F(GridGroups, RowsGroupByAColumnAndTheGroupsSortBothWaysByTheirHeaders) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  EXPECT_TRUE(groups->IsGroupViewEnabled());
  EXPECT_EQ(groups->GetGroupByColumn(), 1);
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"b", L"a", L"c"}));
  EXPECT_EQ(RowGroups(), (std::vector<int>{1, 2, 1, 3}));
  EXPECT_TRUE(groups->HasGroupState(1, LVGS_COLLAPSIBLE));

  ClickHeader(1);
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"a", L"b", L"c"}));
  EXPECT_EQ(groups->GetGroupSortDirection(), 1);
  ClickHeader(1);
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"c", L"b", L"a"}));
  EXPECT_EQ(groups->GetGroupSortDirection(), 0);
  // The rows of the first shown group are on top.
  CRect first;
  grid->GetItemRect(3, &first, LVIR_BOUNDS);
  EXPECT_EQ(first.top, GroupHeader(3).bottom);

  // Another column sorts the rows inside their groups.
  ClickHeader(0);
  ClickHeader(0);
  EXPECT_EQ(ColumnTexts(0), (std::vector<std::wstring>{L"r3", L"r2", L"r1", L"r0"}));
  ExpectRowsInTheirGroups(1);

  // Grouping by the numeric column from the header menu; its groups sort as numbers.
  driver.ChooseMenuText(L"Group by: Size");
  RightClickHeader(2);
  EXPECT_EQ(groups->GetGroupByColumn(), 2);
  ClickHeader(2);
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"1", L"2", L"3", L"10"}));
  ExpectRowsInTheirGroups(2);

  // In mode 0 a click on another column regroups by it.
  groups->SetGroupSortMode(0);
  ClickHeader(1);
  EXPECT_EQ(groups->GetGroupByColumn(), 1);
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"a", L"b", L"c"}));
  ExpectRowsInTheirGroups(1);
}

TEST_F(GridGroups, GroupsCollapseAndOpenFromTheirHeadersMenusAndTaskLinks) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  ASSERT_TRUE(StandIn::ClickGroupHeader(grid->GetSafeHwnd(), 1));
  EXPECT_TRUE(groups->HasGroupState(1, LVGS_COLLAPSED));
  CRect hidden;
  EXPECT_FALSE(grid->GetItemRect(0, &hidden, LVIR_BOUNDS)) << "a row of a collapsed group is not shown";
  EXPECT_EQ(GroupHeader(2).top, GroupHeader(1).bottom);
  ASSERT_TRUE(StandIn::ClickGroupHeader(grid->GetSafeHwnd(), 1));
  EXPECT_FALSE(groups->HasGroupState(1, LVGS_COLLAPSED));

  // The group menu on a header.
  driver.ChooseMenuText(L"Collapse all groups");
  StandIn::RightClick(grid->GetSafeHwnd(), GroupHeader(2).CenterPoint());
  for (int id : {1, 2, 3}) EXPECT_TRUE(groups->HasGroupState(id, LVGS_COLLAPSED)) << id;
  driver.ChooseMenuText(L"Expand all groups");
  StandIn::RightClick(grid->GetSafeHwnd(), GroupHeader(3).CenterPoint());
  for (int id : {1, 2, 3}) EXPECT_FALSE(groups->HasGroupState(id, LVGS_COLLAPSED)) << id;

  // A task link tells the parent and leaves the group open.
  ASSERT_TRUE(groups->SetGroupTask(2, L"Details"));
  ASSERT_TRUE(StandIn::ClickGroupTaskLink(grid->GetSafeHwnd(), 2));
  EXPECT_EQ(parent.taskLinkGroups, std::vector<int>{2});
  EXPECT_FALSE(groups->HasGroupState(2, LVGS_COLLAPSED));
}

TEST_F(GridGroups, DropsOnAGroupHeaderOrItsRowsMoveRowsIntoItAndWithoutGroupsMoveRows) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  SelectOnly({1, 3});
  DragSelectionTo(GroupHeader(1).CenterPoint());
  EXPECT_EQ(RowGroups(), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(ColumnTexts(0), (std::vector<std::wstring>{L"r0", L"r1", L"r2", L"r3"})) << "rows keep their places";

  // A drop on a row of another group.
  ASSERT_TRUE(groups->GroupByColumn(1));
  SelectOnly({0});
  DragSelectionTo(CellPoint(1, 0));
  EXPECT_EQ(RowGroups(), (std::vector<int>{2, 2, 1, 3}));

  // "Disable grouping" from the header menu; then a drop on a row moves the rows there.
  driver.ChooseMenuText(L"Disable grouping");
  RightClickHeader(0);
  EXPECT_FALSE(groups->IsGroupViewEnabled());
  EXPECT_EQ(groups->GetGroupByColumn(), -1);
  SelectOnly({0, 1});
  DragSelectionTo(CellPoint(3, 0));
  EXPECT_EQ(ColumnTexts(0), (std::vector<std::wstring>{L"r2", L"r3", L"r0", L"r1"}));
}

TEST_F(GridGroups, RemovingAGroupDeletesItsRowsAndNewGroupsTakeFreshIds) {
  EXPECT_FALSE(groups->RemoveGroup(-1));
  ASSERT_TRUE(groups->GroupByColumn(1));
  ASSERT_TRUE(groups->RemoveGroup(1));
  EXPECT_EQ(ColumnTexts(0), (std::vector<std::wstring>{L"r1", L"r3"}));
  EXPECT_EQ(GroupOrder(), (std::vector<int>{2, 3}));

  // Two groups are left with ids 2 and 3: a new one takes 4, never the count + 1.
  AddRows({{L"r4", L"d", L"4"}, {L"r5", L"a", L"5"}});
  EXPECT_EQ(groups->AssignRowToGroup(2), 4);
  EXPECT_EQ(groups->GetGroupHeader(4), L"d");
  EXPECT_EQ(groups->AssignRowToGroup(3), 2);
  ExpectRowsInTheirGroups(1);

  // A new column moves the columns: the grouping forgets its column.
  grid->InsertColumn(0, L"New", LVCFMT_LEFT, 50);
  EXPECT_EQ(groups->GetGroupByColumn(), -1);
  EXPECT_EQ(groups->AssignRowToGroup(0), -1);

  // Removing every group empties the list; the list shows its empty text.
  for (int id : GroupOrder()) EXPECT_TRUE(groups->RemoveGroup(id));
  EXPECT_EQ(grid->GetItemCount(), 0);
  EXPECT_FALSE(groups->GroupByColumn(1)) << "no rows, no group view";
  EXPECT_FALSE(groups->IsGroupViewEnabled());
  StandIn::ClearDrawing(grid->GetSafeHwnd());
  grid->Invalidate();
  grid->UpdateWindow();
  const auto& drawing = StandIn::DrawingOf(grid->GetSafeHwnd());
  auto text = std::find_if(drawing.begin(), drawing.end(), [](const StandIn::DrawRecord& r) {
    return r.kind == StandIn::DrawRecord::Text && r.text == L"There are no items to show in this view.";
  });
  ASSERT_NE(text, drawing.end());
  EXPECT_TRUE(text->format & DT_CENTER);
}

TEST_F(GridGroups, RowsAssignedAfterTheLastGroupWentStartTheGroupsAgain) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  for (int id : GroupOrder()) ASSERT_TRUE(groups->RemoveGroup(id));
  ASSERT_TRUE(groups->IsGroupViewEnabled());
  AddRows({{L"r4", L"d", L"4"}, {L"r5", L"e", L"5"}, {L"r6", L"d", L"6"}});
  for (int row = 0; row < 3; ++row) EXPECT_NE(groups->AssignRowToGroup(row), -1) << row;
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"d", L"e"}));
  ExpectRowsInTheirGroups(1);
  CRect shown;
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(grid->GetItemRect(row, &shown, LVIR_BOUNDS)) << "row " << row;
}

TEST_F(GridGroups, LongHeadersCompareWholeAndNewGroupIdsNeverOverflow) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  // Texts longer than any buffer a header is first read into; two differ only at their end.
  const std::wstring same(3000, L'x');
  AddRows({{L"r4", same, L"4"}, {L"r5", same, L"5"}, {L"r6", same + L"!", L"6"}});
  for (int row = 4; row < 7; ++row) groups->AssignRowToGroup(row);
  EXPECT_EQ(groups->GetRowGroupId(4), groups->GetRowGroupId(5));
  EXPECT_NE(groups->GetRowGroupId(4), groups->GetRowGroupId(6));
  EXPECT_EQ(groups->GetGroupHeader(groups->GetRowGroupId(6)), CString((same + L"!").c_str()));

  // A caller's group holds the largest id there is; the next group still gets a free one.
  ASSERT_NE(groups->InsertGroupHeader(6, INT_MAX, L"last"), -1);
  AddRows({{L"r7", L"d", L"7"}});
  int id = groups->AssignRowToGroup(7);
  EXPECT_GE(id, 1);
  std::vector<int> ids = GroupOrder();
  EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 1) << id;
  EXPECT_EQ(groups->GetGroupHeader(INT_MAX), L"last");
  ExpectRowsInTheirGroups(1);
}

TEST_F(GridGroups, CollapsingAndOpeningKeepWhetherAGroupCollapsesByAClick) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  ASSERT_NE(groups->InsertGroupHeader(3, 4, L"fixed"), -1);  // not collapsible
  driver.ChooseMenuText(L"Collapse all groups");
  StandIn::RightClick(grid->GetSafeHwnd(), GroupHeader(2).CenterPoint());
  for (int id : {1, 4}) ASSERT_TRUE(groups->HasGroupState(id, LVGS_COLLAPSED)) << id;
  EXPECT_TRUE(groups->HasGroupState(1, LVGS_COLLAPSIBLE));
  EXPECT_FALSE(groups->HasGroupState(4, LVGS_COLLAPSIBLE));
  ASSERT_TRUE(StandIn::ClickGroupHeader(grid->GetSafeHwnd(), 1));
  EXPECT_FALSE(groups->HasGroupState(1, LVGS_COLLAPSED)) << "a click opens it";
  ASSERT_TRUE(StandIn::ClickGroupHeader(grid->GetSafeHwnd(), 4));
  EXPECT_TRUE(groups->HasGroupState(4, LVGS_COLLAPSED));

  ASSERT_TRUE(groups->SetGroupState(1, LVGS_COLLAPSED));
  ASSERT_TRUE(groups->ExpandAllGroups());
  ASSERT_TRUE(StandIn::ClickGroupHeader(grid->GetSafeHwnd(), 1));
  EXPECT_TRUE(groups->HasGroupState(1, LVGS_COLLAPSED)) << "a click collapses it again";
  EXPECT_FALSE(groups->HasGroupState(4, LVGS_COLLAPSIBLE));
}

TEST_F(GridGroups, AColumnDragForgetsTheGroupingSoAClickGroupsByTheClickedColumn) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  ClickHeader(1);
  ASSERT_EQ(groups->GetGroupSortDirection(), 1);
  HWND header = grid->GetHeaderCtrl()->GetSafeHwnd();
  StandIn::DragFrom(header, HeaderPoint(2), CPoint(20, 10));
  StandIn::LeftButtonUp(header, CPoint(20, 10));
  ASSERT_EQ(OrderArray(), (std::vector<int>{2, 0, 1}));
  EXPECT_EQ(groups->GetGroupByColumn(), -1);
  EXPECT_EQ(groups->GetGroupSortDirection(), -1);
  // Still grouped by Kind, a click on Size would sort the rows inside the Kind groups.
  ClickHeader(2);
  EXPECT_EQ(groups->GetGroupByColumn(), 2);
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"1", L"2", L"3", L"10"}));
}

// Rows moved out of their groups and new rows, on a system with group states and on one
// without (where the grid knows its groups only through their rows): both end with the same
// groups, in the same order, with the same ids and rows.
TEST_F(GridGroups, GroupsLeftWithoutRowsEndAlikeWithAndWithoutGroupStates) {
  auto run = [&](DWORD windowsMajor) {
    StandIn::System().windowsMajor = windowsMajor;
    ResetWindowsVersionCache();
    CreateGroupedGrid();
    EXPECT_TRUE(groups->GroupByColumn(1));  // b: r0 r2; a: r1; c: r3
    std::vector<int> assigned;
    SelectOnly({3});
    EXPECT_TRUE(groups->MoveSelectedRowsTo(1));  // c keeps no row
    AddRows({{L"r4", L"d", L"4"}});
    assigned.push_back(groups->AssignRowToGroup(4));
    AddRows({{L"r5", L"c", L"5"}});
    assigned.push_back(groups->AssignRowToGroup(5));
    SelectOnly({1});
    EXPECT_TRUE(groups->MoveSelectedRowsTo(groups->GetRowGroupId(4)));  // a keeps no row
    AddRows({{L"r6", L"e", L"6"}});
    assigned.push_back(groups->AssignRowToGroup(6));
    EXPECT_EQ(groups->IsGroupStateEnabled(), windowsMajor >= 6);
    EXPECT_EQ(assigned, (std::vector<int>{4, 3, 5})) << "Windows " << windowsMajor;
    return ListGroups();
  };
  std::vector<std::wstring> withStates = run(6);
  EXPECT_EQ(withStates, (std::vector<std::wstring>{L"1 b: r0 r2 r3", L"2 a:", L"3 c: r5", L"4 d: r1 r4", L"5 e: r6"}));
  EXPECT_EQ(run(5), withStates);
}

// Systems before 6.0: no group states or rectangles.
class GridGroupsWithoutStates : public GridGroups {
protected:
  void SetUp() override {
    GridTest::SetUp();
    StandIn::System().windowsMajor = 5;
    CreateGroupedGrid();
  }
};

TEST_F(GridGroupsWithoutStates, GroupsRebuiltOrGoneKeepTheScrollPosition) {
  std::vector<std::vector<std::wstring>> rows;
  for (int i = 0; i < 60; ++i) rows.push_back({L"s" + std::to_wstring(i), i % 3 ? L"a" : L"b", std::to_wstring(i)});
  AddRows(rows);
  ASSERT_TRUE(groups->GroupByColumn(1));
  grid->Scroll(CSize(0, 300));
  int top = grid->GetTopIndex();
  ASSERT_GT(top, 0);
  ClickHeader(2);  // the rows sort; the groups are made again
  ASSERT_EQ(grid->GetItemText(0, 2), L"0");
  EXPECT_EQ(grid->GetTopIndex(), top);
  driver.ChooseMenuText(L"Disable grouping");
  RightClickHeader(0);
  ASSERT_FALSE(groups->IsGroupViewEnabled());
  EXPECT_EQ(grid->GetTopIndex(), top);
}

TEST_F(GridGroupsWithoutStates, RowSortsKeepTheGroupsAndDropsFindTheGroupBelowThePoint) {
  ASSERT_TRUE(groups->GroupByColumn(1));
  EXPECT_FALSE(groups->IsGroupStateEnabled());
  EXPECT_FALSE(groups->HasGroupState(1, LVGS_COLLAPSIBLE));
  EXPECT_FALSE(groups->CollapseAllGroups());
  ClickHeader(1);
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"a", L"b", L"c"}));
  ClickHeader(2);  // the rows sort by size; the groups come back in their sorted order
  EXPECT_EQ(ColumnTexts(2), (std::vector<std::wstring>{L"1", L"2", L"3", L"10"}));
  EXPECT_EQ(HeaderOrder(), (std::vector<CString>{L"a", L"b", L"c"})) << "the groups keep their sorted order";
  ExpectRowsInTheirGroups(1);
  EXPECT_EQ(groups->GetGroupByColumn(), 1);

  // Just above a group's first row lies its header.
  CRect row;
  grid->GetItemRect(1, &row, LVIR_BOUNDS);  // "2", the first row of group b
  EXPECT_EQ(groups->GroupHitTest(CPoint(10, row.top - 3)), groups->GetRowGroupId(1));
  SelectOnly({0});
  DragSelectionTo(CPoint(10, row.top - 3));
  EXPECT_EQ(groups->GetGroupHeader(groups->GetRowGroupId(0)), L"b");

  // With no row in a group, assigning a row starts the groups again by the same column.
  grid->DeleteAllItems();
  AddRows({{L"r6", L"e", L"6"}, {L"r7", L"e", L"7"}});
  EXPECT_EQ(groups->AssignRowToGroup(0), 1);
  EXPECT_EQ(groups->GetGroupByColumn(), 1);
  EXPECT_EQ(groups->AssignRowToGroup(1), 1);
}

}  // namespace
}  // namespace gridtest
