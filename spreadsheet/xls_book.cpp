// Sheet management, names, loading and reading of a workbook.
#include "spreadsheet/xls_book.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <new>
#include <set>

#include "spreadsheet/utf16_text.h"

using QExcel::ShortString;

namespace {
const wchar_t kStreamName[] = L"Workbook";

bool sameName(const ShortString& a, const ShortString& b) {
  return a.isWide() == b.isWide() && (a.isWide() ? a.wide == b.wide : a.narrow == b.narrow);
}

ShortString narrowName(const char* name) {
  ShortString s;
  s = name ? name : "";
  return s;
}

ShortString wideName(const wchar_t* name) {
  ShortString s;
  s = name ? name : L"";
  return s;
}

std::wstring widened(const char* name) {
  std::string s(name ? name : "");
  return QExcel::latin1ToWide(s.data(), s.size());
}
}  // namespace

bool XlsBook::validSheetName(const std::wstring& name) {
  if (name.empty() || QExcel::utf16Length(name.c_str()) > kMaxSheetName) return false;
  return name.find_first_of(L"[]:*?/\\") == std::wstring::npos;
}

void XlsBook::clear() {
  workbook_ = QExcel::Workbook();
  worksheets_.clear();
  sheets_.clear();
}

void XlsBook::create(int sheets) {
  clear();
  workbook_.fonts.resize(1);
  workbook_.xfs.resize(21);
  workbook_.styles.resize(6);
  workbook_.boundSheets.resize(1);
  worksheets_.resize(1);
  syncSheets();
  for (int i = 1; i < sheets; ++i) addSheet(-1);
}

void XlsBook::syncSheets() {
  sheets_.clear();
  for (size_t i = 0; i < worksheets_.size(); ++i) {
    QExcel::RefPtr<XlsSheet> sheet(new XlsSheet(this, static_cast<int>(i)));  // held before the list grows
    sheets_.push_back(sheet);
  }
}

XlsSheet* XlsBook::sheetAt(int index) const {
  return index >= 0 && index < sheetCount() ? sheets_[index].get() : nullptr;
}

int XlsBook::findSheet(const ShortString& name) const {
  for (size_t i = 0; i < workbook_.boundSheets.size(); ++i)
    if (sameName(workbook_.boundSheets[i].name, name)) return static_cast<int>(i);
  return -1;
}

XlsSheet* XlsBook::sheetAt(const char* name) const { return sheetAt(findSheet(narrowName(name))); }
XlsSheet* XlsBook::sheetAt(const wchar_t* name) const { return sheetAt(findSheet(wideName(name))); }

XlsSheet* XlsBook::insertSheet(ShortString name, int index) {
  if (!validSheetName(name.text()) || findSheet(name) >= 0) return nullptr;
  if (index == -1) index = sheetCount();
  if (index < 0 || index > sheetCount()) return nullptr;
  QExcel::Workbook::BoundSheet bound;
  bound.name = name;
  workbook_.boundSheets.insert(workbook_.boundSheets.begin() + index, bound);
  worksheets_.insert(worksheets_.begin() + index, QExcel::Worksheet());
  workbook_.dropLinks();
  worksheets_[index].window2.options &= ~QExcel::Worksheet::Window2::kSelected;
  sheets_.insert(sheets_.begin() + index, QExcel::RefPtr<XlsSheet>(new XlsSheet(this, index)));
  for (int i = index + 1; i < sheetCount(); ++i) sheets_[i]->setIndex(i);
  return sheets_[index].get();
}

XlsSheet* XlsBook::addSheet(const char* name, int index) {
  // An 8-bit name is Latin-1: its characters must fit the name rules as they are.
  if (!name || !validSheetName(widened(name))) return nullptr;
  return insertSheet(narrowName(name), index);
}

XlsSheet* XlsBook::addSheet(const wchar_t* name, int index) {
  if (!name || !validSheetName(name)) return nullptr;
  return insertSheet(wideName(name), index);
}

XlsSheet* XlsBook::addSheet(int index) {
  if (index < -1 || index > sheetCount()) return nullptr;
  for (int n = sheetCount() + 1;; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "Sheet%d", n);
    if (findSheet(narrowName(name)) < 0) return addSheet(name, index);
  }
}

bool XlsBook::deleteSheet(int index) {
  if (index < 0 || index >= sheetCount()) return false;
  workbook_.boundSheets.erase(workbook_.boundSheets.begin() + index);
  worksheets_.erase(worksheets_.begin() + index);
  workbook_.dropLinks();
  sheets_.erase(sheets_.begin() + index);
  for (int i = index; i < sheetCount(); ++i) sheets_[i]->setIndex(i);
  return true;
}

bool XlsBook::deleteSheet(const char* name) { return deleteSheet(findSheet(narrowName(name))); }
bool XlsBook::deleteSheet(const wchar_t* name) { return deleteSheet(findSheet(wideName(name))); }

const char* XlsBook::narrowSheetName(int index) const {
  if (index < 0 || index >= sheetCount()) return nullptr;
  const ShortString& name = workbook_.boundSheets[index].name;
  return name.isWide() ? nullptr : name.narrow.c_str();
}

const char16_t* XlsBook::wideSheetName(int index) const {
  if (index < 0 || index >= sheetCount()) return nullptr;
  const ShortString& name = workbook_.boundSheets[index].name;
  return name.isWide() ? name.wide.c_str() : nullptr;
}

bool XlsBook::sheetName(int index, std::string& out) const {
  const char* name = narrowSheetName(index);
  if (!name) return false;
  out = name;
  return true;
}

bool XlsBook::sheetName(int index, std::wstring& out) const {
  const char16_t* name = wideSheetName(index);
  if (!name) return false;
  out = QExcel::fromUtf16(workbook_.boundSheets[index].name.wide);
  return true;
}

bool XlsBook::renameSheet(int index, const char* name) {
  if (index < 0 || index >= sheetCount() || !name || !validSheetName(widened(name))) return false;
  ShortString s = narrowName(name);
  if (findSheet(s) >= 0) return false;
  workbook_.boundSheets[index].name = s;
  return true;
}

bool XlsBook::renameSheet(int index, const wchar_t* name) {
  if (index < 0 || index >= sheetCount() || !name || !validSheetName(name)) return false;
  ShortString s = wideName(name);
  if (findSheet(s) >= 0) return false;
  workbook_.boundSheets[index].name = s;
  return true;
}

bool XlsBook::renameSheet(const char* oldName, const char* newName) {
  return renameSheet(findSheet(narrowName(oldName)), newName);
}

bool XlsBook::renameSheet(const wchar_t* oldName, const wchar_t* newName) {
  return renameSheet(findSheet(wideName(oldName)), newName);
}

bool XlsBook::load(const char* path) { return load(QExcel::widenName(path).c_str()); }

bool XlsBook::load(const wchar_t* path) {
  document_.close();
  clear();
  try {
    if (!document_.open(path, 0)) return false;
    std::vector<char> bytes;
    if (document_.readStream(kStreamName, bytes) == QExcel::CompoundDocument::kSuccess &&
        read(bytes.data(), static_cast<std::uint32_t>(bytes.size())) != 0) {
      syncSheets();
      return true;
    }
  } catch (...) {
    // Whatever a damaged file makes fail (memory included), the book stays empty.
  }
  clear();
  document_.close();  // a file that is no workbook is not kept open
  return false;
}

std::uint32_t XlsBook::read(const char* buffer, std::uint32_t size) {
  using namespace QExcel;
  clear();
  if (!buffer) return 0;
  try {
    Workbook globals;
    std::vector<Worksheet> sheets;
    std::vector<std::uint32_t> sheetStarts;
    std::set<std::uint32_t> skippedStarts;
    bool haveGlobals = false;
    std::uint32_t pos = 0;
    while (peekCode(buffer + pos, size - pos) == BOF::kCode) {
      BOF bof;
      bof.read(buffer + pos, size - pos);
      if (bof.type == BOF::kGlobals && !haveGlobals) {
        if (bof.version != 0x0600) return 0;  // an older format: its strings read otherwise
        pos += globals.read(buffer + pos, size - pos);
        haveGlobals = true;
      } else if (bof.type == BOF::kWorksheet) {
        sheetStarts.push_back(pos);
        sheets.emplace_back();
        pos += sheets.back().read(buffer + pos, size - pos);
      } else {
        // Charts, macro sheets and other substreams are not kept.
        skippedStarts.insert(pos);
        pos += skipSubstream(buffer + pos, size - pos);
      }
    }
    if (!haveGlobals) return 0;

    // Keep the sheet list and the worksheets in step: pair them by stream position and
    // drop the sheets whose substream was skipped; by order when positions disagree.
    std::map<std::uint32_t, size_t> byStart;
    for (size_t i = 0; i < sheetStarts.size(); ++i) byStart.emplace(sheetStarts[i], i);
    std::vector<Workbook::BoundSheet> kept;
    std::vector<Worksheet> keptSheets;
    bool positionsAgree = true;
    std::set<size_t> used;
    for (const auto& bound : globals.boundSheets) {
      auto it = byStart.find(bound.position);
      if (it != byStart.end() && used.insert(it->second).second) {
        kept.push_back(bound);
        keptSheets.push_back(std::move(sheets[it->second]));
      } else if (!skippedStarts.count(bound.position)) {
        positionsAgree = false;
        break;
      }
    }
    if (!positionsAgree) {
      kept.clear();
      keptSheets.clear();
      for (const auto& bound : globals.boundSheets)
        if (!skippedStarts.count(bound.position)) kept.push_back(bound);
      size_t n = std::min(kept.size(), sheets.size());
      kept.resize(n);
      for (size_t i = 0; i < n; ++i) keptSheets.push_back(std::move(sheets[i]));
    }
    std::uint64_t cells = 0;
    for (const Worksheet& sheet : keptSheets) {
      XlsSheet::Extent extent = XlsSheet::gridExtent(sheet);
      cells += static_cast<std::uint64_t>(extent.rows) * static_cast<std::uint64_t>(extent.columns);
    }
    if (cells > gridCellBudget(size)) return 0;
    if (kept.size() < globals.boundSheets.size()) globals.dropLinks();
    globals.boundSheets = std::move(kept);
    workbook_ = std::move(globals);
    worksheets_ = std::move(keptSheets);
    return pos;
  } catch (const QExcel::MalformedStream&) {
  } catch (const QExcel::EXCEPTION_QEOF&) {
  } catch (const std::bad_alloc&) {
  }
  clear();
  return 0;
}
