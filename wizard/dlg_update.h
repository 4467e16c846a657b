// The dialog of the DATAEXTRACTIONUPDATE command: four actions on a data table that the
// wizard inserted. Each action button first has the user pick one table in the drawing,
// ends the dialog and then runs its action on that table.
#pragma once
#include <cstdint>

#include "extraction/property_catalogue.h"
#include "platform/host/host_status.h"
#include "platform/host/ui_dialogs.h"
#include "res/resource_ids.h"

class SelectionSet;

class DlgUpdateA1 : public COvUiDialog {
public:
  enum { IDD = IDD_UPDATE_DIALOG };
  explicit DlgUpdateA1(CWnd* parent = nullptr);
  ~DlgUpdateA1() override;

  // The single pick of a table: on success the picked table and the flag are set; a
  // cancelled or failed pick leaves both as they were.
  void SelectDataTable();

  // The actions, run on the picked table after the dialog has ended.
  void RefreshTable();
  void AddObjectsToTable();
  void ReplaceTableSelection();
  void UpdateExport();

  bool isTablePicked() const { return tablePicked; }
  const std::int64_t* pickedTableName() const { return pickedTable; }

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  void OnOK() override;
  void OnBnClickedAction1();
  void OnBnClickedAction2();
  void OnBnClickedAction3();
  void OnBnClickedAction4();
  DECLARE_MESSAGE_MAP()

private:
  void setItemText(int controlId, UINT textId);
  // An action button: the pick of a table, the end of the dialog, then the action when a
  // table was picked.
  void PickThenRun(void (DlgUpdateA1::*action)());
  // The user's own selection for the actions that take new objects: true, with the set and
  // its length, when objects were selected; the editor is given back either way.
  bool SelectNewObjects(UINT prompt, SelectionSet& set, std::int32_t& length);
  // The new objects and the picked table of the actions that take new objects; false when
  // the selection or the table is missing.
  struct NewSelection;
  bool TakeNewSelection(UINT prompt, NewSelection& selection);

  ov_name pickedTable{0, 0};
  bool tablePicked = false;
  PropertyCatalogue catalogue;
};
