// The wizard's source page: every object of the current drawing, or objects picked in it.
// A non-empty selection is extracted at once and the object kinds page opens with it.
#pragma once
#include "extraction/host_guards.h"
#include "platform/host/ui_dialogs.h"
#include "platform/mfc/mfc.h"
#include "res/resource_ids.h"
#include "wizard/wizard_state.h"

class DlgAssist2 : public COvUiDialog, public WizardState, public RestoredNames {
public:
  static constexpr UINT IDD = IDD_SOURCE_PAGE;
  explicit DlgAssist2(CWnd* parent = nullptr);

  CButton currentDrawingRadio;  // IDC_CURRENT_DRAWING
  CListCtrl drawingList;        // IDC_DRAWING_LIST
  CImageList drawingImages;
  SelectionSet selectionSet;  // freed before the next page runs and when the page ends

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnBnClickedSelect();
  afx_msg void OnBnClickedNext();
  afx_msg void OnBnClickedPrevious();
  // Extracts the selection's objects and runs the object kinds page over them.
  void openPage3(long long count);
  DECLARE_MESSAGE_MAP()
};
