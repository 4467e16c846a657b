// The update actions run from the dialog on a linked table: refresh after the drawing
// changed, adding objects, replacing the selection, and exporting the table's cells (read
// back by Python's csv module and by xlrd).
#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <tuple>

#include "update_test_support.h"

#include "common/numbers.h"
#include "extraction/link_list_names.h"
#include "res/resource_ids.h"
#include "tests/support/allocation_hook.h"

using namespace update_test;

namespace {

const wchar_t kPickPrompt[] = L"Please select the data table";

class UpdateActionsTest : public UpdateTest {
protected:
  void SetUp() override {
    UpdateTest::SetUp();
    walls = addLine(10, L"Walls");
    doors = addLine(2, L"Doors");
    shortWall = addLine(5, L"Walls");
  }

  OvDbObjectId lineTable(bool totals = false) {
    WizardChoice choice;
    choice.kinds = {L"Line"};
    choice.properties = {L"Layer", L"Length"};
    if (totals) choice.totals = {L"Length"};
    return makeWizardTable(choice);
  }

  // Runs one action of the dialog on the table, then the selection the action asks for.
  void runAction(int button, const OvDbObjectId& table, const std::vector<OvDbObjectId>& selection = {}) {
    chooseAction(button, table);
    if (!selection.empty()) pick(selection);
    EXPECT_EQ(runDialog(), IDOK);
  }

  // The column of a header text in a table's row 1.
  static size_t columnOf(const Cells& table, const wchar_t* header) {
    const Texts& row = table.at(1);
    return static_cast<size_t>(std::find(row.begin(), row.end(), CString(header)) - row.begin());
  }

  // A heavyweight polyline: an object that no table shows.
  OvDbObjectId addBoundary() {
    auto* boundary = new OvDb2dPolyline;
    boundary->appendVertex(OvGePoint3d(0, 0, 0));
    boundary->appendVertex(OvGePoint3d(4, 0, 0));
    return add(boundary);
  }

  OvDbObjectId walls, doors, shortWall;
};

TEST_F(UpdateActionsTest, RefreshFollowsChangedAndErasedObjects) {
  OvDbObjectId table = lineTable();
  ASSERT_EQ(
      cells(table),
      (Cells{{L"Extraction", L""}, {L"Layer", L"Length"}, {L"Walls", L"10"}, {L"Doors", L"2"}, {L"Walls", L"5"}}));
  setLineLength(doors, 4.25);
  erase(shortWall);
  addLine(1, L"Roof");  // not in the table: a refresh does not add it

  runAction(IDC_UPDATE_TABLE, table);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nTable updated.");
  EXPECT_EQ(cells(table), (Cells{{L"Extraction", L""}, {L"Layer", L"Length"}, {L"Walls", L"10"}, {L"Doors", L"4.25"}}));
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{handleOf(walls), handleOf(doors)}));
  EXPECT_EQ(link(table, kObjectTypesApp), Texts{L"Line"});

  // Nothing changed since: the second refresh says so and keeps the lists.
  HostEditor::clearTranscript();
  runAction(IDC_UPDATE_TABLE, table);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nTable already up to date.");
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{handleOf(walls), handleOf(doors)}));
}

TEST_F(UpdateActionsTest, RefreshRecomputesTotalsAndHonoursAnEmptyGroupBy) {
  OvDbObjectId table = lineTable(true);
  ASSERT_EQ(cells(table).back(), (Texts{L"", L"17"}));
  ASSERT_EQ(link(table, kGroupByApp), Texts{L""});
  setLineLength(walls, 12.5);
  runAction(IDC_UPDATE_TABLE, table);
  EXPECT_EQ(cells(table), (Cells{{L"Extraction", L""},
                                 {L"Layer", L"Length"},
                                 {L"Walls", L"12.5"},
                                 {L"Doors", L"2"},
                                 {L"Walls", L"5"},
                                 {L"", L""},
                                 {L"", L"19.5"}}));
}

TEST_F(UpdateActionsTest, RefreshOfAGroupedTableMatchesRowsByTheirGroup) {
  WizardChoice choice;
  choice.kinds = {L"Line"};
  choice.properties = {L"Layer", L"Length"};
  choice.groupBy = L"Layer";
  choice.totals = {L"Length"};
  OvDbObjectId table = makeWizardTable(choice);
  ASSERT_EQ(
      cells(table),
      (Cells{
          {L"Extraction", L""}, {L"Layer", L"Length"}, {L"Doors", L"2"}, {L"Walls", L"15"}, {L"", L""}, {L"", L"17"}}));
  setLineLength(shortWall, 6.5);
  runAction(IDC_UPDATE_TABLE, table);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nTable updated.");
  EXPECT_EQ(cells(table), (Cells{{L"Extraction", L""},
                                 {L"Layer", L"Length"},
                                 {L"Doors", L"2"},
                                 {L"Walls", L"16.5"},
                                 {L"", L""},
                                 {L"", L"18.5"}}));
}

// Without a header line the stored headers stand for it: the refresh still finds its
// columns, a renamed one included, and the first data row stays first.
TEST_F(UpdateActionsTest, RefreshOfATableWithoutHeaderLine) {
  WizardChoice choice;
  choice.kinds = {L"Line"};
  choice.properties = {L"Layer", L"Length"};
  choice.renamed = {{L"Layer", L"Calque"}};
  choice.headerShown = false;
  OvDbObjectId table = makeWizardTable(choice);
  ASSERT_EQ(cells(table), (Cells{{L"Extraction", L""}, {L"Walls", L"10"}, {L"Doors", L"2"}, {L"Walls", L"5"}}));
  setLineLength(walls, 9);
  erase(doors);
  runAction(IDC_UPDATE_TABLE, table);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nTable updated.");
  EXPECT_EQ(cells(table), (Cells{{L"Extraction", L""}, {L"Walls", L"9"}, {L"Walls", L"5"}}));
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{handleOf(walls), handleOf(shortWall)}));
}

TEST_F(UpdateActionsTest, InconsistentNameListsStopEveryRebuildingAction) {
  OvDbObjectId table = lineTable();
  writeLinkXData(table, kDisplayNamesApp, {L"One too many"});
  Cells before = cells(table);
  OvDbObjectId extra = addLine(3, L"Roof");
  setLineLength(walls, 11);
  runAction(IDC_UPDATE_TABLE, table);
  runAction(IDC_ADD_OBJECTS, table, {extra});
  runAction(IDC_REPLACE_OBJECTS, table, {extra});
  EXPECT_EQ(cells(table), before);
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{handleOf(walls), handleOf(doors), handleOf(shortWall)}));
  EXPECT_EQ(transcript().find(L"\nTable "), std::wstring::npos) << CString(transcript().c_str());
}

TEST_F(UpdateActionsTest, AddingObjectsAddsOnlyNewShapesAndMergesTheLists) {
  OvDbObjectId table = lineTable();
  OvDbObjectId roof = addLine(1.5, L"Roof");
  OvDbObjectId boundary = addBoundary();  // a kind no table shows
  runAction(IDC_ADD_OBJECTS, table, {roof, boundary, walls});
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nPlease select new objects\nTable updated.");
  EXPECT_EQ(link(table, kObjectHandlesApp),
            (Texts{handleOf(walls), handleOf(doors), handleOf(shortWall), handleOf(roof)}));
  EXPECT_EQ(link(table, kObjectTypesApp), Texts{L"Line"});

  // The header holds the old columns and the new line's geometric properties, ascending.
  PropertyCatalogue catalogue;
  std::set<CString> expected = {L"Layer", L"Length"};
  for (const PropertyItem& item : catalogue.lineItems) expected.insert(item.name);
  Cells now = cells(table);
  ASSERT_EQ(now.size(), 6u);
  EXPECT_EQ(now[0][0], L"Extraction");
  EXPECT_EQ(now[1], Texts(expected.begin(), expected.end()));
  size_t layer = columnOf(now, L"Layer"), length = columnOf(now, L"Length");
  ASSERT_LT(layer, now[1].size());
  ASSERT_LT(length, now[1].size());
  std::vector<std::pair<CString, CString>> rows;
  for (size_t r = 2; r < now.size(); ++r) rows.emplace_back(now[r][layer], now[r][length]);
  EXPECT_EQ(rows, (std::vector<std::pair<CString, CString>>{
                      {L"Walls", L"10"}, {L"Doors", L"2"}, {L"Walls", L"5"}, {L"Roof", L"1.5"}}));

  // Objects that are all in the table already change nothing.
  HostEditor::clearTranscript();
  runAction(IDC_ADD_OBJECTS, table, {roof, doors});
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nPlease select new objects\nTable already up to date.");
  EXPECT_EQ(cells(table), now);
  EXPECT_EQ(link(table, kObjectHandlesApp).size(), 4u);
}

// After objects were added, the lists describe the table as rewritten: a refresh with
// nothing changed in the drawing finds the header line and each row's object, and leaves
// the table as it is.
TEST_F(UpdateActionsTest, ARefreshAfterAddingObjectsFindsTheTableUpToDate) {
  OvDbObjectId table = lineTable();
  OvDbObjectId pillar = addCircle(2, L"Pillars");
  runAction(IDC_ADD_OBJECTS, table, {pillar});
  Cells added = cells(table);
  ASSERT_EQ(added.size(), 6u);
  EXPECT_EQ(link(table, kTableHeadersApp), added[1]);
  // The circle's row comes first (kinds in name order), and so does its handle.
  EXPECT_EQ(link(table, kObjectHandlesApp),
            (Texts{handleOf(pillar), handleOf(walls), handleOf(doors), handleOf(shortWall)}));

  HostEditor::clearTranscript();
  runAction(IDC_UPDATE_TABLE, table);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nTable already up to date.");
  EXPECT_EQ(cells(table), added);

  // A change is still found in its own row.
  setLineLength(doors, 3);
  HostEditor::clearTranscript();
  runAction(IDC_UPDATE_TABLE, table);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nTable updated.");
  Cells refreshed = cells(table);
  size_t length = columnOf(refreshed, L"Length");
  ASSERT_LT(length, refreshed[1].size());
  EXPECT_EQ(refreshed[4][length], L"3");
  refreshed[4][length] = added[4][length];
  EXPECT_EQ(refreshed, added);
}

// A block reference among the new objects brings the block kind, its block name and its
// attribute tags into the table.
TEST_F(UpdateActionsTest, AddingABlockReferenceAddsItsNameAndAttributes) {
  OvDbObjectId table = lineTable();
  OvDbObjectId desk = addBlockReference(L"Desk");
  OvDbBlockReference* reference = nullptr;
  ASSERT_EQ(ovdbOpenObject(reference, desk, Ovis::kForWrite), Ovis::eOk);
  auto* attribute = new OvDbAttribute(L"ROOM", L"B12");
  OvDbObjectId attributeId;
  ASSERT_EQ(reference->appendAttribute(attributeId, attribute), Ovis::eOk);
  attribute->close();
  reference->close();

  runAction(IDC_ADD_OBJECTS, table, {desk});
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nPlease select new objects\nTable updated.");
  EXPECT_EQ(link(table, kObjectTypesApp), (Texts{L"Block", L"Line"}));
  EXPECT_EQ(link(table, kObjectHandlesApp),
            (Texts{handleOf(desk), handleOf(walls), handleOf(doors), handleOf(shortWall)}));
  Cells now = cells(table);
  size_t name = columnOf(now, L"Block name"), room = columnOf(now, L"ROOM"), layer = columnOf(now, L"Layer");
  ASSERT_LT(name, now[1].size());
  ASSERT_LT(room, now[1].size());
  ASSERT_LT(layer, now[1].size());
  // The block's row comes first (kinds in name order), then the lines as before.
  ASSERT_EQ(now.size(), 6u);
  EXPECT_EQ(now[2][name], L"Desk");
  EXPECT_EQ(now[2][room], L"B12");
  Texts layers;
  for (size_t r = 3; r < now.size(); ++r) layers.push_back(now[r][layer]);
  EXPECT_EQ(layers, (Texts{L"Walls", L"Doors", L"Walls"}));
}

// An ungrouped table whose first column is not "Quantity" stays ungrouped when objects are
// added: every object keeps its own row.
TEST_F(UpdateActionsTest, AddingObjectsToAnUngroupedTableKeepsOneRowPerObject) {
  WizardChoice choice;
  choice.kinds = {L"Line"};
  choice.properties = {L"Layer"};
  OvDbObjectId table = makeWizardTable(choice);
  OvDbObjectId more = addLine(7, L"Walls");
  runAction(IDC_ADD_OBJECTS, table, {more});
  Cells now = cells(table);
  size_t layer = columnOf(now, L"Layer");
  ASSERT_LT(layer, now[1].size());
  Texts layers;
  for (size_t r = 2; r < now.size(); ++r) layers.push_back(now[r][layer]);
  EXPECT_EQ(layers, (Texts{L"Walls", L"Doors", L"Walls", L"Walls"}));
}

TEST_F(UpdateActionsTest, ReplacingTheSelectionRewritesTableAndLists) {
  WizardChoice choice;
  choice.kinds = {L"Line"};
  choice.properties = {L"Layer"};
  choice.renamed = {{L"Layer", L"Calque"}};
  OvDbObjectId table = makeWizardTable(choice);
  ASSERT_EQ(cells(table)[1], Texts{L"Calque"});
  OvDbObjectId small = addCircle(0.5, L"Columns"), big = addCircle(2, L"Pillars");
  OvDbObjectId boundary = addBoundary();
  runAction(IDC_REPLACE_OBJECTS, table, {big, boundary, small});
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nYour new selection\nTable updated.");
  EXPECT_EQ(link(table, kObjectTypesApp), Texts{L"Circle"});
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{handleOf(big), handleOf(small)}));
  // The column keeps its display name; the rows come in selection order.
  EXPECT_EQ(cells(table), (Cells{{L"Extraction"}, {L"Calque"}, {L"Pillars"}, {L"Columns"}}));
  // The other lists stay as the wizard wrote them.
  EXPECT_EQ(link(table, kOriginalNamesApp), Texts{L"Layer"});
  EXPECT_EQ(link(table, kDisplayNamesApp), Texts{L"Calque"});
}

// Python's csv module reads back the table's rows under its title: the header line as the
// table shows it, names that look like numbers included, and data cells as numbers are
// written; in a one-column table the empty row before the totals is one empty field.
TEST_F(UpdateActionsTest, ExportWritesTheTableCellsAsCsv) {
  {
    OvDbEntity* wall = nullptr;
    ASSERT_EQ(ovdbOpenObject(wall, walls, Ovis::kForWrite), Ovis::eOk);
    wall->setLayer(L"0042");
    wall->close();
  }
  const std::map<CString, CString> numericNames = {{L"Layer", L"2024.10"}, {L"Length", L"0042"}};
  auto lines = [](Texts properties, Texts totals, std::map<CString, CString> renamed, bool headerShown) {
    WizardChoice choice;
    choice.kinds = {L"Line"};
    choice.properties = properties;
    choice.totals = totals;
    choice.renamed = renamed;
    choice.headerShown = headerShown;
    return choice;
  };
  const WizardChoice choices[] = {lines({L"Layer", L"Length"}, {L"Length"}, {}, true),
                                  lines({L"Length"}, {L"Length"}, {}, true),
                                  lines({L"Layer", L"Length"}, {}, numericNames, true),
                                  lines({L"Length", L"Layer"}, {}, numericNames, false)};
  // A data cell as the export writes it: a numeric text as "%g" writes its value.
  auto dataForm = [](const CString& text) {
    if (!isNumericText(text)) return text;
    char printed[64];
    std::snprintf(printed, sizeof printed, "%g", std::wcstod(text.GetString(), nullptr));
    return CString(printed);
  };
  for (const WizardChoice& choice : choices) {
    OvDbObjectId table = makeWizardTable(choice);
    auto path = page_test::scratchFile("update export.csv");
    chooseAction(IDC_UPDATE_EXPORT, table);
    driver.AddFileDialogAnswer(true, widePath(path), 1);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nCSV export done to : " + widePath(path));
    HostEditor::clearTranscript();
    Cells expected = cells(table);
    expected.erase(expected.begin());  // the title row is not exported
    for (size_t r = choice.headerShown ? 1 : 0; r < expected.size(); ++r) {
      for (size_t c = 1; c < expected[r].size(); ++c) expected[r][c] = dataForm(expected[r][c]);
    }
    EXPECT_EQ(runReader("support/read_csv.py", {path.string(), ",", "latin-1"}), hexLines(expected))
        << choice.properties.size() << " columns, header " << (choice.headerShown ? "shown" : "hidden");
  }
}

TEST_F(UpdateActionsTest, ExportWritesTheTableCellsAsXls) {
  HostEditor::setVariable(L"VERLAN", L"en-US");
  setLineLength(doors, 2.75);
  OvDbObjectId table = lineTable();
  auto path = page_test::scratchFile("update export.xls");
  chooseAction(IDC_UPDATE_EXPORT, table);
  driver.AddFileDialogAnswer(true, widePath(path), 2);
  EXPECT_EQ(runDialog(), IDOK);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nFinished XLS exportation to : " + widePath(path));
  Cells expected = cells(table);
  expected.erase(expected.begin());
  EXPECT_EQ(runReader("wizard/update_read_xls.py", {path.string()}), hexLines(expected));
}

// Texts longer than the workbook format holds are cut, the file is written all the same,
// and one more line says how many cells were cut.
TEST_F(UpdateActionsTest, AnXlsExportThatCutsTextsSaysHowManyCells) {
  OvDbObjectId table = lineTable();
  OvDbTable* cellsOf = nullptr;
  ASSERT_EQ(ovdbOpenObject(cellsOf, table, Ovis::kForWrite), Ovis::eOk);
  const std::wstring longText(40000, L'w');
  ASSERT_EQ(cellsOf->setTextString(2, 0, longText.c_str()), Ovis::eOk);
  ASSERT_EQ(cellsOf->setTextString(3, 0, longText.c_str()), Ovis::eOk);
  cellsOf->close();
  auto path = page_test::scratchFile("update export cut.xls");
  chooseAction(IDC_UPDATE_EXPORT, table);
  driver.AddFileDialogAnswer(true, widePath(path), 2);
  EXPECT_EQ(runDialog(), IDOK);
  EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\nFinished XLS exportation to : " + widePath(path) +
                              L"\n2 cell(s) were cut to the file format's limit of 32,767 characters.");
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(UpdateActionsTest, AFailedExportIsReportedAsFailed) {
  OvDbObjectId table = lineTable();
  auto missingFolder = page_test::scratchFile("no such folder");
  for (auto [name, index, kind] : {std::tuple{"out.csv", 1, L"CSV"}, std::tuple{"out.xls", 2, L"XLS"}}) {
    HostEditor::clearTranscript();
    std::wstring path = widePath(missingFolder / name);
    chooseAction(IDC_UPDATE_EXPORT, table);
    driver.AddFileDialogAnswer(true, path, index);
    EXPECT_EQ(runDialog(), IDOK);
    EXPECT_EQ(transcript(), std::wstring(kPickPrompt) + L"\n" + kind + L" export to : " + path + L" failed.");
    EXPECT_FALSE(std::filesystem::exists(missingFolder / name));
  }
}

// Memory that runs out while an export reads or builds its file, for each file of both
// commands: the export is reported as failed, never as done, the earlier file stays as it
// was, and nothing reaches the host. A layer name of 40,000 characters and a title of 18 KB
// in UTF-8 make each export ask for blocks of a size refused from the moment it starts.
TEST_F(UpdateActionsTest, AnExportThatRunsOutOfMemoryIsReportedAsFailed) {
  const std::wstring longLayer(40000, L'm'), longTitle(6000, L'\u4E2D');
  addLine(7, longLayer.c_str());
  OvDbObjectId table = lineTable();
  struct Export {
    const char* file;
    bool byUpdate;
    int browse;  // the wizard's button that chooses the file
    int filterIndex;
    const wchar_t* failed;  // the failure line, with the path when it names one
    const wchar_t* done;    // how the success line starts
  };
  const Export exports[] = {
      {"oom wizard.csv", false, IDC_EXPORT_BROWSE, 1, L"\nCSV export to : %s failed.", L"CSV export done"},
      {"oom wizard.xls", false, IDC_EXPORT_BROWSE, 2, L"\nXLS export to : %s failed.", L"Finished XLS"},
      {"oom wizard.qdx", false, IDC_SAVE_SETTINGS_BROWSE, 1, L"\nQDX exportation failed !", L"Finished QDX"},
      {"oom update.csv", true, 0, 1, L"\nCSV export to : %s failed.", L"CSV export done"},
      {"oom update.xls", true, 0, 2, L"\nXLS export to : %s failed.", L"Finished XLS"},
  };
  const std::string earlier = "an earlier file\n";
  for (const Export& out : exports) {
    SCOPED_TRACE(out.file);
    const auto path = page_test::scratchFile(out.file);
    std::ofstream(path, std::ios::binary) << earlier;
    HostEditor::clearTranscript();
    LargeAllocationsRefused refusal(16 * 1024);
    std::optional<ScopedAllocationHook> outOfMemory;
    if (out.byUpdate) {
      chooseAction(IDC_UPDATE_EXPORT, table);
      driver.AddFileDialogAnswer(true, widePath(path), out.filterIndex);
      outOfMemory.emplace(refusal);
      EXPECT_EQ(runDialog(), IDOK);
    } else {
      for (int page = 1; page <= 3; ++page) driver.click(IDOK);
      driver.type(IDC_TITLE_EDIT, longTitle.c_str());
      driver.click(IDOK);
      driver.click(out.browse);
      driver.AddFileDialogAnswer(true, widePath(path), out.filterIndex);
      driver.on<DlgAssist5>([&](DlgAssist5&) { outOfMemory.emplace(refusal); });
      driver.click(IDOK);
      runWizard();
    }
    outOfMemory.reset();
    EXPECT_GT(refusal.refused(), 0);
    std::wstring failed = out.failed;
    if (size_t at = failed.find(L"%s"); at != std::wstring::npos) failed.replace(at, 2, widePath(path));
    EXPECT_NE(transcript().find(failed), std::wstring::npos) << CString(transcript().c_str());
    EXPECT_EQ(transcript().find(out.done), std::wstring::npos) << CString(transcript().c_str());
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()), earlier);
  }
}

TEST_F(UpdateActionsTest, ACancelledFileDialogWritesNothing) {
  OvDbObjectId table = lineTable();
  chooseAction(IDC_UPDATE_EXPORT, table);
  driver.AddFileDialogAnswer(false, L"");
  EXPECT_EQ(runDialog(), IDOK);
  EXPECT_EQ(transcript(), kPickPrompt);
}

}  // namespace
