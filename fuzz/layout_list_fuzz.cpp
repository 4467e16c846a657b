// libFuzzer target of the layout list's reader, which the update command runs on the
// table's xdata. Every input is a layout list, one entry a line (UTF-8, or else one
// character a byte). A list the reader takes must hang together, and the layout written
// again must read back to the same entries.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "extraction/output_table.h"
#include "extraction/table_layout.h"
#include "platform/win/codepage.h"

// The reader is fuzzed without the table writer. wizardTableLayout, beside the reader and
// never reached from it, takes the writer's row order from here, which stops the run. Weak,
// so that a program linking the whole plug-in takes the writer's own.
__attribute__((weak)) long long tableSourceRow(unsigned, const std::vector<int>&, bool) { std::abort(); }

namespace {

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "layout_list_fuzz: %s\n", what);
  std::abort();
}

CString entryText(const std::string& bytes) {
  std::wstring wide;
  if (!Utf8ToWide(bytes, wide)) {
    wide.clear();
    for (unsigned char byte : bytes) wide += static_cast<wchar_t>(byte);
  }
  return CString(wide);
}

// One entry a line (the last one ended by the input's end or a last line break); a NUL
// byte ends an entry too, as it ends a string of the xdata.
std::vector<CString> entriesOf(const std::uint8_t* data, std::size_t size) {
  std::vector<CString> entries;
  std::string line;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != '\n' && data[i] != 0) {
      line += static_cast<char>(data[i]);
      continue;
    }
    entries.push_back(entryText(line));
    line.clear();
  }
  if (!line.empty()) entries.push_back(entryText(line));
  return entries;
}

// Every object of a row is one of the layout's objects, at most one row is the empty one,
// and every column is a chosen property.
void checkLayout(const TableLayout& layout) {
  int gaps = 0;
  for (const LinkedRow& row : layout.rows) {
    gaps += row.isGap() ? 1 : 0;
    for (const CString& handle : row.objects) {
      if (!holds(layout.objects, handle)) fail("a row's object is not among the objects");
    }
  }
  if (gaps > 1) fail("more than one empty row");
  for (const CString& column : layout.columns) {
    if (!holds(layout.chosen, column)) fail("a column that is not a chosen property");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<TableLayout> layout = TableLayout::fromEntries(entriesOf(data, size));
  if (!layout) return 0;
  checkLayout(*layout);
  const std::vector<CString> written = layout->entries();
  std::optional<TableLayout> again = TableLayout::fromEntries(written);
  if (!again) fail("a layout written does not read back");
  if (again->entries() != written) fail("a layout read back writes other entries");
  return 0;
}
