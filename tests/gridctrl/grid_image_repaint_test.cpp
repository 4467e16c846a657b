// The image repaint row trait: after the list draws a cell, the cell's image is drawn again
// on the colour the row shows (highlight while the grid has the focus, button face when it
// has not, the hot-track colour for the hot row, the cell's own background otherwise).
#include "grid_fixture.h"

#include "gridctrl/column_trait_hyperlink.h"
#include "gridctrl/row_trait_image_repaint.h"
#include "gridctrl/trait_visitor.h"

namespace gridtest {
namespace {

class GridImageRepaint : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    StandIn::System().appThemed = false;  // the Explorer theme would draw selected rows itself
    BuildWizardGrid(1);
    ASSERT_FALSE(grid->IsExplorerThemed());
    AddRows({{L"", L"", L"alpha", L"one"}, {L"", L"", L"beta", L"two"}, {L"", L"", L"gamma", L"three"}});
    for (int row = 0; row < 3; ++row) grid->SetCellImageIndex(row, 1, row % 2);
    auto* rows = new CRowTraitImageRepaint;
    rows->SetRowColor(RGB(0, 0, 0), kCellBack);
    grid->ReplaceDefaultRowTrait(rows);
    SelectOnly({1});
  }
  // The list background each image of the check column was drawn with, row by row.
  std::vector<std::vector<COLORREF>> ImageBackgrounds() {
    StandIn::ClearDrawing(grid->GetSafeHwnd());
    grid->Invalidate();
    grid->UpdateWindow();
    std::vector<std::vector<COLORREF>> rows(3);
    for (const auto& record : StandIn::DrawingOf(grid->GetSafeHwnd())) {
      if (record.kind != StandIn::DrawRecord::Image) continue;
      for (int row = 0; row < 3; ++row) {
        CRect cell;
        grid->GetCellArea(row, 1, LVIR_BOUNDS, cell);
        if (cell.PtInRect(CRect(record.rect).TopLeft())) rows[static_cast<size_t>(row)].push_back(record.fillColor);
      }
    }
    return rows;
  }
  // The fills drawn over the check cell of a row, by colour.
  std::vector<COLORREF> CellFills(int row) {
    CRect icon;
    grid->GetCellArea(row, 1, LVIR_ICON, icon);
    std::vector<COLORREF> fills;
    for (const auto& record : StandIn::DrawingOf(grid->GetSafeHwnd()))
      if (record.kind == StandIn::DrawRecord::FillRect && CRect(record.rect).PtInRect(icon.CenterPoint()) &&
          record.rect.right == icon.right + 2)
        fills.push_back(record.fillColor);
    return fills;
  }
  static constexpr COLORREF kCellBack = RGB(250, 250, 210);
};

TEST_F(GridImageRepaint, SelectedRowsTakeTheHighlightWhileFocusedAndButtonFaceWhenNot) {
  const COLORREF none = CLR_NONE;  // the image list's own background in the list's drawing
  grid->SetFocus();
  auto drawn = ImageBackgrounds();
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(drawn[1], (std::vector<COLORREF>{none, highlight}));
  EXPECT_EQ(CellFills(1), std::vector<COLORREF>{highlight});
  EXPECT_EQ(drawn[0], (std::vector<COLORREF>{none, kCellBack})) << "unselected rows: the cell's own background";
  EXPECT_EQ(drawn[2], (std::vector<COLORREF>{none, kCellBack}));
  EXPECT_EQ(grid->GetImageList(LVSIL_SMALL)->GetBkColor(), none) << "the list's background is put back";

  parent.SetFocus();
  drawn = ImageBackgrounds();
  EXPECT_EQ(drawn[1], (std::vector<COLORREF>{none, GetSysColor(COLOR_BTNFACE)}));
  EXPECT_EQ(CellFills(1), std::vector<COLORREF>{GetSysColor(COLOR_BTNFACE)});

  // The hot row of a hot-tracking list.
  grid->SetExtendedStyle(grid->GetExtendedStyle() | LVS_EX_TRACKSELECT);
  grid->SetHotItem(2);
  EXPECT_EQ(ImageBackgrounds()[2], (std::vector<COLORREF>{none, GetSysColor(COLOR_HOTLIGHT)}));

  // Without a real cell background, and for cells without an image, nothing is drawn again.
  grid->SetExtendedStyle(grid->GetExtendedStyle() & ~LVS_EX_TRACKSELECT);
  grid->ReplaceDefaultRowTrait(new CRowTraitImageRepaint);
  grid->SetCellImageIndex(0, 1, -1);
  drawn = ImageBackgrounds();
  EXPECT_TRUE(drawn[0].empty());
  EXPECT_EQ(drawn[2], std::vector<COLORREF>{none});
}

TEST_F(GridImageRepaint, WithTheExplorerThemeSelectedRowsAreLeftToTheTheme) {
  grid.reset();
  images.DeleteImageList();
  StandIn::System().appThemed = true;
  BuildWizardGrid(1);
  ASSERT_TRUE(grid->IsExplorerThemed());
  AddRows({{L"", L"", L"alpha", L"one"}, {L"", L"", L"beta", L"two"}, {L"", L"", L"gamma", L"three"}});
  for (int row = 0; row < 3; ++row) grid->SetCellImageIndex(row, 1, 0);
  grid->ReplaceDefaultRowTrait(new CRowTraitImageRepaint);
  SelectOnly({1});
  grid->SetFocus();
  EXPECT_EQ(ImageBackgrounds()[1].size(), 1u);
}

TEST(TraitVisitor, TheHyperlinkColumnAndTheImageRepaintRowReachTheirOwnVisit) {
  struct Names : CTraitVisitor {
    std::vector<std::string> seen;
    void Visit(CColumnTraitImage&) override { seen.push_back("image"); }
    void Visit(CColumnTraitHyperLink&) override { seen.push_back("hyperlink"); }
    void Visit(CRowTraitText&) override { seen.push_back("row text"); }
    void Visit(CRowTraitImageRepaint&) override { seen.push_back("image repaint"); }
  } names;
  CColumnTraitHyperLink link;
  CRowTraitImageRepaint repaint;
  link.AcceptVisitor(names);
  repaint.AcceptVisitor(names);
  EXPECT_EQ(names.seen, (std::vector<std::string>{"hyperlink", "image repaint"}));
}

}  // namespace
}  // namespace gridtest
