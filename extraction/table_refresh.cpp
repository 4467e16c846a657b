#include "extraction/table_refresh.h"

#include <set>

#include "extraction/extraction_engine.h"
#include "extraction/output_table.h"
#include "extraction/row_merging.h"
#include "platform/host/db_table.h"
#include "platform/host/editor.h"

namespace {

const wchar_t kCellError[] = L"Error adding content into a table cell";

std::vector<CString> readRow(OvDbTable* table, unsigned row) {
  std::vector<CString> texts;
  readTableRow(texts, table, row, table->numColumns());
  return texts;
}

bool allEmpty(const std::vector<CString>& texts) {
  for (const CString& text : texts) {
    if (!text.IsEmpty()) return false;
  }
  return true;
}

// The engine rows 1 to end - 1 by the text of their key cell, each text's rows ascending:
// finding a table row's rows this way spares a walk over every engine row per table row.
class EngineRowIndex {
public:
  EngineRowIndex(const TextGrid& rows, size_t end, size_t keyCell) {
    for (size_t k = 1; k < end && k < rows.size(); ++k) {
      if (keyCell < rows[k].size()) rows_[rows[k][keyCell]].push_back(k);
    }
  }
  // The rows whose key cell shows the text; null when none does.
  const std::vector<size_t>* find(const CString& text) const {
    auto found = rows_.find(text);
    return found == rows_.end() ? nullptr : &found->second;
  }

private:
  std::unordered_map<CString, std::vector<size_t>> rows_;
};

}  // namespace

void collectTotalColumns(std::vector<CString>& out, const std::vector<CString>& headers,
                         const OfferedPropertyMap& items, CString extraName) {
  std::set<CString> names;
  for (const CString& header : headers) {
    if (header == extraName) names.insert(header);
    for (const PropertyItem& item : items) {
      if (item.total && item.name == header) names.insert(header);
    }
  }
  out.assign(names.begin(), names.end());
}

void removeHandle(std::vector<CString>& list, CString text) { std::erase(list, text); }

std::unordered_map<CString, size_t> countTexts(const std::vector<CString>& texts) {
  std::unordered_map<CString, size_t> counts;
  for (const CString& text : texts) ++counts[text];
  return counts;
}

bool removeMatchingTableRow(OvDbTable* table, const std::vector<CString>& rowTexts, unsigned firstDataRow) {
  bool deleted = false;
  const unsigned rows = table->numRows();
  for (unsigned r = firstDataRow; r < rows && r < table->numRows(); ++r) {
    if (readRow(table, r) != rowTexts) continue;
    table->deleteRows(r, 1);
    if (table->generateLayout() != Ovis::eOk) return deleted;
    deleted = true;
  }
  return deleted;
}

bool tableHasTotals(OvDbTable* table, unsigned firstDataRow) {
  unsigned rows = table->numRows();
  return rows >= firstDataRow + 2 && allEmpty(readRow(table, rows - 2));
}

bool ExtractionEngine::refreshTable(OvDbTable* table, std::vector<CString>& handles, bool grouped,
                                    const std::vector<CString>& storedHeaders, bool headerHidden, bool& changed) {
  changed = false;
  const unsigned firstDataRow = headerHidden ? 1 : 2;
  const unsigned rowCount = table->numRows();
  const bool hasTotals = tableHasTotals(table, firstDataRow);

  // The totals row of the engine rows, over the columns that the table totals.
  std::vector<CString> totalsNames;
  bool totalsFilled = false;
  size_t engineRows = rows.size();
  if (hasTotals) {
    std::vector<CString> lastRow = readRow(table, rowCount - 1);
    totalsFilled = !allEmpty(lastRow);
    if (totalsFilled) {
      if (headerHidden) {
        for (size_t c = 0; c < lastRow.size() && c < storedHeaders.size(); ++c) {
          if (!lastRow[c].IsEmpty()) totalsNames.push_back(storedHeaders[c]);
        }
      } else {
        collectTotalledHeaders(totalsNames, table);
      }
      std::vector<CString> totals = computeTotalsRow(rows, totalsNames);
      if (!totals.empty()) rows.push_back(totals);
    }
  }

  struct OutOfDate {
    unsigned row;
    bool hasHandle;
    CString handle;
  };
  std::vector<OutOfDate> outOfDate;
  const EngineRowIndex rowsByKey(rows, engineRows, grouped ? 1 : 0);
  const unsigned endRow = hasTotals ? rowCount - 2 : rowCount;
  for (unsigned r = firstDataRow; r < endRow; ++r) {
    const size_t i = r - firstDataRow;
    const bool hasHandle = i < handles.size();
    // A row without a handle entry (added by hand) cannot be matched: it is left alone.
    if (!grouped && !hasHandle) continue;
    std::vector<CString> texts = readRow(table, r);
    bool matched = false;
    const std::vector<size_t>* matches = nullptr;
    if (!grouped || !texts.empty()) matches = rowsByKey.find(grouped ? texts[0] : handles[i]);
    for (size_t k : matches ? *matches : std::vector<size_t>()) {
      const auto& engineRow = rows[k];
      matched = true;
      for (size_t c = 0; c < texts.size() && c + 1 < engineRow.size(); ++c) {
        if (texts[c] == engineRow[c + 1]) continue;
        if (table->setTextString(r, static_cast<unsigned>(c), engineRow[c + 1]) != Ovis::eOk) {
          ovutPrintf(kCellError);
          return false;
        }
        texts[c] = engineRow[c + 1];
        changed = true;
      }
    }
    if (!matched) {
      changed = true;
      outOfDate.push_back({r, hasHandle, hasHandle ? handles[i] : CString()});
    }
  }

  // Out-of-date rows go where they stand, the last first so that the others keep their
  // positions: matching them by their texts would also take a current row, the empty row or
  // the totals row that shows the same texts. A row that cannot be deleted keeps its handle.
  size_t kept = 0;
  for (size_t n = outOfDate.size(); n > 0; --n) {
    if (table->deleteRows(outOfDate[n - 1].row, 1) != Ovis::eOk) {
      kept = n;
      break;
    }
    if (table->generateLayout() != Ovis::eOk) {
      kept = n - 1;
      break;
    }
  }

  if (hasTotals && changed && totalsFilled) {
    TextGrid grid;
    if (headerHidden) grid.push_back(storedHeaders);
    if (readTableCells(table, grid)) {
      grid.pop_back();
      std::vector<CString> totals = computeTotalsRow(grid, totalsNames);
      const unsigned last = table->numRows() - 1;
      for (unsigned c = 0; c < table->numColumns() && c < totals.size(); ++c) {
        if (table->textString(last, c) == totals[c].str()) continue;
        if (table->setTextString(last, c, totals[c]) != Ovis::eOk) {
          ovutPrintf(kCellError);
          return false;
        }
      }
    }
  }

  for (size_t n = kept; n < outOfDate.size(); ++n) {
    if (outOfDate[n].hasHandle) removeHandle(handles, outOfDate[n].handle);
  }
  return true;
}

bool ExtractionEngine::rewriteTable(OvDbTable* table, std::vector<CString>& ids, bool& changed) {
  changed = false;
  if (rows.empty()) return true;
  TextGrid grid = {rows[0]};
  const std::unordered_map<CString, size_t> listed = countTexts(ids);
  for (size_t k = 1; k < rows.size(); ++k) {
    auto times = rows[k].empty() ? listed.end() : listed.find(rows[k][0]);
    if (times != listed.end()) grid.insert(grid.end(), times->second, rows[k]);
  }

  // A table with totals keeps them: an empty row and the totals row end it.
  if (tableHasTotals(table, 1)) {
    std::vector<CString> totalsNames;
    collectTotalColumns(totalsNames, grid[0], offeredItems, catalogue.quantityItem.name);
    std::vector<CString> totals = computeTotalsRow(grid, totalsNames);
    if (!totals.empty()) {
      grid.push_back(std::vector<CString>(grid[0].size()));
      grid.push_back(totals);
    }
  }

  const unsigned columns = grid[0].size() > 1 ? static_cast<unsigned>(grid[0].size() - 1) : 1;
  resizeTable(table, static_cast<unsigned>(grid.size() + 1), columns);
  changed = true;
  return resetTable(table, table->numRows(), table->numColumns()) &&
         updateTable(grid, previewMap, table, catalogue.blockPreviewItem.name);
}
