// The module's own dialog templates: found through the resource chain in every interface
// language, made of the controls the pages bind, and laid out so that a person's click on
// any control reaches that control.
#include <map>

#include "res/module_resources.h"
#include "tests/support/dialog_fixture.h"

namespace dialogtest {
namespace {

struct Expected {
  int id;
  const wchar_t* className;
  DWORD style;  // bits that must be set
  DWORD mask;   // the bits compared (the type bits of buttons, list views, combo boxes)
};

constexpr DWORD kButtonType = BS_TYPEMASK;
constexpr DWORD kListType = LVS_TYPEMASK;

const std::map<UINT, std::vector<Expected>>& ExpectedControls() {
  static const std::map<UINT, std::vector<Expected>> controls = {
      {102,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK}, {1035, L"Static", 0, 0}, {1004, L"Button", BS_AUTOCHECKBOX, kButtonType},
        {1047, L"Static", 0, 0}, {1046, L"Edit", 0, 0}, {1002, L"Button", BS_PUSHBUTTON, kButtonType},
        {1001, L"Button", WS_DISABLED, WS_DISABLED}, {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType},
        {IDCANCEL, L"Button", BS_PUSHBUTTON, kButtonType}}},
      {103,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK}, {1035, L"Button", BS_GROUPBOX, kButtonType},
        {1037, L"Button", BS_AUTORADIOBUTTON, kButtonType}, {1051, L"Static", 0, 0}, {1011, L"SysListView32", LVS_LIST, kListType},
        {1036, L"Static", 0, 0}, {1002, L"Button", BS_PUSHBUTTON, kButtonType}, {1001, L"Button", 0, WS_DISABLED},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType}, {IDCANCEL, L"Button", BS_PUSHBUTTON, kButtonType}}},
      {110,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK}, {1035, L"Static", 0, 0}, {1038, L"Button", BS_GROUPBOX, kButtonType},
        {1022, L"SysListView32", LVS_REPORT, kListType}, {1039, L"Static", 0, 0}, {1023, L"SysListView32", LVS_LIST, kListType},
        {1001, L"Button", 0, WS_DISABLED}, {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType}, {IDCANCEL, L"Button", 0, 0}}},
      {111,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK}, {1035, L"Static", 0, 0}, {1040, L"Button", BS_GROUPBOX, kButtonType},
        {1025, L"SysListView32", LVS_REPORT, kListType}, {1039, L"Static", 0, 0}, {1023, L"SysListView32", LVS_LIST, kListType},
        {1033, L"Button", BS_AUTOCHECKBOX, kButtonType}, {1034, L"ComboBox", CBS_DROPDOWNLIST | CBS_SORT, 0x3 | CBS_SORT},
        {1029, L"Button", BS_AUTOCHECKBOX, kButtonType}, {1028, L"Button", BS_AUTOCHECKBOX, kButtonType},
        {1057, L"Static", 0, 0}, {1056, L"Edit", 0, 0}, {1001, L"Button", 0, WS_DISABLED},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType}, {IDCANCEL, L"Button", 0, 0}}},
      {112,
       {{1041, L"Static", 0, 0}, {1022, L"SysListView32", LVS_REPORT, kListType}, {1038, L"Button", BS_GROUPBOX, kButtonType},
        {1043, L"Static", 0, 0}, {1044, L"Static", 0, 0}, {1031, L"Button", BS_PUSHBUTTON, kButtonType},
        {1045, L"Static", 0, 0}, {1016, L"Edit", 0, 0}, {1029, L"Button", BS_PUSHBUTTON, kButtonType},
        {1042, L"Button", BS_GROUPBOX, kButtonType}, {1017, L"Edit", 0, 0}, {1003, L"Button", BS_PUSHBUTTON, kButtonType},
        {1001, L"Button", 0, WS_DISABLED}, {IDOK, L"Button", 0, 0}, {IDCANCEL, L"Button", 0, 0}}},
      {135,
       {{1048, L"Button", BS_GROUPBOX, kButtonType}, {1055, L"Static", 0, 0}, {1056, L"Static", 0, 0}, {1057, L"Static", 0, 0},
        {1058, L"Static", 0, 0}, {1051, L"Button", BS_PUSHBUTTON, kButtonType}, {1052, L"Button", BS_PUSHBUTTON, kButtonType},
        {1053, L"Button", BS_PUSHBUTTON, kButtonType}, {1054, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDOK, L"Button", 0, 0}, {IDCANCEL, L"Button", 0, 0}}}};
  return controls;
}

class ModuleDialogs : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    static HINSTANCE plugin = RegisterModuleInstance(L"/test/DataExtraction.ovx", &moduleResources());
    ASSERT_TRUE(AfxInitExtensionModule(pluginExtension, plugin));
    new CDynLinkLibrary(pluginExtension);
  }
  void TearDown() override {
    AfxTermExtensionModule(pluginExtension);
    SetUserInterfaceLanguage(0x0409);
    DialogTest::TearDown();
  }
  AFX_EXTENSION_MODULE pluginExtension;
};

TEST_F(ModuleDialogs, EveryTemplateIsFoundInEveryLanguageAndHoldsTheControlsThePagesBind) {
  for (LANGID language : {0x0409, 0x040C, 0x0C0A, 0x0C09}) {
    SetUserInterfaceLanguage(language);
    for (const auto& [id, controls] : ExpectedControls()) {
      SCOPED_TRACE("dialog " + std::to_string(id) + " language " + std::to_string(language));
      CDialog dialog;
      ASSERT_TRUE(dialog.Create(id, &mainWindow));
      for (const Expected& e : controls) {
        HWND control = ::GetDlgItem(dialog.m_hWnd, e.id);
        ASSERT_NE(control, nullptr) << "control " << e.id;
        EXPECT_EQ(StandIn::ClassNameOf(control), e.className) << "control " << e.id;
        DWORD style = static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE));
        EXPECT_EQ(style & e.mask, e.style) << "control " << e.id;
      }
      if (id != 112 && id != 135) {
        HWND banner = ::GetDlgItem(dialog.m_hWnd, 0xFFFF);
        EXPECT_NE(::SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "the banner shows bitmap 109";
      }
      dialog.DestroyWindow();
    }
  }
}

TEST_F(ModuleDialogs, TheUpdateDialogHasTheSizeItWasDesignedWith) {
  const DialogTemplate* update = FindDialogResource(AfxFindDialogResourceHandle(135), 135);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(update->cx, 267);
  EXPECT_EQ(update->cy, 134);
}

TEST_F(ModuleDialogs, AClickOnAnyControlReachesThatControl) {
  for (const auto& [id, controls] : ExpectedControls()) {
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(id, &mainWindow));
    dialog.ShowWindow(SW_SHOW);
    for (const Expected& e : controls) {
      if (e.id == 0xFFFF || e.style == BS_GROUPBOX) continue;
      HWND control = ::GetDlgItem(dialog.m_hWnd, e.id);
      RECT r;
      ::GetWindowRect(control, &r);
      POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      HWND hit = ::WindowFromPoint(centre);
      if (!::IsWindowEnabled(control)) continue;  // a disabled control lets the click through to the dialog
      EXPECT_TRUE(hit == control || ::IsChild(control, hit)) << "dialog " << id << " control " << e.id << " is covered by "
                                                             << StandIn::DescribeWindow(hit);
    }
    dialog.DestroyWindow();
  }
}

TEST_F(ModuleDialogs, TheIconsLoadAtTheSizeAsked) {
  for (UINT id : {132u, 133u}) {
    HINSTANCE module = AfxFindIconResourceHandle(id);
    HICON icon = static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(icon, nullptr) << id;
    int width = 0, height = 0;
    UINT loaded = 0;
    ASSERT_TRUE(StandIn::IconInfo(icon, width, height, loaded));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(loaded, id);
    ::DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace dialogtest
