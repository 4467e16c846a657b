// Fonts, row spacing, the empty-list text and cell drawing through custom draw.
#include "grid_fixture.h"

#include "gridctrl/row_trait.h"

namespace gridtest {
namespace {

class GridDrawing : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGrid();
    grid->InsertColumn(0, L"A", LVCFMT_LEFT, 80);
    grid->InsertColumn(1, L"B", LVCFMT_LEFT, 80);
  }
  LOGFONT FontOfWindow(CWnd* window) {
    LOGFONT font{};
    if (CFont* f = window->GetFont()) f->GetLogFont(&font);
    return font;
  }
  // Sends one custom-draw notification as the list sends it while painting.
  LRESULT Draw(DWORD stage, int row, int col, CDC& dc, UINT state = 0) {
    NMLVCUSTOMDRAW draw;
    draw.nmcd.hdr.hwndFrom = grid->GetSafeHwnd();
    draw.nmcd.hdr.idFrom = kGridId;
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = stage;
    draw.nmcd.hdc = dc.GetSafeHdc();
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.nmcd.uItemState = state;
    CRect bounds;
    grid->GetItemRect(row < 0 ? 0 : row, &bounds, LVIR_BOUNDS);
    draw.nmcd.rc = bounds;
    draw.iSubItem = col;
    draw.clrText = CLR_DEFAULT;
    draw.clrTextBk = CLR_DEFAULT;
    lastDraw = draw;
    return parent.SendMessage(WM_NOTIFY, kGridId, reinterpret_cast<LPARAM>(&lastDraw));
  }
  // Runs a row's post-paint stage and answers the rectangles the grid drew over the row,
  // each of which must be a focus rectangle.
  std::vector<CRect> FocusRectsAfterPostPaint(int row, CDC& dc) {
    StandIn::ClearDrawing(grid->GetSafeHwnd());
    Draw(CDDS_ITEMPOSTPAINT, row, 0, dc);
    std::vector<CRect> rects;
    for (const auto& record : StandIn::DrawingOf(grid->GetSafeHwnd())) {
      EXPECT_EQ(record.kind, StandIn::DrawRecord::FocusRect);
      rects.emplace_back(record.rect);
    }
    return rects;
  }
  NMLVCUSTOMDRAW lastDraw;
};

TEST_F(GridDrawing, RowSpacingScalesTheListFontButNotTheCellFont) {
  LOGFONT set{};
  set.lfHeight = -12;
  std::wcscpy(set.lfFaceName, L"Cell Face");
  CFont font;
  font.CreateFontIndirect(&set);
  grid->SetRowSpacing(1.5);
  grid->SetFont(&font);
  EXPECT_EQ(FontOfWindow(grid.get()).lfHeight, -18);
  LOGFONT cell{};
  grid->GetGridCellFont()->GetLogFont(&cell);
  EXPECT_EQ(cell.lfHeight, -12);
  EXPECT_STREQ(cell.lfFaceName, L"Cell Face");
  EXPECT_EQ(FontOfWindow(grid->GetHeaderCtrl()).lfHeight, -12);
  // Calling it again scales the cell font again, not the scaled one.
  grid->SetRowSpacing(1.5);
  EXPECT_EQ(FontOfWindow(grid.get()).lfHeight, -18);
  grid->SetRowSpacing(2.0);
  EXPECT_EQ(FontOfWindow(grid.get()).lfHeight, -24);
  EXPECT_EQ(grid->GetRowSpacing(), 2.0);
}

TEST_F(GridDrawing, RowSpacingWorksBeforeAnyFontIsSet) {
  grid->SetRowSpacing(2.0);
  LOGFONT cell{};
  grid->GetGridCellFont()->GetLogFont(&cell);
  EXPECT_EQ(cell.lfHeight, -13);
  EXPECT_EQ(FontOfWindow(grid.get()).lfHeight, -26);
}

TEST_F(GridDrawing, AnEmptyListShowsItsTextCentredInTheCellFont) {
  StandIn::ClearDrawing(grid->GetSafeHwnd());
  grid->Invalidate();
  grid->UpdateWindow();
  const auto& drawing = StandIn::DrawingOf(grid->GetSafeHwnd());
  auto text = std::find_if(drawing.begin(), drawing.end(),
                           [](const StandIn::DrawRecord& r) { return r.kind == StandIn::DrawRecord::Text; });
  ASSERT_NE(text, drawing.end());
  EXPECT_EQ(text->text, L"There are no items to show in this view.");
  EXPECT_TRUE(text->format & DT_CENTER);
  EXPECT_TRUE(text->format & DT_VCENTER);
  EXPECT_EQ(text->backColor, grid->GetBkColor());

  AddRows({{L"first"}});
  StandIn::ClearDrawing(grid->GetSafeHwnd());
  grid->Invalidate();
  grid->UpdateWindow();
  for (const auto& record : StandIn::DrawingOf(grid->GetSafeHwnd()))
    EXPECT_NE(record.text, L"There are no items to show in this view.");
}

TEST_F(GridDrawing, HiddenColumnsSkipTheirCellsAndTheFocusCellGetsTheRectangle) {
  AddRows({{L"a", L"b"}, {L"c", L"d"}});
  grid->SetColumnShown(0, false);
  CClientDC dc(grid.get());
  EXPECT_EQ(Draw(CDDS_PREPAINT, -1, 0, dc), CDRF_NOTIFYITEMDRAW);
  EXPECT_EQ(Draw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 0, dc) & CDRF_SKIPDEFAULT, CDRF_SKIPDEFAULT);
  EXPECT_EQ(Draw(CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0, 1, dc) & CDRF_SKIPDEFAULT, 0);

  grid->SetFocusRow(1);
  grid->SetFocusColumn(1, false);
  LRESULT pre = Draw(CDDS_ITEMPREPAINT, 1, 0, dc, CDIS_FOCUS);
  EXPECT_TRUE(pre & CDRF_NOTIFYPOSTPAINT);
  EXPECT_FALSE(lastDraw.nmcd.uItemState & CDIS_FOCUS) << "the list's own row focus is suppressed";
  std::vector<CRect> rects = FocusRectsAfterPostPaint(1, dc);
  ASSERT_EQ(rects.size(), 1u);
  CRect cell;
  grid->GetCellArea(1, 1, LVIR_BOUNDS, cell);
  EXPECT_EQ(rects[0].right, cell.right);
  EXPECT_EQ(rects[0].bottom, cell.bottom - 1);
}

TEST_F(GridDrawing, WithoutAFocusColumnGridLinesGetARowFocusRectangle) {
  AddRows({{L"a", L"b"}, {L"c", L"d"}});
  grid->SetFocusRow(0);
  ASSERT_EQ(grid->GetFocusColumn(), -1);
  ASSERT_TRUE(grid->GetExtendedStyle() & LVS_EX_GRIDLINES);
  CClientDC dc(grid.get());
  EXPECT_TRUE(Draw(CDDS_ITEMPREPAINT, 0, 0, dc, CDIS_FOCUS) & CDRF_NOTIFYPOSTPAINT);
  EXPECT_FALSE(lastDraw.nmcd.uItemState & CDIS_FOCUS);
  CRect row;
  grid->GetItemRect(0, &row, LVIR_BOUNDS);
  EXPECT_EQ(FocusRectsAfterPostPaint(0, dc), (std::vector<CRect>{CRect(row.left, row.top, row.right, row.bottom - 1)}));

  // Without grid lines the list draws its own row focus.
  grid->SetExtendedStyle(grid->GetExtendedStyle() & ~LVS_EX_GRIDLINES);
  Draw(CDDS_ITEMPREPAINT, 0, 0, dc, CDIS_FOCUS);
  EXPECT_TRUE(lastDraw.nmcd.uItemState & CDIS_FOCUS);
  EXPECT_TRUE(FocusRectsAfterPostPaint(0, dc).empty());
  // Rows that are not focused get no rectangle either way.
  grid->SetExtendedStyle(grid->GetExtendedStyle() | LVS_EX_GRIDLINES);
  EXPECT_TRUE(FocusRectsAfterPostPaint(1, dc).empty());
}

TEST_F(GridDrawing, AlternateRowColoursAndCellFontsComeAndGo) {
  AddRows({{L"a"}, {L"b"}});
  auto* rows = new CRowTraitText;
  rows->SetRowColor(RGB(1, 1, 1), RGB(2, 2, 2));
  rows->SetAltRowColor(RGB(3, 3, 3), RGB(4, 4, 4));
  grid->ReplaceDefaultRowTrait(rows);
  grid->ReplaceDefaultRowTrait(rows);  // the same trait again is kept
  CClientDC dc(grid.get());
  Draw(CDDS_ITEMPREPAINT, 0, 0, dc);
  EXPECT_EQ(lastDraw.clrText, RGB(1, 1, 1));
  Draw(CDDS_ITEMPREPAINT, 1, 0, dc);
  EXPECT_EQ(lastDraw.clrText, RGB(3, 3, 3));
  EXPECT_EQ(lastDraw.clrTextBk, RGB(4, 4, 4));

  int objects = StandIn::LiveGdiObjectCount();
  grid->SetRowSpacing(1.5);
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), objects + 2);  // the cell font and the grid font
  LRESULT pre = Draw(CDDS_ITEMPREPAINT, 0, 0, dc);
  EXPECT_TRUE(pre & CDRF_NEWFONT);
  LOGFONT selected{};
  dc.GetCurrentFont()->GetLogFont(&selected);
  EXPECT_EQ(selected.lfHeight, -13) << "rows are taller, text keeps the cell font";
  Draw(CDDS_ITEMPOSTPAINT, 0, 0, dc);
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), objects + 2);
}

}  // namespace
}  // namespace gridtest
