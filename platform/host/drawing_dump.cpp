#include "platform/host/drawing_dump.h"

#include <cwchar>
#include <memory>
#include <string>

#include "platform/host/db_blocks.h"
#include "platform/host/db_database.h"
#include "platform/host/db_table.h"
#include "platform/host/db_table_style.h"
#include "platform/host/editor.h"

namespace {

std::wstring number(double value) {
  wchar_t text[64];
  std::swprintf(text, 64, L"%g", value);
  return text;
}

// A text between double quotes; quotes, backslashes and line breaks escaped.
std::wstring quoted(const std::wstring& text) {
  std::wstring out = L"\"";
  for (wchar_t ch : text) {
    if (ch == L'"' || ch == L'\\') out += L'\\';
    if (ch == L'\n') out += L"\\n";
    else if (ch == L'\r') out += L"\\r";
    else out += ch;
  }
  return out + L"\"";
}

std::wstring handleText(const OvDbObjectId& id) {
  wchar_t text[17] = L"";
  id.handle().getIntoAsciiBuffer(text, 17);
  return text;
}

std::wstring styleName(const OvDbObjectId& id) {
  OvDbTableStyle* style = nullptr;
  if (ovdbOpenObject(style, id, Ovis::kForRead) != Ovis::eOk) return L"(none)";
  std::wstring name = style->name();
  style->close();
  return name;
}

std::wstring blockName(const OvDbObjectId& id) {
  OvDbBlockTableRecord* block = nullptr;
  if (ovdbOpenObject(block, id, Ovis::kForRead) != Ovis::eOk) return L"(missing)";
  const wchar_t* name = L"";
  block->getName(name);
  std::wstring copy = name ? name : L"";
  block->close();
  return copy;
}

void dumpXData(const OvDbTable* table, std::wostream& out) {
  struct Release {  // also when the output runs out of memory
    void operator()(OvResBuf* chain) const { ovutRelRb(chain); }
  };
  const std::unique_ptr<OvResBuf, Release> held(table->xData());
  const OvResBuf* chain = held.get();
  for (const OvResBuf* item = chain; item; item = item->rbnext) {
    if (item->restype == OV_XD_APPNAME) {
      out << (item == chain ? L"" : L"\n") << L"  xdata " << item->resval.rstring << L":";
    } else if (item->restype >= 1000 && item->restype <= 1009) {
      out << L" " << quoted(item->resval.rstring ? item->resval.rstring : L"");
    } else {
      out << L" (" << item->restype << L")";
    }
  }
  if (chain) out << L"\n";
}

void dumpTable(const OvDbObjectId& id, const OvDbTable* table, std::wostream& out) {
  const unsigned rows = table->numRows(), columns = table->numColumns();
  OvGePoint3d at = table->position();
  out << L"Table " << handleText(id) << L" at (" << number(at.x) << L", " << number(at.y) << L", " << number(at.z)
      << L"), style " << styleName(table->tableStyle()) << L", " << rows << L" rows x " << columns << L" columns\n";
  out << L"  column widths:";
  for (unsigned c = 0; c < columns; ++c) out << L" " << number(table->columnWidth(c));
  out << L"\n";
  for (const OvDbTable::CellRange& range : table->mergedRanges()) {
    out << L"  merged: rows " << range.minRow << L"-" << range.maxRow << L", columns " << range.minColumn << L"-"
        << range.maxColumn << L"\n";
  }
  for (unsigned r = 0; r < rows; ++r) {
    for (unsigned c = 0; c < columns; ++c) {
      OvDbObjectId block = table->blockTableRecordId(r, c);
      std::wstring text = table->textString(r, c);
      if (!block.isNull()) {
        out << L"  (" << r << L"," << c << L") block " << blockName(block)
            << (table->isAutoScale(r, c) ? L" (auto-fit)" : L"") << L"\n";
      } else if (!text.empty()) {
        out << L"  (" << r << L"," << c << L") " << quoted(text) << L"\n";
      }
    }
  }
  dumpXData(table, out);
}

}  // namespace

void dumpDrawingTables(OvDbDatabase* database, std::wostream& out) {
  if (!database) return;
  OvDbBlockTableRecord* space = nullptr;
  if (ovdbOpenObject(space, database->modelSpaceId(), Ovis::kForRead) != Ovis::eOk) return;
  std::vector<OvDbObjectId> ids = space->entityIds();
  space->close();
  int tables = 0;
  for (const OvDbObjectId& id : ids) {
    OvDbTable* table = nullptr;
    if (ovdbOpenObject(table, id, Ovis::kForRead) != Ovis::eOk) continue;  // erased, open or no table
    dumpTable(id, table, out);
    table->close();
    ++tables;
  }
  if (tables == 0) out << L"No tables in the drawing.\n";
}
