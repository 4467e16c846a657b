#include "wizard/dlg_assist1.h"

#include <vector>

#include "common/text_grid.h"
#include "extraction/res_strings.h"
#include "extraction/settings_file.h"
#include "platform/host/editor.h"
#include "res/resource_ids.h"
#include "wizard/dlg_assist2.h"
#include "wizard/export_files.h"
#include "wizard/page_support.h"

BEGIN_MESSAGE_MAP(DlgAssist1, COvUiDialog)
ON_BN_CLICKED(IDC_NEW_EXTRACTION, &DlgAssist1::OnBnClickedNew)
ON_BN_CLICKED(IDC_SETTINGS_BROWSE, &DlgAssist1::OnBnClickedBrowse)
ON_BN_CLICKED(IDOK, &DlgAssist1::OnBnClickedNext)
END_MESSAGE_MAP()

DlgAssist1::DlgAssist1(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgAssist1::~DlgAssist1() = default;

void DlgAssist1::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NEW_EXTRACTION, newExtractionCheck);
}

BOOL DlgAssist1::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, IDS_START_TITLE,
               {{IDC_PAGE_HEADING, IDS_START_HEADING},
                {IDC_NEW_EXTRACTION, IDS_NEW_EXTRACTION},
                {IDC_SETTINGS_LABEL, IDS_USE_SETTINGS_FILE},
                {IDC_PREVIOUS, IDS_PREVIOUS},
                {IDOK, IDS_NEXT},
                {IDCANCEL, IDS_CANCEL}});
  newExtractionCheck.SetCheck(createNew ? BST_CHECKED : BST_UNCHECKED);
  if (!settingsPath.IsEmpty()) GetDlgItem(IDC_SETTINGS_PATH)->SetWindowText(settingsPath);
  if (firstEntry) {
    groupByIndex = -1;
    groupByName.Empty();
  }
  return TRUE;
}

void DlgAssist1::OnBnClickedNew() { createNew = !createNew; }

void DlgAssist1::OnBnClickedBrowse() {
  newExtractionCheck.SetCheck(BST_UNCHECKED);
  createNew = false;
  CFileDialog dialog(/*openFileDialog=*/TRUE, L"", kSettingsInitialName, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                     kSettingsFileFilter, nullptr, 0, /*vistaStyle=*/TRUE);
  if (dialog.DoModal() != IDOK) return;
  settingsPath = dialog.GetPathName();
  GetDlgItem(IDC_SETTINGS_PATH)->SetWindowText(settingsPath);
  // A load replaces what an earlier load (or the later pages) chose, the header line too;
  // the loader only adds. The properties page then builds its rows from the file's names.
  propertyNames.clear();
  displayNames.clear();
  propertyRows.clear();
  propertyRowsSetAside.clear();
  propertyFilterRows.clear();
  std::vector<CString> options;
  bool loaded =
      loadSettingsXml(settingsPath, propertyNames, tableTitle, displayNames, options, groupByIndex, groupByName);
  if (groupByIndex != -1 || !groupByName.IsEmpty()) combineRows = true;
  displayTotals = holds(options, L"Total Line");
  showHeaderLine = !holds(options, L"Hide Header Line");
  if (!loaded) ovutPrintf(L"%s", LoadResString(IDS_BAD_SETTINGS_FILE).GetString());
}

void DlgAssist1::OnBnClickedNext() {
  bool newChecked = newExtractionCheck.GetCheck() == BST_CHECKED;
  if (!newChecked && settingsPath.IsEmpty()) {
    OnOK();
    return;
  }
  OnOK();
  DlgAssist2 next(hostMainWindow());
  if (newChecked) {
    propertyNames.clear();
    settingsPath.Empty();
  }
  static_cast<WizardState&>(next) = *this;
  static_cast<RestoredNames&>(next) = *this;
  next.DoModal();
}
