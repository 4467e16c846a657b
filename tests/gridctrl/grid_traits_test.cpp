// The column traits' own rules: comparing, image steps, locks, and visiting by kind.
#include "grid_fixture.h"

#include "gridctrl/trait_visitor.h"

namespace gridtest {
namespace {

LVITEM Item(int row, const wchar_t* text, int image = -1) {
  LVITEM item;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(text);
  item.iImage = image;
  return item;
}

TEST(ColumnTraitText, ComparesThreeWayWithoutOverflowAndTreatsNullAsEmpty) {
  CColumnTraitText trait;
  EXPECT_EQ(trait.GetLastRow(), -1);
  trait.SetSortNumeric(true);
  EXPECT_LT(trait.CompareItems(Item(0, L"-2147483648"), Item(1, L"2147483647"), true), 0);
  EXPECT_GT(trait.CompareItems(Item(0, L"-2147483648"), Item(1, L"2147483647"), false), 0);
  EXPECT_EQ(trait.CompareItems(Item(0, nullptr), Item(1, L"abc"), true), 0);
  EXPECT_LT(trait.CompareItems(Item(0, nullptr), Item(1, L"1"), true), 0);
  trait.SetSortNumeric(false);
  EXPECT_EQ(trait.CompareItems(Item(0, L"ABC"), Item(1, L"abc"), true), 0);
  EXPECT_LT(trait.CompareItems(Item(0, nullptr), Item(1, L"a"), true), 0);
  // A pinned row follows every other row in both directions; -1 pins none.
  trait.SetLastRow(1);
  for (bool ascending : {true, false}) {
    EXPECT_LT(trait.CompareItems(Item(0, L"z"), Item(1, L"a"), ascending), 0);
    EXPECT_GT(trait.CompareItems(Item(1, L"a"), Item(0, L"z"), ascending), 0);
    EXPECT_EQ(trait.CompareItems(Item(1, L"a"), Item(1, L"a"), ascending), 0);
  }
  trait.SetLastRow(-1);
  EXPECT_GT(trait.CompareItems(Item(-1, L"z"), Item(1, L"a"), true), 0);
}

TEST(ColumnTraitVisitor, EachKindReachesItsOwnVisit) {
  struct Names : CTraitVisitor {
    std::vector<std::string> seen;
    void Visit(CColumnTrait&) override { seen.push_back("base"); }
    void Visit(CColumnTraitText&) override { seen.push_back("text"); }
    void Visit(CColumnTraitImage&) override { seen.push_back("image"); }
    void Visit(CColumnTraitEdit&) override { seen.push_back("edit"); }
    void Visit(CRowTrait&) override { seen.push_back("row"); }
    void Visit(CRowTraitText&) override { seen.push_back("row text"); }
  } names;
  CColumnTrait base;
  CColumnTraitText text;
  CColumnTraitImage image;
  CColumnTraitEdit edit;
  CRowTrait row;
  CRowTraitText rowText;
  for (CColumnTrait* trait : std::initializer_list<CColumnTrait*>{&base, &text, &image, &edit})
    trait->AcceptVisitor(names);
  row.AcceptVisitor(names);
  rowText.AcceptVisitor(names);
  EXPECT_EQ(names.seen, (std::vector<std::string>{"base", "text", "image", "edit", "row", "row text"}));
}

class ImageTraits : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    BuildWizardGrid(0);
    AddRows({{L"", L"", L"a"}, {L"", L"", L"b"}});
    check = static_cast<CColumnTraitImage*>(grid->GetColumnTraitAt(1));
  }
  CColumnTraitImage* check = nullptr;
};

TEST_F(ImageTraits, StepsWrapAndUnknownImagesDoNotStep) {
  check->AddImageIndex(7);
  grid->SetCellImageIndex(0, 1, 7);
  EXPECT_EQ(check->GetNextImageIndex(*grid, 0, 1), 0);
  grid->SetCellImageIndex(0, 1, 1);
  EXPECT_EQ(check->GetNextImageIndex(*grid, 0, 1), 7);
  grid->SetCellImageIndex(0, 1, 5);
  EXPECT_EQ(check->GetNextImageIndex(*grid, 0, 1), -1);
  EXPECT_EQ(grid->GetCellImageIndex(99, 1), -1);
}

TEST_F(ImageTraits, FewerThanTwoImagesStepNothingUnlessTheIconOpensTheEditor) {
  // The name column is an edit column; give its cells an image and at most one step.
  auto* name = static_cast<CColumnTraitEdit*>(grid->GetColumnTraitAt(2));
  name->AddImageIndex(0);
  grid->SetCellImageIndex(0, 2, 0);
  grid->SetFocus();
  ClickCell(0, 2);
  ASSERT_EQ(grid->GetFocusColumn(), 2);
  ClickCell(0, 2, 0, LVIR_ICON);
  EXPECT_FALSE(grid->IsEditorOpen());
  EXPECT_EQ(grid->GetCellImageIndex(0, 2), 0);
  EXPECT_TRUE(parent.ends.empty()) << "no step was reported";

  name->SetIconClickOpensEditor(true);
  ClickCell(0, 2, 0, LVIR_ICON);
  ASSERT_TRUE(grid->IsEditorOpen());
  StandIn::PressKey(VK_ESCAPE);
  StandIn::PumpMessages();
  EXPECT_EQ(grid->GetItemText(0, 2), L"a");
  EXPECT_EQ(grid->GetCellImageIndex(0, 2), 0);
}

TEST_F(ImageTraits, AnImageWithoutEditingLocksTheLabelOnly) {
  check->SetImageText(1, L"locked", false);
  grid->SetCellImageIndex(0, 1, 1);
  grid->SetCellImageIndex(1, 1, 0);
  EXPECT_TRUE(check->IsCellLocked(*grid, 0, 1, CPoint(-1, -1)));
  EXPECT_TRUE(check->IsCellLocked(*grid, 0, 1, CellPoint(0, 1, LVIR_LABEL)));
  EXPECT_FALSE(check->IsCellLocked(*grid, 0, 1, CellPoint(0, 1, LVIR_ICON)));
  EXPECT_FALSE(check->IsCellLocked(*grid, 1, 1, CPoint(-1, -1)));
  // Stepping to the locked image brings its text along.
  ClickCell(1, 1, 0, LVIR_ICON);
  EXPECT_EQ(grid->GetCellImageIndex(1, 1), 1);
  EXPECT_EQ(grid->GetItemText(1, 1), L"locked");
}

}  // namespace
}  // namespace gridtest
