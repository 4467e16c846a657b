// The drawing dump that shows users what the plug-in wrote: tables and their xdata.
#include <gtest/gtest.h>

#include <sstream>

#include "extraction/link_list_names.h"
#include "extraction/output_table.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/drawing_dump.h"
#include "tests/support/output_test_support.h"

using namespace output_test;

namespace {

class DrawingDumpTest : public DrawingTest {};

TEST_F(DrawingDumpTest, TablesCellsMergesWidthsAndXData) {
  std::wostringstream empty;
  dumpDrawingTables(db(), empty);
  EXPECT_EQ(empty.str(), L"No tables in the drawing.\n");

  OvDbObjectId line;
  auto* entity = new OvDbLine(OvGePoint3d(0, 0, 0), OvGePoint3d(1, 0, 0));
  ASSERT_EQ(db()->addToModelSpace(line, entity), Ovis::eOk);
  entity->close();
  OvDbBlockTable* blockTable = nullptr;
  ASSERT_EQ(db()->getBlockTable(blockTable, Ovis::kForWrite), Ovis::eOk);
  auto* record = new OvDbBlockTableRecord;
  record->setName(L"DOOR");
  OvDbObjectId door;
  ASSERT_EQ(blockTable->add(door, record), Ovis::eOk);
  record->close();
  blockTable->close();

  TextGrid grid = {{L"Id", L"Name", L"Block preview"}, {L"A1", L"Say \"hi\"\nthere", L""}};
  OvDbObjectId table = createOutputTable(grid, {{L"A1", door}}, {true, true, true}, {1, 2}, {0, 1},
                                         OvGePoint3d(1.5, -2, 0), L"Block preview", L"Doors", true);
  ASSERT_TRUE(writeLinkXData(table, kObjectHandlesApp, {L"A1"}));
  ASSERT_TRUE(writeLinkXData(table, kGroupByApp, {L""}));

  std::wostringstream out;
  dumpDrawingTables(db(), out);
  wchar_t handle[17];
  table.handle().getIntoAsciiBuffer(handle, 17);
  // Widths by the text metric: 14 characters x 0.5 x 2.5 x 1.3, and 13 characters.
  EXPECT_EQ(out.str(), std::wstring(L"Table ") + handle +
                           L" at (1.5, -2, 0), style Standard, 3 rows x 2 columns\n"
                           L"  column widths: 22.75 21.125\n"
                           L"  merged: rows 0-0, columns 0-1\n"
                           L"  (0,0) \"Doors\"\n"
                           L"  (1,0) \"Name\"\n"
                           L"  (1,1) \"Block preview\"\n"
                           L"  (2,0) \"Say \\\"hi\\\"\\nthere\"\n"
                           L"  (2,1) block DOOR (auto-fit)\n"
                           L"  xdata obj_handles: \"A1\"\n"
                           L"  xdata groupby_pr: \"\"\n");
}

}  // namespace
