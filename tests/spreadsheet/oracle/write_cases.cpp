// Writes every workbook case of the oracle check into a folder: <case>.xls and beside it
// <case>.json with the inputs (for the export cases) or the cells expected (for books
// built through the object model). Then loads every workbook written and saves it again
// as again/<case>.xls. The check script reads them all with its own readers.
// With --load-and-save, it only loads the workbooks that other programs put into the
// folder, writes beside each <name>.read.json with what it read, and saves them again.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/editor.h"
#include "spreadsheet/format_manager.h"
#include "spreadsheet/utf16_text.h"
#include "spreadsheet/xls_book.h"
#include "spreadsheet/xls_export.h"
#include "tests/support/wide_path.h"

namespace {

std::string jsonText(const std::wstring& text) {
  std::string out = "\"";
  char buffer[16];
  for (wchar_t c : text) {
    if (c == L'"' || c == L'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c > 0xFFFF) {
      unsigned v = static_cast<unsigned>(c) - 0x10000;
      std::snprintf(buffer, sizeof buffer, "\\u%04x\\u%04x", 0xD800 + (v >> 10), 0xDC00 + (v & 0x3FF));
      out += buffer;
    } else {
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out + "\"";
}

template <class T, class F>
std::string jsonList(const std::vector<T>& values, F each) {
  std::string out = "[";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) out += ',';
    out += each(values[i]);
  }
  out += ']';
  return out;
}

std::string jsonGrid(const TextGrid& grid) {
  return jsonList(grid, [](const std::vector<CString>& row) {
    return jsonList(row, [](const CString& cell) { return jsonText(std::wstring(cell.str())); });
  });
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

struct WizardCase {
  std::string name;
  TextGrid grid;
  std::vector<bool> visible;
  std::vector<int> columnOrder;
  std::vector<int> rowOrder;
  bool header;
  std::wstring verlan;
};

bool writeWizardCase(const std::string& folder, const WizardCase& c) {
  HostEditor::setVariable(L"VERLAN", c.verlan);
  std::string path = folder + "/" + c.name + ".xls";
  if (!exportXls(c.grid, CString(widePath(path)), c.visible, c.columnOrder, c.rowOrder, c.header)) return false;
  std::ostringstream json;
  json << "{\"frontend\":\"wizard\",\"verlan\":" << jsonText(c.verlan)
       << ",\"header\":" << (c.header ? "true" : "false") << ",\"grid\":" << jsonGrid(c.grid)
       << ",\"visible\":" << jsonList(c.visible, [](bool b) { return std::string(b ? "true" : "false"); })
       << ",\"columnOrder\":" << jsonList(c.columnOrder, [](int i) { return std::to_string(i); })
       << ",\"rowOrder\":" << jsonList(c.rowOrder, [](int i) { return std::to_string(i); }) << "}";
  return writeFile(folder + "/" + c.name + ".json", json.str());
}

bool writeTableCase(const std::string& folder, const std::string& name, const TextGrid& grid,
                    const std::wstring& verlan) {
  HostEditor::setVariable(L"VERLAN", verlan);
  std::string path = folder + "/" + name + ".xls";
  if (!exportXlsFromTable(grid, CString(widePath(path)))) return false;
  return writeFile(folder + "/" + name + ".json",
                   "{\"frontend\":\"table\",\"verlan\":" + jsonText(verlan) + ",\"grid\":" + jsonGrid(grid) + "}");
}

// A grid of the given data rows: an "Id" column, a text, a number and a repeated text.
TextGrid dataGrid(int rows) {
  TextGrid grid = {{L"Id", L"Name", L"Length", L"Layer"}};
  for (int r = 1; r <= rows; ++r) {
    CString id, length;
    id.Format(L"%X", 0x1F0 + r);
    length.Format(L"%d.%d", r, r % 10);
    grid.push_back({id, r % 3 ? CString(L"Line") : CString(L"Arc"), length, CString(L"0")});
  }
  return grid;
}

std::vector<int> identity(int n, int from = 0) {
  std::vector<int> v;
  for (int i = from; i < n; ++i) v.push_back(i);
  return v;
}

// A book built through the object model with numbers, two sheets, merged ranges and a
// column width; the JSON lists what each sheet must hold.
bool writeModelCase(const std::string& folder) {
  XlsBook book;
  book.create(2);
  XlsSheet* first = book.sheetAt(0);
  XlsSheet* second = book.sheetAt(1);
  const int ints[] = {7, -3, 536870911, 536870912, -536870912, -536870913};
  const double doubles[] = {1.5, 1.2345, 0.30000000000000004, -2.25, 1e300, 0.01, 123456789.12};
  std::ostringstream cells;
  cells.precision(17);
  cells << "{\"Sheet1\":[";
  bool firstCell = true;
  auto add = [&](int r, int c, const char* type, const std::string& value) {
    cells << (firstCell ? "" : ",") << "[" << r << "," << c << ",\"" << type << "\"," << value << "]";
    firstCell = false;
  };
  for (int c = 0; c < 6; ++c) {
    first->cellAt(0, c)->setInteger(ints[c]);
    add(0, c, "number", std::to_string(ints[c]));
  }
  for (int c = 0; c < 7; ++c) {
    first->cellAt(1, c)->setDouble(doubles[c]);
    std::ostringstream v;
    v.precision(17);
    v << doubles[c];
    add(1, c, "number", v.str());
  }
  first->cellAt(2, 0)->setText(L"shared \U0001F600");
  add(2, 0, "text", jsonText(L"shared \U0001F600"));
  first->cellAt(2, 1)->setText("narrow \xE9");
  add(2, 1, "text", jsonText(L"narrow \xE9"));
  first->mergeCells(2, 1, 2, 3);
  // A merged range whose first cell is empty and lies below every value.
  first->mergeCells(4, 0, 2, 2);
  first->setColumnWidth(1, 5000);
  cells << "],\"Sheet2\":[";
  firstCell = true;
  second->cellAt(0, 0)->setText(L"shared \U0001F600");
  add(0, 0, "text", jsonText(L"shared \U0001F600"));
  second->cellAt(0, 1)->setInteger(42);
  add(0, 1, "number", "42");
  cells << "]}";
  if (!book.saveAs(widePath(folder + "/model_numbers.xls").c_str())) return false;
  return writeFile(folder + "/model_numbers.json",
                   "{\"frontend\":\"model\",\"sheets\":[\"Sheet1\",\"Sheet2\"],\"cells\":" + cells.str() +
                       ",\"merged\":{\"Sheet1\":[[2,4,1,4],[4,6,0,2]]},\"widths\":{\"Sheet1\":{\"1\":5000}}}");
}

// A text of characters beyond U+FFFF with a plain one every seven UTF-16 units, so that
// breaks of the string table meet it at every place relative to a surrogate pair.
std::wstring astralText(size_t units) {
  std::wstring text;
  for (size_t n = 0; n < units; n += 7) text += L"\U0001F600\U00020000\U0001D11Ex";
  return text;
}

// Tables whose astral text starts at every offset around the end of the string table's
// first piece (the filler before it grows one byte per case) and runs over several
// breaks; and one text longer than a cell holds, which the export cuts.
bool writeAstralCases(const std::string& folder) {
  bool ok = true;
  for (int filler = 8170; filler <= 8200; ++filler) {
    TextGrid grid = {{L"Id", L"Text"},
                     {L"1", CString(std::wstring(filler, L'f'))},
                     {L"2", CString(astralText(20000))},
                     {L"3", L"end \U0001F600"}};
    ok = writeTableCase(folder, "astral_break_" + std::to_string(filler), grid, L"en-US") && ok;
  }
  TextGrid cut = {{L"Id", L"Text"}, {L"1", CString(astralText(40000))}, {L"2", L"after"}};
  return writeTableCase(folder, "astral_cut", cut, L"en-US") && ok;
}

// A number with all the digits that tell it apart.
std::string jsonNumber(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value;
  return out.str();
}

// A cell's value as read: [kind, value] with kind "number", "text" or, for a formula,
// "formula number", "formula text" or "formula other" by its cached result.
std::string jsonValue(const XlsCell& cell) {
  switch (cell.type()) {
    case XlsCell::INT:
    case XlsCell::DOUBLE: return "\"number\"," + jsonNumber(cell.doubleValue());
    case XlsCell::STRING: return "\"text\"," + jsonText(QExcel::latin1ToWide(cell.narrowText(), cell.textLength()));
    case XlsCell::WSTRING: return "\"text\"," + jsonText(cell.wideText());
    default: break;
  }
  const XlsFormula& formula = *cell.formula();
  if (formula.numericResult()) return "\"formula number\"," + jsonNumber(formula.numberResult());
  if (formula.record.string.hasText)
    return "\"formula text\"," + jsonText(QExcel::fromUtf16(formula.record.string.text));
  return "\"formula other\",null";
}

// The number format of a cell's cell format: [index, text].
std::string jsonFormat(XlsBook& book, FormatManager& formats, const XlsCell& cell) {
  const auto& xfs = book.workbook().xfs;
  if (cell.xfIndex() >= xfs.size()) return "null,null";
  XlsCellFormat format(formats);
  format.setFormatIndex(xfs[cell.xfIndex()].formatIndex);
  return std::to_string(format.formatIndex()) + "," + jsonText(formats.formatString(format));
}

// A sheet's name, whichever width it is stored in.
std::wstring sheetName(const XlsBook& book, int index) {
  std::wstring name;
  std::string narrow;
  if (!book.sheetName(index, name) && book.sheetName(index, narrow))
    name = QExcel::latin1ToWide(narrow.data(), narrow.size());
  return name;
}

// A sheet's cells that hold a value: [row, column, kind, value, format index, format text].
std::string jsonCells(XlsBook& book, FormatManager& formats, const XlsSheet& sheet) {
  std::string out;
  for (int r = 0; r < sheet.rowCount(); ++r)
    for (int c = 0; c < sheet.columnCount(); ++c) {
      const XlsCell& cell = *sheet.cellAt(r, c);
      if (cell.type() == XlsCell::UNDEFINED) continue;
      out += (out.empty() ? "[" : ",[") + std::to_string(r) + "," + std::to_string(c) + "," + jsonValue(cell) + "," +
             jsonFormat(book, formats, cell) + "]";
    }
  return "[" + out + "]";
}

// What the reader made of a book: each sheet's name and cells.
std::string describeBook(XlsBook& book) {
  FormatManager formats(book);
  std::string out;
  for (int i = 0; i < book.sheetCount(); ++i)
    out += std::string(i ? "," : "") + "{\"name\":" + jsonText(sheetName(book, i)) +
           ",\"cells\":" + jsonCells(book, formats, *book.sheetAt(i)) + "}";
  return "[" + out + "]";
}

// Every workbook of the folder loaded and saved again under again/; with describe, what
// was read is written beside each as <name>.read.json.
int saveAgain(const std::string& folder, bool describe = false) {
  namespace fs = std::filesystem;
  fs::create_directories(fs::path(folder) / "again");
  int failures = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".xls") continue;
    XlsBook book;
    std::wstring again = widePath(fs::path(folder) / "again" / entry.path().filename());
    bool loaded = book.load(widePath(entry.path()).c_str());
    if (loaded && describe) {
      fs::path read = entry.path();
      loaded = writeFile(read.replace_extension(".read.json").string(), describeBook(book));
    }
    if (!loaded || !book.saveAs(again.c_str())) {
      std::fprintf(stderr, "could not load and save again %s\n", entry.path().string().c_str());
      ++failures;
    }
  }
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--load-and-save") return saveAgain(argv[2], /*describe=*/true) ? 1 : 0;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER | --load-and-save FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  std::vector<WizardCase> cases;

  TextGrid small = {{L"Id", L"Name", L"Length", L"Count"},
                    {L"1A", L"Line", L"3.25", L"1,5"},
                    {L"2B", L"", L"2e5", L"-7"},
                    {L"3C", L"Line", L"0.5", L"12"}};
  cases.push_back({"header_shown_en", small, {true, true, true, true}, {1, 2, 3}, {0, 2, 1, 3}, true, L"en-US"});
  cases.push_back({"header_hidden_fr", small, {true, true, true, true}, {1, 2, 3}, {1, 3, 2}, false, L"fr-FR"});
  cases.push_back({"hidden_column", small, {true, true, false, true}, {1, 2, 3}, {0, 1, 2, 3}, true, L"fr-FR"});

  TextGrid rows40 = dataGrid(40);
  cases.push_back({"rows_40", rows40, {true, true, true, true}, {0, 1, 2, 3}, identity(41), true, L"en-US"});
  TextGrid rows70 = dataGrid(70);
  cases.push_back(
      {"rows_70_hidden_header", rows70, {true, true, true, true}, {1, 2, 3}, identity(71, 1), false, L"fr-FR"});

  std::wstring longText;
  for (int i = 0; i < 10000; ++i) longText += static_cast<wchar_t>(L'a' + i % 26);
  TextGrid longGrid = {{L"Id", L"Text", L"Other"}, {L"1", longText, L"after"}, {L"2", L"short", longText}};
  cases.push_back({"long_text", longGrid, {true, true, true}, {0, 1, 2}, {0, 1, 2}, true, L"en-US"});

  std::wstring wideLong;
  for (int i = 0; i < 5000; ++i) wideLong += (i % 7 == 3) ? L'\U0001D11E' : static_cast<wchar_t>(0x4E00 + i % 500);
  TextGrid beyond = {{L"Id", L"Clef \U0001D11E", L"Emoji"},
                     {L"1", L"\U0001F600\U0001F601", L"x\U00010000y"},
                     {L"2", wideLong, L"\U0010FFFD"}};
  cases.push_back({"beyond_bmp", beyond, {true, true, true}, {0, 1, 2}, {0, 1, 2}, true, L"en-US"});

  TextGrid repeated = {{L"Id", L"Kind"}};
  for (int r = 0; r < 300; ++r) repeated.push_back({CString(L"same"), r % 2 ? CString(L"Circle") : CString(L"Line")});
  cases.push_back({"repeated_texts", repeated, {true, true}, {0, 1}, identity(301), true, L"en-US"});

  // Many distinct strings, so that string headers fall at every place near a break.
  TextGrid many = {{L"Id", L"Value"}};
  for (int r = 0; r < 3000; ++r) {
    CString text;
    text.Format(L"%d-%s", r, std::wstring(r % 13, L'x').c_str());
    many.push_back({text, r % 5 ? CString(L"\x00e9t\x00e9") : CString(L"\x0416")});
  }
  cases.push_back({"many_strings", many, {true, true}, {0, 1}, identity(3001), true, L"en-US"});

  int failures = 0;
  for (const WizardCase& c : cases)
    if (!writeWizardCase(folder, c)) {
      std::fprintf(stderr, "could not write %s\n", c.name.c_str());
      ++failures;
    }
  TextGrid table = {{L"Name", L"12.5", L""}, {L"Line", L"3.25", L""}, {L"Arc", L"", L"1,5"}};
  if (!writeTableCase(folder, "table_export_fr", table, L"fr-FR")) ++failures;
  if (!writeTableCase(folder, "table_export_en", table, L"en-US")) ++failures;
  if (!writeModelCase(folder)) ++failures;
  if (!writeAstralCases(folder)) ++failures;
  failures += saveAgain(folder);
  HostEditor::resetVariables();
  if (HostEditor::liveBuffers() != 0) {
    std::fprintf(stderr, "host buffers left: %d\n", HostEditor::liveBuffers());
    ++failures;
  }
  return failures ? 1 : 0;
}
