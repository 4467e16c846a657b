// The choices the wizard carries from page to page. Every page owns its own copy and hands
// a copy to the page it opens; nothing is shared between pages.
#pragma once
#include <map>
#include <vector>

#include "common/text_grid.h"
#include "platform/mfc/cstring.h"
#include "wizard/inserted_table_link.h"

struct WizardState {
  CString tableTitle;
  bool displayTotals = false;
  bool combineRows = false;
  // The table, the files and the preview carry the header row.
  bool showHeaderLine = true;
  TextGrid objectRows;          // object kinds page: ["Chk", name] rows
  TextGrid objectFilterRows;    // object kinds page: block / non-block filter rows
  TextGrid propertyRows;        // properties page: ["Chk", "Categ", name, display name, total]
  TextGrid propertyFilterRows;  // properties page: category filter rows
  // Properties page: the rows of properties offered before and not now (their kind is not
  // chosen), with the person's choices, for when they are offered again.
  TextGrid propertyRowsSetAside;
  bool createNew = true;
  CString settingsPath;                     // the settings file loaded on the start page
  std::map<CString, CString> displayNames;  // property name -> display name
  int groupByIndex = -1;                    // entry of the properties page's group-by list; -1 none
  // The property of that entry, which the entry follows when the offered properties change.
  CString groupByName;
  InsertedTableLink insertedTable;  // the preview page's last inserted table
};

// The property names read from a settings file, checked when the properties page builds
// its rows. The preview page does not hold them.
struct RestoredNames {
  std::vector<CString> propertyNames;
};
