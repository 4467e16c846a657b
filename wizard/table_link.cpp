#include "wizard/table_link.h"

#include "extraction/table_link.h"
#include "extraction/xdata_link.h"

void writeTableLink(const InsertedTableLink& link) {
  writeLinkXDataHandles(link.table, L"obj_handles", link.rowIds, link.rowOrder, link.headerShown);
  writeLinkXDataFromMap(link.table, L"original_names", link.displayNames, true);
  writeLinkXDataFromMap(link.table, L"display_names", link.displayNames, false);
  writeLinkXData(link.table, L"obj_types", link.kinds);
  writeLinkXData(link.table, L"groupby_pr", {link.groupBy});
  writeLinkXData(link.table, L"tb_headers", link.headers);
  writeLinkXData(link.table, kTableLayoutApp, link.layout);
}
