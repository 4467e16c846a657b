#include "wizard/dlg_update.h"

#include "extraction/host_guards.h"
#include "extraction/res_strings.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"
#include "platform/mfc/message_box.h"
#include "res/resource_ids.h"
#include "wizard/editor_command.h"

namespace {

const int kActionCount = 4;

}  // namespace

BEGIN_MESSAGE_MAP(DlgUpdateA1, COvUiDialog)
ON_BN_CLICKED(IDOK, &DlgUpdateA1::OnOK)
ON_BN_CLICKED(IDC_UPDATE_TABLE, &DlgUpdateA1::OnBnClickedAction1)
ON_BN_CLICKED(IDC_ADD_OBJECTS, &DlgUpdateA1::OnBnClickedAction2)
ON_BN_CLICKED(IDC_REPLACE_OBJECTS, &DlgUpdateA1::OnBnClickedAction3)
ON_BN_CLICKED(IDC_UPDATE_EXPORT, &DlgUpdateA1::OnBnClickedAction4)
END_MESSAGE_MAP()

DlgUpdateA1::DlgUpdateA1(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgUpdateA1::~DlgUpdateA1() = default;

BOOL DlgUpdateA1::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  SetWindowText(LoadResString(IDS_UPDATE_TITLE));
  setItemText(IDC_UPDATE_CHOICE_GROUP, IDS_UPDATE_CHOICE);
  for (int i = 0; i < kActionCount; ++i) setItemText(IDC_UPDATE_TABLE_LABEL + i, IDS_UPDATE_TABLE + i);
  setItemText(IDOK, IDS_FINISH);
  setItemText(IDCANCEL, IDS_CANCEL);
  tablePicked = false;
  catalogue = PropertyCatalogue();
  return TRUE;
}

void DlgUpdateA1::setItemText(int controlId, UINT textId) {
  if (CWnd* item = GetDlgItem(controlId)) item->SetWindowText(LoadResString(textId));
}

void DlgUpdateA1::DoDataExchange(CDataExchange* exchange) { COvUiDialog::DoDataExchange(exchange); }

void DlgUpdateA1::SelectDataTable() {
  ovutPrintf(L"%s", LoadResString(IDS_SELECT_DATA_TABLE).GetString());
  ResultChain filter(ovutBuildList(RTDXF0, L"ACAD_TABLE", RTNONE));
  EditorCommand editor(*this);
  SelectionSet set;
  const int status = set.select(L":S", filter.get());
  filter.reset();
  if (status != RTNORM) {
    editor.cancel();
    return;
  }
  editor.complete();
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
  AfxMessageBox(LoadResString(IDS_NO_TABLE_SELECTED), MB_ICONINFORMATION);
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
