// The files an extraction is exported to or saved in, as the output page and the update
// dialog offer them: the file dialogs' filters and initial names, and the messages that
// report whether an export was written.
#pragma once
#include <new>

#include "platform/mfc/cstring.h"

// The table's export: a CSV or an XLS file, told apart by the filter index the save dialog
// gives back (counted from 1).
inline constexpr wchar_t kExportFileFilter[] = L"Csv file (*.csv)|*.csv| Xls file (*.xls)|*.xls||";
inline constexpr wchar_t kExportInitialName[] = L"*.csv";
constexpr int kCsvFilterIndex = 1;
constexpr int kXlsFilterIndex = 2;

// The extraction's settings file.
inline constexpr wchar_t kSettingsFileFilter[] = L"Qdx file (*.qdx)|*.qdx||";
inline constexpr wchar_t kSettingsInitialName[] = L"*.qdx";

// Prints on the command line that the CSV export to the path was done, or that it failed.
void printCsvExportResult(bool written, const CString& path);
// The same for an XLS export; a written one also tells how many cells were cut to the
// format's limit, when any was.
void printXlsExportResult(bool written, const CString& path, int cutCells);

// Runs an export (reading what it writes, building the file and writing it); false when
// memory ran out on the way, so that the command reports a failed export and nothing
// reaches the host. What the export had built is freed as it unwinds; no file was replaced.
template <class Export>
bool exportWithinMemory(Export&& run) {
  try {
    return run();
  } catch (const std::bad_alloc&) {
    return false;
  }
}
