// Dialog data exchange: CDataExchange and the DDX_ functions between a dialog's controls
// and its members. With m_bSaveAndValidate the member takes the control's value; without,
// the control shows the member. A text that does not convert is reported with a message
// box (through the input driver), its control gets the focus, and Fail() throws
// CUserException, which UpdateData turns into FALSE.
#pragma once
#include "platform/mfc/afx_module.h"
#include "platform/mfc/cstring.h"
#include "platform/win/window_types.h"

class CWnd;
class CDialog;

class CUserException : public CException {};
[[noreturn]] void AfxThrowUserException();

class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate);
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  // The control with this id; a missing control is a fault of the dialog template
  // (std::logic_error naming the dialog and the id).
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  [[noreturn]] void Fail();
  HWND LastControl() const { return lastControl_; }  // the control last prepared

private:
  HWND lastControl_ = nullptr;
};

// Attaches the control object to the dialog's control (once; later exchanges check it).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
// A check box's state: 0, 1 or 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The index of the checked button of the radio group that starts at id (-1 none).
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// A combo box's selection by index (-1 none).
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// Validation: a text no longer than `count` characters.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int count);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
