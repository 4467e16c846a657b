// Buttons, radio groups, combo boxes, list check boxes and pictures as a person uses them
// inside a running dialog: the notifications the pages' handlers depend on.
#include "tests/support/dialog_fixture.h"

namespace dialogtest {
namespace {

using StandIn::ModalAction;

ModalAction Choose(const wchar_t* text, int index = -1) {
  ModalAction action;
  action.kind = ModalAction::ChooseEntry;
  action.controlId = kCombo;
  action.text = text;
  action.item = index;
  return action;
}

ModalAction CheckItem(int item, bool check, const wchar_t* text = L"") {
  ModalAction action;
  action.kind = ModalAction::CheckItem;
  action.controlId = kList;
  action.item = item;
  action.text = text;
  action.check = check;
  return action;
}

TEST_F(DialogTest, AutomaticCheckBoxesFlipAndNotifyOnClicksButNotWhenSetInCode) {
  TestDialog dialog(&mainWindow);
  dialog.check = 0;
  dialog.onInit = [](TestDialog& d) {
    d.checkButton.SetCheck(BST_CHECKED);  // no notification
    d.checkButton.SetCheck(BST_UNCHECKED);
  };
  Click(kCheck);
  Click(kCheck);
  Click(kCheck);
  Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"init", "check 1", "check 0", "check 1"}));
  EXPECT_EQ(dialog.check, 1);
}

TEST_F(DialogTest, ARadioButtonClearsItsGroupOnlyAndSpaceClicksTheFocusedButton) {
  TestDialog dialog(&mainWindow);
  dialog.radio = 0;
  bool otherStillChecked = false;
  dialog.onInit = [](TestDialog& d) { d.CheckDlgButton(kRadioOther, BST_CHECKED); };
  dialog.onNested = [&](TestDialog& d) {
    otherStillChecked = d.IsDlgButtonChecked(kRadioOther) == BST_CHECKED;
    d.GotoDlgCtrl(d.GetDlgItem(kRadioB));
  };
  Click(kRadioC);
  Click(kNested);
  ModalAction space;
  space.kind = ModalAction::PressKey;
  space.key = VK_SPACE;
  Action(space);
  Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"init", "radio 1012", "nested", "radio 1011"}));
  EXPECT_TRUE(otherStillChecked) << "a radio button of another group is left alone";
  EXPECT_EQ(dialog.radio, 1);
}

TEST_F(DialogTest, ASortedComboKeepsEntriesInOrderAndReportsAPersonsChoice) {
  TestDialog dialog(&mainWindow);
  std::vector<std::wstring> entries;
  dialog.onInit = [&](TestDialog& d) {
    auto* combo = static_cast<CComboBox*>(AfxWndFromHandle<CComboBox>(::GetDlgItem(d.m_hWnd, kCombo)));
    for (const wchar_t* text : {L"Layer", L"area", L"Color", L"Block name", L"Zeta"}) combo->AddString(text);
    EXPECT_EQ(combo->SetCurSel(9), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), -1);
    combo->SetCurSel(0);  // no notification
    for (int i = 0; i < combo->GetCount(); ++i) {
      CString text;
      combo->GetLBText(i, text);
      entries.emplace_back(text.str());
    }
  };
  dialog.exchange = false;
  Action(Choose(L"Color"));
  Action(Choose(L"", 2));  // the same entry again: no change
  Click(IDOK);
  dialog.DoModal();
  EXPECT_EQ(entries, (std::vector<std::wstring>{L"area", L"Block name", L"Color", L"Layer", L"Zeta"}));
  EXPECT_EQ(dialog.events,
            (std::vector<std::string>{"init", "combo dropdown", "combo selchange", "combo selendok", "combo closeup",
                                      "combo dropdown", "combo selendok", "combo closeup"}));
}

TEST_F(DialogTest, TheComboSelectionComesBackThroughDataExchange) {
  TestDialog dialog(&mainWindow);
  dialog.comboIndex = 1;
  int shownAtInit = -2;
  dialog.onInit = [&](TestDialog& d) {
    for (const wchar_t* text : {L"b", L"a", L"c"})
      d.SendDlgItemMessage(kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    d.UpdateData(FALSE);
    shownAtInit = static_cast<int>(d.SendDlgItemMessage(kCombo, CB_GETCURSEL));
  };
  Action(Choose(L"c"));
  Click(IDOK);
  dialog.DoModal();
  EXPECT_EQ(shownAtInit, 1);
  EXPECT_EQ(dialog.comboIndex, 2);
}

TEST_F(DialogTest, CheckingListItemsClicksTheirCheckBoxesAndTheHandlerSeesEachChange) {
  TestDialog dialog(&mainWindow);
  dialog.onInit = [](TestDialog& d) {
    d.list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    d.list.InsertColumn(0, L"Kind", LVCFMT_LEFT, 80);
    d.list.InsertColumn(1, L"Name", LVCFMT_LEFT, 80, 1);
    for (int i = 0; i < 3; ++i) {
      d.list.InsertItem(i, L"");
      d.list.SetItemText(i, 1, i == 0 ? L"Line" : i == 1 ? L"Block" : L"Arc");
    }
    d.list.SetCheck(2, TRUE);  // in code: the handler sees it too
  };
  Action(CheckItem(-1, true, L"Block"));
  Action(CheckItem(2, true));  // already checked: no click
  Action(CheckItem(2, false));
  Click(IDOK);
  dialog.DoModal();
  // Each click on a check box is a click on the list too.
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"init", "item 2 check 1", "item 1 check 1", "click 1,0",
                                                     "item 2 check 0", "click 2,0"}));
}

TEST_F(DialogTest, AnItemWithoutACheckBoxCannotBeChecked) {
  TestDialog dialog(&mainWindow);
  dialog.onInit = [](TestDialog& d) {
    d.list.InsertColumn(0, L"Kind", LVCFMT_LEFT, 80);
    d.list.InsertItem(0, L"Line");
  };
  Action(CheckItem(0, true));
  EXPECT_THROW(dialog.DoModal(), StandIn::InputScriptError);
  TestDialog again(&mainWindow);
  again.onInit = dialog.onInit;
  Action(CheckItem(-1, true, L"Circle"));
  EXPECT_THROW(again.DoModal(), StandIn::InputScriptError);
}

TEST_F(DialogTest, ThePictureShowsTheTemplatesBitmapAndDeletesItWithTheDialog) {
  TestDialog dialog(&mainWindow);
  BITMAP info;
  HBITMAP shown = nullptr;
  dialog.onInit = [&](TestDialog& d) {
    CStatic* picture = AfxWndFromHandle<CStatic>(::GetDlgItem(d.m_hWnd, kPicture));
    shown = picture->GetBitmap();
    ::GetObjectW(shown, sizeof info, &info);
    EXPECT_EQ(StandIn::LiveGdiObjectCount(), gdiBefore + 1);
  };
  Click(IDOK);
  dialog.DoModal();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(info.bmWidth, 150);
  EXPECT_EQ(info.bmHeight, 30);
}

TEST_F(DialogTest, ButtonsShowIconsLoadedFromTheModuleWithoutOwningThem) {
  TestDialog dialog(&mainWindow);
  dialog.exchange = false;
  HICON icon = static_cast<HICON>(
      ::LoadImageW(AfxFindIconResourceHandle(kIcon), MAKEINTRESOURCEW(kIcon), IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(icon, nullptr);
  HICON onButton = nullptr;
  dialog.onInit = [&](TestDialog& d) {
    CButton* button = AfxWndFromHandle<CButton>(::GetDlgItem(d.m_hWnd, kNested));
    EXPECT_EQ(button->GetIcon(), nullptr);
    button->SetIcon(icon);
    onButton = button->GetIcon();
  };
  Click(IDOK);
  dialog.DoModal();
  EXPECT_EQ(onButton, icon);
  int width = 0, height = 0;
  UINT id = 0;
  ASSERT_TRUE(StandIn::IconInfo(icon, width, height, id)) << "the button did not destroy the icon";
  EXPECT_EQ(width, 16);
  EXPECT_EQ(id, kIcon);
  EXPECT_TRUE(::DestroyIcon(icon));
  EXPECT_FALSE(::DestroyIcon(icon));
  EXPECT_EQ(::LoadImageW(TestModule(), MAKEINTRESOURCEW(99), IMAGE_ICON, 16, 16, 0), nullptr);
  EXPECT_EQ(::LoadIconW(TestModule(), MAKEINTRESOURCEW(kIcon)), ::LoadIconW(TestModule(), MAKEINTRESOURCEW(kIcon)))
      << "shared icons are one per module and id";
}

}  // namespace
}  // namespace dialogtest
