#include "wizard/export_files.h"

#include <string>

#include "extraction/res_strings.h"
#include "platform/host/editor.h"
#include "res/resource_ids.h"

namespace {
void printText(UINT textId, const CString& insert) { ovutPrintf(L"%s", LoadResFormat(textId, insert).GetString()); }
}  // namespace

void printCsvExportResult(bool written, const CString& path) {
  printText(written ? IDS_CSV_EXPORT_DONE : IDS_CSV_EXPORT_FAILED, path);
}

void printXlsExportResult(bool written, const CString& path, int cutCells) {
  printText(written ? IDS_XLS_EXPORT_DONE : IDS_XLS_EXPORT_FAILED, path);
  if (written && cutCells > 0) printText(IDS_CELLS_CUT, CString(std::to_wstring(cutCells)));
}
