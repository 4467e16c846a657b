#include "tests/support/dialog_fixture.h"

#include "platform/host/editor_input.h"
#include "platform/host/selection.h"

namespace dialogtest {

namespace {

DialogControlTemplate Control(const wchar_t* className, UINT id, DWORD style, int x, int y, int cx, int cy,
                              const wchar_t* text = L"") {
  DialogControlTemplate c;
  c.className = className;
  c.id = id;
  c.text = text;
  c.style = WS_CHILD | WS_VISIBLE | style;
  c.x = x;
  c.y = y;
  c.cx = cx;
  c.cy = cy;
  return c;
}

ResourceBundle BuildBundle() {
  ResourceBundle bundle;
  DialogTemplate main;
  main.caption = L"Test dialog";
  main.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  main.x = 10;
  main.y = 10;
  main.cx = 300;
  main.cy = 220;
  main.controls = {
      Control(WC_STATICW, kPicture, SS_BITMAP, 0, 0, 100, 20, L"#7"),
      Control(WC_BUTTONW, kCheck, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 10, 30, 80, 12, L"Check"),
      Control(WC_BUTTONW, kRadioA, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 10, 45, 60, 12, L"A"),
      Control(WC_BUTTONW, kRadioB, BS_AUTORADIOBUTTON, 10, 58, 60, 12, L"B"),
      Control(WC_BUTTONW, kRadioC, BS_AUTORADIOBUTTON, 10, 71, 60, 12, L"C"),
      Control(WC_BUTTONW, kRadioOther, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 10, 84, 60, 12, L"Other"),
      Control(WC_COMBOBOXW, kCombo, CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP | WS_GROUP, 100, 30, 100, 60),
      Control(WC_EDITW, kName, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, 100, 50, 100, 14),
      Control(WC_EDITW, kCount, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, 100, 68, 100, 14),
      Control(WC_LISTVIEWW, kList, LVS_REPORT | WS_TABSTOP | WS_GROUP, 10, 100, 280, 80),
      Control(WC_BUTTONW, kNested, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 10, 195, 50, 14, L"Nested"),
      Control(WC_BUTTONW, kDisabled, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 65, 195, 50, 14, L"Off"),
      Control(WC_BUTTONW, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 180, 195, 50, 14, L"OK"),
      Control(WC_BUTTONW, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 240, 195, 50, 14, L"Cancel")};
  DialogTemplate inner;
  inner.caption = L"Inner";
  inner.style = WS_POPUP | WS_CAPTION;
  inner.x = 40;
  inner.y = 40;
  inner.cx = 150;
  inner.cy = 60;
  inner.controls = {Control(WC_EDITW, kName, WS_TABSTOP | WS_GROUP, 10, 10, 100, 14),
                    Control(WC_BUTTONW, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 10, 40, 50, 14, L"OK"),
                    Control(WC_BUTTONW, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 70, 40, 50, 14, L"Cancel")};
  DialogTemplate broken = inner;
  broken.controls.push_back(Control(L"NoSuchClass", 1, 0, 0, 0, 10, 10));
  // Kept under French, as the module keeps its templates; look-ups fall back to it.
  bundle.dialogs[0x040C][kMainDialog] = main;
  bundle.dialogs[0x040C][kInnerDialog] = inner;
  bundle.dialogs[0x040C][kBrokenDialog] = broken;
  BitmapResource banner;
  banner.width = 150;
  banner.height = 30;
  banner.pixels.assign(150 * 30, 0x336699u);
  bundle.bitmaps[0x040C][kBannerBitmap] = banner;
  IconResource icon;
  icon.pixels.assign(32 * 32, 0xFFFFFFu);
  bundle.icons[0x040C][kIcon] = icon;
  return bundle;
}

}  // namespace

BEGIN_MESSAGE_MAP(TestDialog, COvUiDialog)
ON_BN_CLICKED(kNested, &TestDialog::OnNested)
ON_BN_CLICKED(kCheck, &TestDialog::OnCheck)
ON_BN_CLICKED(kRadioA, &TestDialog::OnRadio)
ON_BN_CLICKED(kRadioB, &TestDialog::OnRadio)
ON_BN_CLICKED(kRadioC, &TestDialog::OnRadio)
ON_NOTIFY(LVN_ITEMCHANGED, kList, &TestDialog::OnListChanged)
ON_NOTIFY(NM_CLICK, kList, &TestDialog::OnListClick)
ON_NOTIFY(NM_DBLCLK, kList, &TestDialog::OnListClick)
ON_NOTIFY(NM_RCLICK, kList, &TestDialog::OnListClick)
ON_NOTIFY(LVN_COLUMNCLICK, kList, &TestDialog::OnListClick)
END_MESSAGE_MAP()

BOOL TestDialog::OnInitDialog() {
  events.push_back("init");
  COvUiDialog::OnInitDialog();
  if (onInit) onInit(*this);
  return TRUE;
}

void TestDialog::DoDataExchange(CDataExchange* pDX) {
  COvUiDialog::DoDataExchange(pDX);
  if (!exchange) return;
  DDX_Control(pDX, kCheck, checkButton);
  DDX_Control(pDX, kList, list);
  DDX_Check(pDX, kCheck, check);
  DDX_Radio(pDX, kRadioA, radio);
  DDX_CBIndex(pDX, kCombo, comboIndex);
  DDX_Text(pDX, kName, name);
  DDV_MaxChars(pDX, name, 12);
  DDX_Text(pDX, kCount, count);
  DDV_MinMaxInt(pDX, count, 0, 99);
}

void TestDialog::OnNested() {
  events.push_back("nested");
  if (onNested) {
    onNested(*this);
    return;
  }
  // As the wizard does: end this dialog first, then run the next one from the handler.
  OnOK();
  InnerDialog inner(GetParent());
  inner.text = name;
  ranInner = true;
  innerResult = inner.DoModal();
  innerText = inner.text;
  events.push_back("inner returned");
}

void TestDialog::OnCheck() { events.push_back("check " + std::to_string(checkButton.GetCheck())); }
void TestDialog::OnRadio() { events.push_back("radio " + std::to_string(GetCheckedRadioButton(kRadioA, kRadioC))); }

BOOL TestDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == kCombo) {
    static const char* const kNames[] = {"", "selchange", "", "", "", "", "", "dropdown", "closeup", "selendok"};
    UINT code = HIWORD(wParam);
    if (code < 10 && kNames[code][0]) events.push_back(std::string("combo ") + kNames[code]);
  }
  return COvUiDialog::OnCommand(wParam, lParam);
}

void TestDialog::OnListChanged(NMHDR* header, LRESULT* result) {
  auto* change = reinterpret_cast<NMLISTVIEW*>(header);
  if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK))
    events.push_back("item " + std::to_string(change->iItem) + " check " +
                     std::to_string(((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) - 1));
  *result = 0;
}

void TestDialog::OnListClick(NMHDR* header, LRESULT* result) {
  const char* name = header->code == NM_CLICK    ? "click"
                     : header->code == NM_DBLCLK ? "dblclick"
                     : header->code == NM_RCLICK ? "rclick"
                                                 : "column";
  if (header->code == LVN_COLUMNCLICK) {
    events.push_back(std::string(name) + " " + std::to_string(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem));
  } else {
    auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
    events.push_back(std::string(name) + " " + std::to_string(activate->iItem) + "," +
                     std::to_string(activate->iSubItem));
  }
  *result = 0;
}

ModuleInstance* DialogTest::TestModule() {
  static ResourceBundle bundle = BuildBundle();
  static HINSTANCE module = RegisterModuleInstance(L"/test/dialogtest.ovx", &bundle);
  return module;
}

void DialogTest::SetUp() {
  StandIn::ResetSystemConfiguration();
  StandIn::ReleaseAllKeys();
  StandIn::PumpMessages();
  StandIn::ClearShownMessageBoxes();
  HostEditorInput::resetBrackets();
  SetUserInterfaceLanguage(0x0409);
  windowsBefore = StandIn::LiveWindowCount();
  tipBefore = AfxGetToolTipWindow() != nullptr;
  wndObjectsBefore = StandIn::LiveWndObjectCount();
  gdiBefore = StandIn::LiveGdiObjectCount();
  iconsBefore = StandIn::LiveIconCount();
  setsBefore = HostSelection::liveSets();
  scopedDriver = std::make_unique<StandIn::ScopedInputDriver>(driver);
  ASSERT_TRUE(AfxInitExtensionModule(extension, TestModule()));
  new CDynLinkLibrary(extension);
  ASSERT_TRUE(mainWindow.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 800, 600,
                                  nullptr, nullptr));
}

void DialogTest::TearDown() {
  if (mainWindow.GetSafeHwnd()) mainWindow.DestroyWindow();
  StandIn::PumpMessages();
  AfxTermExtensionModule(extension);
  scopedDriver.reset();
  StandIn::ReleaseAllKeys();
  // The framework's tooltip window, once made, lives as long as the thread.
  int tipMade = !tipBefore && AfxGetToolTipWindow() ? 1 : 0;
  EXPECT_EQ(StandIn::LiveWindowCount() - tipMade, windowsBefore) << "a window outlived its test";
  EXPECT_EQ(StandIn::LiveWndObjectCount(), wndObjectsBefore) << "a window object outlived its test";
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), gdiBefore) << "a bitmap or font was left behind";
  EXPECT_EQ(StandIn::LiveIconCount(), iconsBefore) << "an icon was left behind";
  EXPECT_EQ(HostSelection::liveSets(), setsBefore) << "a selection set was left live";
  EXPECT_FALSE(HostEditorInput::inDialogCommand()) << "an editor command was left open";
  EXPECT_EQ(driver.PendingAnswers(), 0) << "scripted input left unused";
}

void DialogTest::Click(int id) {
  StandIn::ModalAction action;
  action.kind = StandIn::ModalAction::ClickButton;
  action.controlId = id;
  driver.AddModalAction(action);
}

void DialogTest::Action(StandIn::ModalAction action) { driver.AddModalAction(action); }

}  // namespace dialogtest
