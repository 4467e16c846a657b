#include "wizard/dlg_update.h"

#include "extraction/host_guards.h"
#include "extraction/res_strings.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"
#include "platform/mfc/message_box.h"

namespace {

const UINT kCaptionText = 250;
const UINT kGroupBoxText = 245;
const UINT kFirstLabelText = 246;
const UINT kFinishText = 164;
const UINT kCancelText = 140;
const UINT kSelectTablePrompt = 166;
const UINT kNoTableSelected = 251;

const int kGroupBoxId = 1048;
const int kFirstLabelId = 1055;
const int kActionCount = 4;

}  // namespace

BEGIN_MESSAGE_MAP(DlgUpdateA1, COvUiDialog)
  ON_BN_CLICKED(IDOK, &DlgUpdateA1::OnOK)
  ON_BN_CLICKED(1051, &DlgUpdateA1::OnBnClickedAction1)
  ON_BN_CLICKED(1052, &DlgUpdateA1::OnBnClickedAction2)
  ON_BN_CLICKED(1053, &DlgUpdateA1::OnBnClickedAction3)
  ON_BN_CLICKED(1054, &DlgUpdateA1::OnBnClickedAction4)
END_MESSAGE_MAP()

DlgUpdateA1::DlgUpdateA1(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgUpdateA1::~DlgUpdateA1() = default;

BOOL DlgUpdateA1::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  SetWindowText(LoadResString(kCaptionText));
  setItemText(kGroupBoxId, kGroupBoxText);
  for (int i = 0; i < kActionCount; ++i) setItemText(kFirstLabelId + i, kFirstLabelText + i);
  setItemText(IDOK, kFinishText);
  setItemText(IDCANCEL, kCancelText);
  tablePicked = false;
  catalogue = PropertyCatalogue();
  return TRUE;
}

void DlgUpdateA1::setItemText(int controlId, UINT textId) {
  if (CWnd* item = GetDlgItem(controlId)) item->SetWindowText(LoadResString(textId));
}

void DlgUpdateA1::DoDataExchange(CDataExchange* exchange) { COvUiDialog::DoDataExchange(exchange); }

void DlgUpdateA1::SelectDataTable() {
  ovutPrintf(L"%s", LoadResString(kSelectTablePrompt).GetString());
  OvResBuf* filter = ovutBuildList(RTDXF0, L"ACAD_TABLE", RTNONE);
  BeginEditorCommand();
  SelectionSet set;
  const int status = set.select(L":S", filter);
  ovutRelRb(filter);
  if (status != RTNORM) {
    CancelEditorCommand();
    return;
  }
  CompleteEditorCommand(TRUE);
  ov_name table{0, 0};
  if (ovedSSName(set.name(), 0, table) == RTNORM) {
    pickedTable[0] = table[0];
    pickedTable[1] = table[1];
    tablePicked = true;
  }
}

void DlgUpdateA1::OnOK() {
  if (tablePicked) {
    COvUiDialog::OnOK();
    return;
  }
  AfxMessageBox(LoadResString(kNoTableSelected), MB_ICONINFORMATION);
}

void DlgUpdateA1::PickThenRun(void (DlgUpdateA1::*action)()) {
  SelectDataTable();
  COvUiDialog::OnOK();
  if (tablePicked) (this->*action)();
}

void DlgUpdateA1::OnBnClickedAction1() { PickThenRun(&DlgUpdateA1::RefreshTable); }
void DlgUpdateA1::OnBnClickedAction2() { PickThenRun(&DlgUpdateA1::AddObjectsToTable); }
void DlgUpdateA1::OnBnClickedAction3() { PickThenRun(&DlgUpdateA1::ReplaceTableSelection); }
void DlgUpdateA1::OnBnClickedAction4() { PickThenRun(&DlgUpdateA1::UpdateExport); }
