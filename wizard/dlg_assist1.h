// The wizard's start page: a new extraction, or one that starts from a saved settings file.
#pragma once
#include "platform/host/ui_dialogs.h"
#include "platform/mfc/mfc.h"
#include "res/resource_ids.h"
#include "wizard/wizard_state.h"

class DlgAssist1 : public COvUiDialog, public WizardState, public RestoredNames {
public:
  static constexpr UINT IDD = IDD_START_PAGE;
  explicit DlgAssist1(CWnd* parent = nullptr);
  ~DlgAssist1() override;

  // True when the command opens the page, false when the source page's Previous does.
  bool firstEntry = true;
  CButton newExtractionCheck;  // IDC_NEW_EXTRACTION

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnBnClickedNew();
  afx_msg void OnBnClickedBrowse();
  afx_msg void OnBnClickedNext();
  DECLARE_MESSAGE_MAP()
};
