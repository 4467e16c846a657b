#include "extraction/row_merging.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "common/numbers.h"

namespace {

using Row = std::vector<CString>;

// The ordinal comparison of cells (it stops at a text's first null, as wcscmp does).
bool cellLess(const CString& x, const CString& y) { return x.Compare(y) < 0; }
// A cell as that comparison sees it.
std::wstring_view compared(const CString& cell) { return std::wstring_view(cell.GetString()); }

// Rows equal from column 1 on (and of one size), as cellLess sees cells: hashed and compared.
struct FromColumnOneHash {
  std::size_t operator()(const Row* row) const {
    std::size_t hash = row->size();
    for (std::size_t j = 1; j < row->size(); ++j)
      hash = hash * 1000003u ^ std::hash<std::wstring_view>()(compared((*row)[j]));
    return hash;
  }
};
struct FromColumnOneEqual {
  bool operator()(const Row* a, const Row* b) const {
    if (a->size() != b->size()) return false;
    for (std::size_t j = 1; j < a->size(); ++j) {
      if ((*a)[j].Compare((*b)[j]) != 0) return false;
    }
    return true;
  }
};

// Sorting by texts in time linear in their length: a most-significant-digit radix sort
// on words of three characters (21 bits each, 0 past a text's end, so that a shorter text
// comes first). It takes texts whose characters lie in 1 to 0x1FFFFF, as they do; with any
// other character the comparison sort is used. Items of equal texts end up ordered by less.
class TextSorter {
public:
  static constexpr std::size_t kCharsPerWord = 3;
  static constexpr std::size_t kSmall = 48;  // ranges this short are sorted by comparison

  // Sorts the items (indices) by textOf(item), then by less(a, b) among equal texts.
  template <typename TextOf, typename Less>
  static void sort(std::vector<std::size_t>& items, const TextOf& textOf, const Less& less) {
    bool radixable = true;
    for (std::size_t item : items) {
      for (wchar_t ch : textOf(item)) radixable = radixable && ch >= 1 && ch <= 0x1FFFFF;
    }
    if (!radixable) {
      std::sort(items.begin(), items.end(), less);
      return;
    }
    TextSorter sorter;
    sorter.sortRange(items.data(), items.data() + items.size(), 0, textOf, less);
  }

private:
  static std::uint64_t wordAt(std::wstring_view text, std::size_t depth) {
    std::uint64_t word = 0;
    for (std::size_t k = 0; k < kCharsPerWord; ++k) {
      std::size_t at = depth * kCharsPerWord + k;
      word = (word << 21) | (at < text.size() ? static_cast<std::uint64_t>(text[at]) : 0u);
    }
    return word;
  }

  // Sorts [first, last), whose texts agree on their first depth words.
  template <typename TextOf, typename Less>
  void sortRange(std::size_t* first, std::size_t* last, std::size_t depth, const TextOf& textOf, const Less& less) {
    std::size_t n = static_cast<std::size_t>(last - first);
    if (n < 2) return;
    if (n < kSmall) {
      std::sort(first, last, [&](std::size_t a, std::size_t b) {
        std::wstring_view x = textOf(a), y = textOf(b);
        std::size_t skip = depth * kCharsPerWord;
        x.remove_prefix(std::min(skip, x.size()));
        y.remove_prefix(std::min(skip, y.size()));
        return x != y ? x < y : less(a, b);
      });
      return;
    }
    sortByWord(first, n, depth, textOf);
    // Runs of one word: texts that go on are sorted by their next word, finished ones by
    // less. The runs are found first, as sorting them uses keys_ again.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < n;) {
      std::size_t j = i + 1;
      while (j < n && keys_[j] == keys_[i]) ++j;
      if (j - i > 1) runs.emplace_back(i, j);
      i = j;
    }
    for (auto [begin, end] : runs) {
      const std::size_t read = (depth + 1) * kCharsPerWord;
      bool longer = false;
      for (std::size_t i = begin; i < end && !longer; ++i) longer = textOf(first[i]).size() > read;
      if (longer) sortRange(first + begin, first + end, depth + 1, textOf, less);
      else std::sort(first + begin, first + end, less);
    }
  }

  // A stable least-significant-digit radix sort of the range by word depth, a byte at a
  // time, leaving the sorted words in keys_ (bytes that all words share are skipped).
  template <typename TextOf>
  void sortByWord(std::size_t* first, std::size_t n, std::size_t depth, const TextOf& textOf) {
    keys_.resize(n);
    otherKeys_.resize(n);
    otherItems_.resize(n);
    std::uint64_t all = ~std::uint64_t{0}, any = 0;
    for (std::size_t i = 0; i < n; ++i) {
      keys_[i] = wordAt(textOf(first[i]), depth);
      all &= keys_[i];
      any |= keys_[i];
    }
    for (unsigned shift = 0; shift < 64; shift += 8) {
      if ((((all ^ any) >> shift) & 0xFF) == 0) continue;
      std::size_t counts[257] = {};
      for (std::size_t i = 0; i < n; ++i) ++counts[((keys_[i] >> shift) & 0xFF) + 1];
      for (std::size_t b = 1; b < 257; ++b) counts[b] += counts[b - 1];
      for (std::size_t i = 0; i < n; ++i) {
        std::size_t to = counts[(keys_[i] >> shift) & 0xFF]++;
        otherKeys_[to] = keys_[i];
        otherItems_[to] = first[i];
      }
      keys_.swap(otherKeys_);
      std::copy(otherItems_.begin(), otherItems_.begin() + static_cast<long>(n), first);
    }
  }

  std::vector<std::uint64_t> keys_, otherKeys_;
  std::vector<std::size_t> otherItems_;
};

long headerPosition(const Row& header, const CString& name) {
  auto it = std::find(header.begin(), header.end(), name);
  return it == header.end() ? -1 : static_cast<long>(it - header.begin());
}

// Sums the totals columns over the data rows of the grid, each value taken as many times as
// timesOf(row, column) says.
template <typename TimesOf>
Row totalsOver(const TextGrid& grid, const std::vector<CString>& totalsNames, const TimesOf& timesOf) {
  const Row& header = grid[0];
  Row totals(header.size());
  if (grid.size() < 2) return totals;
  for (std::size_t j = 0; j < header.size(); ++j) {
    if (std::find(totalsNames.begin(), totalsNames.end(), header[j]) == totalsNames.end()) continue;
    double sum = 0;
    for (std::size_t i = 1; i < grid.size(); ++i) {
      const Row& row = grid[i];
      if (j < row.size()) sum += leadingNumber(row[j]) * timesOf(row, j);
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
  // The sets of rows equal from column 1, found in row order.
  std::vector<std::size_t> setOfRow(data.size());
  std::size_t setCount = 0;
  {
    std::unordered_map<const Row*, std::size_t, FromColumnOneHash, FromColumnOneEqual> sets;
    sets.reserve(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) setOfRow[i] = sets.try_emplace(&data[i], sets.size()).first->second;
    setCount = sets.size();
  }
  // The rows are walked in the order of their cells; the first row of a set met (the one
  // with the smallest handle) stands for the set and counts its rows.
  std::vector<std::size_t> order(data.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  TextSorter::sort(
      order, [&data](std::size_t i) { return data[i].empty() ? std::wstring_view() : compared(data[i][0]); },
      [&data](std::size_t a, std::size_t b) {
        return std::lexicographical_compare(data[a].begin(), data[a].end(), data[b].begin(), data[b].end(), cellLess);
      });
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::size_t> keptRow(setCount, kNone), keptInOrder;
  std::vector<int> counts(setCount, 0);
  std::vector<std::vector<CString>*> handles(setCount, nullptr);  // each set's entry of sources
  keptInOrder.reserve(setCount);
  for (std::size_t i : order) {
    std::size_t set = setOfRow[i];
    if (keptRow[set] == kNone) {
      keptRow[set] = i;
      keptInOrder.push_back(i);
    }
    ++counts[set];
    if (sources && !data[i].empty() && !data[keptRow[set]].empty()) {
      // Kept handles come in ascending order: each goes at the end of the map.
      if (!handles[set]) handles[set] = &sources->try_emplace(sources->end(), data[keptRow[set]][0])->second;
      handles[set]->push_back(data[i][0]);
    }
  }
  long q = headerPosition(rows[0], catalogue.quantityItem.name);
  TextGrid result;
  result.reserve(keptInOrder.size() + 1);
  result.push_back(std::move(rows[0]));
  for (std::size_t i : keptInOrder) {
    Row& row = data[i];
    if (!row.empty()) keptIds.push_back(row[0]);
    if (q >= 0 && static_cast<std::size_t>(q) < row.size())
      row[static_cast<std::size_t>(q)] = formatInteger(counts[setOfRow[i]]);
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
  const Row& header = rows[0];
  std::vector<std::size_t> totalled;  // the columns with a total
  for (std::size_t j = 0; j < header.size(); ++j) {
    if (std::find(totalsNames.begin(), totalsNames.end(), header[j]) != totalsNames.end()) totalled.push_back(j);
  }
  // The groups in the order their values are first met. The rows are read once, in order,
  // so that each group's values are added in the order of its rows.
  struct Group {
    std::size_t first, last;       // rows with the value
    std::vector<CString> handles;  // of all its rows, when sources are asked for
  };
  std::vector<Group> groups;
  std::vector<double> sums;  // totalled.size() per group
  std::unordered_map<std::wstring_view, std::size_t> groupOf;
  groupOf.reserve(rows.size());
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const Row& row = rows[i];
    if (row.size() <= 1) continue;
    auto [it, added] = groupOf.try_emplace(row[1].str(), groups.size());
    if (added) {
      groups.push_back({i, i, {}});
      sums.resize(sums.size() + totalled.size(), 0.0);
    }
    Group& group = groups[it->second];
    group.last = i;
    if (sources) group.handles.push_back(row[0]);
    double* groupSums = sums.data() + it->second * totalled.size();
    for (std::size_t t = 0; t < totalled.size(); ++t) {
      if (totalled[t] < row.size()) groupSums[t] += leadingNumber(row[totalled[t]]);
    }
  }
  std::vector<std::size_t> order(groups.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  auto valueOf = [&rows, &groups](std::size_t g) -> const CString& { return rows[groups[g].first][1]; };
  TextSorter::sort(
      order, [&valueOf](std::size_t g) { return std::wstring_view(valueOf(g).str()); },
      [&valueOf](std::size_t a, std::size_t b) { return valueOf(a) < valueOf(b); });
  TextGrid result;
  result.reserve(totalsNames.empty() ? 1 : groups.size() + 1);
  result.push_back(header);
  for (std::size_t g : order) {
    const CString& lastHandle = rows[groups[g].last][0];
    keptIds.push_back(lastHandle);
    if (sources) {
      std::vector<CString>& handles = (*sources)[lastHandle];
      if (handles.empty()) handles = std::move(groups[g].handles);
      else handles.insert(handles.end(), groups[g].handles.begin(), groups[g].handles.end());
    }
    if (totalsNames.empty()) continue;
    Row totals(header.size());
    for (std::size_t t = 0; t < totalled.size(); ++t) totals[totalled[t]] = formatNumber(sums[g * totalled.size() + t]);
    totals[0] = lastHandle;
    if (totals.size() > 1) totals[1] = valueOf(g);
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
  long found = countName.IsEmpty() ? -1 : headerPosition(grid[0], countName);
  const std::size_t count = found < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(found);
  return totalsOver(grid, totalsNames, [count](const Row& row, std::size_t j) {
    return count < row.size() && j != count ? leadingNumber(row[count]) : 1.0;
  });
}

std::vector<CString> computeGroupedTotalsRow(const TextGrid& grid, const std::vector<CString>& totalsNames,
                                             const RowSources& groups) {
  if (totalsNames.empty() || grid.empty()) return {};
  return totalsOver(grid, totalsNames, [&groups](const Row& row, std::size_t j) {
    auto members = j == 1 && !row.empty() ? groups.find(row[0]) : groups.end();
    return members == groups.end() ? 1.0 : static_cast<double>(members->second.size());
  });
}

void filterPreviewMap(std::map<CString, OvDbObjectId>& out, const std::map<CString, OvDbObjectId>& source,
                      const std::vector<CString>& keptIds) {
  for (const CString& id : keptIds) {
    auto it = source.find(id);
    if (it != source.end()) out.insert(*it);
  }
}
