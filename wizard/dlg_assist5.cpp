#include "wizard/dlg_assist5.h"

#include "extraction/csv_export.h"
#include "extraction/output_table.h"
#include "extraction/res_strings.h"
#include "extraction/settings_file.h"
#include "extraction/table_layout.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_database.h"
#include "platform/host/editor.h"
#include "platform/host/editor_input.h"
#include "res/resource_ids.h"
#include "spreadsheet/xls_export.h"
#include "wizard/dlg_assist4.h"
#include "wizard/editor_command.h"
#include "wizard/export_files.h"
#include "wizard/inserted_tables.h"
#include "wizard/last_table.h"
#include "wizard/list_helpers.h"
#include "wizard/page_support.h"

namespace {
// Lets the user choose a file to save; true with the path and the chosen filter.
bool chooseSaveFile(const wchar_t* initialName, const wchar_t* filter, CString& path, int& filterIndex) {
  CFileDialog dialog(/*openFileDialog=*/FALSE, L"", initialName, OFN_HIDEREADONLY, filter, nullptr, 0,
                     /*vistaStyle=*/TRUE);
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  filterIndex = static_cast<int>(dialog.m_ofn.nFilterIndex);
  return true;
}

// Command echo off for one scope. The scope ends by turning it on again with on(), where an
// echo that cannot be turned on again (memory ran out) ends the command; left by an
// exception, the scope has it turned on again here, and the failure already on its way ends
// the command.
class CommandEchoOff {
public:
  CommandEchoOff() { setCmdEcho(false); }
  ~CommandEchoOff() {
    if (!off_) return;
    try {
      setCmdEcho(true);
    } catch (...) {  // nothing more can be done on the way out
    }
  }
  CommandEchoOff(const CommandEchoOff&) = delete;
  CommandEchoOff& operator=(const CommandEchoOff&) = delete;

  void on() {
    off_ = false;
    setCmdEcho(true);
  }

private:
  bool off_ = true;
};

void printResult(UINT textId, const CString& path) { ovutPrintf(L"%s", LoadResFormat(textId, path).GetString()); }

// Keeps in the layout how the preview's rows are ordered, by the keys of the built rows (grid
// column k shows their column k); unknown when rows were moved by hand.
void keepPreviewRowOrder(TableLayout& layout, const GridListCtrl& grid, const TextGrid& builtRows) {
  if (grid.rowsMovedByHand || builtRows.empty()) return;
  const std::vector<CString>& keys = builtRows[0];
  for (const GridListCtrl::ColumnSort& sort : grid.rowSorts) {
    if (sort.column <= 0 || static_cast<size_t>(sort.column) >= keys.size()) return;
  }
  for (const GridListCtrl::ColumnSort& sort : grid.rowSorts)
    layout.sortKeys.push_back({keys[static_cast<size_t>(sort.column)], sort.ascending});
  layout.rowOrderKnown = true;
}
}  // namespace

IMPLEMENT_DYNAMIC(DlgAssist5, CDialogEx)

BEGIN_MESSAGE_MAP(DlgAssist5, COvUiDialog)
ON_BN_CLICKED(IDOK, &DlgAssist5::OnBnClickedFinish)
ON_BN_CLICKED(IDC_EXPORT_BROWSE, &DlgAssist5::OnBnClickedBrowseOutput)
ON_BN_CLICKED(IDC_SAVE_SETTINGS_BROWSE, &DlgAssist5::OnBnClickedBrowseSettings)
ON_BN_CLICKED(IDC_INSERT_TABLE, &DlgAssist5::OnBnClickedInsertTable)
ON_BN_CLICKED(IDC_PREVIOUS, &DlgAssist5::OnBnClickedPrevious)
END_MESSAGE_MAP()

DlgAssist5::DlgAssist5(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgAssist5::~DlgAssist5() = default;

void DlgAssist5::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_INSERT_TABLE, insertButton);
  DDX_Control(pDX, IDC_PREVIEW_GRID, previewGrid);
}

BOOL DlgAssist5::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, IDS_OUTPUT_TITLE,
               {{IDC_PREVIEW_LABEL, IDS_TABLE_PREVIEW},
                {IDC_OUTPUT_OPTIONS_GROUP, IDS_OUTPUT_OPTIONS},
                {IDC_OUTPUT_CHOICE_LABEL, IDS_CHOOSE_OUTPUT},
                {IDC_INSERT_TABLE_LABEL, IDS_INSERT_TABLE},
                {IDC_EXPORT_LABEL, IDS_EXPORT_FILE},
                {IDC_SAVE_SETTINGS_GROUP, IDS_SAVE_SETTINGS},
                {IDC_PREVIOUS, IDS_PREVIOUS},
                {IDOK, IDS_FINISH},
                {IDCANCEL, IDS_CANCEL}});
  previewGrid.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
  // Sorting keeps the totals row last; without one every row sorts.
  previewGrid.SetEndsWithTotalsRow(totalsRowAppended);
  if (!outputRows.empty()) {
    previewGrid.includedColumns.assign(outputRows[0].size(), true);
    fillGrid(outputRows, &previewGrid, &previewImages,
             {.cells = {.skipFirst = true}, .headerShown = showHeaderLine, .fill = true, .editColumns = false});
    // A column of numbers (lengths, counts) sorts by value, not as text.
    sortNumericColumns(&previewGrid, outputRows, 1, outputRows.size() - (totalsRowAppended ? 1 : 0));
    previewGrid.ShowSortIndicator(1, false);
  }
  previewGrid.headerMenuEnabled = true;
  if (insertButton.GetSafeHwnd() && !insertButton.GetIcon()) {
    if (HICON icon = loadModuleIcon(IDI_INSERT_TABLE)) insertButton.SetIcon(icon);
  }

  // Numbers read better right-aligned: the first column and the columns of totalled
  // properties (grid column k shows output column k).
  setColumnRightAligned(&previewGrid, 1);
  if (!outputRows.empty()) {
    for (const PropertyItem& item : offeredProperties) {
      if (!item.total) continue;
      for (std::size_t i = 1; i < outputRows[0].size(); ++i) {
        if (outputRows[0][i] == item.name) setColumnRightAligned(&previewGrid, static_cast<int>(i));
      }
    }
  }

  // The outputs put an empty row between the data rows and the totals row; the preview
  // keeps showing the totals row last.
  if (totalsRowAppended && !outputRows.empty()) {
    outputRows.insert(outputRows.end() - 1, std::vector<CString>(outputRows[0].size()));
  }
  return TRUE;
}

void DlgAssist5::OnBnClickedBrowseOutput() {
  CString path;
  int filterIndex = 0;
  if (!chooseSaveFile(kExportInitialName, kExportFileFilter, path, filterIndex)) return;
  outputPath = path;
  outputType = filterIndex;
  GetDlgItem(IDC_EXPORT_PATH)->SetWindowText(outputPath);
}

void DlgAssist5::OnBnClickedBrowseSettings() {
  CString path;
  int filterIndex = 0;
  if (!chooseSaveFile(kSettingsInitialName, kSettingsFileFilter, path, filterIndex)) return;
  settingsOutputPath = path;
  GetDlgItem(IDC_SAVE_SETTINGS_PATH)->SetWindowText(settingsOutputPath);
}

void DlgAssist5::OnBnClickedInsertTable() {
  CommandEchoOff echoOff;
  insertTableAtPickedPoint();
  echoOff.on();
}

void DlgAssist5::insertTableAtPickedPoint() {
  EditorCommand editor(*this);
  ov_point picked = {0, 0, 0};
  insertStatus = ovedGetPoint(nullptr, LoadResString(IDS_TABLE_INSERTION_POINT), picked);
  if (insertStatus != RTNORM) {
    editor.cancel();
    return;
  }
  editor.complete();
  OvGeMatrix3d identity;
  identity.setCoordSystem(OvGePoint3d(0, 0, 0), OvGeVector3d(1, 0, 0), OvGeVector3d(0, 1, 0), OvGeVector3d(0, 0, 1));
  OvGeMatrix3d toWorld = identity;
  if (OvDbDatabase* drawing = ovdbHostApplicationServices()->workingDatabase()) {
    toWorld = setUcsFromMatrix(identity, drawing->ucsorg(), drawing->ucsxdir(), drawing->ucsydir(),
                               /*makeCurrent=*/false);
  }
  OvGePoint3d position = toWorld * OvGePoint3d(picked[0], picked[1], picked[2]);

  std::vector<int> columnOrder = getColumnOrder(&previewGrid);
  orderedRows = orderRowsByColumns(&previewGrid, showHeaderLine);
  OvDbObjectId created = createOutputTable(
      outputRows, blockPreviewMap, previewGrid.includedColumns, columnOrder, orderedRows, position,
      displayNameOf(engine.catalogue.blockPreviewItem.name, displayNames), tableTitle, showHeaderLine);
  if (created.isNull()) return;  // nothing inserted: a table inserted before keeps its link
  InsertedTables::inserted(created);
  lastTableId = created;
  // Taken now: the preview may be sorted again, or the rows built anew, before Finish.
  insertedTable = linkOfInsertedTable(columnOrder);
}

InsertedTableLink DlgAssist5::linkOfInsertedTable(const std::vector<int>& columnOrder) const {
  InsertedTableLink link;
  link.table = lastTableId;
  link.rowIds = collectRowIds(outputRows, totalsRowAppended);
  link.rowOrder = orderedRows;
  link.headerShown = showHeaderLine;
  link.displayNames = displayNames;
  link.kinds = engine.chosenTypeNames;
  // Rows combined with their count are not grouped, whatever property the combo names.
  link.groupBy = engine.rowMerge == RowMerge::Grouped ? engine.groupBy : CString();
  if (!outputRows.empty() && !outputRows[0].empty())
    link.headers.assign(outputRows[0].begin() + 1, outputRows[0].end());
  TableLayout layout = wizardTableLayout(engine, outputRows, columnOrder, orderedRows, showHeaderLine,
                                         totalsRowAppended, offeredProperties);
  keepPreviewRowOrder(layout, previewGrid, engine.rows);
  link.layout = layout.entries();
  return link;
}

void DlgAssist5::OnBnClickedFinish() {
  if (outputPath.IsEmpty() && settingsOutputPath.IsEmpty() && !insertedTable.inserted()) {
    if (AfxMessageBox(LoadResString(IDS_NO_OUTPUT_QUIT), MB_YESNO | MB_ICONQUESTION) == IDYES) OnOK();
    return;
  }
  OnOK();
  writeExternalFile();
  if (insertedTable.inserted()) {
    writeTableLink(insertedTable);
    InsertedTables::linked(insertedTable.table);
  }
  writeSettingsFile();
}

void DlgAssist5::writeExternalFile() {
  if (outputPath.IsEmpty()) return;
  int cutCells = 0;
  bool written = exportWithinMemory([&] {
    std::vector<int> columnOrder = getColumnOrder(&previewGrid);
    orderedRows = orderRowsByColumns(&previewGrid, showHeaderLine);
    const std::vector<bool>& columns = previewGrid.includedColumns;
    if (outputType == kCsvFilterIndex)
      return exportCsv(outputRows, outputPath, columns, columnOrder, orderedRows, showHeaderLine, L",");
    return outputType == kXlsFilterIndex &&
           exportXls(outputRows, outputPath, columns, columnOrder, orderedRows, showHeaderLine, &cutCells);
  });
  if (outputType == kCsvFilterIndex) printCsvExportResult(written, outputPath);
  else if (outputType == kXlsFilterIndex) printXlsExportResult(written, outputPath, cutCells);
}

void DlgAssist5::writeSettingsFile() {
  if (settingsOutputPath.IsEmpty()) return;
  std::vector<CString> options;
  if (totalsRowAppended) options.push_back(L"Total Line");
  if (!showHeaderLine) options.push_back(L"Hide Header Line");
  // The group-by entry is saved exactly when rows are combined by a property, by its index
  // and its name, so that a later run combines by the same property again.
  int groupBy = engine.groupBy.IsEmpty() ? -1 : groupByIndex;
  bool saved = exportWithinMemory(
      [&] { return saveSettingsXml(settingsOutputPath, displayNames, tableTitle, options, groupBy, engine.groupBy); });
  if (saved) {
    printResult(IDS_SETTINGS_EXPORT_DONE, settingsOutputPath);
  } else {
    ovutPrintf(L"%s", LoadResString(IDS_SETTINGS_EXPORT_FAILED).GetString());
  }
}

void DlgAssist5::OnBnClickedPrevious() {
  OnCancel();
  DlgAssist4 previous(hostMainWindow());
  previous.presentKinds = presentKinds;
  previous.engine = engine;
  previous.offeredProperties = offeredProperties;
  static_cast<WizardState&>(previous) = *this;
  previous.DoModal();
}
