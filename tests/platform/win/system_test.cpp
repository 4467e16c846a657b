#include "window_fixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/run_command.h"
#include "tests/support/test_output.h"
#include "tests/support/wide_path.h"

namespace windowtest {
namespace {

class System : public WindowTest {};

TEST_F(System, CommonControlsAndThemeLibraryLoadByNameWithConfiguredAnswers) {
  HMODULE comctl = ::LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(::GetProcAddress(comctl, "DllGetVersion"));
  ASSERT_NE(getVersion, nullptr);
  DLLVERSIONINFO info;
  ASSERT_EQ(getVersion(&info), S_OK);
  EXPECT_EQ(info.dwMajorVersion, 6u);
  EXPECT_EQ(sizeof(DLLVERSIONINFO), 20u);
  EXPECT_EQ(::GetProcAddress(comctl, "NoSuchExport"), nullptr);
  ::FreeLibrary(comctl);

  StandIn::System().commonControlsMajor = 5;
  HMODULE again = ::LoadLibraryW(L"C:\\Windows\\System32\\COMCTL32.DLL");
  ASSERT_NE(again, nullptr);
  reinterpret_cast<DLLGETVERSIONPROC>(::GetProcAddress(again, "DllGetVersion"))(&info);
  EXPECT_EQ(info.dwMajorVersion, 5u);
  ::FreeLibrary(again);

  CreateList();
  HMODULE theme = ::LoadLibraryW(L"UxTheme.dll");
  ASSERT_NE(theme, nullptr);
  using SetTheme = HRESULT (*)(HWND, LPCWSTR, LPCWSTR);
  using OpenTheme = HTHEME (*)(HWND, LPCWSTR);
  auto open = reinterpret_cast<OpenTheme>(::GetProcAddress(theme, "OpenThemeData"));
  auto set = reinterpret_cast<SetTheme>(::GetProcAddress(theme, "SetWindowTheme"));
  ASSERT_TRUE(open && set);
  EXPECT_NE(open(list->GetSafeHwnd(), L"ListView"), nullptr);
  EXPECT_EQ(set(list->GetSafeHwnd(), L"Explorer", nullptr), S_OK);
  EXPECT_EQ(StandIn::WindowThemeOf(list->GetSafeHwnd()), L"Explorer");
  ::FreeLibrary(theme);

  StandIn::System().themeLibraryPresent = false;
  EXPECT_EQ(::LoadLibraryW(L"uxtheme.dll"), nullptr);
}

TEST_F(System, VersionTestsCompareMajorAndMinorTogether) {
  StandIn::System().windowsMajor = 6;
  StandIn::System().windowsMinor = 1;
  auto atLeast = [](DWORD major, DWORD minor) {
    OSVERSIONINFOEXW info;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    ULONGLONG mask = ::VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION, mask) != FALSE;
  };
  EXPECT_TRUE(atLeast(5, 1));
  EXPECT_TRUE(atLeast(5, 2)) << "6.1 is above 5.2 although 1 < 2";
  EXPECT_TRUE(atLeast(6, 0));
  EXPECT_FALSE(atLeast(6, 2));
}

TEST_F(System, FontsKeepTheirLogFontAndTextIsMeasuredByTheFixedMetric) {
  LOGFONT in{};
  in.lfHeight = -17;
  in.lfWeight = FW_BOLD;
  in.lfItalic = 1;
  std::wcscpy(in.lfFaceName, L"Face");
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&in));
  LOGFONT out{};
  ASSERT_EQ(font.GetLogFont(&out), static_cast<int>(sizeof(LOGFONT)));
  EXPECT_EQ(std::memcmp(&in, &out, sizeof(LOGFONT)), 0);
  EXPECT_EQ(CFont::FromHandle(static_cast<HFONT>(font.m_hObject)), &font);

  CClientDC dc(&parent);
  CFont* old = dc.SelectObject(&font);
  CSize size = dc.GetTextExtent(L"abcd", 4);
  EXPECT_EQ(size, CSize(4 * 9, 17));
  CRect calc(0, 0, 0, 0);
  EXPECT_EQ(dc.DrawText(CString(L"abc"), &calc, DT_CALCRECT | DT_SINGLELINE), 17);
  EXPECT_EQ(calc, CRect(0, 0, 27, 17));
  dc.SelectObject(old);
  int objects = StandIn::LiveGdiObjectCount();
  font.DeleteObject();
  EXPECT_EQ(StandIn::LiveGdiObjectCount(), objects - 1);
}

TEST_F(System, EditControlsReportEveryChangeAndKeepTheirLimits) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), &parent, 44));
  edit.SetWindowText(L"start");
  ASSERT_EQ(parent.commands.size(), 2u);
  EXPECT_EQ(parent.commands[0], (std::pair<UINT, UINT>{44, EN_UPDATE}));
  EXPECT_EQ(parent.commands[1], (std::pair<UINT, UINT>{44, EN_CHANGE}));
  EXPECT_FALSE(edit.GetModify());
  edit.SetLimitText(7);
  edit.SetSel(0, -1);
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_EQ(end, 5);
  edit.SetFocus();
  StandIn::TypeText(L"abcdefghij");
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(text, L"abcdefg") << "typing stops at the limit";
  EXPECT_TRUE(edit.GetModify());
  StandIn::PressKey(VK_BACK);
  edit.GetWindowText(text);
  EXPECT_EQ(text, L"abcdef");
  // Without ES_WANTRETURN, Enter types nothing.
  StandIn::PressKey(VK_RETURN);
  edit.GetWindowText(text);
  EXPECT_EQ(text, L"abcdef");
  edit.SetMargins(4, 7);
  EXPECT_EQ(edit.GetMargins(), static_cast<DWORD>(MAKELONG(4, 7)));
  edit.DestroyWindow();
}

// Tooltips: a window with tooltips enabled is asked for a tool on mouse moves, and the
// framework's tooltip window asks it for the text.
class TipWnd : public CWnd {
public:
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override {
    if (point.x < 50) return -1;
    info->hwnd = m_hWnd;
    info->uId = static_cast<UINT_PTR>(point.y / 10);
    info->lpszText = LPSTR_TEXTCALLBACKW;
    return static_cast<INT_PTR>(info->uId);
  }

protected:
  afx_msg BOOL OnNeedText(UINT id, NMHDR* hdr, LRESULT*) {
    auto* tip = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    std::swprintf(tip->szText, 80, L"tool %d of %u", static_cast<int>(hdr->idFrom), id);
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TipWnd, CWnd)
ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, &TipWnd::OnNeedText)
END_MESSAGE_MAP()

TEST_F(System, ToolTipsAskTheWindowForTheToolAndItsText) {
  TipWnd wnd;
  ASSERT_TRUE(wnd.Create(AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &parent, 3));
  wnd.EnableToolTips(TRUE);
  HWND tip = AfxGetToolTipWindow();
  ASSERT_NE(tip, nullptr);
  StandIn::MouseMove(wnd.GetSafeHwnd(), CPoint(60, 25));
  EXPECT_EQ(StandIn::TooltipTextOf(tip), L"tool 2 of 0");
  StandIn::MouseMove(wnd.GetSafeHwnd(), CPoint(10, 25));
  EXPECT_EQ(StandIn::TooltipTextOf(tip), L"");
  ::SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 300);
  EXPECT_EQ(StandIn::TooltipMaxWidthOf(tip), 300);
  wnd.DestroyWindow();
  EXPECT_FALSE(::IsWindow(tip)) << "the framework's tooltip goes with the window that made it";
}

std::string RunPython(const std::string& script, const std::string& argument) {
  CommandResult run = runCommand(shellQuoted(DX_PYTHON) + " -c " + shellQuoted(script) + " " + shellQuoted(argument));
  return run.status == 0 ? run.output : "python failed: " + run.output;
}

TEST_F(System, ProfileStringsLiveInTheIniFileTheHostNames) {
  std::filesystem::path file = testOutputFolder() / "profile_test.ini";
  std::filesystem::remove(file);
  EXPECT_EQ(AfxGetApp(), nullptr);
  {
    CWinApp app(L"Host");
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(app.GetProfileString(L"Grid", L"ColumnCount", L"none"), L"none");
    EXPECT_FALSE(app.WriteProfileString(L"Grid", L"ColumnCount", L"3")) << "no file set yet";
    app.SetProfileFile(CString(widePath(file)));
    ASSERT_TRUE(app.WriteProfileString(L"Grid", L"ColumnCount", L"3"));
    ASSERT_TRUE(app.WriteProfileString(L"Grid", L"ColumnData_0", L"7"));
    ASSERT_TRUE(app.WriteProfileString(L"Grid__Wide", L"ColumnCount", L"1"));
    ASSERT_TRUE(app.WriteProfileString(L"Grid", L"ColumnCount", L"4"));  // replaced in place
    ASSERT_TRUE(app.WriteProfileString(L"Other", L"Face", L"Caf\u00e9 mit \u00dc"));
    ASSERT_TRUE(app.WriteProfileString(L"Grid", L"ColumnData_0", nullptr));
    EXPECT_FALSE(app.WriteProfileString(L"Grid", L"Bad", L"two\r\nlines")) << "a value may not break the lines";
    EXPECT_EQ(app.GetProfileString(L"grid", L"columncount"), L"4") << "names ignore letter case";
    EXPECT_EQ(app.GetProfileInt(L"Grid", L"ColumnCount", -1), 4u);
    EXPECT_EQ(app.GetProfileString(L"Other", L"Face"), L"Caf\u00e9 mit \u00dc");

    // An independent reader sees the same file.
    std::string seen = RunPython(
        "import configparser,sys\n"
        "c=configparser.ConfigParser(interpolation=None)\n"
        "c.optionxform=str\n"
        "c.read(sys.argv[1],encoding=\"utf-8\")\n"
        "for s in c.sections():\n"
        "  for k,v in c.items(s): print(s+\"|\"+k+\"|\"+v)\n",
        file.string());
    EXPECT_NE(seen.find("Grid|ColumnCount|4\n"), std::string::npos) << seen;
    EXPECT_NE(seen.find("Grid__Wide|ColumnCount|1\n"), std::string::npos) << seen;
    EXPECT_NE(seen.find("Other|Face|Caf\xc3\xa9 mit \xc3\x9c\n"), std::string::npos) << seen;
    EXPECT_EQ(seen.find("ColumnData_0"), std::string::npos) << seen;

    ASSERT_TRUE(app.WriteProfileString(L"Grid", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileString(L"Grid", L"ColumnCount", L"gone"), L"gone");
    EXPECT_EQ(app.GetProfileString(L"Grid__Wide", L"ColumnCount"), L"1");
  }
  EXPECT_EQ(AfxGetApp(), nullptr);
}

// A profile written by hand, in the ANSI code page or as UTF-8 with a byte-order mark, is
// read whole, and a setting written into it keeps every other line of the file.
TEST_F(System, ProfileWrittenByHandIsReadWholeAndKeptOnWrite) {
  const std::pair<const char*, const char*> encodings[] = {{"ANSI", "Caf\xe9"},
                                                           {"UTF-8 BOM",
                                                            "\xef\xbb\xbf"
                                                            "Caf\xc3\xa9"}};
  for (const auto& [encoding, cafe] : encodings) {
    SCOPED_TRACE(encoding);
    std::filesystem::path file = testOutputFolder() / "profile_by_hand.ini";
    {
      std::string word = cafe;
      std::string bom = word.starts_with("\xef\xbb\xbf") ? word.substr(0, 3) : "";
      std::ofstream out(file, std::ios::binary | std::ios::trunc);
      out << bom << "; written by hand\r\n[Paths]\r\nLast=C:\\Plans\\" << word.substr(bom.size())
          << ".qdx\r\n\r\n[Grid]\r\n; three columns\r\nColumnCount=3\r\nno entry\r\nColumnData_0=7\r\n";
    }
    CWinApp app(L"Host");
    app.SetProfileFile(CString(widePath(file)));
    EXPECT_EQ(app.GetProfileString(L"Paths", L"Last"), L"C:\\Plans\\Caf\u00e9.qdx");
    EXPECT_EQ(app.GetProfileString(L"Grid", L"ColumnCount"), L"3");
    ASSERT_TRUE(app.WriteProfileString(L"Grid", L"ColumnData_1", L"9"));
    EXPECT_EQ(app.GetProfileString(L"Paths", L"Last"), L"C:\\Plans\\Caf\u00e9.qdx");
    EXPECT_EQ(app.GetProfileString(L"Grid", L"ColumnCount"), L"3");
    EXPECT_EQ(app.GetProfileString(L"Grid", L"ColumnData_0"), L"7");
    EXPECT_EQ(app.GetProfileString(L"Grid", L"ColumnData_1"), L"9");
    // Comments, blank lines and lines without '=' stay where they were.
    std::ifstream in(file, std::ios::binary);
    std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written,
              "; written by hand\r\n[Paths]\r\nLast=C:\\Plans\\Caf\xc3\xa9.qdx\r\n\r\n[Grid]\r\n; three "
              "columns\r\nColumnCount=3\r\nno entry\r\nColumnData_0=7\r\nColumnData_1=9\r\n");
  }
}

}  // namespace
}  // namespace windowtest
