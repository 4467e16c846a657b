// The combo-box, date-time and multi-line edit columns: each edited as a person does it
// (opened by click or F2; accepted, cancelled or left), with what the parent receives and
// no editor left behind; then what is particular to each kind.
#include "grid_fixture.h"

#include "gridctrl/cell_editor.h"
#include "gridctrl/column_trait_combo.h"
#include "gridctrl/column_trait_date_time.h"
#include "gridctrl/column_trait_multiline.h"
#include "gridctrl/trait_visitor.h"

namespace gridtest {
namespace {

enum class Kind { Combo, DateTime, Multiline };

struct KindCase {
  const char* name;
  Kind kind;
  std::wstring cell;     // the text of the cells
  std::wstring changed;  // the text after a person's change
  LPARAM param;          // the item data reported with it (-1: none)
  UINT acceptKey;        // the key that accepts (the multi-line editor takes Enter as a line)
};

void PrintTo(const KindCase& kind, std::ostream* out) { *out << kind.name; }

// A combo column that lets a test see whether it still points at an editor.
class ProbeCombo : public CColumnTraitCombo {
public:
  bool HoldsEditor() const { return editor != nullptr; }
};

CColumnTrait* MakeTrait(Kind kind) {
  switch (kind) {
    case Kind::Combo: {
      auto* combo = new ProbeCombo;
      combo->AddItem(10, L"Alpha");
      combo->AddItem(20, L"Beta");
      combo->AddItem(30, L"Gamma");
      return combo;
    }
    case Kind::DateTime: return new CColumnTraitDateTime;
    case Kind::Multiline: return new CColumnTraitMultilineEdit;
  }
  return nullptr;
}

class KindGrid : public GridTest {
protected:
  void BuildGrid(Kind kind, const std::wstring& cell) {
    CreateGrid();
    grid->InsertTraitColumn(0, L"Name", LVCFMT_LEFT, 120, 0, new CColumnTraitText);
    grid->InsertTraitColumn(1, L"Value", LVCFMT_LEFT, 160, 1, MakeTrait(kind));
    AddRows({{L"first", cell}, {L"second", cell}, {L"third", cell}});
  }
  CWnd* OpenByClicks(int row, int col) {
    ClickCell(row, col);
    ClickCell(row, col);
    return grid->GetOpenEditor();
  }
  CWnd* OpenByF2(int row, int col) {
    grid->SetFocus();
    grid->SetFocusRow(row);
    grid->SetFocusColumn(col, false);
    StandIn::PressKey(VK_F2);
    return grid->GetOpenEditor();
  }
  // The focus is on the editor or on one of its fields.
  static bool HasFocusWithin(CWnd* editor) {
    HWND focus = ::GetFocus();
    return focus && (focus == editor->GetSafeHwnd() || ::IsChild(editor->GetSafeHwnd(), focus));
  }
};

class ColumnKinds : public KindGrid, public ::testing::WithParamInterface<KindCase> {
protected:
  void SetUp() override {
    GridTest::SetUp();
    BuildGrid(GetParam().kind, GetParam().cell);
  }
  void ChangeValue(CWnd* editor) {
    switch (GetParam().kind) {
      case Kind::Combo:  // a person opens the list and clicks the third entry
        editor->SendMessage(CB_STANDIN_CHOOSE, 2);
        StandIn::PumpMessages();
        break;
      case Kind::DateTime: ASSERT_TRUE(StandIn::PickCalendarDay(editor->GetSafeHwnd(), 2024, 3, 9)); break;
      case Kind::Multiline: StandIn::TypeText(L"one\rtwo"); break;
    }
  }
};

enum class Ending { Accept, AcceptUnchanged, Cancel, FocusLoss };

TEST_P(ColumnKinds, EveryWayOfOpeningAndEndingReportsToTheParentAndLeavesNoEditor) {
  const KindCase& kind = GetParam();
  int windows = StandIn::LiveWindowCount();
  int objects = StandIn::LiveWndObjectCount();
  int row = 0;
  for (bool byClick : {true, false}) {
    for (Ending ending : {Ending::Accept, Ending::AcceptUnchanged, Ending::Cancel, Ending::FocusLoss}) {
      SCOPED_TRACE(std::string(byClick ? "click, " : "F2, ") + "ending " + std::to_string(static_cast<int>(ending)));
      row = (row + 1) % 3;
      grid->SetItemText(row, 1, kind.cell.c_str());
      parent.ends.clear();
      CWnd* editor = byClick ? OpenByClicks(row, 1) : OpenByF2(row, 1);
      ASSERT_NE(editor, nullptr);
      ASSERT_NE(dynamic_cast<CCellEditor*>(editor), nullptr);
      EXPECT_TRUE(editor->IsWindowVisible());
      EXPECT_TRUE(HasFocusWithin(editor));
      if (ending != Ending::AcceptUnchanged) ChangeValue(editor);
      if (ending == Ending::Cancel) StandIn::PressKey(VK_ESCAPE);
      else if (ending == Ending::FocusLoss) StandIn::MoveFocusTo(parent.GetSafeHwnd());
      else StandIn::PressKey(kind.acceptKey);
      StandIn::PumpMessages();

      EXPECT_FALSE(grid->IsEditorOpen());
      EXPECT_EQ(StandIn::LiveWindowCount(), windows);
      EXPECT_EQ(StandIn::LiveWndObjectCount(), objects);
      ASSERT_EQ(parent.ends.size(), 1u);
      EXPECT_EQ(parent.ends[0].row, row);
      EXPECT_EQ(parent.ends[0].col, 1);
      bool accepted = ending == Ending::Accept || ending == Ending::FocusLoss;
      EXPECT_EQ((parent.ends[0].mask & LVIF_TEXT) != 0, accepted);
      EXPECT_EQ(grid->GetItemText(row, 1), accepted ? kind.changed : kind.cell);
      if (accepted) {
        EXPECT_EQ(parent.ends[0].text, kind.changed);
        EXPECT_EQ(parent.ends[0].param, kind.param);
      }
    }
  }
}

TEST_P(ColumnKinds, DeletingTheColumnOrTheGridEndsTheOpenEditorFirst) {
  int windows = StandIn::LiveWindowCount();
  ASSERT_NE(OpenByF2(1, 1), nullptr);
  grid->DeleteColumn(1);
  EXPECT_FALSE(grid->IsEditorOpen());
  ASSERT_EQ(parent.ends.size(), 1u);
  EXPECT_EQ(parent.ends[0].mask, 0u);
  StandIn::PumpMessages();
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);

  grid->InsertTraitColumn(1, L"Again", LVCFMT_LEFT, 160, 1, MakeTrait(GetParam().kind));
  ASSERT_NE(OpenByF2(2, 1), nullptr);
  grid->DestroyWindow();
  ASSERT_EQ(parent.ends.size(), 2u);
  EXPECT_EQ(parent.ends[1].row, 2);
  EXPECT_EQ(parent.ends[1].mask, 0u);
}

// The parent refuses an edit and allows the next, which starts before any message is pumped:
// the refused editor is gone at once without a word, and the next edit ends only as its
// person ends it.
TEST_P(ColumnKinds, ARefusedEditEndsAtOnceAndNothingOfItReachesTheNextEdit) {
  const KindCase& kind = GetParam();
  int windows = StandIn::LiveWindowCount();
  int objects = StandIn::LiveWndObjectCount();
  grid->SetFocus();
  parent.refuseEdit = true;
  EXPECT_EQ(grid->StartCellEdit(1, 1), nullptr);
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);
  EXPECT_EQ(StandIn::LiveWndObjectCount(), objects);

  parent.refuseEdit = false;
  CWnd* editor = grid->StartCellEdit(2, 1);
  ASSERT_NE(editor, nullptr);
  ChangeValue(editor);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetOpenEditor(), editor);
  EXPECT_TRUE(HasFocusWithin(editor));
  StandIn::PressKey(kind.acceptKey);
  StandIn::PumpMessages();
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(grid->GetItemText(1, 1), kind.cell);
  EXPECT_EQ(grid->GetItemText(2, 1), kind.changed);
  ASSERT_EQ(parent.ends.size(), 1u) << "the refused edit is never reported as ended";
  EXPECT_EQ(parent.ends[0].row, 2);
  EXPECT_EQ(parent.ends[0].text, kind.changed);
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ColumnKinds,
                         ::testing::Values(KindCase{"Combo", Kind::Combo, L"Beta", L"Gamma", 30, VK_RETURN},
                                           KindCase{"DateTime", Kind::DateTime, L"3/5/2024", L"3/9/2024", -1,
                                                    VK_RETURN},
                                           KindCase{"Multiline", Kind::Multiline, L"line", L"one\r\ntwo", -1, VK_TAB}),
                         [](const ::testing::TestParamInfo<KindCase>& info) { return info.param.name; });

// ---- between kinds --------------------------------------------------------------------------

class MixedKinds : public KindGrid {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGrid();
    grid->InsertTraitColumn(0, L"Name", LVCFMT_LEFT, 100, 0, new CColumnTraitText);
    grid->InsertTraitColumn(1, L"Combo", LVCFMT_LEFT, 100, 1, combo = static_cast<ProbeCombo*>(MakeTrait(Kind::Combo)));
    grid->InsertTraitColumn(2, L"Date", LVCFMT_LEFT, 100, 2, MakeTrait(Kind::DateTime));
    grid->InsertTraitColumn(3, L"Lines", LVCFMT_LEFT, 100, 3, MakeTrait(Kind::Multiline));
    grid->InsertTraitColumn(4, L"Text", LVCFMT_LEFT, 100, 4, new CColumnTraitEdit);
    AddRows({{L"a", L"Alpha", L"1/2/2024", L"x", L"t"}, {L"b", L"Beta", L"2/3/2024", L"y", L"u"}});
  }
  ProbeCombo* combo = nullptr;
};

TEST_F(MixedKinds, StartingAnEditEndsTheOpenOneWhateverItsKind) {
  int windows = StandIn::LiveWindowCount();
  HWND previous = nullptr;
  for (int col : {1, 2, 3, 4, 1}) {
    CWnd* editor = grid->StartCellEdit(0, col);
    ASSERT_NE(editor, nullptr) << "column " << col;
    StandIn::PumpMessages();
    if (previous) {
      EXPECT_FALSE(::IsWindow(previous)) << "the editor before column " << col << " is gone";
    }
    previous = editor->GetSafeHwnd();
  }
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
  ASSERT_EQ(parent.ends.size(), 5u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(parent.ends[i].col, std::vector<int>({1, 2, 3, 4})[i]);
  EXPECT_FALSE(combo->HoldsEditor());
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);
}

TEST_F(MixedKinds, TheTraitHearsTheEndAlsoWhenTheRowHasGone) {
  ASSERT_NE(grid->StartCellEdit(1, 1), nullptr);
  EXPECT_TRUE(combo->HoldsEditor());
  grid->DeleteItem(1);
  StandIn::PressKey(VK_RETURN);
  StandIn::PumpMessages();
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_FALSE(combo->HoldsEditor()) << "the trait would point at a deleted editor";
  combo->LoadList(CSimpleMap<DWORD_PTR, CString>(), 0);  // safe: no editor to fill
  EXPECT_EQ(grid->GetItemCount(), 1);
}

TEST_F(MixedKinds, EachKindVisitsItsOwnOperation) {
  struct Names : CTraitVisitor {
    using CTraitVisitor::Visit;
    std::vector<std::string> seen;
    void Visit(CColumnTraitCombo&) override { seen.push_back("combo"); }
    void Visit(CColumnTraitDateTime&) override { seen.push_back("date"); }
    void Visit(CColumnTraitMultilineEdit&) override { seen.push_back("lines"); }
    void Visit(CColumnTraitEdit&) override { seen.push_back("edit"); }
  } names;
  for (int col = 1; col <= 4; ++col) grid->GetColumnTraitAt(col)->AcceptVisitor(names);
  EXPECT_EQ(names.seen, (std::vector<std::string>{"combo", "date", "lines", "edit"}));
}

// ---- the combo box --------------------------------------------------------------------------

class ComboColumn : public KindGrid {
protected:
  void SetUp() override {
    GridTest::SetUp();
    BuildGrid(Kind::Combo, L"Beta");
    combo = static_cast<ProbeCombo*>(grid->GetColumnTraitAt(1));
  }
  CComboBox* Open(int row) { return dynamic_cast<CComboBox*>(OpenByF2(row, 1)); }
  ProbeCombo* combo = nullptr;
};

TEST_F(ComboColumn, ATypedTextCarriesItemDataOnlyWhenItIsTheSelectedItemsText) {
  // The editor opens with the cell's item selected; typing leaves that selection as it is.
  for (const std::wstring typed : {L"Delta", L"Gamma", L"Beta"}) {
    parent.ends.clear();
    grid->SetItemText(0, 1, L"Beta");
    CComboBox* box = Open(0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetCurSel(), 1);
    StandIn::TypeText(typed);
    StandIn::PressKey(VK_RETURN);
    StandIn::PumpMessages();
    ASSERT_EQ(parent.ends.size(), 1u);
    EXPECT_EQ(parent.ends[0].text, typed);
    EXPECT_EQ(parent.ends[0].param, typed == L"Beta" ? 20 : -1) << "typed " << std::string(typed.begin(), typed.end());
  }
}

TEST_F(ComboColumn, TheDroppedListIsSizedByItsItemsInTheFixedTextMetric) {
  // Text metric: the default font is 13 pixels high and 7 wide per character; list items
  // are 13 high, the scroll bar 17 wide, edges 2.
  combo->ClearItems();
  for (int i = 1; i <= 20; ++i) {
    CString text;
    text.Format(L"Item %d", i);
    combo->AddItem(static_cast<DWORD_PTR>(i), text);
  }
  grid->SetColumnWidth(1, 40);
  CComboBox* box = Open(0);
  ASSERT_NE(box, nullptr);
  int field = box->GetItemHeight(-1);
  CRect client;
  box->GetClientRect(&client);
  box->ShowDropDown(TRUE);
  CRect dropped;
  box->GetDroppedControlRect(&dropped);
  EXPECT_EQ(dropped.Height(), client.Height() + 7 * 13 + 2 * 2) << "seven rows show";
  EXPECT_EQ(box->GetDroppedWidth(), 7 * 7 + 17 + 7) << "\"Item 10\", the scroll bar and a \"0\"";
  EXPECT_EQ(box->GetItemHeight(-1), field);
  box->GetClientRect(&client);
  EXPECT_EQ(client.Height(), field + 6) << "the box keeps its own height";
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();

  combo->ClearItems();
  combo->AddItem(1, CString(30, L'W'));  // 210 pixels, wider than the 200 allowed
  combo->SetShowDropDownOnFocus(TRUE);
  box = Open(0);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->GetDroppedState()) << "dropped when it took the focus";
  box->GetClientRect(&client);
  box->GetDroppedControlRect(&dropped);
  EXPECT_EQ(dropped.Height(), client.Height() + 13 + 2 * 2);
  EXPECT_EQ(box->GetDroppedWidth(), 200 + 7) << "no scroll bar for one item";
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
}

TEST_F(ComboColumn, TheSelectionFieldFollowsTheRowHeight) {
  for (double spacing : {1.0, 2.0}) {
    grid->SetRowSpacing(spacing);
    CRect cell = combo->GetCellEditArea(*grid, 0, 1);
    CComboBox* box = Open(0);
    ASSERT_NE(box, nullptr);
    CRect client;
    box->GetClientRect(&client);
    EXPECT_GE(client.Height(), cell.Height()) << "spacing " << spacing;
    EXPECT_LE(client.Height(), cell.Height() + 2) << "spacing " << spacing;
    EXPECT_GE(box->GetItemHeight(-1), 1);
    StandIn::PressKey(VK_ESCAPE);
    StandIn::PumpMessages();
  }
}

// ---- the date-time column -------------------------------------------------------------------

class DateColumn : public KindGrid {
protected:
  void SetUp() override {
    GridTest::SetUp();
    BuildGrid(Kind::DateTime, L"3/5/2024");
    dates = static_cast<CColumnTraitDateTime*>(grid->GetColumnTraitAt(1));
  }
  CDateTimeCtrl* Open(int row) { return dynamic_cast<CDateTimeCtrl*>(OpenByF2(row, 1)); }
  CString Shown(CWnd* editor) {
    CString text;
    editor->GetWindowText(text);
    return text;
  }
  CColumnTraitDateTime* dates = nullptr;
};

TEST_F(DateColumn, DatesSortByTheirValueAndATextThatIsNoDateCountsAs1970) {
  grid->DeleteAllItems();
  AddRows({{L"c", L"3/5/2024"},
           {L"d", L"12/1/2023"},
           {L"e", L"no date"},
           {L"f", L"1/15/2024 10:30 PM"},
           {L"g", L"2/29/1968"}});
  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(1),
            (std::vector<std::wstring>{L"2/29/1968", L"no date", L"12/1/2023", L"1/15/2024 10:30 PM", L"3/5/2024"}));
  ClickHeader(1);
  EXPECT_EQ(ColumnTexts(1),
            (std::vector<std::wstring>{L"3/5/2024", L"1/15/2024 10:30 PM", L"12/1/2023", L"no date", L"2/29/1968"}));
}

TEST_F(DateColumn, TypedDatesAreTakenAndATextThatIsNoDateChangesNothing) {
  struct Typing {
    std::wstring typed;
    bool leaveByFocus;
    std::wstring reported;  // empty: nothing reported
  };
  for (const Typing& typing : {Typing{L"2024-03-09", false, L"3/9/2024"}, Typing{L"not a date", false, L""},
                               Typing{L"7/4/2025", true, L"7/4/2025"}, Typing{L"31/31/2024", true, L""}}) {
    SCOPED_TRACE(std::string(typing.typed.begin(), typing.typed.end()));
    parent.ends.clear();
    grid->SetItemText(0, 1, L"3/5/2024");
    CDateTimeCtrl* picker = Open(0);
    ASSERT_NE(picker, nullptr);
    StandIn::TypeText(typing.typed);
    EXPECT_NE(::GetFocus(), picker->GetSafeHwnd()) << "the typing field has the focus";
    if (typing.leaveByFocus) StandIn::MoveFocusTo(parent.GetSafeHwnd());
    else StandIn::PressKey(VK_RETURN);
    StandIn::PumpMessages();
    EXPECT_FALSE(grid->IsEditorOpen());
    ASSERT_EQ(parent.ends.size(), 1u);
    EXPECT_EQ(parent.ends[0].text, typing.reported);
    EXPECT_EQ(grid->GetItemText(0, 1), typing.reported.empty() ? L"3/5/2024" : typing.reported);
  }
}

TEST_F(DateColumn, ACellInAnotherFormOpensAt1970AndAFormatShowsItsOwnForm) {
  grid->SetItemText(0, 1, L"2024-03-05");
  CDateTimeCtrl* picker = Open(0);
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(Shown(picker), L"1/1/1970");
  StandIn::PressKey(VK_RETURN);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(0, 1), L"2024-03-05") << "no change, nothing written";

  dates->SetFormat(L"yyyy'-'MM'-'dd");
  picker = Open(0);
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(Shown(picker), L"2024-03-05");
  ASSERT_TRUE(StandIn::PickCalendarDay(picker->GetSafeHwnd(), 2024, 12, 31));
  EXPECT_TRUE(grid->IsEditorOpen()) << "the calendar closed with the focus back on the picker";
  // The mouse wheel ends the edit and accepts it.
  StandIn::MouseWheel(grid->GetSafeHwnd(), CellPoint(0, 1), -120);
  StandIn::PumpMessages();
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(grid->GetItemText(0, 1), L"2024-12-31");
}

// ---- the multi-line column ------------------------------------------------------------------

class MultilineColumn : public KindGrid {
protected:
  void SetUp() override {
    GridTest::SetUp();
    BuildGrid(Kind::Multiline, L"a");
    lines = static_cast<CColumnTraitMultilineEdit*>(grid->GetColumnTraitAt(1));
  }
  int EditorHeight() {
    CRect rect;
    grid->GetOpenEditor()->GetWindowRect(&rect);
    return rect.Height();
  }
  int OpenHeight(const std::wstring& text) {
    grid->SetItemText(0, 1, text.c_str());
    if (!OpenByF2(0, 1)) return -1;
    int height = EditorHeight();
    StandIn::PressKey(VK_ESCAPE);
    StandIn::PumpMessages();
    return height;
  }
  CColumnTraitMultilineEdit* lines = nullptr;
};

// One line is the cell's edit area, 17 pixels; each further line adds the text height, 13.
TEST_F(MultilineColumn, TheEditorOpensAsHighAsTheCellsLinesUpToItsMost) {
  EXPECT_EQ(OpenHeight(L"a"), 17);
  EXPECT_EQ(OpenHeight(L"a\nb\nc\nd"), 17 + 3 * 13);
  EXPECT_EQ(OpenHeight(L"a\nb\nc\nd\ne\nf\ng"), 17 + 3 * 13) << "four lines at the most";
  lines->SetMaxLines(1);
  EXPECT_EQ(OpenHeight(L"a\nb\nc"), 17);
  lines->SetMaxLines(-1);
  EXPECT_EQ(OpenHeight(L"a\nb\nc\nd\ne\nf\ng"), 17 + 6 * 13);
  EXPECT_EQ(OpenHeight(std::wstring(100, L'\n')), 17 + (380 - 17) / 13 * 13) << "no taller than the grid";
}

TEST_F(MultilineColumn, TheEditorGrowsAndShrinksByLinesWhileTyping) {
  ASSERT_NE(OpenByF2(0, 1), nullptr);
  std::vector<int> heights{EditorHeight()};
  for (int i = 0; i < 4; ++i) {
    StandIn::TypeText(L"\r");
    heights.push_back(EditorHeight());
  }
  StandIn::PressKey(VK_BACK);  // takes the last line feed
  heights.push_back(EditorHeight());
  EXPECT_EQ(heights, (std::vector<int>{17, 30, 43, 56, 56, 56}));
  StandIn::PressKey(VK_BACK);  // the carriage return
  StandIn::PressKey(VK_BACK);  // another line feed
  EXPECT_EQ(EditorHeight(), 43);
  StandIn::PressKey(VK_TAB);
  StandIn::PumpMessages();
  ASSERT_EQ(parent.ends.size(), 1u);
  EXPECT_EQ(parent.ends[0].text, L"\r\n\r\n\r");

  lines->SetMaxLines(-1);
  ASSERT_NE(OpenByF2(1, 1), nullptr);
  StandIn::TypeText(std::wstring(60, L'\r'));
  CRect client;
  grid->GetClientRect(&client);
  EXPECT_LE(EditorHeight(), client.Height());
  EXPECT_GT(EditorHeight(), client.Height() - 13);
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
}

// At every row spacing, after every key, the editor is as high as its cell and one text
// line more for each line break it shows (three at the most).
TEST_F(MultilineColumn, TheEditorIsNeverLowerThanItsCellAtAnyRowSpacing) {
  const int line = lines->MeasureRowTextHeight(*grid);
  for (double spacing : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0}) {
    SCOPED_TRACE(spacing);
    grid->SetRowSpacing(spacing);
    grid->SetItemText(0, 1, L"a\nb");
    int cell = lines->GetCellEditArea(*grid, 0, 1).Height();
    CWnd* editor = OpenByF2(0, 1);
    ASSERT_NE(editor, nullptr);
    auto expected = [&] {
      CString text;
      editor->GetWindowText(text);
      return cell + line * std::min(CColumnTraitMultilineEdit::CountLineBreaks(text, L"\n"), 3);
    };
    EXPECT_EQ(EditorHeight(), expected());
    for (const wchar_t* key : {L"x", L"\r", L"y", L"\r", L"\r", L"\r", L"\b", L"\b", L"\b", L"\b", L"\b"}) {
      if (*key == L'\b') StandIn::PressKey(VK_BACK);
      else StandIn::TypeText(key);
      EXPECT_EQ(EditorHeight(), expected()) << "after " << static_cast<int>(*key);
    }
    StandIn::PressKey(VK_ESCAPE);
    StandIn::PumpMessages();
  }
}

// The multi-line edit reports no change for the text it opens with, so the first key is
// already a change of the person's.
TEST_F(MultilineColumn, OneKeyIsAnEdit) {
  ASSERT_NE(OpenByF2(0, 1), nullptr);
  StandIn::TypeText(L"z");
  StandIn::PressKey(VK_TAB);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(0, 1), L"z");
  ASSERT_EQ(parent.ends.size(), 1u);
  EXPECT_EQ(parent.ends[0].text, L"z");
}

TEST(MultilineBreaks, CountsSeparatorsAndAnEmptySeparatorCountsNone) {
  EXPECT_EQ(CColumnTraitMultilineEdit::CountLineBreaks(L"a\nb\n", L"\n"), 2);
  EXPECT_EQ(CColumnTraitMultilineEdit::CountLineBreaks(L"a\r\nb", L"\r\n"), 1);
  EXPECT_EQ(CColumnTraitMultilineEdit::CountLineBreaks(L"", L"\n"), 0);
  EXPECT_EQ(CColumnTraitMultilineEdit::CountLineBreaks(L"a\nb", L""), 0);
  EXPECT_EQ(CColumnTraitMultilineEdit::CountLineBreaks(L"aaaa", L"aa"), 2);
}

}  // namespace
}  // namespace gridtest
