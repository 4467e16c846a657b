// The grid of the XLS export benchmarks: 65,535 rows of 12 columns. Row 0 holds the
// headers; the data rows hold handles, kind names (few distinct), numbers with and
// without decimals, and free texts (all distinct).
#pragma once
#include <vector>

#include "common/text_grid.h"

namespace xls_bench {

constexpr int kRows = 65535;
constexpr int kColumns = 12;

inline TextGrid makeGrid() {
  TextGrid g;
  g.reserve(kRows);
  std::vector<CString> header;
  for (int c = 0; c < kColumns; ++c) {
    CString name;
    name.Format(L"Column %d", c);
    header.push_back(name);
  }
  g.push_back(header);
  const wchar_t* kinds[] = {L"Line", L"Arc", L"Circle", L"Polyline", L"Block reference"};
  for (int r = 1; r < kRows; ++r) {
    std::vector<CString> row(kColumns);
    row[0].Format(L"%X", 0x2A0 + r);
    row[1] = kinds[r % 5];
    row[2].Format(L"%g", r * 0.125);
    row[3].Format(L"%d", r % 97);
    row[4].Format(L"%g", r * 3.14159);
    row[5] = L"0";
    row[6].Format(L"Note %d on layer %d", r, r % 13);
    row[7].Format(L"%g", -r / 7.0);
    row[8] = r % 2 ? L"ByLayer" : L"ByBlock";
    row[9].Format(L"%d", r);
    row[10].Format(L"%g", r * 1e-3);
    row[11].Format(L"Text %d", r * 31);
    g.push_back(std::move(row));
  }
  return g;
}

// The export of the whole grid as the wizard makes it: every column shown, in order.
struct ExportOrders {
  std::vector<bool> visible = std::vector<bool>(kColumns, true);
  std::vector<int> columns;
  std::vector<int> rows;
  ExportOrders() {
    for (int c = 0; c < kColumns; ++c) columns.push_back(c);
    for (int r = 0; r < kRows; ++r) rows.push_back(r);
  }
};

}  // namespace xls_bench
