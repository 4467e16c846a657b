#include "wizard/dlg_assist2.h"

#include "extraction/extraction_engine.h"
#include "extraction/res_strings.h"
#include "platform/host/selection.h"
#include "wizard/dlg_assist1.h"
#include "wizard/dlg_assist3.h"
#include "wizard/list_helpers.h"
#include "wizard/page_support.h"

namespace {
constexpr int kCurrentDrawingRadio = 1037;
constexpr int kDrawingList = 1011;
constexpr int kSelectButton = 1002;
constexpr int kPreviousButton = 1001;
constexpr UINT kDrawingIcon = 133;
}  // namespace

BEGIN_MESSAGE_MAP(DlgAssist2, COvUiDialog)
  ON_BN_CLICKED(kSelectButton, &DlgAssist2::OnBnClickedSelect)
  ON_BN_CLICKED(IDOK, &DlgAssist2::OnBnClickedNext)
  ON_BN_CLICKED(kPreviousButton, &DlgAssist2::OnBnClickedPrevious)
END_MESSAGE_MAP()

DlgAssist2::DlgAssist2(CWnd* parent) : COvUiDialog(IDD, parent) {}

void DlgAssist2::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kCurrentDrawingRadio, currentDrawingRadio);
  DDX_Control(pDX, kDrawingList, drawingList);
}

BOOL DlgAssist2::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, 141,
               {{1035, 142}, {kCurrentDrawingRadio, 146}, {1051, 147}, {1036, 145}, {kPreviousButton, 138},
                {IDOK, 139}, {IDCANCEL, 140}});
  currentDrawingRadio.SetCheck(BST_CHECKED);
  drawingImages.Create(16, 16, ILC_COLOR, 0, 1);
  if (HICON icon = loadModuleIcon(kDrawingIcon)) drawingImages.Add(icon);
  drawingList.SetImageList(&drawingImages, LVSIL_SMALL);
  drawingList.InsertItem(0, currentDrawingName());
  return TRUE;
}

void DlgAssist2::OnBnClickedSelect() {
  BeginEditorCommand();
  std::int32_t count = 0;
  if (selectionSet.select(nullptr) == RTNORM && ovedSSLength(selectionSet.name(), &count) == RTNORM && count != 0) {
    CompleteEditorCommand(TRUE);
    OnOK();
    openPage3(count);
    return;
  }
  CancelEditorCommand();
  selectionSet.free();
}

void DlgAssist2::OnBnClickedNext() {
  if (currentDrawingRadio.GetCheck() != BST_CHECKED) {
    MessageBox(LoadResString(186), LoadResString(187), MB_OK);
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
