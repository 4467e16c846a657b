// The wizard's object kinds page: the kinds the extraction found, each with a check box,
// and a block / non-block filter that shows or hides them.
#pragma once
#include "extraction/extraction_engine.h"
#include "platform/host/ui_dialogs.h"
#include "platform/mfc/mfc.h"
#include "res/resource_ids.h"
#include "wizard/grid_list_ctrl.h"
#include "wizard/wizard_state.h"

class DlgAssist3 : public COvUiDialog, public WizardState, public RestoredNames {
public:
  static constexpr UINT IDD = IDD_KINDS_PAGE;
  explicit DlgAssist3(CWnd* parent = nullptr);
  ~DlgAssist3() override;

  // True when the source page opens this page, false when the properties page's Previous does.
  bool enteredFromSource = true;
  PresentTypeMap presentKinds;
  ExtractionEngine engine;
  GridListCtrl kindsList;  // IDC_KINDS_LIST
  CListCtrl filterList;    // IDC_FILTER_LIST
  CImageList images;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnBnClickedNext();
  afx_msg void OnBnClickedPrevious();
  afx_msg void OnListItemChanged(NMHDR* hdr, LRESULT* result);
  // Hands the checked kinds to the engine and runs the properties page.
  void openPage4();
  DECLARE_MESSAGE_MAP()
};

// Whether a list item change changes its check box (state image 1 unchecked, 2 checked;
// no image counts as unchecked); when it does, checkedNow is the new check.
bool decodeCheckChange(const NMLISTVIEW& change, bool& checkedNow);
