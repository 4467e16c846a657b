#include "spreadsheet/xls_export.h"

#include "extraction/host_strings.h"
#include "extraction/numbers.h"
#include "spreadsheet/format_manager.h"
#include "spreadsheet/xls_book.h"

namespace {

// A numeric text takes the decimal separator of the language.
CString localized(const CString& text, const CString& language) {
  CString result(text);
  if (!isNumericText(result)) return result;
  if (language == L"fr-FR") result.Replace(L'.', L',');
  else if (language == L"en-US") result.Replace(L',', L'.');
  return result;
}

// The book, its sheet and the two cell formats of an export, and the count of texts cut
// to the cell limit.
struct ExportBook {
  XlsBook book;
  XlsSheet* sheet;
  FormatManager manager;
  XlsCellFormat plain;
  XlsCellFormat bold;
  int cutCells = 0;

  ExportBook() : sheet((book.create(1), book.sheetAt(0))), manager(book), plain(manager), bold(manager) {
    XlsFont font;
    font.weight = 700;
    bold.setFont(font);
  }

  void setText(XlsCell* cell, const CString& text) {
    if (!cell->setText(text.GetString())) ++cutCells;
  }

  bool saveAs(const CString& path, int* cut) {
    if (cut) *cut = cutCells;
    return book.saveAs(path.GetString());
  }
};

}  // namespace

bool exportXls(const TextGrid& grid, CString path, const std::vector<bool>& visibleColumns,
               const std::vector<int>& columnOrder, const std::vector<int>& rowOrder, bool headerShown,
               int* cutCells) {
  if (cutCells) *cutCells = 0;
  if (grid.empty()) return true;
  const int rows = static_cast<int>(grid.size());
  const int width = static_cast<int>(columnOrder.size());
  const int first = headerShown ? 0 : 1;

  // Everything is checked before anything is written: no cell is dropped silently.
  auto sourceRow = [&](int r) {
    int i = headerShown ? r : r - 1;
    return i < static_cast<int>(rowOrder.size()) ? rowOrder[i] : r;
  };
  int usedColumns = 0;
  for (int c = 0; c < width; ++c) {
    int k = columnOrder[c];
    if (k < 0 || k >= static_cast<int>(visibleColumns.size())) return false;
    if (visibleColumns[k]) usedColumns = c + 1;
  }
  if (rows - first > XlsSheet::kMaxRows || usedColumns > XlsSheet::kMaxColumns) return false;
  for (int r = first; r < rows; ++r) {
    int source = sourceRow(r);
    if (source < 0 || source >= rows) return false;
    for (int c = 0; c < usedColumns; ++c)
      if (visibleColumns[columnOrder[c]] && columnOrder[c] >= static_cast<int>(grid[source].size())) return false;
  }

  CString language = hostLanguage();
  ExportBook out;
  for (int r = first; r < rows; ++r) {
    const std::vector<CString>& source = grid[sourceRow(r)];
    for (int c = 0; c < usedColumns; ++c) {
      int k = columnOrder[c];
      if (!visibleColumns[k]) continue;
      XlsCell* cell = out.sheet->cellAt(r - first, c);
      out.setText(cell, localized(source[k], language));
      if (r == 0) cell->setFormat(out.bold);
    }
  }
  return out.saveAs(path, cutCells);
}

bool exportXlsFromTable(const TextGrid& grid, CString path, int* cutCells) {
  if (cutCells) *cutCells = 0;
  if (grid.empty()) return true;
  const int rows = static_cast<int>(grid.size());
  const int width = static_cast<int>(grid[0].size());
  if (rows > XlsSheet::kMaxRows || width > XlsSheet::kMaxColumns) return false;
  for (const auto& row : grid)
    if (static_cast<int>(row.size()) < width) return false;

  CString language = hostLanguage();
  ExportBook out;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < width; ++c) {
      XlsCell* cell = out.sheet->cellAt(r, c);
      const CString& text = grid[r][c];
      if (isNumericText(text)) {
        out.setText(cell, localized(text, language));
        cell->setFormat(out.plain);
      } else {
        out.setText(cell, text);
      }
    }
  }
  for (int c = 0; c < width; ++c) out.sheet->cellAt(0, c)->setFormat(out.bold);
  return out.saveAs(path, cutCells);
}
