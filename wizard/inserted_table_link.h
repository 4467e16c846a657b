// The link lists of the table that the wizard inserted last, taken when it was inserted:
// Finish writes them on that table even when the pages were left and opened again since.
#pragma once
#include <map>
#include <vector>

#include "platform/host/db_object.h"
#include "platform/mfc/cstring.h"

struct InsertedTableLink {
  OvDbObjectId table;  // null while no table was inserted
  std::vector<CString> rowIds;
  std::vector<int> rowOrder;  // the heading row's index, then the rows as the table shows them
  bool headerShown = true;
  std::map<CString, CString> displayNames;
  std::vector<CString> kinds;
  CString groupBy;
  std::vector<CString> headers;
  std::vector<CString> layout;  // how the table was made, for the update command

  bool inserted() const { return !table.isNull(); }
};

// Writes the six link lists on the table, in their order, then its layout list.
void writeTableLink(const InsertedTableLink& link);
