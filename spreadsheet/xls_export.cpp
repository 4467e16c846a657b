#include "spreadsheet/xls_export.h"

#include "common/host_strings.h"
#include "common/numbers.h"
#include "spreadsheet/format_manager.h"
#include "spreadsheet/xls_book.h"

namespace {

// The decimal separator that numeric texts take in the language: "." becomes "," in
// French, "," becomes "." in English; other languages change nothing.
struct Separator {
  wchar_t from = 0;
  wchar_t to = 0;
  explicit Separator(const CString& language) {
    if (language == L"fr-FR") {
      from = L'.';
      to = L',';
    } else if (language == L"en-US") {
      from = L',';
      to = L'.';
    }
  }

  // The text as stored: the text itself unless it is numeric and holds the separator to
  // change, else the changed copy, made in scratch.
  const CString& apply(const CString& text, CString& scratch) const {
    if (!from || !isNumericText(text) || text.Find(from) < 0) return text;
    scratch = text;
    scratch.Replace(from, to);
    return scratch;
  }
};

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

  // The book is saved once and then destroyed: the save may free the cells as it goes.
  bool saveAs(const CString& path, int* cut) {
    if (cut) *cut = cutCells;
    book.releaseCellsOnSave();
    return book.saveAs(path.GetString());
  }
};

}  // namespace

bool exportXls(const TextGrid& grid, CString path, const std::vector<bool>& visibleColumns,
               const std::vector<int>& columnOrder, const std::vector<int>& rowOrder, bool headerShown, int* cutCells) {
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

  const Separator separator(hostLanguage());
  CString scratch;
  ExportBook out;
  for (int r = first; r < rows; ++r) {
    const std::vector<CString>& source = grid[sourceRow(r)];
    for (int c = 0; c < usedColumns; ++c) {
      int k = columnOrder[c];
      if (!visibleColumns[k]) continue;
      XlsCell* cell = out.sheet->cellAt(r - first, c);
      out.setText(cell, separator.apply(source[k], scratch));
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

  const Separator separator(hostLanguage());
  CString scratch;
  ExportBook out;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < width; ++c) {
      XlsCell* cell = out.sheet->cellAt(r, c);
      const CString& text = grid[r][c];
      if (isNumericText(text)) {
        out.setText(cell, separator.apply(text, scratch));
        cell->setFormat(out.plain);
      } else {
        out.setText(cell, text);
      }
    }
  }
  for (int c = 0; c < width; ++c) out.sheet->cellAt(0, c)->setFormat(out.bold);
  return out.saveAs(path, cutCells);
}
