// Xdata link lists and the host's xdata store beneath them.
#include <gtest/gtest.h>

#include "extraction/link_list_names.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_curves.h"
#include "tests/support/output_test_support.h"
#include "tests/support/plugin_resources.h"

using namespace output_test;

namespace {

class XDataLinkTest : public DrawingTest {
protected:
  void SetUp() override {
    attachPluginResources();
    DrawingTest::SetUp();
    lineId_ = addLine();
  }
  OvDbObjectId addLine() {
    OvDbObjectId id;
    auto* line = new OvDbLine(OvGePoint3d(0, 0, 0), OvGePoint3d(1, 0, 0));
    EXPECT_EQ(db()->addToModelSpace(id, line), Ovis::eOk);
    line->close();
    return id;
  }
  // The applications of the object's xdata, in stored order.
  std::vector<std::wstring> applications(OvDbObjectId id) {
    std::vector<std::wstring> names;
    OvDbObject* object = nullptr;
    EXPECT_EQ(ovdbOpenObject(object, id, Ovis::kForRead), Ovis::eOk);
    OvResBuf* chain = object->xData();
    for (OvResBuf* item = chain; item; item = item->rbnext) {
      if (item->restype == OV_XD_APPNAME) names.emplace_back(item->resval.rstring);
    }
    ovutRelRb(chain);
    object->close();
    return names;
  }
  OvDbObjectId lineId_;
};

using Texts = std::vector<CString>;

TEST_F(XDataLinkTest, WritingAppendsAfterTheStoredEntries) {
  ASSERT_TRUE(writeLinkXData(lineId_, kObjectHandlesApp, {L"1F", L"2"}));
  ASSERT_TRUE(writeLinkXData(lineId_, kObjectHandlesApp, {L"A", L"B", L"C"}));
  EXPECT_EQ(readLinkXData(lineId_, kObjectHandlesApp), (Texts{L"1F", L"2", L"A", L"B", L"C"}));
  EXPECT_TRUE(db()->regAppTable().has(L"OBJ_HANDLES"));
  EXPECT_EQ(transcript(), L"");
}

TEST_F(XDataLinkTest, ClearedListsAreEmptyWithoutMessageMissingOnesWithOne) {
  ASSERT_TRUE(writeLinkXData(lineId_, kDisplayNamesApp, {L"a", L"b"}));
  ASSERT_TRUE(clearLinkXData(lineId_, kDisplayNamesApp));
  EXPECT_EQ(readLinkXData(lineId_, kDisplayNamesApp), Texts{});
  EXPECT_EQ(transcript(), L"");
  EXPECT_EQ(applications(lineId_), std::vector<std::wstring>{kDisplayNamesApp});

  EXPECT_EQ(readLinkXData(lineId_, kObjectTypesApp), Texts{});
  EXPECT_EQ(transcript(), L"\nNone identified 'obj_types' xData attached to this object.");
  // Clearing a list the object does not have changes nothing and succeeds.
  EXPECT_TRUE(clearLinkXData(lineId_, kTableHeadersApp));
  EXPECT_EQ(applications(lineId_), std::vector<std::wstring>{kDisplayNamesApp});
}

TEST_F(XDataLinkTest, TextsAreStoredWhole) {
  CString longName(L'n', 45);
  CString longEntry(L'é', 250);
  ASSERT_TRUE(writeLinkXData(lineId_, longName, {longEntry, L"", CString(L'x', 199)}));
  EXPECT_EQ(readLinkXData(lineId_, longName), (Texts{longEntry, L"", CString(L'x', 199)}));
  ASSERT_TRUE(writeLinkXData(lineId_, kGroupByApp, {L""}));
  EXPECT_EQ(readLinkXData(lineId_, kGroupByApp), Texts{L""});
}

TEST_F(XDataLinkTest, MapsAreWrittenInKeyOrder) {
  std::map<CString, CString> names = {{L"Length", L"Longueur"}, {L"Area", L"Surface"}, {L"Layer", L"Calque"}};
  ASSERT_TRUE(writeLinkXDataFromMap(lineId_, kOriginalNamesApp, names, /*keys=*/true));
  ASSERT_TRUE(writeLinkXDataFromMap(lineId_, kDisplayNamesApp, names, /*keys=*/false));
  EXPECT_EQ(readLinkXData(lineId_, kOriginalNamesApp), (Texts{L"Area", L"Layer", L"Length"}));
  EXPECT_EQ(readLinkXData(lineId_, kDisplayNamesApp), (Texts{L"Surface", L"Calque", L"Longueur"}));
}

TEST_F(XDataLinkTest, ObjectsThatCannotBeOpenedOrWritten) {
  EXPECT_FALSE(writeLinkXData(OvDbObjectId(), kObjectTypesApp, {L"Line"}));
  EXPECT_FALSE(clearLinkXData(OvDbObjectId(), kObjectTypesApp));
  EXPECT_EQ(readLinkXData(OvDbObjectId(), kObjectTypesApp), Texts{});
  EXPECT_EQ(transcript(), L"");

  // Someone else reads the object: the upgrade to write fails and nothing is stored.
  OvDbObject* reader = nullptr;
  ASSERT_EQ(ovdbOpenObject(reader, lineId_, Ovis::kForRead), Ovis::eOk);
  EXPECT_FALSE(writeLinkXData(lineId_, kObjectTypesApp, {L"Line"}));
  EXPECT_FALSE(clearLinkXData(lineId_, kObjectTypesApp));
  reader->close();
  EXPECT_TRUE(applications(lineId_).empty());
}

TEST_F(XDataLinkTest, RowIdsOfDataRowsOnly) {
  TextGrid grid = {{L"Id", L"A"}, {L"10", L"x"}, {L"2B", L"y"}, {L"3", L"z"}, {L"", L""}, {L"", L"6"}};
  EXPECT_EQ(collectRowIds(grid, true), (Texts{L"10", L"2B", L"3"}));
  grid.resize(4);
  EXPECT_EQ(collectRowIds(grid, false), (Texts{L"10", L"2B", L"3"}));
  // Grids too small for their totals rows give no Ids instead of wrapping around.
  EXPECT_EQ(collectRowIds({{L"Id"}}, true), Texts{});
  EXPECT_EQ(collectRowIds({}, true), Texts{});
  EXPECT_EQ(collectRowIds({}, false), Texts{});
}

TEST_F(XDataLinkTest, HandlesFollowTheDisplayOrder) {
  Texts ids = {L"10", L"2B", L"3"};
  ASSERT_TRUE(writeLinkXDataHandles(lineId_, L"shown", ids, {0, 3, 1, 2}, true));
  EXPECT_EQ(readLinkXData(lineId_, L"shown"), (Texts{L"3", L"10", L"2B"}));
  // Header hidden: the first data row of the display order comes first.
  ASSERT_TRUE(writeLinkXDataHandles(lineId_, L"hidden", ids, {1, 3, 2}, false));
  EXPECT_EQ(readLinkXData(lineId_, L"hidden"), (Texts{L"10", L"3", L"2B"}));
  // A preview sorted with totals on: the entry of the totals row (now naming the empty
  // row, 4) stands before data rows; it names no data row and is left out.
  ASSERT_TRUE(writeLinkXDataHandles(lineId_, L"sorted", ids, {0, 4, 3, 2, 1}, true));
  EXPECT_EQ(readLinkXData(lineId_, L"sorted"), (Texts{L"3", L"2B", L"10"}));
}

TEST_F(XDataLinkTest, SixListsInFinishOrder) {
  const wchar_t* lists[] = {kObjectHandlesApp, kOriginalNamesApp, kDisplayNamesApp,
                            kObjectTypesApp,   kGroupByApp,       kTableHeadersApp};
  for (const wchar_t* name : lists) ASSERT_TRUE(writeLinkXData(lineId_, name, {L"v", L""}));
  EXPECT_EQ(applications(lineId_), std::vector<std::wstring>(std::begin(lists), std::end(lists)));
  // Each list is its name under group code 1001, then one 1000 item per entry.
  std::vector<std::pair<int, std::wstring>> expected, stored;
  for (const wchar_t* name : lists) {
    expected.insert(expected.end(), {{1001, name}, {1000, L"v"}, {1000, L""}});
  }
  OvDbObject* object = nullptr;
  ASSERT_EQ(ovdbOpenObject(object, lineId_, Ovis::kForRead), Ovis::eOk);
  OvResBuf* chain = object->xData();
  for (OvResBuf* item = chain; item; item = item->rbnext) {
    stored.emplace_back(item->restype, item->resval.rstring ? item->resval.rstring : L"(null)");
  }
  ovutRelRb(chain);
  object->close();
  EXPECT_EQ(stored, expected);
}

// The store beneath: write access, registered names, the chain's shape.
TEST_F(XDataLinkTest, SetXDataRules) {
  ovdbRegApp(L"app_a");
  ovdbRegApp(L"APP_B");
  EXPECT_EQ(ovdbRegApp(L""), RTERROR);
  EXPECT_EQ(db()->regAppTable().names(), (std::vector<std::wstring>{L"app_a", L"APP_B"}));

  OvDbObject* object = nullptr;
  ASSERT_EQ(ovdbOpenObject(object, lineId_, Ovis::kForRead), Ovis::eOk);
  OvResBuf* both = ovutBuildList(OV_XD_APPNAME, L"app_a", OV_XD_STRING, L"1", OV_XD_APPNAME, L"app_b", OV_XD_STRING,
                                 L"2", OV_XD_STRING, L"3", 0);
  EXPECT_EQ(object->setXData(both), Ovis::eNotOpenForWrite);
  ASSERT_EQ(object->upgradeOpen(), Ovis::eOk);
  EXPECT_EQ(object->setXData(both), Ovis::eOk);
  ovutRelRb(both);

  OvResBuf* unregistered = ovutBuildList(OV_XD_APPNAME, L"nobody", OV_XD_STRING, L"x", 0);
  EXPECT_EQ(object->setXData(unregistered), Ovis::eRegappIdNotFound);
  ovutRelRb(unregistered);
  OvResBuf* headless = ovutBuildList(OV_XD_STRING, L"x", 0);
  EXPECT_EQ(object->setXData(headless), Ovis::eBadDxfSequence);
  ovutRelRb(headless);

  // A chain of one 1001 item empties that application's list and leaves the other.
  OvResBuf* onlyName = ovutBuildList(OV_XD_APPNAME, L"APP_A", 0);
  EXPECT_EQ(object->setXData(onlyName), Ovis::eOk);
  ovutRelRb(onlyName);
  object->close();

  EXPECT_EQ(readLinkXData(lineId_, L"app_a"), Texts{});
  EXPECT_EQ(readLinkXData(lineId_, L"App_B"), (Texts{L"2", L"3"}));
  EXPECT_EQ(applications(lineId_), (std::vector<std::wstring>{L"app_a", L"app_b"}));
  EXPECT_EQ(transcript(), L"");
}

}  // namespace
