// The modal loop: templates from the resource chain, the loop that asks the driver, ending
// and nesting, and what is left behind when a script runs dry.
#include "tests/support/dialog_fixture.h"

namespace dialogtest {
namespace {

using StandIn::ModalAction;

TEST_F(DialogTest, ATemplateFromTheResourceChainBecomesTheDialogAndItsControls) {
  TestDialog dialog(&mainWindow);
  std::vector<std::wstring> classes;
  dialog.onInit = [&](TestDialog& d) {
    EXPECT_TRUE(d.IsRunningModal());
    EXPECT_FALSE(mainWindow.IsWindowEnabled()) << "the owner is disabled while the dialog runs";
    for (int id : {kCheck, kRadioA, kCombo, kName, kList, kPicture, IDOK})
      classes.push_back(StandIn::ClassNameOf(::GetDlgItem(d.m_hWnd, id)));
    CString caption;
    d.GetWindowText(caption);
    EXPECT_EQ(caption, L"Test dialog");
  };
  Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(classes, (std::vector<std::wstring>{L"Button", L"Button", L"ComboBox", L"Edit", L"SysListView32", L"Static",
                                                L"Button"}));
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the window is gone when DoModal returns";
  EXPECT_EQ(dialog.checkButton.GetSafeHwnd(), nullptr) << "bound controls are detached with it";
  EXPECT_TRUE(mainWindow.IsWindowEnabled());
  EXPECT_EQ(dialog.events.front(), "init");
}

TEST_F(DialogTest, AMissingTemplateOrAnUnknownControlClassGivesMinusOneAndLeavesNothing) {
  TestDialog missing(&mainWindow, 999);
  EXPECT_EQ(missing.DoModal(), -1);
  TestDialog broken(&mainWindow, kBrokenDialog);
  EXPECT_EQ(broken.DoModal(), -1);
  EXPECT_TRUE(broken.events.empty()) << "OnInitDialog never ran";
  EXPECT_TRUE(mainWindow.IsWindowEnabled());
}

TEST_F(DialogTest, CancelCloseBoxAndEscapeEndTheDialogAsCancelled) {
  TestDialog first(&mainWindow);
  Click(IDCANCEL);
  EXPECT_EQ(first.DoModal(), IDCANCEL);
  TestDialog second(&mainWindow);
  ModalAction close;
  close.kind = ModalAction::Close;
  Action(close);
  EXPECT_EQ(second.DoModal(), IDCANCEL);
  TestDialog third(&mainWindow);
  ModalAction escape;
  escape.kind = ModalAction::PressKey;
  escape.key = VK_ESCAPE;
  Action(escape);
  EXPECT_EQ(third.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonOrTheFocusedPushButton) {
  TestDialog dialog(&mainWindow);
  dialog.onNested = [](TestDialog& d) { d.EndDialog(77); };
  ModalAction enter;
  enter.kind = ModalAction::PressKey;
  enter.key = VK_RETURN;
  Action(enter);
  EXPECT_EQ(dialog.DoModal(), IDOK);

  TestDialog focused(&mainWindow);
  focused.onNested = [](TestDialog& d) { d.EndDialog(77); };
  focused.onInit = [](TestDialog& d) { d.GotoDlgCtrl(d.GetDlgItem(kNested)); };
  Action(enter);
  EXPECT_EQ(focused.DoModal(), 77);
  EXPECT_EQ(focused.events.back(), "nested");
}

TEST_F(DialogTest, TabMovesTheFocusAlongTheTabStopsAndSkipsDisabledControls) {
  TestDialog dialog(&mainWindow);
  std::vector<int> visited;
  dialog.onNested = [&](TestDialog& d) {
    d.GotoDlgCtrl(d.GetDlgItem(kList));
    for (int i = 0; i < 4; ++i) {
      d.NextDlgCtrl();
      visited.push_back(CWnd::GetFocus()->GetDlgCtrlID());
    }
    d.PrevDlgCtrl();
    visited.push_back(CWnd::GetFocus()->GetDlgCtrlID());
  };
  Click(kNested);
  Click(IDCANCEL);
  dialog.DoModal();
  EXPECT_EQ(visited, (std::vector<int>{kNested, IDOK, IDCANCEL, kCheck, IDCANCEL}));
}

TEST_F(DialogTest, AHandlerEndsItsDialogAndRunsTheNextOneInsideItsOwnLoop) {
  TestDialog outer(&mainWindow);
  HWND outerWindow = nullptr;
  outer.onInit = [&](TestDialog& d) { outerWindow = d.m_hWnd; };
  ModalAction type;
  type.kind = ModalAction::TypeText;
  type.controlId = kName;
  type.text = L"second";
  Click(kNested);  // the outer dialog
  Action(type);    // the inner dialog, which shows the outer's name first
  Click(IDOK);
  EXPECT_EQ(outer.DoModal(), IDOK) << "the outer dialog ended with OnOK before the inner one ran";
  EXPECT_TRUE(outer.ranInner);
  EXPECT_EQ(outer.innerResult, IDOK);
  EXPECT_EQ(outer.innerText, L"second");
  EXPECT_EQ(outer.name, L"first") << "the outer dialog saved its data before the inner one changed anything";
  EXPECT_EQ(outer.events, (std::vector<std::string>{"init", "nested", "inner returned"}));
  EXPECT_FALSE(::IsWindow(outerWindow));
}

TEST_F(DialogTest, WhileTheInnerDialogRunsTheOuterIsHiddenAndTheOwnerStaysDisabled) {
  TestDialog outer(&mainWindow);
  bool outerVisible = true, ownerEnabled = true, outerAlive = false;
  int depth = 0;
  outer.onNested = [&](TestDialog& d) {
    d.OnOK();
    TestDialog inner(&mainWindow, kInnerDialog);
    inner.exchange = false;
    inner.onInit = [&](TestDialog&) {
      outerVisible = d.IsWindowVisible() != FALSE;
      outerAlive = ::IsWindow(d.m_hWnd) != FALSE;
      ownerEnabled = mainWindow.IsWindowEnabled() != FALSE;
      depth = d.IsRunningModal() && inner.IsRunningModal() ? 2 : 1;
    };
    inner.DoModal();
    EXPECT_FALSE(mainWindow.IsWindowEnabled()) << "the outer loop still owns the owner";
  };
  Click(kNested);
  Click(IDCANCEL);  // the inner dialog
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_TRUE(outerAlive);
  EXPECT_FALSE(outerVisible);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(depth, 2);
  EXPECT_TRUE(mainWindow.IsWindowEnabled());
}

TEST_F(DialogTest, AScriptThatRunsDryFailsLoudlyWithTheDialogIdAndLeavesNoWindow) {
  TestDialog outer(&mainWindow);
  Click(kNested);  // the inner dialog then waits for an action that the script lacks
  try {
    outer.DoModal();
    FAIL() << "the modal loop did not report the missing action";
  } catch (const StandIn::InputScriptError& error) {
    std::string what = error.what();
    EXPECT_NE(what.find("dialog 501"), std::string::npos) << what;
  }
  EXPECT_EQ(outer.GetSafeHwnd(), nullptr);
  EXPECT_FALSE(outer.IsRunningModal());
  EXPECT_TRUE(mainWindow.IsWindowEnabled());
}

TEST_F(DialogTest, ActionsOnControlsAPersonCannotReachFailLoudly) {
  auto expectFailure = [&](ModalAction action, const char* wanted) {
    TestDialog dialog(&mainWindow);
    Action(action);
    try {
      dialog.DoModal();
      ADD_FAILURE() << "no failure for " << wanted;
    } catch (const StandIn::InputScriptError& error) {
      EXPECT_NE(std::string(error.what()).find(wanted), std::string::npos) << error.what();
    }
  };
  ModalAction click;
  click.kind = ModalAction::ClickButton;
  click.controlId = kDisabled;
  expectFailure(click, "disabled");
  click.controlId = 4242;
  expectFailure(click, "no control 4242");
  click.controlId = kName;
  expectFailure(click, "not a Button");
  ModalAction choose;
  choose.kind = ModalAction::ChooseEntry;
  choose.controlId = kCombo;
  choose.text = L"missing";
  expectFailure(choose, "combo box has 0 entries");
}

}  // namespace
}  // namespace dialogtest
