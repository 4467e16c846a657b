// The four actions of the update dialog on a picked data table: refresh its rows from the
// drawing, add objects to it, replace its objects, export its cells. The first three take the
// path of the table's kind of link: its layout list (layout_list_update.h), or the six link
// lists alone (six_list_update.h).
#include <algorithm>
#include <optional>
#include <vector>

#include "common/text_grid.h"
#include "extraction/csv_export.h"
#include "extraction/host_guards.h"
#include "extraction/link_list_names.h"
#include "extraction/linked_table.h"
#include "extraction/output_table.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_table.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"
#include "platform/mfc/file_dialog.h"
#include "res/resource_ids.h"
#include "spreadsheet/xls_export.h"
#include "wizard/dlg_update.h"
#include "wizard/editor_command.h"
#include "wizard/export_files.h"
#include "wizard/layout_list_update.h"
#include "wizard/six_list_update.h"
#include "wizard/update_reading.h"
#include "wizard/update_selection.h"

namespace {

using Texts = std::vector<CString>;

// Whether the table's row 1 is its header line: as its layout list says; for a table with
// the six lists only, when every text of row 1 is one of its stored headers (which keep the
// wizard grid's columns, hidden ones too, in the grid's order).
bool rowOneIsHeader(OvDbObjectId tableId, OvDbTable* table) {
  std::optional<TableLayout> layout =
      TableLayout::fromEntries(readLinkXData(tableId, kTableLayoutApp, /*reportMissing=*/false));
  if (layout) return layout->headerShown;
  Texts stored = readLinkXData(tableId, kTableHeadersApp, /*reportMissing=*/false);
  for (const CString& text : headerRow(table)) {
    auto at = std::find(stored.begin(), stored.end(), text);
    if (at == stored.end()) return false;
    stored.erase(at);
  }
  return true;
}

bool pickedTableId(OvDbObjectId& id, const std::int64_t* name) {
  ov_name entity{name[0], name[1]};
  return ovdbGetObjectId(id, entity) == Ovis::eOk;
}

}  // namespace

bool DlgUpdateA1::SelectNewObjects(UINT prompt, SelectionSet& set, std::int32_t& length) {
  printMessage(prompt);
  EditorCommand editor(*this);
  length = 0;
  if (set.select(nullptr) != RTNORM || ovedSSLength(set.name(), &length) != RTNORM || length == 0) {
    editor.cancel();
    return false;
  }
  editor.complete();
  return true;
}

void DlgUpdateA1::RefreshTable() {
  OvDbObjectId tableId;
  if (!pickedTableId(tableId, pickedTable)) return;
  const Texts layoutEntries = readLinkXData(tableId, kTableLayoutApp, /*reportMissing=*/false);
  if (layoutEntries.empty()) refreshSixListTable(tableId, catalogue);
  else refreshLinkedTable(tableId, layoutEntries, catalogue);
}

// The user's new objects, read into an engine, and the picked table with its layout list
// (empty for a table that has the six lists only).
struct DlgUpdateA1::NewSelection {
  SelectedObjects selected;
  ExtractionEngine engine;
  OvDbObjectId tableId;
  Texts layoutEntries;
};

bool DlgUpdateA1::TakeNewSelection(UINT prompt, NewSelection& selection) {
  SelectionSet set;
  std::int32_t length = 0;
  if (!SelectNewObjects(prompt, set, length)) return false;
  selection.engine = extractSelection(set, length, catalogue, selection.selected);
  if (!pickedTableId(selection.tableId, pickedTable)) return false;
  selection.layoutEntries = readLinkXData(selection.tableId, kTableLayoutApp, /*reportMissing=*/false);
  return true;
}

void DlgUpdateA1::AddObjectsToTable() {
  NewSelection added;
  if (!TakeNewSelection(IDS_SELECT_NEW_OBJECTS, added)) return;
  if (added.layoutEntries.empty()) addToSixListTable(added.tableId, catalogue, added.engine, added.selected);
  else addToLinkedTable(added.tableId, added.layoutEntries, catalogue, added.engine, added.selected);
}

void DlgUpdateA1::ReplaceTableSelection() {
  NewSelection chosen;
  if (!TakeNewSelection(IDS_YOUR_NEW_SELECTION, chosen)) return;
  // A selection with nothing a table can show leaves the table as it is.
  if (chosen.selected.handles.empty()) {
    printMessage(IDS_TABLE_UP_TO_DATE);
    return;
  }
  if (chosen.layoutEntries.empty()) replaceInSixListTable(chosen.tableId, catalogue, chosen.engine, chosen.selected);
  else replaceInLinkedTable(chosen.tableId, chosen.layoutEntries, catalogue, chosen.selected);
}

void DlgUpdateA1::UpdateExport() {
  CFileDialog dialog(/*openFileDialog=*/FALSE, L"", kExportInitialName, OFN_HIDEREADONLY, kExportFileFilter, nullptr);
  if (dialog.DoModal() != IDOK) return;
  const CString path = dialog.GetPathName();
  const DWORD filterIndex = dialog.m_ofn.nFilterIndex;

  OvDbObjectId tableId;
  OpenedObject<OvDbTable> table;
  if (!pickedTableId(tableId, pickedTable) || !table.open(tableId)) return;
  // A table without a row under its title writes and prints nothing. A file that could not
  // be written whole is reported as such, never as done.
  bool rows = true;
  int cutCells = 0;
  bool written = exportWithinMemory([&] {
    TextGrid grid;
    rows = readTableCells(table.get(), grid);
    if (!rows) return false;
    if (filterIndex == kCsvFilterIndex)
      return exportCsvFromTable(grid, path, rowOneIsHeader(tableId, table.get()), L",");
    return filterIndex == kXlsFilterIndex && exportXlsFromTable(grid, path, &cutCells);
  });
  if (!rows) return;
  if (filterIndex == kCsvFilterIndex) printCsvExportResult(written, path);
  else if (filterIndex == kXlsFilterIndex) printXlsExportResult(written, path, cutCells);
}
