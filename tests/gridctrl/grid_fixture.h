// A grid inside a parent window that records the notifications it receives, driven the way
// a person drives it: clicks, keys, header menus and drags through the stand-in's input.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gridctrl/column_trait_edit.h"
#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/windows_version.h"
#include "platform/mfc/mfc.h"

namespace gridtest {

constexpr UINT kGridId = 1001;

// One LVN_ENDLABELEDITW as the parent saw it.
struct EndEdit {
  int row = -1;
  int col = -1;
  UINT mask = 0;
  std::wstring text;
  int image = -1;
  LPARAM param = -1;  // the item data, when the mask has LVIF_PARAM
};

class NotifyParent : public CWnd {
public:
  std::vector<UINT> codes;  // grid notifications the parent saw, in order
  std::vector<EndEdit> ends;
  bool refuseEdit = false;
  int checkChanges = 0;             // LVN_ITEMCHANGED with a state-image change
  std::vector<int> taskLinkGroups;  // the group of each LVN_LINKCLICK

protected:
  void OnBeginLabelEdit(NMHDR* hdr, LRESULT* result) {
    codes.push_back(hdr->code);
    *result = refuseEdit ? 1 : 0;
  }
  void OnEndLabelEdit(NMHDR* hdr, LRESULT*) {
    codes.push_back(hdr->code);
    auto* info = reinterpret_cast<NMLVDISPINFO*>(hdr);
    EndEdit end;
    end.row = info->item.iItem;
    end.col = info->item.iSubItem;
    end.mask = info->item.mask;
    if ((info->item.mask & LVIF_TEXT) && info->item.pszText) end.text = info->item.pszText;
    if (info->item.mask & LVIF_IMAGE) end.image = info->item.iImage;
    if (info->item.mask & LVIF_PARAM) end.param = info->item.lParam;
    ends.push_back(end);
  }
  void OnItemChanged(NMHDR* hdr, LRESULT*) {
    auto* change = reinterpret_cast<NMLISTVIEW*>(hdr);
    if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) {
      ++checkChanges;
      codes.push_back(hdr->code);
    }
  }
  void OnLinkClick(NMHDR* hdr, LRESULT*) { taskLinkGroups.push_back(reinterpret_cast<NMLVLINK*>(hdr)->iSubItem); }
  void Record(NMHDR* hdr, LRESULT*) { codes.push_back(hdr->code); }
  DECLARE_MESSAGE_MAP()
};

class GridTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A grid of report view with the given columns (plain text columns, no lead column).
  void CreateGrid(DWORD extraStyle = 0);
  // Rows of texts, one per column from column 0.
  void AddRows(const std::vector<std::vector<std::wstring>>& rows);
  // The wizard's layout: a hidden lead column, a check column over the two check-box
  // images, an edit column and text columns; rows give the check image and the texts.
  void BuildWizardGrid(int textColumns);

  CPoint CellPoint(int row, int col, int part = LVIR_LABEL);
  CPoint HeaderPoint(int col);
  std::vector<std::wstring> ColumnTexts(int col);
  std::vector<int> OrderArray();
  void ClickCell(int row, int col, UINT modifiers = 0, int part = LVIR_LABEL);
  void ClickHeader(int col);
  void RightClickHeader(int col);
  void SelectOnly(const std::vector<int>& rows);

  NotifyParent parent;
  std::unique_ptr<CListGridCtrl> grid;
  CImageList images;
  StandIn::ScriptedInputDriver driver;
  std::unique_ptr<StandIn::ScopedInputDriver> scopedDriver;
  int liveWindowsBefore = 0;
  int liveWndObjectsBefore = 0;
  int liveGdiObjectsBefore = 0;
  int liveMenusBefore = 0;
  int liveBlocksBefore = 0;
  int liveDcsBefore = 0;
};

}  // namespace gridtest
