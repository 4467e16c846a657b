// In-place editing: begun, accepted, cancelled and refused, the editor gone afterwards.
#include "grid_fixture.h"

#include <functional>
#include <map>

#include "gridctrl/cell_editor_text.h"
#include "memory_profiles.h"

namespace gridtest {
namespace {

class GridEditing : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    BuildWizardGrid(1);
    AddRows({{L"", L"", L"alpha", L"one"}, {L"", L"", L"beta", L"two"}, {L"", L"", L"gamma", L"three"}});
    for (int row = 0; row < 3; ++row) grid->SetCellImageIndex(row, 1, 0);
  }
  // Clicks the cell twice: the first click makes it the focus cell, the second edits it.
  CCellEditorText* OpenEditorByClicks(int row, int col) {
    ClickCell(row, col);
    EXPECT_EQ(grid->GetFocusColumn(), col);
    EXPECT_FALSE(grid->IsEditorOpen());
    ClickCell(row, col);
    return dynamic_cast<CCellEditorText*>(grid->GetOpenEditor());
  }
  int Count(UINT code) { return static_cast<int>(std::count(parent.codes.begin(), parent.codes.end(), code)); }
};

TEST_F(GridEditing, EnterWritesTheTypedTextAndTheEditorGoes) {
  int windows = StandIn::LiveWindowCount();
  CCellEditorText* editor = OpenEditorByClicks(1, 2);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(CWnd::GetFocus(), editor);
  EXPECT_TRUE(editor->IsWindowVisible());
  CString text;
  editor->GetWindowText(text);
  EXPECT_EQ(text, L"beta");
  int start = -1;
  int end = -1;
  editor->GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 4);
  EXPECT_EQ(StandIn::LiveWindowCount(), windows + 1);

  StandIn::TypeText(L"delta");
  StandIn::PressKey(VK_RETURN);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(1, 2), L"delta");
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(CWnd::GetFocus(), grid.get());
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);
  ASSERT_EQ(parent.ends.size(), 1u);
  EXPECT_EQ(parent.ends[0].row, 1);
  EXPECT_EQ(parent.ends[0].col, 2);
  EXPECT_EQ(parent.ends[0].text, L"delta");
  std::vector<UINT> edits;
  for (UINT code : parent.codes)
    if (code == LVN_BEGINLABELEDITW || code == LVN_ENDLABELEDITW) edits.push_back(code);
  EXPECT_EQ(edits, (std::vector<UINT>{LVN_BEGINLABELEDITW, LVN_ENDLABELEDITW}));
}

TEST_F(GridEditing, EscapeAndEnterWithoutTypingKeepTheText) {
  ASSERT_NE(OpenEditorByClicks(0, 2), nullptr);
  StandIn::TypeText(L"zzz");
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(0, 2), L"alpha");
  EXPECT_FALSE(grid->IsEditorOpen());

  ASSERT_NE(grid->StartCellEdit(0, 2), nullptr);
  StandIn::PressKey(VK_RETURN);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(0, 2), L"alpha");
  ASSERT_EQ(parent.ends.size(), 2u);
  EXPECT_EQ(parent.ends[0].mask & LVIF_TEXT, 0u);
  EXPECT_EQ(parent.ends[1].mask & LVIF_TEXT, 0u);
}

TEST_F(GridEditing, LosingTheFocusCommitsAndTabToo) {
  grid->SetFocus();
  grid->SetFocusRow(2);
  grid->SetFocusColumn(2, false);
  StandIn::PressKey(VK_F2);
  ASSERT_TRUE(grid->IsEditorOpen());
  StandIn::TypeText(L"moved");
  StandIn::MoveFocusTo(parent.GetSafeHwnd());
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(2, 2), L"moved");
  EXPECT_FALSE(grid->IsEditorOpen());

  ASSERT_NE(grid->StartCellEdit(2, 2), nullptr);
  StandIn::TypeText(L"tabbed");
  StandIn::PressKey(VK_TAB);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(2, 2), L"tabbed");
}

TEST_F(GridEditing, TheParentMayRefuseAndTheEditorClosesAtOnce) {
  int windows = StandIn::LiveWindowCount();
  parent.refuseEdit = true;
  ClickCell(1, 2);
  ClickCell(1, 2);
  EXPECT_FALSE(grid->IsEditorOpen());
  StandIn::PumpMessages();
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);
  EXPECT_EQ(Count(LVN_BEGINLABELEDITW), 1);
  EXPECT_EQ(Count(LVN_ENDLABELEDITW), 0);
  EXPECT_EQ(grid->GetItemText(1, 2), L"beta");
}

TEST_F(GridEditing, AnEditorOpenWhileAnotherIsOpenEndsTheFirst) {
  ASSERT_NE(grid->StartCellEdit(0, 2), nullptr);
  StandIn::TypeText(L"first");
  CWnd* second = grid->StartCellEdit(1, 2);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(grid->GetOpenEditor(), second);
  EXPECT_EQ(grid->GetItemText(0, 2), L"first");
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(1, 2), L"beta");
  EXPECT_FALSE(grid->IsEditorOpen());
}

// Rows or columns inserted, deleted or reordered while an editor is open: the typed text
// reaches the cell it was typed for (its row known by its "Text 1" cell), never the cell that
// took its row or column number.
TEST_F(GridEditing, CellsThatMoveUnderAnOpenEditorKeepTheEditInTheirCell) {
  struct Case {
    const char* name;
    std::function<void()> change;
    bool editedRowStays;
    int nameColumn;  // the "Name" and "Text 1" columns after the change
    int keyColumn;
  };
  const std::vector<Case> cases = {
      {"a row deleted before it", [&] { grid->DeleteItem(0); }, true, 2, 3},
      {"the edited row deleted", [&] { grid->DeleteItem(1); }, false, 2, 3},
      {"a row inserted before it", [&] { grid->InsertItem(0, L""); }, true, 2, 3},
      {"the rows sorted", [&] { grid->SortByColumn(3, false); }, true, 2, 3},
      {"the rows dragged",
       [&] {
         SelectOnly({2});
         grid->MoveSelectedRowsTo(0);
       },
       true, 2, 3},
      {"every row deleted", [&] { grid->DeleteAllItems(); }, false, 2, 3},
      {"a column inserted before it", [&] { grid->InsertColumn(1, L"New", LVCFMT_LEFT, 50, 9); }, true, 3, 4},
      {"a column with its trait inserted before it",
       [&] { grid->InsertTraitColumn(0, L"New", LVCFMT_LEFT, 50, 9, new CColumnTraitText); }, true, 3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    grid->DeleteAllItems();
    while (grid->GetHeaderColumnCount() > 4) grid->DeleteColumn(1);
    AddRows({{L"", L"", L"alpha", L"one"}, {L"", L"", L"beta", L"two"}, {L"", L"", L"gamma", L"three"}});
    parent.ends.clear();
    ASSERT_NE(grid->StartCellEdit(1, 2), nullptr);
    StandIn::TypeText(L"edited");
    c.change();
    StandIn::PressKey(VK_RETURN);
    StandIn::PumpMessages();
    EXPECT_FALSE(grid->IsEditorOpen());
    ASSERT_EQ(parent.ends.size(), 1u) << "the parent hears the end once";
    EXPECT_EQ(parent.ends[0].text, L"edited");
    std::map<std::wstring, std::wstring> names;  // "Text 1" -> "Name", for every row
    for (int row = 0; row < grid->GetItemCount(); ++row) {
      names[grid->GetItemText(row, c.keyColumn).GetString()] = grid->GetItemText(row, c.nameColumn).GetString();
      for (int col = 0; col < grid->GetHeaderColumnCount(); ++col) {
        if (col != c.nameColumn) {
          EXPECT_NE(grid->GetItemText(row, col), L"edited") << "row " << row << " col " << col;
        }
      }
    }
    std::map<std::wstring, std::wstring> expected = {{L"one", L"alpha"}, {L"two", L"edited"}, {L"three", L"gamma"}};
    for (const auto& [key, text] : expected) {
      if (names.count(key)) {
        EXPECT_EQ(names[key], text) << "row " << std::string(key.begin(), key.end());
      }
    }
    EXPECT_EQ(names.count(L"two") == 1, c.editedRowStays);
    if (names.count(L"")) {
      EXPECT_EQ(names[L""], L"") << "an inserted row takes no edit";
    }
  }
}

// An edit column that counts the ends of its editors.
class CountingEditTrait : public CColumnTraitEdit {
public:
  explicit CountingEditTrait(int& closed) : closed(closed) {}
  void OnEditorClosed() override { ++closed; }

private:
  int& closed;
};

TEST_F(GridEditing, AColumnInsertedBeforeAnOpenEditorLeavesItsTraitToHearTheEnd) {
  int closed = 0;
  int others = 0;
  grid->InsertTraitColumn(4, L"Counted", LVCFMT_LEFT, 80, 4, new CountingEditTrait(closed));
  grid->InsertTraitColumn(5, L"Other", LVCFMT_LEFT, 80, 5, new CountingEditTrait(others));
  ASSERT_NE(grid->StartCellEdit(1, 4), nullptr);
  StandIn::TypeText(L"counted");
  grid->InsertTraitColumn(1, L"New", LVCFMT_LEFT, 50, 9, new CountingEditTrait(others));
  StandIn::PumpMessages();
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(others, 0);
  EXPECT_EQ(grid->GetItemText(1, 5), L"counted");
}

TEST_F(GridEditing, DestroyingTheGridWithAnOpenEditorLeavesNothing) {
  ASSERT_NE(grid->StartCellEdit(0, 2), nullptr);
  grid->DestroyWindow();
  EXPECT_FALSE(grid->IsEditorOpen());
  StandIn::PumpMessages();
}

// Columns are "", Use, Name (edit), Text 1 in display order. Whatever hides the focus
// column, the focus goes to the nearest shown column, so F2 and Ctrl+C reach only cells
// that can be seen.
TEST_F(GridEditing, HidingTheFocusColumnMovesTheFocusToTheNearestShownColumn) {
  ClickCell(1, 2);
  ASSERT_EQ(grid->GetFocusColumn(), 2);
  driver.ChooseMenuText(L"Name");
  RightClickHeader(3);
  ASSERT_FALSE(grid->IsColumnShown(2));
  EXPECT_EQ(grid->GetFocusColumn(), 3) << "the column that takes its place";
  StandIn::PressKey(VK_F2);
  EXPECT_FALSE(grid->IsEditorOpen()) << "Text 1 has no editor";
  StandIn::PressKey('C', StandIn::kControl);
  EXPECT_EQ(StandIn::ClipboardText(), L"two");
  EXPECT_EQ(Count(LVN_BEGINLABELEDITW), 0);
  EXPECT_EQ(grid->GetItemText(1, 2), L"beta");

  grid->SetColumnShown(3, false);
  EXPECT_EQ(grid->GetFocusColumn(), 1) << "the last shown column hands the focus back";
  grid->SetColumnShown(1, false);
  EXPECT_EQ(grid->GetFocusColumn(), -1) << "nothing shown: the whole row";

  // A restored layout that leaves the focus column out.
  for (int col : {1, 2, 3}) grid->SetColumnShown(col, true);
  grid->SetFocusColumn(2, false);
  MemoryProfiles store(L"Grid");
  store.sections[L"Grid"] = {{L"ColumnCount", L"2"}, {L"ColumnData_0", L"1"}, {L"ColumnData_1", L"3"}};
  grid->AttachColumnStore(&store, false);
  ASSERT_FALSE(grid->IsColumnShown(2));
  EXPECT_EQ(grid->GetFocusColumn(), 3);
  StandIn::PressKey(VK_F2);
  EXPECT_FALSE(grid->IsEditorOpen());
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridEditing, TextColumnsAndLockedCellsDoNotEdit) {
  ClickCell(0, 3);
  ClickCell(0, 3);
  EXPECT_FALSE(grid->IsEditorOpen());
  grid->GetColumnTraitAt(2)->GetColumnState().editable = false;
  EXPECT_EQ(grid->StartCellEdit(0, 2), nullptr);
  EXPECT_EQ(grid->StartCellEdit(-1, 2), nullptr);
  EXPECT_EQ(grid->StartCellEdit(0, 99), nullptr);
  EXPECT_EQ(Count(LVN_BEGINLABELEDITW), 0);
}

TEST_F(GridEditing, CellsOutsideTheListNeitherEditNorStep) {
  int windows = StandIn::LiveWindowCount();
  EXPECT_EQ(grid->StartCellEdit(3, 2), nullptr) << "there are three rows";
  EXPECT_EQ(grid->StartCellEdit(-2, 2), nullptr);
  EXPECT_EQ(grid->StartCellEdit(0, 4), nullptr) << "there are four columns";
  // An image cell below the last row: no step is reported for a row that is not there.
  CPoint icon = CellPoint(0, 1, LVIR_ICON);
  EXPECT_EQ(grid->StartCellEdit(3, 1, icon), nullptr);
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_TRUE(parent.codes.empty());
}

TEST_F(GridEditing, ClicksWithModifiersNeverEdit) {
  ClickCell(0, 2);
  ClickCell(0, 2, StandIn::kControl);
  EXPECT_FALSE(grid->IsEditorOpen());
  ClickCell(0, 2, StandIn::kShift);
  EXPECT_FALSE(grid->IsEditorOpen());
}

TEST_F(GridEditing, TheListsOwnLabelEditingNeverStarts) {
  NMLVDISPINFO info;
  info.hdr.hwndFrom = grid->GetSafeHwnd();
  info.hdr.idFrom = kGridId;
  info.hdr.code = LVN_BEGINLABELEDITW;
  info.item.iItem = 0;
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kGridId, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(Count(LVN_BEGINLABELEDITW), 0);
}

TEST_F(GridEditing, ARightAlignedHeaderGivesARightAlignedEditor) {
  LVCOLUMN column;
  column.mask = LVCF_FMT;
  column.fmt = LVCFMT_RIGHT;
  grid->SetColumn(2, &column);
  auto* editor = dynamic_cast<CEdit*>(grid->StartCellEdit(0, 2));
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->GetStyle() & ES_RIGHT);
  EXPECT_EQ(editor->GetMargins(), static_cast<DWORD>(MAKELONG(0, 7)));
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
}

TEST_F(GridEditing, EditorsKeepTheCellFontWhenRowsAreTaller) {
  grid->SetRowSpacing(1.5);
  LOGFONT cell{};
  grid->GetGridCellFont()->GetLogFont(&cell);
  LOGFONT list{};
  grid->GetFont()->GetLogFont(&list);
  ASSERT_NE(cell.lfHeight, list.lfHeight);
  CWnd* editor = grid->StartCellEdit(0, 2);
  ASSERT_NE(editor, nullptr);
  LOGFONT edit{};
  editor->GetFont()->GetLogFont(&edit);
  EXPECT_EQ(edit.lfHeight, cell.lfHeight);
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
}

TEST_F(GridEditing, EditLimitsApply) {
  static_cast<CColumnTraitEdit*>(grid->GetColumnTraitAt(2))->SetLimitText(3);
  auto* editor = dynamic_cast<CEdit*>(grid->StartCellEdit(0, 2));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->GetLimitText(), 3u);
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
}

class GridImages : public GridEditing {};

TEST_F(GridImages, ClicksOnTheCheckImageStepItAndTheParentHears) {
  ClickCell(0, 1, 0, LVIR_ICON);
  EXPECT_EQ(grid->GetCellImageIndex(0, 1), 1);
  ClickCell(0, 1, 0, LVIR_ICON);
  EXPECT_EQ(grid->GetCellImageIndex(0, 1), 0);
  ASSERT_EQ(parent.ends.size(), 2u);
  EXPECT_EQ(parent.ends[0].mask, static_cast<UINT>(LVIF_IMAGE));
  EXPECT_EQ(parent.ends[0].image, 1);
  EXPECT_EQ(parent.ends[1].image, 0);
  EXPECT_FALSE(grid->IsEditorOpen());
  // A click on the label of the check cell steps nothing.
  ClickCell(1, 1, 0, LVIR_LABEL);
  EXPECT_EQ(grid->GetCellImageIndex(1, 1), 0);
}

TEST_F(GridImages, SpaceStepsTheFocusCellsImage) {
  ClickCell(2, 1, 0, LVIR_LABEL);
  ASSERT_EQ(grid->GetFocusColumn(), 1);
  StandIn::PressKey(VK_SPACE);
  EXPECT_EQ(grid->GetCellImageIndex(2, 1), 1);
}

TEST_F(GridImages, WithSelectionToggleTheNewImageGoesToEverySelectedRow) {
  auto* check = static_cast<CColumnTraitImage*>(grid->GetColumnTraitAt(1));
  check->SetSelectionToggle(true);
  check->SetImageText(1, L"yes", true);
  SelectOnly({0, 2});
  grid->SetCellImageIndex(2, 1, 0);
  grid->StartCellEdit(0, 1, CellPoint(0, 1, LVIR_ICON));
  EXPECT_EQ(grid->GetCellImageIndex(0, 1), 1);
  EXPECT_EQ(grid->GetCellImageIndex(1, 1), 0);
  EXPECT_EQ(grid->GetCellImageIndex(2, 1), 1);
  EXPECT_EQ(grid->GetItemText(2, 1), L"yes");
  ASSERT_EQ(parent.ends.size(), 2u);
  EXPECT_EQ(parent.ends[1].row, 2);
}

TEST_F(GridImages, AClickOnACheckBoxSpreadsToTheSelection) {
  // A list with item check boxes whose first column spreads a check to the selection.
  grid->DestroyWindow();
  CreateGrid();
  grid->SetExtendedStyle(grid->GetExtendedStyle() | LVS_EX_CHECKBOXES);
  auto* spreading = new CColumnTraitImage;
  spreading->SetSelectionToggle(true);
  grid->InsertTraitColumn(0, L"Kind", LVCFMT_LEFT, 120, 0, spreading);
  AddRows({{L"Line"}, {L"Arc"}, {L"Circle"}, {L"Point"}});
  SelectOnly({0, 1, 2});
  parent.checkChanges = 0;
  CRect row;
  grid->GetItemRect(1, &row, LVIR_BOUNDS);
  StandIn::LeftClick(grid->GetSafeHwnd(), CPoint(row.left + 8, row.CenterPoint().y));
  EXPECT_TRUE(grid->GetCheck(1));
  EXPECT_TRUE(grid->GetCheck(0));
  EXPECT_TRUE(grid->GetCheck(2));
  EXPECT_FALSE(grid->GetCheck(3));
  EXPECT_EQ(parent.checkChanges, 3);
  EXPECT_EQ(grid->GetSelectedCount(), 3u);
}

TEST_F(GridImages, AddCheckBoxImagesLeavesCheckBoxesOff) {
  EXPECT_FALSE(grid->GetExtendedStyle() & LVS_EX_CHECKBOXES);
  EXPECT_EQ(images.GetImageCount(), 2);
  EXPECT_EQ(grid->GetImageList(LVSIL_SMALL), &images);
}

}  // namespace
}  // namespace gridtest
