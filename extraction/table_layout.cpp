#include "extraction/table_layout.h"
#include "common/text_grid.h"

#include <algorithm>
#include <array>
#include <map>

#include "extraction/output_table.h"
#include "platform/win/wide_numbers.h"

namespace {

const wchar_t kVersion[] = L"1";
const std::array<const wchar_t*, 3> kMergeNames = {L"none", L"combined", L"grouped"};

CString entry(const wchar_t* tag, const CString& value) { return CString(tag) + L":" + value; }

void addEntries(std::vector<CString>& out, const wchar_t* tag, const std::vector<CString>& values) {
  for (const CString& value : values) out.push_back(entry(tag, value));
}

bool distinct(std::vector<CString> list) {
  std::sort(list.begin(), list.end());
  return std::adjacent_find(list.begin(), list.end()) == list.end();
}

CString number(size_t n) {
  CString text;
  text.Format(L"%zu", n);
  return text;
}

// Puts the object (none for the empty row) into the row of the given number. Every row of a
// list takes at least one of its entries, so a row at or beyond the number of entries cannot
// be one, and no room is made for it.
bool placeInRow(TableLayout& layout, const CString& handle, const CString& rowText, size_t entryCount) {
  if (rowText.IsEmpty() || rowText.SpanIncluding(L"0123456789") != rowText || rowText.GetLength() > 9) return false;
  size_t row = static_cast<size_t>(_wtoi(rowText));
  if (row >= entryCount) return false;
  if (row >= layout.rows.size()) layout.rows.resize(row + 1);
  if (!handle.IsEmpty()) layout.rows[row].objects.push_back(handle);
  return true;
}

// Reads one "sort" entry: "built" alone (the rows as built), or keys "ascending/<property>"
// and "descending/<property>", the first deciding; property names as the function reads them.
bool readSortEntry(TableLayout& layout, const CString& value, const std::function<CString(const CString&)>& propertyName) {
  if (layout.rowOrderKnown && (value == L"built" || layout.sortKeys.empty())) return false;
  layout.rowOrderKnown = true;
  if (value == L"built") return true;
  int slash = value.Find(L'/');
  CString direction = value.Left(slash);
  if (slash < 0 || (direction != L"ascending" && direction != L"descending")) return false;
  CString property = value.Mid(slash + 1);
  layout.sortKeys.push_back({propertyName ? propertyName(property) : property, direction == L"ascending"});
  return true;
}

// Reads one "tag:value" entry into the layout, property names as the function reads them;
// false when it is not understood.
bool readEntry(TableLayout& layout, const CString& tag, const CString& value, size_t entryCount,
               const std::function<CString(const CString&)>& propertyName) {
  auto property = [&] { return propertyName ? propertyName(value) : value; };
  if (tag == L"layout") return value == kVersion;
  if (tag == L"merge") {
    auto name = std::find_if(kMergeNames.begin(), kMergeNames.end(), [&](const wchar_t* n) { return value == n; });
    if (name == kMergeNames.end()) return false;
    layout.merge = static_cast<RowMerge>(name - kMergeNames.begin());
    return true;
  }
  if (tag == L"groupby") layout.groupBy = property();
  else if (tag == L"header" && (value == L"shown" || value == L"hidden")) layout.headerShown = value == L"shown";
  else if (tag == L"totalsrow" && (value == L"yes" || value == L"no")) layout.totalsRow = value == L"yes";
  else if (tag == L"chosen") layout.chosen.push_back(property());
  else if (tag == L"leftout") layout.leftOut.push_back(property());
  else if (tag == L"column") layout.columns.push_back(property());
  else if (tag == L"total") layout.totals.push_back(property());
  else if (tag == L"sort") return readSortEntry(layout, value, propertyName);
  else if (tag == L"gap") return placeInRow(layout, CString(), value, entryCount);
  else if (tag == L"object") {
    int slash = value.ReverseFind(L'/');
    if (slash <= 0) return false;
    layout.objects.push_back(value.Left(slash));
    return placeInRow(layout, value.Left(slash), value.Mid(slash + 1), entryCount);
  } else {
    return false;
  }
  return true;
}

// Every row has its objects, but for the empty rows that the list names (one at most).
bool rowsComplete(const TableLayout& layout, long long namedGaps) {
  return namedGaps <= 1 && std::count_if(layout.rows.begin(), layout.rows.end(),
                                         [](const LinkedRow& row) { return row.isGap(); }) == namedGaps;
}

}  // namespace

std::vector<CString> TableLayout::entries() const {
  std::vector<CString> out{entry(L"layout", kVersion), entry(L"merge", kMergeNames[static_cast<size_t>(merge)]),
                           entry(L"groupby", groupBy), entry(L"header", headerShown ? L"shown" : L"hidden"),
                           entry(L"totalsrow", totalsRow ? L"yes" : L"no")};
  addEntries(out, L"chosen", chosen);
  addEntries(out, L"leftout", leftOut);
  addEntries(out, L"column", columns);
  addEntries(out, L"total", totals);
  if (rowOrderKnown && sortKeys.empty()) out.push_back(entry(L"sort", L"built"));
  for (const RowSortKey& key : sortKeys)
    out.push_back(entry(L"sort", CString(key.ascending ? L"ascending/" : L"descending/") + key.property));
  std::map<CString, size_t> rowOf;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].isGap()) out.push_back(entry(L"gap", number(i)));
    for (const CString& handle : rows[i].objects) rowOf.emplace(handle, i);
  }
  for (const CString& handle : objects) {
    auto row = rowOf.find(handle);
    if (row != rowOf.end()) out.push_back(entry(L"object", handle + L"/" + number(row->second)));
  }
  return out;
}

std::optional<TableLayout> TableLayout::fromEntries(const std::vector<CString>& entries,
                                                    const std::function<CString(const CString&)>& propertyName) {
  if (entries.empty() || entries.front() != entry(L"layout", kVersion)) return std::nullopt;
  TableLayout layout;
  for (const CString& text : entries) {
    int colon = text.Find(L':');
    if (colon < 0 || !readEntry(layout, text.Left(colon), text.Mid(colon + 1), entries.size(), propertyName))
      return std::nullopt;
  }
  // The wizard names every column, chosen property and object once.
  if (!distinct(layout.columns) || !distinct(layout.chosen) || !distinct(layout.objects)) return std::nullopt;
  // and lays out and sorts by chosen properties only.
  std::vector<CString> sorted;
  for (const RowSortKey& key : layout.sortKeys) sorted.push_back(key.property);
  if (!distinct(sorted)) return std::nullopt;
  for (const std::vector<CString>* names : {&layout.columns, &sorted}) {
    for (const CString& name : *names) {
      if (!holds(layout.chosen, name)) return std::nullopt;
    }
  }
  auto isGap = [](const CString& text) { return text.Left(4) == L"gap:"; };
  if (!rowsComplete(layout, std::count_if(entries.begin(), entries.end(), isGap))) return std::nullopt;
  return layout;
}

TableLayout wizardTableLayout(const ExtractionEngine& engine, const TextGrid& outputRows,
                              const std::vector<int>& columnOrder, const std::vector<int>& rowOrder, bool headerShown,
                              bool totalsRow, const OfferedPropertyMap& offered) {
  TableLayout layout;
  layout.merge = engine.rowMerge;
  layout.groupBy = engine.groupBy;
  layout.headerShown = headerShown;
  layout.totalsRow = totalsRow;
  layout.chosen = engine.chosenProperties;
  for (const PropertyItem& item : offered) {
    if (!holds(layout.chosen, item.name)) layout.leftOut.push_back(item.name);
  }
  const std::vector<CString> keys = engine.rows.empty() ? std::vector<CString>() : engine.rows[0];
  for (int k : columnOrder) {
    if (k >= 0 && static_cast<size_t>(k) < keys.size()) layout.columns.push_back(keys[static_cast<size_t>(k)]);
  }
  layout.totals = engine.totalsNames;

  // The rows as the table shows them: the header and the totals row (last) are not listed.
  const long long emptyRow = totalsRow ? static_cast<long long>(outputRows.size()) - 2 : -1;
  const long long tableRows = static_cast<long long>(outputRows.size()) - (headerShown ? 0 : 1);
  for (long long r = 1; r <= tableRows; ++r) {
    long long source = tableSourceRow(static_cast<unsigned>(r), rowOrder, headerShown);
    if (source <= 0 || static_cast<size_t>(source) >= outputRows.size() || (totalsRow && source == emptyRow + 1) ||
        outputRows[static_cast<size_t>(source)].empty()) {
      continue;
    }
    if (source == emptyRow) {
      layout.rows.emplace_back();
      continue;
    }
    const CString& id = outputRows[static_cast<size_t>(source)].front();
    auto sources = engine.rowSources.find(id);
    layout.rows.push_back({sources == engine.rowSources.end() ? std::vector<CString>{id} : sources->second});
  }
  layout.objects = engine.rowObjects;
  return layout;
}
