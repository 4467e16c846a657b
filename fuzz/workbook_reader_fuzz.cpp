// libFuzzer target of the workbook reader. An input that begins like a compound file is a
// workbook file: it is loaded and, when it loads, saved as another file, which must load
// again. Any other input is a workbook stream: what the reader accepts must build its
// grids, write back exactly as many bytes as it announces, and read back again.
#include <glib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "spreadsheet/xls_book.h"

namespace {

const unsigned char kCompoundFileSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "workbook_reader_fuzz: %s\n", what);
  std::abort();
}

// Every value of every cell, as the model gives them out.
double visitCells(XlsBook& book) {
  double sum = 0;
  for (int s = 0; s < book.sheetCount(); ++s) {
    XlsSheet* sheet = book.sheetAt(s);
    std::string name;
    std::wstring wideName;
    if (!sheet->name(name) && !sheet->name(wideName)) fail("a sheet without a name");
    for (int r = 0; r < sheet->rowCount(); ++r)
      for (int c = 0; c < sheet->columnCount(); ++c) {
        const XlsCell* cell = sheet->cellAt(r, c);
        sum += cell->integerValue() + cell->doubleValue() + static_cast<double>(cell->textLength());
        if (const char* text = cell->narrowText()) sum += text[0];
      }
  }
  return sum;
}

std::string scratchFile(const char* suffix) {
  static const std::string folder = std::filesystem::temp_directory_path().string();
  return folder + "/workbook_reader_fuzz_" + std::to_string(getpid()) + suffix;
}

// The two scratch files of one input, removed when it is done.
struct ScratchFiles {
  const std::string input = scratchFile(".xls");
  const std::string output = scratchFile("_again.xls");
  ~ScratchFiles() {
    std::remove(input.c_str());
    std::remove(output.c_str());
  }
};

void silent(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// A workbook file: load, save as another file, load that.
int fuzzFile(const std::uint8_t* data, size_t size) {
  const ScratchFiles files;
  const std::string& input = files.input;
  const std::string& output = files.output;
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) fail("cannot write the scratch file");
  }
  int sheets = 0;
  double sum = 0;
  {
    XlsBook book;
    if (!book.load(input.c_str())) return 0;
    sum = visitCells(book);
    sheets = book.sheetCount();
    if (!book.saveAs(output.c_str())) fail("a loaded workbook cannot be saved again");
  }
  XlsBook again;
  if (!again.load(output.c_str())) fail("a saved workbook does not load");
  if (again.sheetCount() != sheets) fail("sheets lost on saving again");
  return sum == 0.5 ? 1 : 0;
}

// A workbook stream: read, build the grids, write back, read back.
int fuzzStream(const std::uint8_t* data, size_t size) {
  XlsBook book;
  if (book.read(reinterpret_cast<const char*>(data), static_cast<std::uint32_t>(size)) == 0) return 0;
  book.syncSheets();
  double sum = visitCells(book);
  book.buildRecords();
  book.fixStreamPositions();
  std::uint64_t expected = book.streamSize();
  if (expected > 0xFFFFFFFFull) return 0;
  // Exactly the announced size: a record that writes more overflows it.
  std::vector<char> stream(static_cast<size_t>(expected));
  if (book.write(stream.data()) != expected) fail("written size differs from the announced size");
  XlsBook again;
  if (again.read(stream.data(), static_cast<std::uint32_t>(stream.size())) != stream.size())
    fail("a written stream does not read back");
  if (again.sheetCount() != 0 || again.worksheets().size() != book.worksheets().size())
    fail("sheets lost on reading back");
  return sum == 0.5 ? 1 : 0;
}

}  // namespace

// The compound-file library warns about every damaged file it meets: not for the log.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_log_set_default_handler(silent, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size > (1u << 22)) return 0;
  if (size >= sizeof kCompoundFileSignature &&
      std::memcmp(data, kCompoundFileSignature, sizeof kCompoundFileSignature) == 0)
    return fuzzFile(data, size);
  return fuzzStream(data, size);
}
