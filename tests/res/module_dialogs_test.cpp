// The module's own dialog templates: found through the resource chain in every interface
// language, made of the controls the pages bind, and laid out so that a person's click on
// any control reaches that control.
#include <map>

#include "res/module_resources.h"
#include "res/resource_ids.h"
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
      {IDD_START_PAGE,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK},
        {IDC_PAGE_HEADING, L"Static", 0, 0},
        {IDC_NEW_EXTRACTION, L"Button", BS_AUTOCHECKBOX, kButtonType},
        {IDC_SETTINGS_LABEL, L"Static", 0, 0},
        {IDC_SETTINGS_PATH, L"Edit", 0, 0},
        {IDC_SETTINGS_BROWSE, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_PREVIOUS, L"Button", WS_DISABLED, WS_DISABLED},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType},
        {IDCANCEL, L"Button", BS_PUSHBUTTON, kButtonType}}},
      {IDD_SOURCE_PAGE,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK},
        {IDC_SOURCE_GROUP, L"Button", BS_GROUPBOX, kButtonType},
        {IDC_CURRENT_DRAWING, L"Button", BS_AUTORADIOBUTTON, kButtonType},
        {IDC_DRAWING_LABEL, L"Static", 0, 0},
        {IDC_DRAWING_LIST, L"SysListView32", LVS_LIST, kListType},
        {IDC_SELECTION_LABEL, L"Static", 0, 0},
        {IDC_SELECT_OBJECTS, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_PREVIOUS, L"Button", 0, WS_DISABLED},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType},
        {IDCANCEL, L"Button", BS_PUSHBUTTON, kButtonType}}},
      {IDD_KINDS_PAGE,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK},
        {IDC_PAGE_HEADING, L"Static", 0, 0},
        {IDC_OBJECTS_GROUP, L"Button", BS_GROUPBOX, kButtonType},
        {IDC_KINDS_LIST, L"SysListView32", LVS_REPORT, kListType},
        {IDC_FILTER_LABEL, L"Static", 0, 0},
        {IDC_FILTER_LIST, L"SysListView32", LVS_LIST, kListType},
        {IDC_PREVIOUS, L"Button", 0, WS_DISABLED},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType},
        {IDCANCEL, L"Button", 0, 0}}},
      {IDD_PROPERTIES_PAGE,
       {{0xFFFF, L"Static", SS_BITMAP, SS_TYPEMASK},
        {IDC_PAGE_HEADING, L"Static", 0, 0},
        {IDC_PROPERTIES_GROUP, L"Button", BS_GROUPBOX, kButtonType},
        {IDC_PROPERTY_GRID, L"SysListView32", LVS_REPORT, kListType},
        {IDC_FILTER_LABEL, L"Static", 0, 0},
        {IDC_FILTER_LIST, L"SysListView32", LVS_LIST, kListType},
        {IDC_COMBINE_ROWS, L"Button", BS_AUTOCHECKBOX, kButtonType},
        {IDC_GROUP_BY, L"ComboBox", CBS_DROPDOWNLIST | CBS_SORT, 0x3 | CBS_SORT},
        {IDC_HIDE_HEADER, L"Button", BS_AUTOCHECKBOX, kButtonType},
        {IDC_DISPLAY_TOTALS, L"Button", BS_AUTOCHECKBOX, kButtonType},
        {IDC_TITLE_LABEL, L"Static", 0, 0},
        {IDC_TITLE_EDIT, L"Edit", 0, 0},
        {IDC_PREVIOUS, L"Button", 0, WS_DISABLED},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, kButtonType},
        {IDCANCEL, L"Button", 0, 0}}},
      {IDD_OUTPUT_PAGE,
       {{IDC_PREVIEW_LABEL, L"Static", 0, 0},
        {IDC_PREVIEW_GRID, L"SysListView32", LVS_REPORT, kListType},
        {IDC_OUTPUT_OPTIONS_GROUP, L"Button", BS_GROUPBOX, kButtonType},
        {IDC_OUTPUT_CHOICE_LABEL, L"Static", 0, 0},
        {IDC_INSERT_TABLE_LABEL, L"Static", 0, 0},
        {IDC_INSERT_TABLE, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_EXPORT_LABEL, L"Static", 0, 0},
        {IDC_EXPORT_PATH, L"Edit", 0, 0},
        {IDC_EXPORT_BROWSE, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_SAVE_SETTINGS_GROUP, L"Button", BS_GROUPBOX, kButtonType},
        {IDC_SAVE_SETTINGS_PATH, L"Edit", 0, 0},
        {IDC_SAVE_SETTINGS_BROWSE, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_PREVIOUS, L"Button", 0, WS_DISABLED},
        {IDOK, L"Button", 0, 0},
        {IDCANCEL, L"Button", 0, 0}}},
      {IDD_UPDATE_DIALOG,
       {{IDC_UPDATE_CHOICE_GROUP, L"Button", BS_GROUPBOX, kButtonType},
        {IDC_UPDATE_TABLE_LABEL, L"Static", 0, 0},
        {IDC_ADD_OBJECTS_LABEL, L"Static", 0, 0},
        {IDC_REPLACE_OBJECTS_LABEL, L"Static", 0, 0},
        {IDC_UPDATE_EXPORT_LABEL, L"Static", 0, 0},
        {IDC_UPDATE_TABLE, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_ADD_OBJECTS, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_REPLACE_OBJECTS, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDC_UPDATE_EXPORT, L"Button", BS_PUSHBUTTON, kButtonType},
        {IDOK, L"Button", 0, 0},
        {IDCANCEL, L"Button", 0, 0}}}};
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
      if (id != IDD_OUTPUT_PAGE && id != IDD_UPDATE_DIALOG) {
        HWND banner = ::GetDlgItem(dialog.m_hWnd, 0xFFFF);
        EXPECT_NE(::SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "the banner shows bitmap 109";
      }
      dialog.DestroyWindow();
    }
  }
}

TEST_F(ModuleDialogs, TheUpdateDialogHasTheSizeItWasDesignedWith) {
  const DialogTemplate* update = FindDialogResource(AfxFindDialogResourceHandle(IDD_UPDATE_DIALOG), IDD_UPDATE_DIALOG);
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
      EXPECT_TRUE(hit == control || ::IsChild(control, hit))
          << "dialog " << id << " control " << e.id << " is covered by " << StandIn::DescribeWindow(hit);
    }
    dialog.DestroyWindow();
  }
}

TEST_F(ModuleDialogs, TheIconsLoadAtTheSizeAsked) {
  for (UINT id : {IDI_INSERT_TABLE, IDI_DRAWING}) {
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
