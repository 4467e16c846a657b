#include "wizard/dlg_assist2.h"

#include "extraction/extraction_engine.h"
#include "extraction/res_strings.h"
#include "platform/host/selection.h"
#include "res/resource_ids.h"
#include "wizard/dlg_assist1.h"
#include "wizard/dlg_assist3.h"
#include "wizard/editor_command.h"
#include "wizard/list_helpers.h"
#include "wizard/page_support.h"

namespace {}  // namespace

BEGIN_MESSAGE_MAP(DlgAssist2, COvUiDialog)
ON_BN_CLICKED(IDC_SELECT_OBJECTS, &DlgAssist2::OnBnClickedSelect)
ON_BN_CLICKED(IDOK, &DlgAssist2::OnBnClickedNext)
ON_BN_CLICKED(IDC_PREVIOUS, &DlgAssist2::OnBnClickedPrevious)
END_MESSAGE_MAP()

DlgAssist2::DlgAssist2(CWnd* parent) : COvUiDialog(IDD, parent) {}

void DlgAssist2::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CURRENT_DRAWING, currentDrawingRadio);
  DDX_Control(pDX, IDC_DRAWING_LIST, drawingList);
}

BOOL DlgAssist2::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, IDS_SOURCE_TITLE,
               {{IDC_SOURCE_GROUP, IDS_DATA_SOURCE},
                {IDC_CURRENT_DRAWING, IDS_CURRENT_DRAWING},
                {IDC_DRAWING_LABEL, IDS_DRAWING_FILE},
                {IDC_SELECTION_LABEL, IDS_OBJECTS_SELECTION},
                {IDC_PREVIOUS, IDS_PREVIOUS},
                {IDOK, IDS_NEXT},
                {IDCANCEL, IDS_CANCEL}});
  currentDrawingRadio.SetCheck(BST_CHECKED);
  drawingImages.Create(16, 16, ILC_COLOR, 0, 1);
  if (HICON icon = loadModuleIcon(IDI_DRAWING)) drawingImages.Add(icon);
  drawingList.SetImageList(&drawingImages, LVSIL_SMALL);
  drawingList.InsertItem(0, currentDrawingName());
  return TRUE;
}

void DlgAssist2::OnBnClickedSelect() {
  EditorCommand editor(*this);
  std::int32_t count = 0;
  if (selectionSet.select(nullptr) == RTNORM && ovedSSLength(selectionSet.name(), &count) == RTNORM && count != 0) {
    editor.complete();
    OnOK();
    openPage3(count);
    return;
  }
  editor.cancel();
  selectionSet.free();
}

void DlgAssist2::OnBnClickedNext() {
  if (currentDrawingRadio.GetCheck() != BST_CHECKED) {
    MessageBox(LoadResString(IDS_SELECT_SOURCE_FIRST), LoadResString(IDS_SOURCE_WARNING), MB_OK);
    return;
  }
  std::int32_t count = 0;
  if (selectionSet.select(L"A") == RTNORM && ovedSSLength(selectionSet.name(), &count) == RTNORM && count != 0) {
    OnOK();
    openPage3(count);
    return;
  }
  selectionSet.free();
}

void DlgAssist2::openPage3(long long count) {
  OnOK();
  DlgAssist3 next(hostMainWindow());
  PropertyCatalogue catalogue;
  ExtractionEngine engine(selectionSet.name(), count, catalogue);
  next.engine = engine;
  next.presentKinds = engine.presentObjectKinds();
  static_cast<WizardState&>(next) = *this;
  static_cast<RestoredNames&>(next) = *this;
  selectionSet.free();
  next.DoModal();
}

void DlgAssist2::OnBnClickedPrevious() {
  OnCancel();
  DlgAssist1 previous(hostMainWindow());
  static_cast<WizardState&>(previous) = *this;
  static_cast<RestoredNames&>(previous) = *this;
  previous.firstEntry = false;
  selectionSet.free();
  previous.DoModal();
}
