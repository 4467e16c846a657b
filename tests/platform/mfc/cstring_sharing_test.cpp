// CString shares its text between copies and copies it on the first change. A random walk
// of operations over a handful of strings, each mirrored on a std::wstring, checks that no
// change made through one string is ever seen through another that shared its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

#include "platform/mfc/cstring.h"

namespace {

constexpr int kStrings = 6;

struct Walk {
  explicit Walk(unsigned seed) : random(seed), strings(kStrings), model(kStrings) {}

  int pick() { return static_cast<int>(random() % kStrings); }
  int number(int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); }
  std::wstring someText() {
    std::wstring text(static_cast<size_t>(number(12)), L'a');
    for (wchar_t& ch : text) ch = L"abcAB\u00e9\U0001F600 x"[number(9)];
    return text;
  }

  // One random operation on one string, or between two of them, applied to both sides.
  void step() {
    int a = pick(), b = pick();
    CString& s = strings[a];
    std::wstring& m = model[a];
    switch (number(14)) {
      case 0:
        s = strings[b];
        m = model[b];
        break;
      case 1:
        s = CString(strings[b]);
        m = model[b];
        break;
      case 2: {
        std::wstring t = someText();
        s = t.c_str();
        m = t;
        break;
      }
      case 3:
        s += strings[b];
        m += model[b];
        break;  // b may be a itself
      case 4: {
        std::wstring t = someText();
        s += t.c_str();
        m += t;
        break;
      }
      case 5:
        s += L'z';
        m += L'z';
        break;
      case 6:
        s.Empty();
        m.clear();
        break;
      case 7:
        s.MakeUpper();
        for (wchar_t& ch : m) ch = static_cast<wchar_t>(std::towupper(ch));
        break;
      case 8: {
        int n = s.Replace(L'a', L'q');
        int expected = 0;
        for (wchar_t& ch : m) {
          if (ch == L'a') {
            ch = L'q';
            ++expected;
          }
        }
        ASSERT_EQ(n, expected);
        break;
      }
      case 9: {  // write through the buffer, then cut it shorter
        int room = number(20);
        wchar_t* buffer = s.GetBuffer(room);
        int length = std::max(static_cast<int>(m.size()), room);
        m.resize(static_cast<size_t>(length), L'\0');  // the buffer's room counts until released
        CString copyWhileOpen(s);                      // must not see what is written next
        if (room > 0) buffer[0] = L'#';
        ASSERT_EQ(copyWhileOpen.str(), m);
        if (room > 0) m[0] = L'#';
        int cut = number(length + 1);
        s.ReleaseBuffer(cut);
        m.resize(static_cast<size_t>(cut));
        break;
      }
      case 10: {
        int first = number(5), count = number(8);
        s = s.Mid(first, count);
        m = static_cast<size_t>(first) >= m.size() ? L""
                                                   : m.substr(static_cast<size_t>(first), static_cast<size_t>(count));
        break;
      }
      case 11:
        s = std::move(strings[b]);
        if (a != b) {
          m = std::move(model[b]);
          model[b].clear();
        }
        break;
      case 12:
        s = strings[b] + strings[a];
        m = model[b] + model[a];
        break;
      default:
        s.Format(L"%s-%d", static_cast<const wchar_t*>(strings[b]), a);
        m = std::wstring(model[b].c_str()) + L"-" + std::to_wstring(a);  // %s stops at a null
    }
  }

  std::mt19937 random;
  std::vector<CString> strings;
  std::vector<std::wstring> model;
};

TEST(CStringSharing, CopiesNeverSeeEachOthersChanges) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    Walk walk(seed);
    for (int i = 0; i < 400; ++i) {
      walk.step();
      if (testing::Test::HasFatalFailure()) FAIL() << "seed " << seed << " step " << i;
      for (int k = 0; k < kStrings; ++k) {
        const CString& s = walk.strings[static_cast<size_t>(k)];
        const std::wstring& m = walk.model[static_cast<size_t>(k)];
        ASSERT_EQ(s.str(), m) << "seed " << seed << " step " << i << " string " << k;
        ASSERT_EQ(s.GetLength(), static_cast<int>(m.size()));
        ASSERT_EQ(s.GetString()[m.size()], L'\0') << "seed " << seed << " step " << i;
      }
    }
  }
}

// Every empty string shares one text that is never freed, so making and dropping empty
// strings costs no allocation; a copy of a text shares it until one side changes.
TEST(CStringSharing, EmptyStringsAndCopiesShareTheirText) {
  CString a, b(L""), c(L"x", 0);
  EXPECT_EQ(a.GetString(), b.GetString());
  EXPECT_EQ(a.GetString(), c.GetString());
  CString text(L"shared");
  CString copy(text);
  EXPECT_EQ(copy.GetString(), text.GetString());
  copy += L'!';
  EXPECT_NE(copy.GetString(), text.GetString());
  EXPECT_EQ(text, L"shared");
}

}  // namespace
