#include "wizard/dlg_assist4.h"

#include "common/text_grid.h"
#include "extraction/res_strings.h"
#include "extraction/row_merging.h"
#include "res/resource_ids.h"
#include "wizard/dlg_assist3.h"
#include "wizard/dlg_assist5.h"
#include "wizard/list_helpers.h"
#include "wizard/page_support.h"

namespace {
// Grid layout: the check column and the totals column, counted from the property column.
constexpr int kCheckColumn = 0;
constexpr int kDisplayNameColumn = 1;
constexpr int kTotalsColumn = 2;
constexpr int kColumnOffset = 2;
constexpr int kCheckCell = 0;
constexpr int kPropertyNameCell = 2;
constexpr int kDisplayNameCell = 3;
constexpr int kTotalsCell = 4;
constexpr int kTotalsGridColumn = kTotalsColumn + 1;
// The property rows in the grid: the check cell as the property name's check image, the cells
// from the property name on, the totals cell as a check box.
constexpr GridCellLayout kPropertyCells{
    .checkColumn = true, .totalsColumn = kTotalsColumn, .skipFirst = true, .columnOffset = kColumnOffset};

CString checkText(bool checked) { return checked ? L"1" : L"0"; }
}  // namespace

BEGIN_MESSAGE_MAP(DlgAssist4, COvUiDialog)
ON_BN_CLICKED(IDOK, &DlgAssist4::OnBnClickedNext)
ON_BN_CLICKED(IDC_PREVIOUS, &DlgAssist4::OnBnClickedPrevious)
ON_BN_CLICKED(IDC_DISPLAY_TOTALS, &DlgAssist4::OnBnClickedTotals)
ON_BN_CLICKED(IDC_COMBINE_ROWS, &DlgAssist4::OnBnClickedCombineRows)
ON_BN_CLICKED(IDC_HIDE_HEADER, &DlgAssist4::OnBnClickedHideHeader)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_PROPERTY_GRID, &DlgAssist4::OnListItemChanged)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_FILTER_LIST, &DlgAssist4::OnListItemChanged)
END_MESSAGE_MAP()

DlgAssist4::DlgAssist4(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgAssist4::~DlgAssist4() = default;

void DlgAssist4::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROPERTY_GRID, propertyGrid);
  DDX_Control(pDX, IDC_FILTER_LIST, filterList);
  DDX_Control(pDX, IDC_HIDE_HEADER, hideHeaderCheck);
  DDX_Control(pDX, IDC_DISPLAY_TOTALS, totalsCheck);
  DDX_Control(pDX, IDC_COMBINE_ROWS, combineCheck);
  DDX_Control(pDX, IDC_GROUP_BY, groupByCombo);
}

BOOL DlgAssist4::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, IDS_PROPERTIES_TITLE,
               {{IDC_PAGE_HEADING, IDS_PROPERTIES_HEADING},
                {IDC_PROPERTIES_GROUP, IDS_PROPERTIES},
                {IDC_FILTER_LABEL, IDS_FILTER},
                {IDC_COMBINE_ROWS, IDS_COMBINE_ROWS_BY},
                {IDC_HIDE_HEADER, IDS_HIDE_HEADER_LINE},
                {IDC_DISPLAY_TOTALS, IDS_DISPLAY_TOTALS},
                {IDC_TITLE_LABEL, IDS_TABLE_TITLE},
                {IDC_PREVIOUS, IDS_PREVIOUS},
                {IDOK, IDS_NEXT},
                {IDCANCEL, IDS_CANCEL}});
  propertyGrid.SetExtendedStyle(propertyGrid.GetExtendedStyle() | LVS_EX_GRIDLINES);
  filterList.SetExtendedStyle(LVS_EX_CHECKBOXES);
  propertyGrid.cellCheckMode = true;

  // The rows follow the properties offered now; those offered before keep the person's
  // checks, display names and totals, also when they were not offered in between.
  TextGrid offered = buildPropertyRows(offeredProperties, !propertyNames.empty());
  for (const CString& name : propertyNames) updatePropertyCheck(offered, name, /*checked=*/true, kPropertyNameCell);
  TextGrid earlier = propertyRows;
  earlier.insert(earlier.end(), propertyRowsSetAside.begin(), propertyRowsSetAside.end());
  propertyRows = keepChoices(offered, earlier, kPropertyNameCell, {kCheckCell, kDisplayNameCell, kTotalsCell});
  propertyRowsSetAside = rowsLeftOut(earlier, propertyRows, kPropertyNameCell);
  propertyFilterRows = keepChoices(buildPropertyFilterRows(engine.categories), propertyFilterRows, 1, {kCheckCell});
  if (!displayNames.empty()) {
    for (std::vector<CString>& row : propertyRows) {
      if (row.size() <= kDisplayNameCell) continue;
      auto mapped = displayNames.find(row[kPropertyNameCell]);
      if (mapped != displayNames.end()) row[kDisplayNameCell] = mapped->second;
    }
  }
  fillGrid(propertyRows, &propertyGrid, &checkImages,
           {.cells = kPropertyCells, .headerShown = true, .fill = false, .editColumns = true});
  propertyGrid.ShowSortIndicator(1, false);
  restorePropertyFilter(engine.categories, &filterList, propertyFilterRows);

  if (!displayTotals) {
    totalsCheck.SetCheck(BST_UNCHECKED);
    propertyGrid.SetColumnShown(kTotalsGridColumn, !propertyGrid.IsColumnShown(kTotalsGridColumn));
  } else {
    totalsCheck.SetCheck(BST_CHECKED);
  }

  if (!offeredProperties.empty()) {
    for (const PropertyItem& item : offeredProperties) groupByCombo.AddString(item.name);
    groupByCombo.SetCurSel(groupByEntry());
  }
  combineCheck.SetCheck(combineRows ? BST_CHECKED : BST_UNCHECKED);
  hideHeaderCheck.SetCheck(showHeaderLine ? BST_UNCHECKED : BST_CHECKED);
  if (!tableTitle.IsEmpty()) GetDlgItem(IDC_TITLE_EDIT)->SetWindowText(tableTitle);
  return TRUE;
}

void DlgAssist4::OnListItemChanged(NMHDR* hdr, LRESULT* result) {
  *result = 0;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(hdr);
  if (hdr->hwndFrom == propertyGrid.GetSafeHwnd()) {
    if (change->uNewState == 0 && change->uOldState == 0) return;
    updatePropertyCheck(propertyRows, propertyGrid.GetItemText(change->iItem, 1),
                        propertyGrid.GetCellImageIndex(change->iItem, 1) != 0, kPropertyNameCell);
    return;
  }
  if (hdr->hwndFrom != filterList.GetSafeHwnd()) return;
  bool checked = false;
  if (!decodeCheckChange(*change, checked)) return;
  TextGrid rows = filterPropertyRows(propertyRows, static_cast<int>(filterList.GetItemData(change->iItem)));
  if (checked) fillGridRows(rows, &propertyGrid, {.cells = kPropertyCells, .fromRow0 = true});
  else {
    saveGridChoices();  // the names and totals given in the grid outlast the rows
    removeListRows(rows, &propertyGrid, kPropertyNameCell);
  }
  updatePropertyCheck(propertyFilterRows, filterList.GetItemText(change->iItem, 0), checked, 1);
}

void DlgAssist4::OnBnClickedTotals() {
  propertyGrid.SetColumnShown(kTotalsGridColumn, !propertyGrid.IsColumnShown(kTotalsGridColumn));
  displayTotals = !displayTotals;
}

void DlgAssist4::OnBnClickedCombineRows() { combineRows = !combineRows; }

void DlgAssist4::OnBnClickedHideHeader() { showHeaderLine = !showHeaderLine; }

int DlgAssist4::groupByEntry() {
  if (!groupByName.IsEmpty()) {
    int entry = groupByCombo.FindStringExact(-1, groupByName);
    if (entry >= 0) return entry;
  } else if (groupByIndex == -1) {
    return 0;
  } else if (indexNamesFileProperty()) {
    return groupByIndex;
  }
  // The property is no longer offered, or the index names none of the file's properties:
  // no grouping rather than grouping by another.
  combineRows = false;
  groupByIndex = -1;
  groupByName.Empty();
  return 0;
}

bool DlgAssist4::indexNamesFileProperty() {
  if (groupByIndex < 0 || groupByIndex >= groupByCombo.GetCount()) return false;
  CString entry;
  groupByCombo.GetLBText(groupByIndex, entry);
  return displayNames.count(entry) != 0;
}

void DlgAssist4::saveGridChoices() {
  int count = propertyGrid.GetItemCount();
  for (int item = 0; item < count; ++item) {
    CString name = propertyGrid.GetItemText(item, 1);
    for (std::vector<CString>& row : propertyRows) {
      if (row.size() <= kTotalsCell || row[kPropertyNameCell] != name) continue;
      row[kCheckCell] = checkText(propertyGrid.GetCellImageIndex(item, 1) != 0);
      row[kDisplayNameCell] = propertyGrid.GetItemText(item, kDisplayNameColumn + 1);
      row[kTotalsCell] = checkText(propertyGrid.GetCellImageIndex(item, kTotalsGridColumn) != 0);
    }
  }
}

void DlgAssist4::savePageChoices() {
  saveGridChoices();
  groupByIndex = groupByCombo.GetCurSel();
  groupByName.Empty();
  if (groupByIndex >= 0) groupByCombo.GetLBText(groupByIndex, groupByName);
  GetDlgItem(IDC_TITLE_EDIT)->GetWindowText(tableTitle);
}

void DlgAssist4::OnBnClickedNext() {
  std::map<CString, CString> checkedNames;
  if (readPropertySelection(&propertyGrid, kCheckColumn, kDisplayNameColumn, checkedNames).empty()) {
    MessageBox(LoadResString(IDS_CHECK_ONE_PROPERTY), LoadResString(IDS_PROPERTIES_TITLE), MB_OK | MB_ICONWARNING);
    return;
  }
  openPage5();
}

void DlgAssist4::openPage5() {
  savePageChoices();
  OnOK();
  std::vector<CString> chosen = readPropertySelection(&propertyGrid, kCheckColumn, kDisplayNameColumn, displayNames);
  if (hideHeaderCheck.GetCheck() == BST_CHECKED) showHeaderLine = false;
  bool quantityChosen = holds(chosen, engine.catalogue.quantityItem.name);
  bool blockNameChosen = holds(chosen, engine.catalogue.blockNameItem.name);
  DlgAssist5 next(hostMainWindow());
  next.totalsRowAppended = false;
  std::vector<CString> totals;
  if (totalsCheck.GetCheck() == BST_CHECKED) totals = collectTotalsColumns(&propertyGrid, kTotalsColumn, -1);
  CString groupBy;
  if (combineCheck.GetCheck() == BST_CHECKED) groupBy = groupByName;
  TextGrid rows;
  BlockPreviewMap previewMap;
  engine.buildRows(rows, previewMap, chosen, quantityChosen, blockNameChosen, totals, groupBy);
  // The totals are found by property name, so they are summed while the header still holds
  // the property names: a renamed column keeps its total. Combined rows count by quantity.
  std::vector<CString> totalsRow = engine.computeTotals();
  translateNames(rows, displayNames);
  if (!totalsRow.empty()) {
    rows.push_back(totalsRow);
    next.totalsRowAppended = true;
  }
  next.presentKinds = presentKinds;
  next.offeredProperties = offeredProperties;
  next.engine = engine;
  next.blockPreviewMap = previewMap;
  next.outputRows = rows;
  static_cast<WizardState&>(next) = *this;
  next.DoModal();
}

void DlgAssist4::OnBnClickedPrevious() {
  OnCancel();
  savePageChoices();
  DlgAssist3 previous(hostMainWindow());
  previous.presentKinds = presentKinds;
  previous.engine = engine;
  readPropertySelection(&propertyGrid, kCheckColumn, kDisplayNameColumn, displayNames);
  static_cast<WizardState&>(previous) = *this;
  static_cast<RestoredNames&>(previous) = *this;
  previous.enteredFromSource = false;
  previous.DoModal();
}
