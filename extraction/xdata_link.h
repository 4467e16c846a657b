// The six string lists that link an output table to its extraction, stored as xdata of the
// table under their own registered application names.
#pragma once
#include <map>
#include <vector>

#include "common/text_grid.h"
#include "platform/host/db_object.h"
#include "platform/mfc/cstring.h"

// Appends the entries to the object's list of the application (registering the name when
// the object has none yet); texts are stored whole. False when the object cannot be opened
// or written.
bool writeLinkXData(OvDbObjectId objectId, CString appName, const std::vector<CString>& entries);
// Writes the map's keys (keys true) or values, in map order.
bool writeLinkXDataFromMap(OvDbObjectId objectId, CString appName, const std::map<CString, CString>& map, bool keys);
// Writes the Ids of the data rows in display order: the row-order entries after the header
// entry (when shown) that name a data row with an Id in the list.
bool writeLinkXDataHandles(OvDbObjectId objectId, CString appName, const std::vector<CString>& rowIds,
                           const std::vector<int>& rowOrder, bool headerShown);
// The Id cells of the grid's data rows, without the empty row and totals row that end the
// grid when the totals flag is set.
std::vector<CString> collectRowIds(const TextGrid& grid, bool totals);
// A list to store in place of the one the object holds under the application's name.
struct LinkList {
  CString appName;
  std::vector<CString> entries;
};
// Stores the lists in one write (registering the names the object has none of yet), so that
// they are all stored or, when memory runs out, none: the lists never disagree. False when
// the object cannot be opened or written.
bool replaceLinkLists(OvDbObjectId objectId, const std::vector<LinkList>& lists);
// Leaves the application on the object with an empty list. False when the object cannot be
// opened for write.
bool clearLinkXData(OvDbObjectId objectId, CString appName);
// The list of the application; empty when the object cannot be opened, and, with a message
// unless told not to report it, when it has no xdata of the application.
std::vector<CString> readLinkXData(OvDbObjectId objectId, CString appName, bool reportMissing = true);
// Whether the object has a list of the application (an empty one too).
bool hasLinkXData(OvDbObjectId objectId, CString appName);
// Says that the object's list of the application is damaged, so that the table it links is
// left as it is.
void reportDamagedLinkList(CString appName);
