// CDialog: a dialog made from a template found through the MFC resource chain
// (AfxFindDialogResourceHandle), or in the instance the class names.
//
// DoModal creates the dialog with its parent disabled, runs OnInitDialog (which exchanges
// the data into the controls), shows it and runs the modal loop: the loop pumps the
// message queue and, while the dialog has not ended, asks the input driver for a person's
// next action on it (StandIn::ModalAction) and performs it as clicks and keys on the
// controls. EndDialog only ends the loop (the dialog hides at once); the window is
// destroyed when DoModal returns, so a handler that ends its dialog may go on using it and
// may run further dialogs modally (their loops nest). A driver that has no action for
// the dialog throws StandIn::InputScriptError; DoModal then destroys the dialog, enables
// the parent again and lets the error go on.
//
// IDOK runs OnOK (UpdateData, then EndDialog(IDOK)), IDCANCEL and the close box OnCancel
// (EndDialog(IDCANCEL)); Enter and Escape reach them through the dialog keys.
#pragma once
#include "platform/mfc/data_exchange.h"
#include "platform/mfc/wnd.h"
#include "platform/win/input_driver.h"

class CDialog : public CWnd {
public:
  CDialog();
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // A modeless dialog (shown when its template has WS_VISIBLE).
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  virtual BOOL Create(LPCWSTR templateName, CWnd* parent = nullptr);
  // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog could not be created
  // (no template, or a control of an unknown class).
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  // Runs DoDataExchange: from the controls into the members (true) or back. False when
  // a field's text is not valid; the field has been reported and focused then.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  void GotoDlgCtrl(CWnd* control);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;

  UINT GetTemplateId() const { return templateId_; }
  // True between DoModal's start and its return.
  bool IsRunningModal() const { return inModal_; }
  BOOL PreTranslateMessage(MSG* msg) override;

  CWnd* m_pParentWnd = nullptr;
  LPCWSTR m_lpszTemplateName = nullptr;
  UINT m_nIDHelp = 0;
  int m_nModalResult = -1;

protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  // The module that holds the template: null means the resource chain.
  HINSTANCE m_hTemplateInstance = nullptr;
  // Creates the window (modal or not); false when it could not be made.
  BOOL CreateFromTemplate(CWnd* parent);
  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  void RunModalLoop();
  void PerformAction(const StandIn::ModalAction& action);
  UINT templateId_ = 0;
  bool continueModal_ = false;
  bool inModal_ = false;
};
