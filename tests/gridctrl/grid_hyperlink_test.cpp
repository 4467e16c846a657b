// The hyperlink column: what a click or F2 hands the shell (never a launch for a refused
// text), where the link text can be clicked, and how links are drawn.
#include "grid_fixture.h"

#include <algorithm>
#include <cwchar>
#include <random>
#include <string>

#include "gridctrl/column_trait_hyperlink.h"
#include "platform/win/codepage.h"
#include "platform/win/shell_execute.h"

namespace gridtest {
namespace {

// The arguments a Windows program reads from its command line (backslashes escape a quote
// only right before it; pairs of them stand for one).
std::vector<std::wstring> splitArguments(const std::wstring& line) {
  std::vector<std::wstring> arguments;
  std::wstring current;
  bool quoted = false;
  bool any = false;
  for (size_t i = 0; i < line.size(); ++i) {
    size_t slashes = 0;
    while (i < line.size() && line[i] == L'\\') ++slashes, ++i;
    if (i < line.size() && line[i] == L'"') {
      current.append(slashes / 2, L'\\');
      if (slashes % 2) current += L'"';
      else quoted = !quoted;
      any = true;
      continue;
    }
    current.append(slashes, L'\\');
    if (slashes) any = true;
    if (i >= line.size()) break;
    if (!quoted && (line[i] == L' ' || line[i] == L'\t')) {
      if (any) arguments.push_back(current);
      current.clear();
      any = false;
    } else {
      current += line[i];
      any = true;
    }
  }
  if (any) arguments.push_back(current);
  return arguments;
}

bool isHexDigit(const std::wstring& text, size_t i) {
  return i < text.size() && text[i] != 0 && std::wcschr(L"0123456789abcdefABCDEF", text[i]);
}

// The bytes a link text stands for: an escape (% and two hex digits) one byte, any other
// character its UTF-8 bytes, so a '%' that starts no escape stands for itself.
std::string meaningOf(const std::wstring& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && isHexDigit(text, i + 1) && isHexDigit(text, i + 2)) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      bytes += WideToUtf8(std::wstring_view(&text[i], 1));
    }
  }
  return bytes;
}

// Cell texts with every kind of character a link meets: URL characters, characters to
// encode, non-ASCII and control characters, '%' with and without an escape after it.
std::wstring randomCellText(std::mt19937& random) {
  static const std::vector<std::wstring> pieces = {L"%",      L"%2F",    L"%e9",        L"%4",     L"%zz",
                                                   L"\u00e9", L"\u4e2d", L"\U0001F600", L"\u0085", L"\u2028",
                                                   L"\x01",   L"\x7f",   L"\u00a0"};
  std::uniform_int_distribution<int> length(1, 24);
  std::uniform_int_distribution<int> kind(0, 3);
  std::uniform_int_distribution<int> ascii(0x20, 0x7E);
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
  std::wstring text;
  for (int n = length(random); n > 0; --n)
    text += kind(random) == 0 ? pieces[piece(random)] : std::wstring(1, static_cast<wchar_t>(ascii(random)));
  return text;
}

// What is wrong with `path`, the part of a launched link made of `text`; empty when it
// means the text, shows unencoded only what a URL may hold and keeps every such delimiter.
std::wstring pathFault(const std::wstring& path, const std::wstring& text) {
  const std::wstring delimiters = L"/?#&=:@+,;~-_.";
  if (meaningOf(path) != meaningOf(text)) return L"means another text";
  for (size_t i = 0; i < path.size(); ++i) {
    wchar_t c = path[i];
    bool alnum = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
    bool escape = c == L'%' && isHexDigit(path, i + 1) && isHexDigit(path, i + 2);
    if (!alnum && !escape && delimiters.find(c) == std::wstring::npos) return L"unencoded: " + path.substr(i, 1);
  }
  for (wchar_t c : delimiters)
    if (std::count(path.begin(), path.end(), c) != std::count(text.begin(), text.end(), c))
      return L"encoded: " + std::wstring(1, c);
  return L"";
}

class GridHyperlink : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    CreateGrid();
    grid->InsertColumn(0, L"Name", LVCFMT_LEFT, 80);
    link = new CColumnTraitHyperLink;
    grid->InsertTraitColumn(1, L"Link", LVCFMT_LEFT, 300, 1, link);
    AddRows({{L"a", L"wiki"}, {L"b", L"wiki"}});
    grid->SetFocus();
    StandIn::ClearShellLaunches();
  }
  // F2 on the link cell of row 0 with this text: what the shell was handed, if anything.
  std::vector<StandIn::ShellLaunch> OpenWithKey(const std::wstring& text) {
    grid->SetItemText(0, 1, text.c_str());
    grid->SetFocusRow(0);
    grid->SetFocusColumn(1, false);
    StandIn::ClearShellLaunches();
    StandIn::PressKey(VK_F2);
    return StandIn::ShellLaunches();
  }
  // A point on row 0's link cell, `x` pixels right of where a left-aligned link text starts.
  CPoint LinkPoint(int x) {
    CRect label;
    EXPECT_TRUE(grid->GetCellArea(0, 1, LVIR_LABEL, label));
    return CPoint(label.left + 4 + x, label.CenterPoint().y);
  }
  int TextWidth(const wchar_t* text) { return StandIn::TextWidthOf(StandIn::FontOf(nullptr), text); }
  CColumnTraitHyperLink* link = nullptr;
};

TEST_F(GridHyperlink, AClickOnTheTextOpensTheLinkAndBesideItNothing) {
  StandIn::LeftClick(grid->GetSafeHwnd(), LinkPoint(TextWidth(L"wiki") + 6));
  EXPECT_TRUE(StandIn::ShellLaunches().empty()) << "a click beside the link text";

  StandIn::LeftClick(grid->GetSafeHwnd(), LinkPoint(TextWidth(L"wiki") - 2));
  ASSERT_EQ(StandIn::ShellLaunches().size(), 1u);
  const StandIn::ShellLaunch& launch = StandIn::ShellLaunches()[0];
  EXPECT_EQ(launch.window, grid->GetSafeHwnd());
  EXPECT_FALSE(launch.hasOperation);
  EXPECT_EQ(launch.file, std::wstring(link->GetPrefix().GetString()) + L"wiki");
  EXPECT_FALSE(launch.hasParameters);
  EXPECT_FALSE(launch.hasDirectory);
  EXPECT_EQ(launch.showCommand, SW_SHOWNORMAL);
  // No editor: the end of the edit reaches the parent at once, empty, and the cell keeps its text.
  EXPECT_FALSE(grid->IsEditorOpen());
  ASSERT_EQ(parent.ends.size(), 1u);
  EXPECT_EQ(parent.ends[0].mask, 0u);
  EXPECT_EQ(grid->GetItemText(0, 1), L"wiki");

  // Right-aligned, the text ends 7 pixels left of the cell's right edge.
  LVCOLUMN format{};
  format.mask = LVCF_FMT;
  format.fmt = LVCFMT_RIGHT;
  grid->SetColumn(1, &format);
  CRect label;
  grid->GetCellArea(0, 1, LVIR_LABEL, label);
  EXPECT_EQ(link->GetLinkArea(*grid, 0, 1, L"wiki"),
            CRect(label.right - 7 - TextWidth(L"wiki"), label.top, label.right - 7, label.bottom));
}

TEST_F(GridHyperlink, HostileCellTextsAreEncodedQuotedOrRefused) {
  // A web prefix: the text is percent-encoded (as UTF-8) before it is joined.
  auto launched = OpenWithKey(L"\"; rm -rf / & x=\u00e9");
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].file,
            std::wstring(link->GetPrefix().GetString()) + L"%22%3B%20rm%20-rf%20%2F%20%26%20x%3D%C3%A9");
  EXPECT_TRUE(OpenWithKey(L"").empty()) << "an empty text launches nothing";

  // No prefix: only web and mail links, unless the caller allows more schemes.
  link->SetPrefix(L"");
  for (const wchar_t* refused : {L"javascript:alert(1)", L"file:///etc/passwd", L"C:\\Windows\\calc.exe", L"calc.exe",
                                 L" https://example.com", L"https://example.com/\r\nx", L"ftp://example.com",
                                 L"https://example.com/\u0085x", L"https://example.com/\u2028x"})
    EXPECT_TRUE(OpenWithKey(refused).empty()) << CString(refused);
  for (const wchar_t* allowed : {L"https://example.com/a?b=c", L"HTTP://example.com", L"mailto:someone@example.com"}) {
    launched = OpenWithKey(allowed);
    ASSERT_EQ(launched.size(), 1u) << CString(allowed);
    EXPECT_EQ(launched[0].file, allowed);
  }
  link->AddLinkScheme(L"ftp");
  EXPECT_EQ(OpenWithKey(L"ftp://example.com").size(), 1u);

  // A program: the link is its one quoted argument; quotes and control characters are refused.
  link->SetProgram(L"C:\\Tools\\viewer.exe");
  link->SetOperation(L"open");
  link->SetShowCommand(SW_SHOW);
  for (const wchar_t* text : {L"report 1.pdf", L"C:\\dir with space\\", L"a\\\\b", L"-flag"}) {
    launched = OpenWithKey(text);
    ASSERT_EQ(launched.size(), 1u) << CString(text);
    EXPECT_EQ(launched[0].file, L"C:\\Tools\\viewer.exe");
    EXPECT_EQ(launched[0].operation, L"open");
    EXPECT_EQ(launched[0].showCommand, SW_SHOW);
    EXPECT_EQ(splitArguments(launched[0].parameters), std::vector<std::wstring>{text}) << launched[0].parameters;
  }
  for (const wchar_t* refused : {L"a\" --evil \"b", L"x\ty", L"line\nbreak", L"a\u009fb", L"a\u2029b"})
    EXPECT_TRUE(OpenWithKey(refused).empty()) << CString(refused);
  EXPECT_FALSE(grid->IsEditorOpen());
}

TEST_F(GridHyperlink, APathPrefixKeepsWhatAURLMayHoldAndEncodesTheRest) {
  link->SetPrefix(L"http://");
  auto launched = OpenWithKey(L"www.example.com/docs/page.html");
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].file, L"http://www.example.com/docs/page.html");
  std::mt19937 random(19);
  for (int i = 0; i < 400; ++i) {
    std::wstring text = randomCellText(random);
    launched = OpenWithKey(text);
    ASSERT_EQ(launched.size(), 1u) << CString(text.c_str());
    ASSERT_EQ(launched[0].file.rfind(L"http://", 0), 0u) << launched[0].file;
    std::wstring path = launched[0].file.substr(7);
    ASSERT_EQ(pathFault(path, text), L"") << "text " << CString(text.c_str()) << " launched as " << path;
  }
}

TEST_F(GridHyperlink, LinksAreUnderlinedInTheLinkColourAndTheHotOneInTheHotColour) {
  grid->SetHotItem(1);
  StandIn::ClearDrawing(grid->GetSafeHwnd());
  grid->Invalidate();
  grid->UpdateWindow();
  std::vector<COLORREF> colours;
  for (const auto& record : StandIn::DrawingOf(grid->GetSafeHwnd())) {
    if (record.kind != StandIn::DrawRecord::Text || record.text != L"wiki") continue;
    colours.push_back(record.textColor);
    EXPECT_TRUE(record.font.lfUnderline);
  }
  EXPECT_EQ(colours, (std::vector<COLORREF>{RGB(22, 74, 170), RGB(0, 85, 255)}));
}

}  // namespace
}  // namespace gridtest
