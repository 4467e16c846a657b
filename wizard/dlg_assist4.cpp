#include "wizard/dlg_assist4.h"

#include <algorithm>

#include "extraction/row_merging.h"
#include "wizard/dlg_assist3.h"
#include "wizard/dlg_assist5.h"
#include "wizard/list_helpers.h"
#include "wizard/page_support.h"

namespace {
constexpr int kPropertyGrid = 1025;
constexpr int kFilterList = 1023;
constexpr int kCombineCheck = 1033;
constexpr int kGroupByCombo = 1034;
constexpr int kHideHeaderCheck = 1029;
constexpr int kTotalsCheck = 1028;
constexpr int kTitleEdit = 1056;
constexpr int kPreviousButton = 1001;

// Grid layout: the check column and the totals column, counted from the property column.
constexpr int kCheckColumn = 0;
constexpr int kDisplayNameColumn = 1;
constexpr int kTotalsColumn = 2;
constexpr int kColumnOffset = 2;
constexpr int kPropertyNameCell = 2;
constexpr int kDisplayNameCell = 3;
constexpr int kTotalsGridColumn = kTotalsColumn + 1;

bool contains(const std::vector<CString>& names, const CString& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}
}  // namespace

BEGIN_MESSAGE_MAP(DlgAssist4, COvUiDialog)
  ON_BN_CLICKED(IDOK, &DlgAssist4::OnBnClickedNext)
  ON_BN_CLICKED(kPreviousButton, &DlgAssist4::OnBnClickedPrevious)
  ON_BN_CLICKED(kTotalsCheck, &DlgAssist4::OnBnClickedTotals)
  ON_BN_CLICKED(kCombineCheck, &DlgAssist4::OnBnClickedCombineRows)
  ON_BN_CLICKED(kHideHeaderCheck, &DlgAssist4::OnBnClickedHideHeader)
  ON_NOTIFY(LVN_ITEMCHANGED, kPropertyGrid, &DlgAssist4::OnListItemChanged)
  ON_NOTIFY(LVN_ITEMCHANGED, kFilterList, &DlgAssist4::OnListItemChanged)
END_MESSAGE_MAP()

DlgAssist4::DlgAssist4(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgAssist4::~DlgAssist4() = default;

void DlgAssist4::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kPropertyGrid, propertyGrid);
  DDX_Control(pDX, kFilterList, filterList);
  DDX_Control(pDX, kHideHeaderCheck, hideHeaderCheck);
  DDX_Control(pDX, kTotalsCheck, totalsCheck);
  DDX_Control(pDX, kCombineCheck, combineCheck);
  DDX_Control(pDX, kGroupByCombo, groupByCombo);
}

BOOL DlgAssist4::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, 150,
               {{1035, 151}, {1040, 152}, {1039, 149}, {kCombineCheck, 154}, {kHideHeaderCheck, 156},
                {kTotalsCheck, 157}, {1057, 286}, {kPreviousButton, 138}, {IDOK, 139}, {IDCANCEL, 140}});
  propertyGrid.SetExtendedStyle(propertyGrid.GetExtendedStyle() | LVS_EX_GRIDLINES);
  filterList.SetExtendedStyle(LVS_EX_CHECKBOXES);
  propertyGrid.cellCheckMode = true;

  if (propertyRows.empty()) {
    propertyRows = buildPropertyRows(offeredProperties, !propertyNames.empty());
    for (const CString& name : propertyNames) updatePropertyCheck(propertyRows, name, true, kPropertyNameCell);
  }
  if (!displayNames.empty()) {
    for (std::vector<CString>& row : propertyRows) {
      if (row.size() <= kDisplayNameCell) continue;
      auto mapped = displayNames.find(row[kPropertyNameCell]);
      if (mapped != displayNames.end()) row[kDisplayNameCell] = mapped->second;
    }
  }
  fillGrid(propertyRows, &propertyGrid, &checkImages, true, kTotalsColumn, true, true, false, kColumnOffset, true);
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
    int entries = groupByCombo.GetCount();
    groupByCombo.SetCurSel(groupByIndex != -1 && groupByIndex < entries ? groupByIndex : 0);
  }
  combineCheck.SetCheck(combineRows ? BST_CHECKED : BST_UNCHECKED);
  hideHeaderCheck.SetCheck(showHeaderLine ? BST_UNCHECKED : BST_CHECKED);
  if (!tableTitle.IsEmpty()) GetDlgItem(kTitleEdit)->SetWindowText(tableTitle);
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
  if (checked) fillGridRows(rows, &propertyGrid, true, kTotalsColumn, true, true, kColumnOffset, 0);
  else removeListRows(rows, &propertyGrid, kPropertyNameCell);
  updatePropertyCheck(propertyFilterRows, filterList.GetItemText(change->iItem, 0), checked, 1);
}

void DlgAssist4::OnBnClickedTotals() {
  propertyGrid.SetColumnShown(kTotalsGridColumn, !propertyGrid.IsColumnShown(kTotalsGridColumn));
  displayTotals = !displayTotals;
}

void DlgAssist4::OnBnClickedCombineRows() { combineRows = !combineRows; }

void DlgAssist4::OnBnClickedHideHeader() { showHeaderLine = !showHeaderLine; }

void DlgAssist4::saveGridChecks() {
  int count = propertyGrid.GetItemCount();
  for (int item = 0; item < count; ++item) {
    updatePropertyCheck(propertyRows, propertyGrid.GetItemText(item, 1), propertyGrid.GetCellImageIndex(item, 1) != 0,
                        kPropertyNameCell);
  }
}

void DlgAssist4::OnBnClickedNext() { openPage5(); }

void DlgAssist4::openPage5() {
  saveGridChecks();
  OnOK();
  std::vector<CString> chosen = readPropertySelection(&propertyGrid, kCheckColumn, kDisplayNameColumn, displayNames);
  if (hideHeaderCheck.GetCheck() == BST_CHECKED) showHeaderLine = false;
  bool quantityChosen = contains(chosen, engine.catalogue.quantityItem.name);
  bool blockNameChosen = contains(chosen, engine.catalogue.blockNameItem.name);
  DlgAssist5 next(hostMainWindow());
  next.totalsRowAppended = false;
  std::vector<CString> totals;
  if (totalsCheck.GetCheck() == BST_CHECKED) totals = collectTotalsColumns(&propertyGrid, kTotalsColumn, -1);
  CString groupBy;
  if (combineCheck.GetCheck() == BST_CHECKED) {
    groupByIndex = groupByCombo.GetCurSel();
    if (groupByIndex >= 0) groupByCombo.GetLBText(groupByIndex, groupBy);
  }
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
  GetDlgItem(kTitleEdit)->GetWindowText(next.tableTitle);
  next.DoModal();
}

void DlgAssist4::OnBnClickedPrevious() {
  OnCancel();
  saveGridChecks();
  DlgAssist3 previous(hostMainWindow());
  previous.presentKinds = presentKinds;
  previous.engine = engine;
  readPropertySelection(&propertyGrid, kCheckColumn, kDisplayNameColumn, displayNames);
  static_cast<WizardState&>(previous) = *this;
  static_cast<RestoredNames&>(previous) = *this;
  previous.enteredFromSource = false;
  previous.DoModal();
}
