#include "wizard/dlg_assist3.h"

#include "extraction/res_strings.h"
#include "res/resource_ids.h"
#include "wizard/dlg_assist2.h"
#include "wizard/dlg_assist4.h"
#include "wizard/list_helpers.h"
#include "wizard/page_support.h"

namespace {
constexpr int kCheckCell = 0;
constexpr int kNameCell = 1;

int checkOf(UINT state) {
  int check = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
  return check < 0 ? 0 : check;
}
}  // namespace

bool decodeCheckChange(const NMLISTVIEW& change, bool& checkedNow) {
  if (change.uNewState == 0 && change.uOldState == 0) return false;
  int before = checkOf(change.uOldState);
  int after = checkOf(change.uNewState);
  if (before == after) return false;
  checkedNow = after != 0;
  return true;
}

BEGIN_MESSAGE_MAP(DlgAssist3, COvUiDialog)
ON_BN_CLICKED(IDOK, &DlgAssist3::OnBnClickedNext)
ON_BN_CLICKED(IDC_PREVIOUS, &DlgAssist3::OnBnClickedPrevious)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_KINDS_LIST, &DlgAssist3::OnListItemChanged)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_FILTER_LIST, &DlgAssist3::OnListItemChanged)
END_MESSAGE_MAP()

DlgAssist3::DlgAssist3(CWnd* parent) : COvUiDialog(IDD, parent) {}

DlgAssist3::~DlgAssist3() = default;

void DlgAssist3::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_KINDS_LIST, kindsList);
  DDX_Control(pDX, IDC_FILTER_LIST, filterList);
}

BOOL DlgAssist3::OnInitDialog() {
  COvUiDialog::OnInitDialog();
  setPageTexts(*this, IDS_KINDS_TITLE,
               {{IDC_PAGE_HEADING, IDS_KINDS_HEADING},
                {IDC_OBJECTS_GROUP, IDS_OBJECTS},
                {IDC_FILTER_LABEL, IDS_FILTER},
                {IDC_PREVIOUS, IDS_PREVIOUS},
                {IDOK, IDS_NEXT},
                {IDCANCEL, IDS_CANCEL}});
  kindsList.SetExtendedStyle(kindsList.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  filterList.SetExtendedStyle(LVS_EX_CHECKBOXES);
  kindsList.cellCheckMode = false;
  // The rows follow the extraction that the source page ran last; kinds and filter entries
  // still present keep the checks the person gave them.
  objectRows = keepChoices(buildObjectTypeRows(presentKinds, engine.catalogue), objectRows, kNameCell, {kCheckCell});
  objectFilterRows =
      keepChoices(buildObjectFilterRows(presentKinds, engine.catalogue), objectFilterRows, kNameCell, {kCheckCell});
  setupListColumns(objectRows, &kindsList, {.checkColumn = true, .fill = false, .skipFirst = true});
  restoreObjectFilter(presentKinds, &filterList, objectFilterRows, engine.catalogue);
  return TRUE;
}

void DlgAssist3::OnListItemChanged(NMHDR* hdr, LRESULT* result) {
  *result = 0;
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(hdr);
  bool checked = false;
  if (!decodeCheckChange(*change, checked)) return;
  if (hdr->hwndFrom == kindsList.GetSafeHwnd()) {
    updatePropertyCheck(objectRows, kindsList.GetItemText(change->iItem, 1), checked, 1);
    return;
  }
  if (hdr->hwndFrom != filterList.GetSafeHwnd()) return;
  TextGrid rows =
      filterObjectRows(objectRows, static_cast<int>(filterList.GetItemData(change->iItem)), engine.catalogue);
  if (checked) fillListRows(rows, &kindsList, {.fromRow0 = true, .skipFirst = true});
  else removeListRows(rows, &kindsList, 1);
  // The properties page follows the kinds chosen when it opens; its rows are kept for the
  // person's choices.
  updatePropertyCheck(objectFilterRows, filterList.GetItemText(change->iItem, 0), checked, kNameCell);
}

void DlgAssist3::OnBnClickedNext() {
  if (getCheckedItemTexts(&kindsList).empty()) {
    MessageBox(LoadResString(IDS_CHECK_ONE_KIND), LoadResString(IDS_KINDS_TITLE), MB_OK | MB_ICONWARNING);
    return;
  }
  openPage4();
}

void DlgAssist3::openPage4() {
  OnOK();
  std::vector<CString> chosen = getCheckedItemTexts(&kindsList);
  OfferedPropertyMap offered;
  engine.prepare(offered, chosen);
  DlgAssist4 next(hostMainWindow());
  next.presentKinds = presentKinds;
  next.engine = engine;
  next.offeredProperties = offered;
  static_cast<WizardState&>(next) = *this;
  static_cast<RestoredNames&>(next) = *this;
  next.combineRows = enteredFromSource && groupByIndex == -1 ? false : combineRows;
  next.DoModal();
}

void DlgAssist3::OnBnClickedPrevious() {
  OnCancel();
  DlgAssist2 previous(hostMainWindow());
  static_cast<WizardState&>(previous) = *this;
  static_cast<RestoredNames&>(previous) = *this;
  previous.DoModal();
}
