#include "window_fixture.h"

#include <string>

namespace windowtest {
namespace {

// Answers the custom-draw stages the way a grid does and logs them.
class DrawingParent : public RecordingParent {
public:
  std::vector<std::string> stages;
  int skipColumn = -1;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != NM_CUSTOMDRAW) return RecordingParent::OnNotify(wParam, lParam, result);
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    std::string row = std::to_string(draw->nmcd.dwItemSpec);
    switch (draw->nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        stages.push_back("pre");
        *result = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        break;
      case CDDS_ITEMPREPAINT:
        stages.push_back("item " + row);
        *result = CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        break;
      case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        stages.push_back("cell " + row + "." + std::to_string(draw->iSubItem));
        if (draw->iSubItem == skipColumn) *result = CDRF_SKIPDEFAULT;
        else if (draw->iSubItem == 1) {
          draw->clrText = RGB(200, 0, 0);
          *result = CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
        } else {
          *result = CDRF_DODEFAULT;
        }
        break;
      case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM:
        stages.push_back("cellpost " + row + "." + std::to_string(draw->iSubItem));
        break;
      case CDDS_ITEMPOSTPAINT: stages.push_back("itempost " + row); break;
      case CDDS_POSTPAINT: stages.push_back("post"); break;
      default: break;
    }
    return TRUE;
  }
};

class CustomDraw : public ::testing::Test {};

TEST_F(CustomDraw, StagesFollowTheAnswersAndCellsDrawWithTheirColours) {
  int windows = StandIn::LiveWindowCount();
  DrawingParent host;
  ASSERT_TRUE(
      host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 200), &host, kListId));
  list.InsertColumn(0, L"A", LVCFMT_LEFT, 50);
  list.InsertColumn(1, L"B", LVCFMT_LEFT, 50);
  list.InsertColumn(2, L"C", LVCFMT_LEFT, 50);
  int order[] = {0, 2, 1};
  list.SetColumnOrderArray(3, order);
  for (int row = 0; row < 2; ++row) {
    list.InsertItem(row, (L"r" + std::to_wstring(row)).c_str());
    list.SetItemText(row, 1, L"red");
    list.SetItemText(row, 2, L"skip");
  }
  host.skipColumn = 2;
  StandIn::PumpMessages();  // the invalid list is painted when the queue is empty
  std::vector<std::string> expected{"pre"};
  for (std::string row : {"0", "1"}) {
    expected.insert(expected.end(), {"item " + row, "cell " + row + ".0", "cell " + row + ".2", "cell " + row + ".1",
                                     "cellpost " + row + ".1", "itempost " + row});
  }
  expected.push_back("post");
  EXPECT_EQ(host.stages, expected);

  std::vector<std::wstring> texts;
  COLORREF redColour = 0;
  for (const StandIn::DrawRecord& r : StandIn::DrawingOf(list.GetSafeHwnd())) {
    if (r.kind != StandIn::DrawRecord::Text) continue;
    texts.push_back(r.text);
    if (r.text == L"red") redColour = r.textColor;
  }
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"r0", L"red", L"r1", L"red"})) << "skipped cells draw nothing";
  EXPECT_EQ(redColour, RGB(200, 0, 0));

  // Nothing is painted again until something changes.
  host.stages.clear();
  StandIn::PumpMessages();
  EXPECT_TRUE(host.stages.empty());
  list.SetItemText(0, 1, L"new");
  list.UpdateWindow();
  EXPECT_FALSE(host.stages.empty());
  list.DestroyWindow();
  host.DestroyWindow();
  EXPECT_EQ(StandIn::LiveWindowCount(), windows);
}

}  // namespace
}  // namespace windowtest
