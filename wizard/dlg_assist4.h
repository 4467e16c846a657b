// The wizard's properties page: the properties offered for the chosen kinds, checked to be
// extracted, renamed in place and marked for totals, a category filter, the property to
// combine rows by, the header-line and totals options and the table title.
#pragma once
#include "extraction/extraction_engine.h"
#include "platform/host/ui_dialogs.h"
#include "platform/mfc/mfc.h"
#include "res/resource_ids.h"
#include "wizard/grid_list_ctrl.h"
#include "wizard/wizard_state.h"

class DlgAssist4 : public COvUiDialog, public WizardState, public RestoredNames {
public:
  static constexpr UINT IDD = IDD_PROPERTIES_PAGE;
  explicit DlgAssist4(CWnd* parent = nullptr);
  ~DlgAssist4() override;

  ExtractionEngine engine;
  PresentTypeMap presentKinds;
  OfferedPropertyMap offeredProperties;
  GridListCtrl propertyGrid;  // IDC_PROPERTY_GRID
  CListCtrl filterList;       // IDC_FILTER_LIST
  CImageList checkImages;
  CButton hideHeaderCheck;  // IDC_HIDE_HEADER
  CButton totalsCheck;      // IDC_DISPLAY_TOTALS
  CButton combineCheck;     // IDC_COMBINE_ROWS
  CComboBox groupByCombo;   // IDC_GROUP_BY

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnBnClickedNext();
  afx_msg void OnBnClickedPrevious();
  afx_msg void OnBnClickedTotals();
  afx_msg void OnBnClickedCombineRows();
  afx_msg void OnBnClickedHideHeader();
  afx_msg void OnListItemChanged(NMHDR* hdr, LRESULT* result);
  // Builds the row grid of the checked properties and runs the preview page with it.
  void openPage5();
  // Writes the grid's checks, display names and totals into the property rows.
  void saveGridChoices();
  // Keeps what the person chose on the page (grid, group-by entry, title) for the pages
  // it opens.
  void savePageChoices();
  // The group-by entry to select: the chosen property's, else the chosen index, else 0.
  // A chosen property no longer offered ends the grouping, and so does an index that a
  // settings file gave without a name when it is no entry or names none of the file's
  // properties.
  int groupByEntry();
  bool indexNamesFileProperty();
  DECLARE_MESSAGE_MAP()
};
