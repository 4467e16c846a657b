#include "window_fixture.h"

namespace windowtest {
namespace {

using Texts = std::vector<std::wstring>;

class ListView : public WindowTest {};

TEST_F(ListView, HeaderClicksBecomeColumnClicksOfTheRightColumn) {
  CreateList();
  AddRows({{L"a", L"1"}});
  for (int col : {0, 1, 2}) StandIn::LeftClick(list->GetHeaderCtrl()->GetSafeHwnd(), HeaderPoint(col));
  std::vector<int> clicked;
  for (const Notice& n : parent.notices)
    if (n.code == LVN_COLUMNCLICK) clicked.push_back(n.subItem);
  EXPECT_EQ(clicked, (std::vector<int>{0, 1, 2}));
}

}  // namespace
}  // namespace windowtest
