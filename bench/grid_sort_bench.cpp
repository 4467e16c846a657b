// A click on a heading of a grid laid out like the wizard's preview (a hidden lead column of
// handles, a text column of few distinct kinds, a numeric column of lengths), at 100,000 rows.
// One iteration is two clicks on the same heading: ascending, then descending.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "gridctrl/column_trait_text.h"
#include "gridctrl/list_grid_ctrl.h"
#include "platform/mfc/mfc.h"

namespace {

constexpr int kKindColumn = 1;
constexpr int kLengthColumn = 2;

void fillPreviewRows(CListGridCtrl& grid, int rows) {
  const wchar_t* const kinds[] = {L"Line", L"Arc", L"Circle", L"Polyline", L"Block", L"Text", L"Point"};
  std::mt19937 random(7);
  for (int row = 0; row < rows; ++row) {
    CString handle;
    handle.Format(L"%X", 0x100 + row);
    int item = grid.InsertItem(row, handle);
    grid.SetItemData(item, static_cast<DWORD_PTR>(row));
    grid.SetItemText(item, kKindColumn, kinds[random() % 7]);
    CString length;
    length.Format(L"%g", static_cast<double>(random() % 100000) / 100.0);
    grid.SetItemText(item, kLengthColumn, length);
  }
}

void BM_PreviewHeaderClickSort(benchmark::State& state) {
  const int column = static_cast<int>(state.range(0));
  const int rows = static_cast<int>(state.range(1));
  CWnd parent;
  parent.CreateEx(0, AfxRegisterWndClass(0), L"Preview", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 640, 420, nullptr, nullptr);
  auto grid = std::make_unique<CListGridCtrl>();
  grid->Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 600, 380), &parent, 1);
  grid->AddHiddenLeadColumn();
  grid->InsertTraitColumn(kKindColumn, L"Object type", LVCFMT_LEFT, 100, kKindColumn, new CColumnTraitText);
  auto* lengths = new CColumnTraitText;
  lengths->SetSortNumeric(true);
  grid->InsertTraitColumn(kLengthColumn, L"Length", LVCFMT_LEFT, 100, kLengthColumn, lengths);
  fillPreviewRows(*grid, rows);
  CRect heading;
  grid->GetHeaderCtrl()->GetItemRect(column, &heading);
  HWND header = grid->GetHeaderCtrl()->GetSafeHwnd();
  for (auto _ : state) {
    StandIn::LeftClick(header, heading.CenterPoint());
    StandIn::LeftClick(header, heading.CenterPoint());
    benchmark::DoNotOptimize(grid->GetItemData(0));
  }
  state.SetLabel(column == kKindColumn ? "text column" : "numeric column");
  grid->DestroyWindow();
  parent.DestroyWindow();
  StandIn::PumpMessages();
}

BENCHMARK(BM_PreviewHeaderClickSort)
    ->Args({kKindColumn, 100000})
    ->Args({kLengthColumn, 100000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
