#include "window_fixture.h"

#include <cstring>

namespace windowtest {
namespace {

HGLOBAL TextBlock(const std::wstring& text) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* data = static_cast<wchar_t*>(::GlobalLock(block));
  std::memcpy(data, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(block);
  return block;
}

class Transfer : public WindowTest {};

TEST_F(Transfer, TheClipboardOwnsWhatItIsGivenAndKeepsItsContentWhenBusy) {
  int blocks = StandIn::LiveGlobalBlockCount();
  ASSERT_TRUE(::OpenClipboard(parent.GetSafeHwnd()));
  EXPECT_FALSE(::OpenClipboard(nullptr)) << "one opener at a time";
  ASSERT_TRUE(::EmptyClipboard());
  ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, TextBlock(L"a\tb\r\nc")), nullptr);
  ASSERT_TRUE(::CloseClipboard());
  EXPECT_EQ(StandIn::ClipboardText(), L"a\tb\r\nc");
  EXPECT_EQ(StandIn::LiveGlobalBlockCount(), blocks) << "the clipboard holds the block now";
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(::GetClipboardOwner(), parent.GetSafeHwnd());

  // Without opening, nothing can be set or emptied.
  HGLOBAL spare = TextBlock(L"x");
  EXPECT_EQ(::SetClipboardData(CF_UNICODETEXT, spare), nullptr);
  EXPECT_FALSE(::EmptyClipboard());
  EXPECT_EQ(::GlobalFree(spare), nullptr);
  EXPECT_EQ(StandIn::ClipboardText(), L"a\tb\r\nc");

  // A failed allocation is reported as null.
  StandIn::FailNextGlobalAllocs(1);
  EXPECT_EQ(::GlobalAlloc(GMEM_MOVEABLE, 8), nullptr);
  HGLOBAL next = ::GlobalAlloc(GMEM_MOVEABLE, 8);
  EXPECT_NE(next, nullptr);
  ::GlobalFree(next);

  // Emptying frees what the clipboard held.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_EQ(StandIn::ClipboardText(), L"");
  EXPECT_EQ(StandIn::LiveGlobalBlockCount(), blocks);
}

// A drop target that logs its callbacks with the client points they get.
class LoggingTarget : public COleDropTarget {
public:
  std::vector<std::string> log;
  DROPEFFECT answer = DROPEFFECT_MOVE;
  std::wstring dropped;
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint p) override {
    log.push_back("enter " + std::to_string(p.x) + "," + std::to_string(p.y));
    return answer;
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint p) override {
    log.push_back("over " + std::to_string(p.x) + "," + std::to_string(p.y));
    return answer;
  }
  void OnDragLeave(CWnd*) override { log.push_back("leave"); }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint p) override {
    log.push_back("drop " + std::to_string(effect) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    if (HGLOBAL block = data->GetGlobalData(CF_UNICODETEXT)) {
      dropped = static_cast<const wchar_t*>(::GlobalLock(block));
      ::GlobalUnlock(block);
      ::GlobalFree(block);
    }
    return TRUE;
  }
};

class FeedbackSource : public COleDropSource {
public:
  std::vector<DROPEFFECT> feedback;
  SCODE GiveFeedback(DROPEFFECT effect) override {
    feedback.push_back(effect);
    return COleDropSource::GiveFeedback(effect);
  }
};

TEST_F(Transfer, DragDropFollowsTheScriptedHandAcrossTargets) {
  CreateList();
  LoggingTarget target;
  ASSERT_TRUE(target.Register(list.get()));
  EXPECT_FALSE(target.Register(list.get())) << "a window has one target";
  EXPECT_EQ(StandIn::DropTargetOf(list->GetSafeHwnd()), &target);
  int blocks = StandIn::LiveGlobalBlockCount();

  // The list lies at screen (30, 40) to (430, 340): parent at (20, 30), list at (10, 10).
  driver.AddDragMove(POINT{100, 100});
  driver.AddDragMove(POINT{110, 120});
  driver.AddDragMove(POINT{5, 5});  // outside every target
  driver.AddDragMove(POINT{60, 70});
  driver.AddDragDrop(POINT{70, 80});
  FeedbackSource source;
  DROPEFFECT result;
  {
    COleDataSource data;
    data.CacheGlobalData(CF_UNICODETEXT, TextBlock(L"rows"));
    result = data.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, nullptr, &source);
  }
  EXPECT_EQ(result, static_cast<DROPEFFECT>(DROPEFFECT_MOVE));
  EXPECT_EQ(target.log, (std::vector<std::string>{"enter 70,60", "over 80,80", "leave", "enter 30,30", "over 40,40",
                                                  "drop 2 40,40"}));
  EXPECT_EQ(target.dropped, L"rows");
  EXPECT_EQ(source.feedback, (std::vector<DROPEFFECT>{DROPEFFECT_MOVE, DROPEFFECT_MOVE, DROPEFFECT_NONE,
                                                      DROPEFFECT_MOVE, DROPEFFECT_MOVE}));
  EXPECT_EQ(CPoint(::GetMessagePos()), CPoint(70, 80)) << "the message position follows the hand";
  EXPECT_EQ(StandIn::LiveGlobalBlockCount(), blocks) << "the data source freed its block";

  // A target that allows nothing, and a cancelled drag, answer DROPEFFECT_NONE.
  target.log.clear();
  target.answer = DROPEFFECT_NONE;
  driver.AddDragDrop(POINT{100, 100});
  COleDataSource refused;
  EXPECT_EQ(refused.DoDragDrop(), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
  EXPECT_EQ(target.log, (std::vector<std::string>{"enter 70,60", "leave"}));
  target.answer = DROPEFFECT_MOVE;
  target.log.clear();
  driver.AddDragMove(POINT{100, 100});
  driver.AddDragCancel();
  EXPECT_EQ(refused.DoDragDrop(), static_cast<DROPEFFECT>(DROPEFFECT_NONE));
  EXPECT_EQ(target.log, (std::vector<std::string>{"enter 70,60", "leave"}));
  target.Revoke();
  EXPECT_EQ(StandIn::DropTargetOf(list->GetSafeHwnd()), nullptr);
}

TEST_F(Transfer, ADragWithoutScriptFailsLoudly) {
  COleDataSource data;
  EXPECT_THROW(data.DoDragDrop(), StandIn::InputScriptError);
}

TEST_F(Transfer, PopupMenusRecordTheirItemsAndReturnTheDriversChoice) {
  CMenu menu, sub;
  ASSERT_TRUE(menu.CreatePopupMenu());
  ASSERT_TRUE(sub.CreatePopupMenu());
  menu.AppendMenu(MF_STRING | MF_CHECKED, 4, L"Name");
  menu.AppendMenu(MF_STRING | MF_DISABLED, 5, L"Size");
  menu.AppendMenu(MF_SEPARATOR);
  sub.AppendMenu(MF_STRING, 9, L"Wide");
  menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"Profiles");
  driver.ChooseMenuText(L"Wide");
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 20, &parent), 9);
  const StandIn::MenuSnapshot& shown = StandIn::TrackedMenus().back();
  ASSERT_EQ(shown.items.size(), 4u);
  EXPECT_TRUE(shown.items[0].flags & MF_CHECKED);
  EXPECT_TRUE(shown.items[1].flags & MF_DISABLED);
  EXPECT_TRUE(shown.items[2].flags & MF_SEPARATOR);
  EXPECT_EQ(shown.items[3].submenu.at(0).text, L"Wide");
  EXPECT_EQ(shown.owner, parent.GetSafeHwnd());

  // A disabled item cannot be chosen, an unscripted menu fails loudly, and without
  // TPM_RETURNCMD the choice is posted to the owner as WM_COMMAND.
  driver.ChooseMenuText(L"Size");
  EXPECT_THROW(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &parent), StandIn::InputScriptError);
  EXPECT_THROW(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &parent), StandIn::InputScriptError);
  driver.ChooseMenuId(4);
  EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &parent));
  StandIn::PumpMessages();
  ASSERT_EQ(parent.commands.size(), 1u);
  EXPECT_EQ(parent.commands[0].first, 4u);
  driver.ChooseMenuId(0);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &parent), 0);
  int menus = StandIn::LiveMenuCount();
  menu.DestroyMenu();
  EXPECT_EQ(StandIn::LiveMenuCount(), menus - 2) << "the submenu goes with its menu";
}

}  // namespace
}  // namespace windowtest
