#include "wizard/dlg_assist1.h"

#include <algorithm>

#include "extraction/res_strings.h"
#include "extraction/settings_file.h"
#include "platform/host/editor.h"
#include "wizard/dlg_assist2.h"
#include "wizard/page_support.h"

namespace {
constexpr int kNewCheck = 1004;
constexpr int kPathEdit = 1046;
constexpr int kBrowseButton = 1002;
constexpr int kPreviousButton = 1001;

bool holds(const std::vector<CString>& options, const wchar_t* name) {
  return std::find(options.begin(), options.end(), CString(name)) != options.end();
}
}  // namespace

BEGIN_MESSAGE_MAP(DlgAssist1, COvUiDialog)
  ON_BN_CLICKED(kNewCheck, &DlgAssist1::OnBnClickedNew)
  ON_BN_CLICKED(kBrowseButton, &DlgAssist1::OnBnClickedBrowse)
  ON_BN_CLICKED(IDOK, &DlgAssist1::OnBnClickedNext)
END_MESSAGE_MAP()

DlgAssist1::DlgAssist1(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgAssist1::~DlgAssist1() = default;

void DlgAssist1::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kNewCheck, newExtractionCheck);
}

BOOL DlgAssist1::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, 134,
               {{1035, 135}, {kNewCheck, 136}, {1047, 137}, {kPreviousButton, 138}, {IDOK, 139}, {IDCANCEL, 140}});
  newExtractionCheck.SetCheck(createNew ? BST_CHECKED : BST_UNCHECKED);
  if (!settingsPath.IsEmpty()) GetDlgItem(kPathEdit)->SetWindowText(settingsPath);
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
  CFileDialog dialog(TRUE, L"", L"*.qdx", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"Qdx file (*.qdx)|*.qdx||", nullptr,
                     0, TRUE);
  if (dialog.DoModal() != IDOK) return;
  settingsPath = dialog.GetPathName();
  GetDlgItem(kPathEdit)->SetWindowText(settingsPath);
  // A load replaces what an earlier load (or the later pages) chose; the loader only adds.
  propertyNames.clear();
  displayNames.clear();
  std::vector<CString> options;
  bool loaded =
      loadSettingsXml(settingsPath, propertyNames, tableTitle, displayNames, options, groupByIndex, groupByName);
  if (groupByIndex != -1 || !groupByName.IsEmpty()) combineRows = true;
  displayTotals = holds(options, L"Total Line");
  if (holds(options, L"Hide Header Line")) showHeaderLine = false;
  if (!loaded) ovutPrintf(L"%s", LoadResString(305).GetString());
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
