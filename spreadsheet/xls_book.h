// A workbook: sheets of typed cells over the BIFF8 record containers, saved as the
// stream "Workbook" of a compound file and loaded back from one.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/compound_document.h"
#include "spreadsheet/ref_ptr.h"
#include "spreadsheet/workbook.h"
#include "spreadsheet/worksheet.h"
#include "spreadsheet/xls_sheet.h"

class XlsBook {
public:
  static constexpr size_t kMaxSheetName = 31;

  XlsBook() = default;
  explicit XlsBook(const char* path) { load(path); }
  XlsBook(const XlsBook&) = delete;
  XlsBook& operator=(const XlsBook&) = delete;

  // A fresh book of the given number of sheets ("Sheet1", "Sheet2", ...).
  void create(int sheets);
  // Opens the file read-only and reads its workbook; false when the file cannot be
  // opened or its stream is missing, truncated or corrupt or calls for larger grids than
  // its size allows (the book is then empty). Throws nothing.
  bool load(const char* path);
  bool load(const wchar_t* path);
  // Writes the whole stream into the open file; false unless every byte was written.
  bool save();
  // Makes the next save with a file open the book's last use of its cells, for an owner
  // that destroys the book after saving it: that save frees each row of cells once it is
  // turned into records, and the records and shared strings once they are written, so
  // that cells, records and stream are never all held at once. Whether it succeeds or
  // not, it leaves every sheet empty (no rows, no columns; names and column widths stay).
  void releaseCellsOnSave() { releaseOnSave_ = true; }
  // Writes the book to a new file that replaces the one at the path only once it is
  // complete: a save that fails leaves an earlier file as it was. The file stays open for
  // the next save, but after a releasing save.
  bool saveAs(const char* path);
  bool saveAs(const wchar_t* path);

  int sheetCount() const { return static_cast<int>(sheets_.size()); }
  XlsSheet* sheetAt(int index) const;
  XlsSheet* sheetAt(const char* name) const;
  XlsSheet* sheetAt(const wchar_t* name) const;
  // Adding or deleting a sheet drops the link table of a loaded book (Workbook::dropLinks).
  XlsSheet* addSheet(const char* name, int index = -1);
  XlsSheet* addSheet(const wchar_t* name, int index = -1);
  XlsSheet* addSheet(int index = -1);
  bool deleteSheet(int index);
  bool deleteSheet(const char* name);
  bool deleteSheet(const wchar_t* name);
  const char* narrowSheetName(int index) const;
  const char16_t* wideSheetName(int index) const;
  bool sheetName(int index, std::string& out) const;
  bool sheetName(int index, std::wstring& out) const;
  bool renameSheet(int index, const char* name);
  bool renameSheet(int index, const wchar_t* name);
  bool renameSheet(const char* oldName, const char* newName);
  bool renameSheet(const wchar_t* oldName, const wchar_t* newName);

  // The most grid cells, over all sheets, that a stream of the given size may call for:
  // a cell address far beyond the cells a stream holds must not cost memory out of all
  // proportion to it.
  static std::uint64_t gridCellBudget(std::uint64_t streamBytes) { return 65536 + 16 * streamBytes; }

  // Reads a whole stream; the bytes consumed, 0 when it holds no readable workbook or its
  // grids would exceed the budget for its size (the book is then left without sheets).
  std::uint32_t read(const char* buffer, std::uint32_t size);
  // Writes the globals and every worksheet; the bytes written.
  std::uint32_t write(char* buffer);
  // The stream size that write emits, once the records are built and placed.
  std::uint64_t streamSize();
  void syncSheets();
  void buildRecords();
  void fixStreamPositions();
  void fixExtSst();

  QExcel::Workbook& workbook() { return workbook_; }
  const QExcel::Workbook& workbook() const { return workbook_; }
  std::vector<QExcel::Worksheet>& worksheets() { return worksheets_; }
  const std::vector<QExcel::Worksheet>& worksheets() const { return worksheets_; }

  // Whether the name may name a sheet: 1 to 31 characters, none of [ ] : * ? / \.
  static bool validSheetName(const std::wstring& name);

private:
  using StreamBytes = std::unique_ptr<char, void (*)(void*)>;

  // The steps of a save; with release, each frees what it has used (releaseCellsOnSave).
  // The stream is built whole before any file is touched; null when it cannot be (a
  // stream beyond 4 GB, memory run out). A releasing build leaves the book empty.
  StreamBytes buildStream(bool release, std::uint32_t& size);
  // Makes the stream anew in the open file and writes it; false unless all of it was.
  bool storeStream(const char* bytes, std::uint32_t size);
  // Writes a new file holding the stream, which replaces the one at the path only once it
  // is complete; the file is then kept open when asked.
  bool writeFile(const wchar_t* path, const char* bytes, std::uint32_t size, bool keepOpen);
  void buildRecords(bool releaseCells);
  std::uint32_t write(char* buffer, bool releaseRecords);
  // What a releasing save leaves: empty sheets, record containers as a new sheet has
  // them and no shared strings.
  void releaseContents();
  XlsSheet* insertSheet(QExcel::ShortString name, int index);
  int findSheet(const QExcel::ShortString& name) const;
  // Places each sheet's BOF after the globals and the sheets before it.
  void fixBoundSheetPositions(std::uint32_t globalsBytes, const std::vector<std::uint32_t>& sheetBytes);
  // Fills in the DBCELL positions and row offsets of every sheet; the bytes of each sheet.
  std::vector<std::uint32_t> fixRowBlockOffsets(std::uint32_t globalsBytes);
  void clear();

  QExcel::CompoundDocument document_;
  QExcel::Workbook workbook_;
  std::vector<QExcel::Worksheet> worksheets_;
  std::vector<QExcel::RefPtr<XlsSheet>> sheets_;
  std::uint64_t placedBytes_ = 0;  // the stream's size as fixStreamPositions placed it
  bool releaseOnSave_ = false;     // the next save frees the cells (releaseCellsOnSave)
};
