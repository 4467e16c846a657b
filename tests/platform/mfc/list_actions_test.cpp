// A person's actions on a dialog's list: cells and headers clicked, and rows dragged in a
// grid, with items named by index or by the text they show.
#include "gridctrl/list_grid_ctrl.h"
#include "tests/support/dialog_fixture.h"

namespace dialogtest {
namespace {

using StandIn::ModalAction;

ModalAction OnList(ModalAction::Kind kind, int item, int subItem, const wchar_t* text = L"") {
  ModalAction action;
  action.kind = kind;
  action.controlId = kList;
  action.item = item;
  action.subItem = subItem;
  action.text = text;
  return action;
}

void FillList(CListCtrl& list, int rows) {
  list.InsertColumn(0, L"Id", LVCFMT_LEFT, 60);
  list.InsertColumn(1, L"Name", LVCFMT_LEFT, 100, 1);
  for (int i = 0; i < rows; ++i) {
    list.InsertItem(i, std::to_wstring(i).c_str());
    list.SetItemText(i, 1, (L"row " + std::to_wstring(i)).c_str());
  }
}

TEST_F(DialogTest, CellsAndHeadersAreClickedWhereAPersonWouldClick) {
  TestDialog dialog(&mainWindow);
  dialog.onInit = [](TestDialog& d) { FillList(d.list, 3); };
  Action(OnList(ModalAction::ClickItem, 2, 0));
  Action(OnList(ModalAction::DoubleClickItem, -1, 0, L"row 1"));
  Action(OnList(ModalAction::RightClickItem, 0, 0));
  Action(OnList(ModalAction::ClickHeader, -1, 1));
  Click(IDOK);
  dialog.DoModal();
  std::vector<std::string> clicks;
  for (const auto& e : dialog.events)
    if (e.rfind("item", 0) != 0 && e != "init") clicks.push_back(e);
  EXPECT_EQ(clicks, (std::vector<std::string>{"click 2,0", "click 1,0", "dblclick 1,0", "rclick 0,0", "column 1"}));
}

TEST_F(DialogTest, ARowDraggedInAGridIsDroppedOnTheTargetRow) {
  class GridDialog : public TestDialog {
  public:
    using TestDialog::TestDialog;
    CListGridCtrl grid;

  protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kList, grid); }
  };
  GridDialog dialog(&mainWindow);
  std::vector<std::wstring> order;
  dialog.onNested = [&](TestDialog&) {
    for (int i = 0; i < dialog.grid.GetItemCount(); ++i) order.emplace_back(dialog.grid.GetItemText(i, 1).str());
  };
  dialog.onInit = [&](TestDialog&) { FillList(dialog.grid, 5); };
  ModalAction drag = OnList(ModalAction::DragItem, -1, 0, L"row 3");
  drag.targetItem = 0;
  Action(drag);
  Click(kNested);
  Click(IDOK);
  dialog.DoModal();
  EXPECT_EQ(order, (std::vector<std::wstring>{L"row 3", L"row 0", L"row 1", L"row 2", L"row 4"}));
}

TEST_F(DialogTest, GroupHeadersAndTaskLinksAreClickedWhereTheListShowsThem) {
  auto groupState = [](CListCtrl& list, int id) {
    LVGROUP group;
    group.mask = LVGF_STATE;
    group.stateMask = LVGS_COLLAPSED;
    list.SendMessage(LVM_GETGROUPINFO, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&group));
    return group.state;
  };
  for (bool absent : {false, true}) {
    TestDialog dialog(&mainWindow);
    UINT collapsed = 0;
    dialog.onInit = [](TestDialog& d) {
      FillList(d.list, 3);
      for (int id : {1, 2}) {
        std::wstring header = L"group " + std::to_wstring(id);
        std::wstring task = L"Details";
        LVGROUP group;
        group.mask = LVGF_GROUPID | LVGF_HEADER | LVGF_STATE | LVGF_TASK;
        group.iGroupId = id;
        group.pszHeader = header.data();
        group.pszTask = task.data();
        group.state = group.stateMask = LVGS_COLLAPSIBLE;
        d.list.SendMessage(LVM_INSERTGROUP, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&group));
      }
      for (int row = 0; row < 3; ++row) {
        LVITEM item;
        item.mask = LVIF_GROUPID;
        item.iItem = row;
        item.iGroupId = row < 2 ? 1 : 2;
        d.list.SetItem(&item);
      }
      d.list.SendMessage(LVM_ENABLEGROUPVIEW, TRUE);
    };
    dialog.onNested = [&](TestDialog& d) { collapsed = groupState(d.list, 1); };
    Action(OnList(ModalAction::ClickGroupHeader, 1, 0));
    Action(OnList(ModalAction::ClickGroupTask, absent ? 7 : 2, 0));
    if (absent) {
      EXPECT_THROW(dialog.DoModal(), StandIn::InputScriptError);
      continue;
    }
    Click(kNested);
    Click(IDOK);
    dialog.DoModal();
    EXPECT_EQ(collapsed, static_cast<UINT>(LVGS_COLLAPSED));
  }
}

TEST_F(DialogTest, ListActionsOnItemsThatAreNotThereFailLoudly) {
  for (ModalAction action : {OnList(ModalAction::ClickItem, 9, 0), OnList(ModalAction::ClickItem, -1, 0, L"row 7"),
                             OnList(ModalAction::ClickHeader, -1, 5), OnList(ModalAction::DragItem, 0, 0)}) {
    TestDialog dialog(&mainWindow);
    dialog.onInit = [](TestDialog& d) { FillList(d.list, 2); };
    Action(action);
    EXPECT_THROW(dialog.DoModal(), StandIn::InputScriptError) << StandIn::DescribeModalAction(action);
  }
}

// A button moved beyond the dialog's edge: a click at its middle would reach another
// window, so the action stops there instead of clicking beside the button.
TEST_F(DialogTest, AClickNeverLandsBesideItsControl) {
  TestDialog dialog(&mainWindow);
  dialog.onInit = [](TestDialog& d) {
    CRect client;
    d.GetClientRect(&client);
    CRect beyond(client.right + 20, 4, client.right + 80, 24);
    d.GetDlgItem(kNested)->MoveWindow(&beyond);
  };
  Click(kNested);
  std::string failure;
  try {
    dialog.DoModal();
  } catch (const StandIn::InputScriptError& error) {
    failure = error.what();
  }
  EXPECT_NE(failure.find("not the control"), std::string::npos) << failure;
  EXPECT_FALSE(dialog.ranInner);
}

}  // namespace
}  // namespace dialogtest
