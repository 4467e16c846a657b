// Combining and grouping over grids large enough for their hashed, radix-ordered walks,
// against the plain algorithms they replace (whole rows sorted by their cells, sets and
// groups kept in ordered maps), written out here as the oracle. The grids hold handles of
// every length, shared prefixes, repeated handles, wide characters, characters beyond
// Unicode (which take the comparison sort), empty and short rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "common/numbers.h"
#include "extraction/row_merging.h"
#include "tests/support/plugin_resources.h"

namespace {

using Row = std::vector<CString>;

bool cellLess(const CString& x, const CString& y) { return x.Compare(y) < 0; }

long headerPosition(const Row& header, const CString& name) {
  auto it = std::find(header.begin(), header.end(), name);
  return it == header.end() ? -1 : static_cast<long>(it - header.begin());
}

void plainCombine(TextGrid& rows, std::vector<CString>& keptIds, const CString& quantity, RowSources& sources) {
  std::vector<Row> data(rows.begin() + 1, rows.end());
  std::sort(data.begin(), data.end(), [](const Row& a, const Row& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), cellLess);
  });
  auto fromColumnOne = [](const Row* a, const Row* b) {
    if (a->size() != b->size()) return a->size() < b->size();
    return std::lexicographical_compare(a->begin() + (a->empty() ? 0 : 1), a->end(), b->begin() + (b->empty() ? 0 : 1),
                                        b->end(), cellLess);
  };
  std::map<const Row*, std::pair<std::size_t, int>, decltype(fromColumnOne)> sets(fromColumnOne);
  for (std::size_t i = 0; i < data.size(); ++i) {
    auto [it, added] = sets.try_emplace(&data[i], i, 0);
    ++it->second.second;
    if (!data[i].empty() && !data[it->second.first].empty()) sources[data[it->second.first][0]].push_back(data[i][0]);
  }
  std::vector<std::pair<std::size_t, int>> kept;
  for (const auto& entry : sets) kept.push_back(entry.second);
  std::sort(kept.begin(), kept.end());
  long q = headerPosition(rows[0], quantity);
  TextGrid result{rows[0]};
  for (const auto& [index, count] : kept) {
    Row row = data[index];
    if (!row.empty()) keptIds.push_back(row[0]);
    if (q >= 0 && static_cast<std::size_t>(q) < row.size()) row[static_cast<std::size_t>(q)].Format(L"%d", count);
    result.push_back(row);
  }
  rows = result;
}

void plainGroup(TextGrid& rows, const CString& groupBy, const std::vector<CString>& totalsNames,
                std::vector<CString>& keptIds, RowSources& sources) {
  long k = headerPosition(rows[0], groupBy);
  if (k < 0) return;
  moveColumn(rows, static_cast<unsigned>(k), 1);
  std::map<CString, std::vector<const Row*>> groups;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (rows[i].size() > 1) groups[rows[i][1]].push_back(&rows[i]);
  }
  TextGrid result{rows[0]};
  for (const auto& [value, members] : groups) {
    const CString& last = members.back()->front();
    keptIds.push_back(last);
    for (const Row* member : members) sources[last].push_back(member->front());
    if (totalsNames.empty()) continue;
    Row totals(rows[0].size());
    for (std::size_t j = 0; j < rows[0].size(); ++j) {
      if (std::find(totalsNames.begin(), totalsNames.end(), rows[0][j]) == totalsNames.end()) continue;
      double sum = 0;
      for (const Row* member : members) sum += j < member->size() ? std::wcstod((*member)[j].GetString(), nullptr) : 0;
      totals[j].Format(L"%g", sum);
    }
    totals[0] = last;
    if (totals.size() > 1) totals[1] = value;
    result.push_back(totals);
  }
  rows = result;
}

// A grid of n rows: handles in one of several styles, few distinct values in the other
// columns, now and then a short or empty row.
TextGrid generatedGrid(std::mt19937& random, int n, int style) {
  auto pick = [&random](int m) { return static_cast<int>(random() % static_cast<unsigned>(m)); };
  TextGrid rows{{L"Id", L"Object type", L"Quantity", L"Layer", L"Length"}};
  const wchar_t* kinds[] = {L"Line", L"Arc", L"Ärc", L"\U0010FFFD"};
  const wchar_t* layers[] = {L"0", L"A", L"a", L"Walls", L"", L"Walls and doors of the first floor"};
  const wchar_t* lengths[] = {L"1", L"2.5", L"10", L"x", L"1e3", L"-0.5"};
  for (int i = 0; i < n; ++i) {
    CString handle;
    switch (style) {
      case 0: handle.Format(L"%X", static_cast<unsigned>(pick(1 << 20))); break;     // 1 to 5 hex digits
      case 1: handle.Format(L"ABC%X", static_cast<unsigned>(pick(1 << 12))); break;  // one long shared prefix
      case 2: handle.Format(L"%X", static_cast<unsigned>(pick(40))); break;          // many repeated handles
      case 3: handle = CString(std::to_wstring(pick(3000)).c_str()) + kinds[pick(4)]; break;
      default:  // a character beyond Unicode now and then
        handle.Format(L"%X", static_cast<unsigned>(pick(5000)));
        if (pick(50) == 0) handle += static_cast<wchar_t>(0x200000 + pick(3));
        break;
    }
    int shape = pick(8);
    if (shape == 0 && pick(4) == 0) {
      rows.push_back(pick(2) ? Row{} : Row{handle, kinds[pick(2)]});
      continue;
    }
    rows.push_back({handle, kinds[pick(4)], L"1", layers[pick(6)], lengths[pick(6)]});
  }
  return rows;
}

}  // namespace

TEST(RowMergingOrder, LargeGridsMergeAsThePlainAlgorithmsMergeThem) {
  attachPluginResources();
  SetUserInterfaceLanguage(0x0C09);
  PropertyCatalogue catalogue;
  std::mt19937 random(14);
  for (int n : {0, 1, 47, 48, 49, 300, 3000}) {
    for (int style = 0; style < 5; ++style) {
      SCOPED_TRACE(testing::Message() << n << " rows, handles of style " << style);
      TextGrid source = generatedGrid(random, n, style);

      TextGrid combined = source, expected = source;
      std::vector<CString> ids, expectedIds;
      RowSources sources, expectedSources;
      combineIdenticalRows(combined, ids, catalogue, &sources);
      plainCombine(expected, expectedIds, catalogue.quantityItem.name, expectedSources);
      EXPECT_EQ(combined, expected);
      EXPECT_EQ(ids, expectedIds);
      EXPECT_EQ(sources, expectedSources);

      for (const CString& by : {CString(L"Layer"), CString(L"Id"), CString(L"Length")}) {
        TextGrid grouped = source;
        expected = source;
        ids.clear();
        expectedIds.clear();
        sources.clear();
        expectedSources.clear();
        std::vector<CString> totals = by == L"Length" ? std::vector<CString>{} : std::vector<CString>{L"Length"};
        groupRowsByProperty(grouped, by, totals, ids, &sources);
        plainGroup(expected, by, totals, expectedIds, expectedSources);
        EXPECT_EQ(grouped, expected) << by;
        EXPECT_EQ(ids, expectedIds) << by;
        EXPECT_EQ(sources, expectedSources) << by;
      }
    }
  }
}
