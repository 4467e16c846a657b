#include "window_fixture.h"

#include <string>

#include "platform/win/control_model.h"

namespace windowtest {
namespace {

// A child window that logs the messages its handlers see, with the windows they carry.
class LoggingWnd : public CWnd {
public:
  std::vector<std::string>* log = nullptr;
  std::string name;
  bool eatReturn = false;
  bool deleteOnNcDestroy = false;

  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) log->push_back(name + " pretranslate");
    return eatReturn && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
  }
  void PostNcDestroy() override {
    log->push_back(name + " postncdestroy");
    if (deleteOnNcDestroy) delete this;
  }

protected:
  afx_msg void OnSetFocus(CWnd* old) {
    log->push_back(name + " setfocus from " + Name(old));
    CWnd::OnSetFocus(old);
  }
  afx_msg void OnKillFocus(CWnd* next) {
    log->push_back(name + " killfocus to " + Name(next));
    CWnd::OnKillFocus(next);
  }
  afx_msg void OnDestroy() {
    log->push_back(name + " destroy");
    CWnd::OnDestroy();
  }
  afx_msg void OnNcDestroy() {
    log->push_back(name + " ncdestroy");
    CWnd::OnNcDestroy();
  }
  afx_msg void OnKeyDown(UINT key, UINT, UINT) { log->push_back(name + " keydown " + std::to_string(key)); }
  afx_msg void OnChar(UINT ch, UINT, UINT) { log->push_back(name + " char " + std::string(1, static_cast<char>(ch))); }
  afx_msg LRESULT OnApp(WPARAM wParam, LPARAM) {
    log->push_back(name + " app " + std::to_string(wParam));
    return 7;
  }
  static std::string Name(CWnd* wnd) {
    if (!wnd) return "none";
    wchar_t text[32] = {};
    wnd->GetWindowText(text, 32);
    std::wstring w(text);
    return std::string(w.begin(), w.end());
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LoggingWnd, CWnd)
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
ON_WM_NCDESTROY()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_MESSAGE(WM_APP + 1, &LoggingWnd::OnApp)
END_MESSAGE_MAP()

class WindowManager : public WindowTest {
protected:
  std::vector<std::string> log;
  LoggingWnd* Make(const char* name, CWnd* in, UINT id, bool selfDeleting = false) {
    auto* wnd = new LoggingWnd;
    wnd->log = &log;
    wnd->name = name;
    wnd->deleteOnNcDestroy = selfDeleting;
    std::string n(name);
    EXPECT_TRUE(wnd->Create(AfxRegisterWndClass(0), std::wstring(n.begin(), n.end()).c_str(), WS_CHILD | WS_VISIBLE,
                            CRect(5, 5, 105, 55), in, id));
    return wnd;
  }
};

TEST_F(WindowManager, FocusMessagesCarryTheOtherWindow) {
  LoggingWnd* a = Make("a", &parent, 1, true);
  LoggingWnd* b = Make("b", &parent, 2, true);
  a->SetFocus();
  b->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"a setfocus from none", "a killfocus to b", "b setfocus from a"}));
  EXPECT_EQ(CWnd::GetFocus(), b);
}

TEST_F(WindowManager, DestroyingGoesParentFirstThenNcDestroyChildFirst) {
  LoggingWnd* outer = Make("outer", &parent, 1, true);
  Make("inner", outer, 2, true);
  int before = StandIn::LiveWindowCount();
  int objects = StandIn::LiveWndObjectCount();
  outer->DestroyWindow();
  EXPECT_EQ(log, (std::vector<std::string>{"outer destroy", "inner destroy", "inner ncdestroy", "inner postncdestroy",
                                           "outer ncdestroy", "outer postncdestroy"}));
  EXPECT_EQ(StandIn::LiveWindowCount(), before - 2);
  EXPECT_EQ(StandIn::LiveWndObjectCount(), objects - 2) << "both deleted themselves after destruction";
}

TEST_F(WindowManager, DestroyingTheFocusedWindowGivesTheFocusToItsParent) {
  LoggingWnd* a = Make("a", &parent, 1, true);
  a->SetFocus();
  log.clear();
  a->DestroyWindow();
  EXPECT_EQ(log.front(), "a killfocus to Parent");
  EXPECT_EQ(::GetFocus(), parent.GetSafeHwnd());
}

TEST_F(WindowManager, KeysPassThePreTranslateWalkFromTheFocusUpward) {
  LoggingWnd* outer = Make("outer", &parent, 1, true);
  LoggingWnd* inner = Make("inner", outer, 2, true);
  inner->SetFocus();
  log.clear();
  StandIn::PressKey('X');
  EXPECT_EQ(log,
            (std::vector<std::string>{"inner pretranslate", "outer pretranslate", "inner keydown 88", "inner char x"}));
  // A window up the chain that handles the message stops it before the focus sees it.
  outer->eatReturn = true;
  log.clear();
  StandIn::PressKey(VK_RETURN);
  EXPECT_EQ(log, (std::vector<std::string>{"inner pretranslate", "outer pretranslate"}));
  // Shift makes capitals, Ctrl control characters, as TranslateMessage does.
  log.clear();
  StandIn::PressKey('Q', StandIn::kShift);
  EXPECT_EQ(log.back(), "inner char Q");
  EXPECT_EQ(::GetKeyState(VK_SHIFT), 0) << "the modifier is released after the action";
}

TEST_F(WindowManager, PostedMessagesWaitForThePumpAndDeadWindowsGetNothing) {
  LoggingWnd* a = Make("a", &parent, 1, true);
  EXPECT_EQ(a->SendMessage(WM_APP + 1, 3), 7);
  ASSERT_TRUE(a->PostMessage(WM_APP + 1, 4));
  ASSERT_TRUE(a->PostMessage(WM_APP + 1, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"a app 3"}));
  EXPECT_EQ(StandIn::PendingMessageCount(), 2);
  StandIn::PumpMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"a app 3", "a app 4", "a app 5"}));
  HWND dead = a->GetSafeHwnd();
  a->PostMessage(WM_APP + 1, 6);
  a->DestroyWindow();
  log.clear();
  StandIn::PumpMessages();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(::IsWindow(dead));
  EXPECT_FALSE(::PostMessageW(dead, WM_APP + 1, 0, 0));
  EXPECT_EQ(::SendMessageW(dead, WM_APP + 1, 0, 0), 0);
  // Waiting for a message that will never come fails loudly instead of hanging.
  MSG msg;
  EXPECT_THROW(::GetMessageW(&msg, nullptr, 0, 0), StandIn::InputScriptError);
}

TEST_F(WindowManager, MessagePositionAndClockAreTheStandInsSettings) {
  StandIn::SetClock(1000000ULL);
  EXPECT_EQ(CTime::GetCurrentTime().GetTime(), 1000);
  ::Sleep(2500);
  EXPECT_EQ(StandIn::Clock(), 1002500ULL);
  EXPECT_EQ(CTime::GetCurrentTime() - CTime(1000), CTimeSpan(0, 0, 0, 2));
  LoggingWnd* a = Make("a", &parent, 1, true);
  StandIn::LeftClick(a->GetSafeHwnd(), CPoint(7, 9));
  CPoint pos(::GetMessagePos());
  CPoint expected(7, 9);
  a->ClientToScreen(&expected);
  EXPECT_EQ(pos, expected);
  EXPECT_EQ(expected, CPoint(20 + 5 + 7, 30 + 5 + 9));
}

// Reflection: the child sees its notification first; a plain reflected handler keeps it
// from the parent, an _EX handler that answers FALSE lets the parent see it as well.
class ReflectingChild : public CWnd {
public:
  std::vector<UINT> seen;
  int commands = 0;

protected:
  afx_msg void OnEaten(NMHDR* hdr, LRESULT* result) {
    seen.push_back(hdr->code);
    *result = 5;
  }
  afx_msg BOOL OnShared(NMHDR* hdr, LRESULT* result) {
    seen.push_back(hdr->code);
    *result = 6;
    return FALSE;
  }
  afx_msg void OnChange() { ++commands; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
ON_NOTIFY_REFLECT(NM_CLICK, &ReflectingChild::OnEaten)
ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &ReflectingChild::OnShared)
ON_CONTROL_REFLECT(EN_CHANGE, &ReflectingChild::OnChange)
END_MESSAGE_MAP()

class ReflectionParent : public CWnd {
public:
  std::vector<UINT> seen;
  int commands = 0;

protected:
  afx_msg void OnAny(NMHDR* hdr, LRESULT* result) {
    seen.push_back(hdr->code);
    *result = 9;
  }
  afx_msg void OnCommandFromChild() { ++commands; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectionParent, CWnd)
ON_NOTIFY(NM_CLICK, 7, &ReflectionParent::OnAny)
ON_NOTIFY(NM_DBLCLK, 7, &ReflectionParent::OnAny)
ON_NOTIFY(NM_RCLICK, 7, &ReflectionParent::OnAny)
ON_EN_CHANGE(7, &ReflectionParent::OnCommandFromChild)
ON_EN_KILLFOCUS(7, &ReflectionParent::OnCommandFromChild)
END_MESSAGE_MAP()

TEST_F(WindowManager, NotificationsAreReflectedToTheChildFirst) {
  ReflectionParent host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr));
  ReflectingChild child;
  ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), L"", WS_CHILD, CRect(0, 0, 10, 10), &host, 7));
  NMHDR nm;
  EXPECT_EQ(StandIn::SendNotify(child.GetSafeHwnd(), NM_CLICK, &nm), 5);
  EXPECT_EQ(StandIn::SendNotify(child.GetSafeHwnd(), NM_DBLCLK, &nm), 9);
  EXPECT_EQ(StandIn::SendNotify(child.GetSafeHwnd(), NM_RCLICK, &nm), 9);
  EXPECT_EQ(child.seen, (std::vector<UINT>{NM_CLICK, NM_DBLCLK}));
  EXPECT_EQ(host.seen, (std::vector<UINT>{NM_DBLCLK, NM_RCLICK}));
  StandIn::SendCommandNotify(child.GetSafeHwnd(), EN_CHANGE);
  StandIn::SendCommandNotify(child.GetSafeHwnd(), EN_KILLFOCUS);
  EXPECT_EQ(child.commands, 1);
  EXPECT_EQ(host.commands, 1);
  child.DestroyWindow();
  host.DestroyWindow();
}

// Subclassing: PreSubclassWindow runs with no window being created, the map sees the
// messages first and Default() runs the control's own procedure.
class CountingList : public CListCtrl {
public:
  int inserts = 0;
  bool preSubclassedWhileCreating = false;
  bool preSubclassed = false;
  void PreSubclassWindow() override {
    preSubclassed = true;
    preSubclassedWhileCreating = AfxGetThreadState()->m_pWndInit != nullptr;
  }

protected:
  afx_msg LRESULT OnInsertColumn(WPARAM, LPARAM) {
    ++inserts;
    return Default();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingList, CListCtrl)
ON_MESSAGE(LVM_INSERTCOLUMNW, &CountingList::OnInsertColumn)
END_MESSAGE_MAP()

TEST_F(WindowManager, SubclassingRoutesTheWrappersMessagesThroughTheMap) {
  HWND raw = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 100, 100, parent.GetSafeHwnd(),
                               reinterpret_cast<HMENU>(9), nullptr, nullptr);
  ASSERT_NE(raw, nullptr);
  CountingList subclassed;
  ASSERT_TRUE(subclassed.SubclassDlgItem(9, &parent));
  EXPECT_TRUE(subclassed.preSubclassed);
  EXPECT_FALSE(subclassed.preSubclassedWhileCreating);
  EXPECT_EQ(subclassed.InsertColumn(0, L"A", LVCFMT_LEFT, 50), 0);
  EXPECT_EQ(subclassed.inserts, 1);
  EXPECT_EQ(subclassed.GetHeaderCtrl()->GetItemCount(), 1);

  CountingList created;
  ASSERT_TRUE(created.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 50, 50), &parent, 10));
  EXPECT_TRUE(created.preSubclassedWhileCreating);
  EXPECT_EQ(CWnd::FromHandlePermanent(created.GetSafeHwnd()), &created);
  created.DestroyWindow();
  EXPECT_EQ(created.GetSafeHwnd(), nullptr);
  subclassed.DestroyWindow();
}

}  // namespace
}  // namespace windowtest
