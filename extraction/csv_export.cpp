#include "extraction/csv_export.h"

#include <cmath>
#include <locale>
#include <memory>
#include <sstream>

#include "common/file_replacement.h"
#include "common/host_strings.h"
#include "common/numbers.h"
#include "platform/win/codepage.h"
#include "platform/win/wide_numbers.h"

namespace {

// Numeric punctuation of the two export languages: only the decimal point differs, and
// digits are never grouped, which would put the separator inside a number.
class CsvNumberPunctuation : public std::numpunct<char> {
public:
  explicit CsvNumberPunctuation(char decimalPoint) : decimalPoint_(decimalPoint) {}

protected:
  char do_decimal_point() const override { return decimalPoint_; }
  std::string do_grouping() const override { return {}; }

private:
  char decimalPoint_;
};

// One byte per character: up to U+00FF the character's own byte, above it the code page
// 1252 byte where the code page has one, otherwise '?'.
std::string narrow(const CString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.GetLength()));
  for (wchar_t ch : text.str()) {
    if (static_cast<unsigned long>(ch) <= 0xFF) {
      out += static_cast<char>(static_cast<unsigned char>(ch));
    } else {
      int b = Cp1252ByteOf(ch);
      out += b < 0 ? '?' : static_cast<char>(b);
    }
  }
  return out;
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  return out + '"';
}

// The language of the host decides the separator and the decimal point: French for
// "fr-FR", English for anything else, also when the variable cannot be read.
struct CsvLanguage {
  bool french = false;
};

CsvLanguage readLanguage() {
  CsvLanguage language;
  language.french = hostLanguage() == L"fr-FR";
  return language;
}

// A numeric text whose value a double cannot hold: beyond its range, or so small that it
// would be written as 0. Such a text is written as it stands rather than as "inf" or "0".
bool beyondDoubleRange(const CString& text, double value) {
  if (!std::isfinite(value)) return true;
  if (value != 0) return false;
  for (wchar_t ch : text.str()) {
    if (ch == L'e' || ch == L'E') break;
    if (ch >= L'1' && ch <= L'9') return true;
  }
  return false;
}

class CsvWriter {
public:
  CsvWriter(CString separator) {
    CsvLanguage language = readLanguage();
    if (language.french) separator = L";";
    separator_ = narrow(separator);
    // A stream keeps to itself what its writes throw (memory run out) and writes nothing more:
    // the file would be cut short and yet reported written.
    line_.exceptions(std::ios::badbit);
    // The punctuation is the locale's once the locale is made; ours until then.
    auto punctuation = std::make_unique<CsvNumberPunctuation>(language.french ? ',' : '.');
    const std::locale numbers(std::locale::classic(), punctuation.get());
    punctuation.release();
    line_.imbue(numbers);
  }

  void bareCell(const CString& text) {
    std::string bytes = narrow(text);
    bool plain = bytes.find_first_of("\"\r\n") == std::string::npos &&
                 (separator_.empty() || bytes.find(separator_) == std::string::npos);
    line_ << (plain ? bytes : quoted(bytes));
    bareWritten_ = true;
  }

  // A cell as it stands between quotes: a header cell is a name, never rewritten as a number.
  void textCell(const CString& text) { line_ << quoted(narrow(text)); }

  void quotedCell(const CString& text) {
    if (isNumericText(text)) {
      double value = _wtof(text);
      if (!beyondDoubleRange(text, value)) {
        line_ << '"' << value << '"';
        return;
      }
    }
    textCell(text);
  }

  // A cell of the bare column, of the header line or of a data line.
  void cell(const CString& text, bool bare, bool header) {
    if (bare) bareCell(text);
    else if (header) textCell(text);
    else quotedCell(text);
  }

  void separator() { line_ << separator_; }

  void endLine() {
    // An empty bare cell alone on its line is written as an empty quoted text: a reader takes
    // a blank line for no record at all.
    if (bareWritten_ && line_.tellp() == 0) line_ << "\"\"";
    bareWritten_ = false;
    line_ << "\r\n";
    body_ += line_.str();
    line_.str(std::string());
  }

  // Creates or replaces the file with the lines written so far.
  bool save(const CString& path) const { return writeWholeFile(path.str(), body_); }

private:
  std::string separator_;
  bool bareWritten_ = false;
  std::ostringstream line_;
  std::string body_;
};

const CString& cellOf(const TextGrid& grid, size_t row, size_t column) {
  static const CString empty;
  const auto& cells = grid[row];
  return column < cells.size() ? cells[column] : empty;
}

}  // namespace

bool exportCsv(const TextGrid& grid, CString path, const std::vector<bool>& columnFlags,
               const std::vector<int>& columnOrder, const std::vector<int>& rowOrder, bool headerShown,
               CString separator) {
  if (grid.empty()) return false;
  const size_t rowCount = grid.size();
  auto sourceRow = [&](size_t line) -> long long {
    size_t i = headerShown ? line : line - 1;
    return i < rowOrder.size() ? rowOrder[i] : static_cast<long long>(line);
  };
  // Every row and column that the orders name must exist before anything is written.
  for (size_t line = headerShown ? 0 : 1; line < rowCount; ++line) {
    long long source = sourceRow(line);
    if (source < 0 || static_cast<size_t>(source) >= rowCount) return false;
  }
  for (int k : columnOrder) {
    if (k < 0 || static_cast<size_t>(k) >= columnFlags.size()) return false;
  }

  CsvWriter writer(separator);
  for (size_t line = headerShown ? 0 : 1; line < rowCount; ++line) {
    auto source = static_cast<size_t>(sourceRow(line));
    for (size_t c = 0; c < columnOrder.size(); ++c) {
      auto k = static_cast<size_t>(columnOrder[c]);
      if (!columnFlags[k]) continue;
      writer.cell(cellOf(grid, source, k), /*bare=*/c == 1, /*header=*/headerShown && line == 0);
      if (c + 1 != columnOrder.size()) writer.separator();
    }
    writer.endLine();
  }
  return writer.save(path);
}

bool exportCsvFromTable(const TextGrid& grid, CString path, bool headerShown, CString separator) {
  if (grid.empty()) return false;
  CsvWriter writer(separator);
  const size_t columns = grid[0].size();
  for (size_t r = 0; r < grid.size(); ++r) {
    for (size_t c = 0; c < columns; ++c) {
      writer.cell(cellOf(grid, r, c), /*bare=*/c == 0, /*header=*/headerShown && r == 0);
      if (c + 1 != columns) writer.separator();
    }
    writer.endLine();
  }
  return writer.save(path);
}
