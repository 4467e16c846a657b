#include "wizard/inserted_table_link.h"

#include "extraction/link_list_names.h"
#include "extraction/xdata_link.h"

void writeTableLink(const InsertedTableLink& link) {
  writeLinkXDataHandles(link.table, kObjectHandlesApp, link.rowIds, link.rowOrder, link.headerShown);
  writeLinkXDataFromMap(link.table, kOriginalNamesApp, link.displayNames, /*keys=*/true);
  writeLinkXDataFromMap(link.table, kDisplayNamesApp, link.displayNames, /*keys=*/false);
  writeLinkXData(link.table, kObjectTypesApp, link.kinds);
  writeLinkXData(link.table, kGroupByApp, {link.groupBy});
  writeLinkXData(link.table, kTableHeadersApp, link.headers);
  writeLinkXData(link.table, kTableLayoutApp, link.layout);
}
