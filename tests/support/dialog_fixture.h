// Dialogs made from a test module's templates, found through the MFC resource chain, run
// modally with a scripted driver; every test leaves windows, objects, icons and the
// resource chain as it found them.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/ui_dialogs.h"
#include "platform/mfc/mfc.h"

namespace dialogtest {

// Template ids of the test module.
constexpr UINT kMainDialog = 500;
constexpr UINT kInnerDialog = 501;
constexpr UINT kBrokenDialog = 502;  // names a control class that does not exist
constexpr UINT kBannerBitmap = 7;
constexpr UINT kIcon = 8;

// Control ids of the main dialog.
constexpr int kNested = 1001;    // push button
constexpr int kDisabled = 1002;  // push button, disabled
constexpr int kCheck = 1004;     // automatic check box
constexpr int kRadioA = 1010;    // automatic radio buttons 1010-1012, one group
constexpr int kRadioB = 1011;
constexpr int kRadioC = 1012;
constexpr int kRadioOther = 1013;  // a group of its own
constexpr int kCombo = 1020;       // sorted drop-down list
constexpr int kName = 1030;        // edit (text)
constexpr int kCount = 1031;       // edit (number)
constexpr int kList = 1040;        // report-view list view
constexpr int kPicture = 1050;     // bitmap picture

// The main dialog: exchanges its members with the controls, records the notifications
// it handles, and runs the inner dialog from its "Nested" button.
class TestDialog : public COvUiDialog {
public:
  explicit TestDialog(CWnd* parent, UINT id = kMainDialog, HINSTANCE instance = nullptr)
      : COvUiDialog(id, parent, instance) {}

  int check = 1;
  int radio = 1;
  int comboIndex = -1;
  CString name = L"first";
  int count = 7;
  CButton checkButton;
  CListCtrl list;
  std::vector<std::string> events;
  bool exchange = true;
  bool ranInner = false;
  INT_PTR innerResult = 0;
  CString innerText;
  std::function<void(TestDialog&)> onInit;
  std::function<void(TestDialog&)> onNested;

  BOOL OnInitDialog() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnNested();
  afx_msg void OnCheck();
  afx_msg void OnRadio();
  afx_msg void OnListChanged(NMHDR* header, LRESULT* result);
  afx_msg void OnListClick(NMHDR* header, LRESULT* result);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  DECLARE_MESSAGE_MAP()
};

class InnerDialog : public CDialog {
public:
  explicit InnerDialog(CWnd* parent) : CDialog(kInnerDialog, parent) {}
  CString text;

protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kName, text); }
};

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  static ModuleInstance* TestModule();
  void Click(int id);
  void Action(StandIn::ModalAction action);

  CWnd mainWindow;
  StandIn::ScriptedInputDriver driver;
  std::unique_ptr<StandIn::ScopedInputDriver> scopedDriver;
  AFX_EXTENSION_MODULE extension;
  int windowsBefore = 0;
  bool tipBefore = false;
  int wndObjectsBefore = 0;
  int gdiBefore = 0;
  int iconsBefore = 0;
  int setsBefore = 0;
};

}  // namespace dialogtest
