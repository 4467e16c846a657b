// A top-level parent window that records the notifications its children send, and a list
// view created in it, for the stand-in's own tests.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/mfc/mfc.h"

namespace windowtest {

constexpr UINT kListId = 1001;

struct Notice {
  UINT code = 0;
  int item = 0;
  int subItem = 0;
  UINT oldState = 0;
  UINT newState = 0;
  UINT changed = 0;
};

// Records every WM_NOTIFY and WM_COMMAND it receives; answers `refuse` to LVN_ITEMCHANGING.
class RecordingParent : public CWnd {
public:
  std::vector<Notice> notices;
  std::vector<std::pair<UINT, UINT>> commands;  // (control id, code)
  bool refuseChanging = false;
  int refuseRow = -1;

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  std::vector<UINT> Codes() const;
  int Count(UINT code) const;
};

class WindowTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // A report-view list view with three columns (widths 100, 80, 60) and the given rows.
  void CreateList(DWORD extraStyle = 0, DWORD extendedStyle = 0);
  void AddRows(const std::vector<std::vector<std::wstring>>& rows);
  std::vector<std::wstring> ColumnTexts(int col);
  CPoint CellPoint(int row, int col);  // centre of a cell's label, list client coordinates
  CPoint HeaderPoint(int col);         // centre of a header item, header client coordinates

  RecordingParent parent;
  std::unique_ptr<CListCtrl> list;
  StandIn::ScriptedInputDriver driver;
  std::unique_ptr<StandIn::ScopedInputDriver> scopedDriver;
  int windowsBefore = 0;
  int wndObjectsBefore = 0;
  int gdiObjectsBefore = 0;
  int menusBefore = 0;
  int blocksBefore = 0;
  int dcsBefore = 0;
};

}  // namespace windowtest
