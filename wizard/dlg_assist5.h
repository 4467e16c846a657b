// The wizard's preview and output page: the rows in a preview grid that the user may sort,
// reorder and thin out by columns, and the outputs: a table inserted into the drawing, an
// external CSV or XLS file and the settings file, all in the preview's order.
#pragma once
#include "extraction/extraction_engine.h"
#include "platform/host/ui_dialogs.h"
#include "platform/mfc/mfc.h"
#include "res/resource_ids.h"
#include "wizard/grid_list_ctrl.h"
#include "wizard/wizard_state.h"

class DlgAssist5 : public COvUiDialog, public WizardState {
  DECLARE_DYNAMIC(DlgAssist5)

public:
  static constexpr UINT IDD = IDD_OUTPUT_PAGE;
  explicit DlgAssist5(CWnd* parent = nullptr);
  ~DlgAssist5() override;

  // Header row, data rows, and the totals row when one was appended; once the page is open
  // an empty row stands before the totals row.
  TextGrid outputRows;
  ExtractionEngine engine;
  PresentTypeMap presentKinds;
  OfferedPropertyMap offeredProperties;
  bool totalsRowAppended = false;
  BlockPreviewMap blockPreviewMap;
  CButton insertButton;        // IDC_INSERT_TABLE
  CString outputPath;          // set only by the output file's browse button
  CString settingsOutputPath;  // set only by the settings file's browse button
  GridListCtrl previewGrid;    // IDC_PREVIEW_GRID
  CImageList previewImages;
  // Status of the last insertion-point request; RTNORM when that request inserted a table.
  int insertStatus = 0;
  // The heading row's index, then the output row of every preview row in on-screen order.
  std::vector<int> orderedRows;
  int outputType = 0;  // the save dialog's filter: 1 CSV, 2 XLS

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnBnClickedFinish();
  afx_msg void OnBnClickedBrowseOutput();
  afx_msg void OnBnClickedBrowseSettings();
  afx_msg void OnBnClickedInsertTable();
  afx_msg void OnBnClickedPrevious();
  DECLARE_MESSAGE_MAP()

private:
  void writeExternalFile();
  void writeSettingsFile();
  // Asks for the insertion point and inserts the table there, the command echo being off.
  void insertTableAtPickedPoint();
  // The link lists of the table just inserted, as it shows the rows.
  InsertedTableLink linkOfInsertedTable(const std::vector<int>& columnOrder) const;
};
