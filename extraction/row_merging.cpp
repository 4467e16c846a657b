#include "extraction/row_merging.h"

#include <algorithm>
#include <numeric>

#include "extraction/numbers.h"

namespace {

using Row = std::vector<CString>;

// The ordinal comparison of cells.
bool cellLess(const CString& x, const CString& y) { return x.Compare(y) < 0; }

// Orders rows by their cells from column 1 on (size first, so that only rows of one size
// can be equal).
struct FromColumnOne {
  bool operator()(const Row* a, const Row* b) const {
    if (a->size() != b->size()) return a->size() < b->size();
    return std::lexicographical_compare(a->begin() + (a->empty() ? 0 : 1), a->end(), b->begin() + (b->empty() ? 0 : 1),
                                        b->end(), cellLess);
  }
};

long headerPosition(const Row& header, const CString& name) {
  auto it = std::find(header.begin(), header.end(), name);
  return it == header.end() ? -1 : static_cast<long>(it - header.begin());
}

constexpr std::size_t kNoCountColumn = static_cast<std::size_t>(-1);

// Sums the totals columns over the given data rows; with a count column every other value
// counts as many times as the row's count.
Row totalsOver(const Row& header, const std::vector<const Row*>& dataRows, const std::vector<CString>& totalsNames,
               std::size_t countColumn = kNoCountColumn) {
  Row totals(header.size());
  if (dataRows.empty()) return totals;
  for (std::size_t j = 0; j < header.size(); ++j) {
    if (std::find(totalsNames.begin(), totalsNames.end(), header[j]) == totalsNames.end()) continue;
    double sum = 0;
    for (const Row* row : dataRows) {
      if (j >= row->size()) continue;
      double times = countColumn < row->size() && j != countColumn ? leadingNumber((*row)[countColumn]) : 1.0;
      sum += leadingNumber((*row)[j]) * times;
    }
    totals[j] = formatNumber(sum);
  }
  return totals;
}

}  // namespace

bool rowsEqualFrom(const Row& a, const Row& b, unsigned f) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = f; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

void combineIdenticalRows(TextGrid& rows, std::vector<CString>& keptIds, const PropertyCatalogue& catalogue,
                          RowSources* sources) {
  if (rows.empty()) return;
  std::vector<Row> data(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
  std::sort(data.begin(), data.end(), [](const Row& a, const Row& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), cellLess);
  });
  // Rows equal from column 1 meet in one entry: the first of them in sorted order (the
  // smallest handle) and how many there are.
  std::map<const Row*, std::pair<std::size_t, int>, FromColumnOne> sets;
  for (std::size_t i = 0; i < data.size(); ++i) {
    auto [it, added] = sets.try_emplace(&data[i], i, 0);
    ++it->second.second;
    if (sources && !data[i].empty() && !data[it->second.first].empty())
      (*sources)[data[it->second.first][0]].push_back(data[i][0]);
  }
  std::vector<std::pair<std::size_t, int>> kept;
  kept.reserve(sets.size());
  for (const auto& entry : sets) kept.push_back(entry.second);
  std::sort(kept.begin(), kept.end());
  long q = headerPosition(rows[0], catalogue.quantityItem.name);
  TextGrid result;
  result.reserve(kept.size() + 1);
  result.push_back(std::move(rows[0]));
  for (const auto& [index, count] : kept) {
    Row& row = data[index];
    if (!row.empty()) keptIds.push_back(row[0]);
    if (q >= 0 && static_cast<std::size_t>(q) < row.size()) row[static_cast<std::size_t>(q)] = formatInteger(count);
    result.push_back(std::move(row));
  }
  rows = std::move(result);
}

void groupRowsByProperty(TextGrid& rows, const CString& groupBy, const std::vector<CString>& totalsNames,
                         std::vector<CString>& keptIds, RowSources* sources) {
  if (rows.empty()) return;
  long k = headerPosition(rows[0], groupBy);
  if (k < 0) return;
  moveColumn(rows, static_cast<unsigned>(k), 1);
  std::map<CString, std::vector<const Row*>> groups;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (rows[i].size() > 1) groups[rows[i][1]].push_back(&rows[i]);
  }
  TextGrid result;
  result.push_back(rows[0]);
  for (const auto& [value, members] : groups) {
    const CString& lastHandle = members.back()->front();
    keptIds.push_back(lastHandle);
    if (sources) {
      for (const Row* member : members) (*sources)[lastHandle].push_back(member->front());
    }
    if (totalsNames.empty()) continue;
    Row totals = totalsOver(rows[0], members, totalsNames);
    totals[0] = lastHandle;
    if (totals.size() > 1) totals[1] = value;
    result.push_back(std::move(totals));
  }
  rows = std::move(result);
}

void moveColumn(TextGrid& rows, unsigned k, int target) {
  if (rows.empty() || k >= rows[0].size()) return;
  for (Row& row : rows) {
    if (k >= row.size()) continue;
    CString cell = std::move(row[k]);
    row.erase(row.begin() + k);
    auto at = static_cast<std::size_t>(std::clamp(target, 0, static_cast<int>(row.size())));
    row.insert(row.begin() + static_cast<long>(at), std::move(cell));
  }
}

std::vector<CString> computeTotalsRow(const TextGrid& grid, const std::vector<CString>& totalsNames) {
  return computeTotalsRow(grid, totalsNames, CString());
}

std::vector<CString> computeTotalsRow(const TextGrid& grid, const std::vector<CString>& totalsNames,
                                      const CString& countName) {
  if (totalsNames.empty() || grid.empty()) return {};
  std::vector<const Row*> dataRows;
  dataRows.reserve(grid.size() - 1);
  for (std::size_t i = 1; i < grid.size(); ++i) dataRows.push_back(&grid[i]);
  long count = countName.IsEmpty() ? -1 : headerPosition(grid[0], countName);
  return totalsOver(grid[0], dataRows, totalsNames, count < 0 ? kNoCountColumn : static_cast<std::size_t>(count));
}

void filterPreviewMap(std::map<CString, OvDbObjectId>& out, const std::map<CString, OvDbObjectId>& source,
                      const std::vector<CString>& keptIds) {
  for (const CString& id : keptIds) {
    auto it = source.find(id);
    if (it != source.end()) out.insert(*it);
  }
}
