// The preview page's outputs: the table inserted into the drawing with its link lists, the
// CSV or XLS file and the settings file, each read back independently and compared with
// what the preview showed when Finish was pressed.
#include <fstream>

#include "extraction/link_list_names.h"
#include "extraction/output_table.h"
#include "platform/host/db_table.h"
#include "wizard/last_table.h"

#include "page_test_support.h"

namespace page_test {
namespace {

// What the preview shows: the headings of the shown columns in on-screen order, then every
// row as shown. With a totals row, the outputs hold an empty row where the preview shows
// the totals row and the totals row after the rest.
struct PreviewSnapshot {
  std::vector<Texts> rows;
  Texts handles;  // the shown data rows' handles, in on-screen order
};

PreviewSnapshot snapshot(DlgAssist5& page) {
  PreviewSnapshot shot;
  GridListCtrl& grid = page.previewGrid;
  int columns = grid.GetHeaderCtrl()->GetItemCount();
  std::vector<int> order(static_cast<std::size_t>(columns));
  grid.GetColumnOrderArray(order.data(), columns);
  std::vector<int> shown;
  for (int column : order) {
    if (column != 0 && grid.IsColumnShown(column)) shown.push_back(column);
  }
  Texts headings;
  for (int column : shown) headings.push_back(grid.GetColumnHeading(column));
  shot.rows.push_back(headings);
  int items = grid.GetItemCount();
  for (int item = 0; item < items; ++item) {
    Texts row;
    for (int column : shown) row.push_back(grid.GetItemText(item, column));
    bool totals = page.totalsRowAppended && item == items - 1;
    if (totals) shot.rows.push_back(Texts(shown.size()));  // the empty row stands where the totals show
    else shot.handles.push_back(grid.GetItemText(item, 0));
    shot.rows.push_back(row);
  }
  return shot;
}

// The table's cells under the title row.
std::vector<Texts> tableRows(const OvDbObjectId& id, CString* title = nullptr) {
  std::vector<Texts> rows;
  OvDbTable* table = nullptr;
  if (ovdbOpenObject(table, id, Ovis::kForRead) != Ovis::eOk) return rows;
  if (title) *title = table->textString(0, 0).c_str();
  for (unsigned r = 1; r < table->numRows(); ++r) {
    Texts row;
    for (unsigned c = 0; c < table->numColumns(); ++c) row.push_back(table->textString(r, c).c_str());
    rows.push_back(row);
  }
  table->close();
  return rows;
}

// The strings of one application's xdata on the object, read from its chain.
Texts xdataList(const OvDbObjectId& id, const wchar_t* app) {
  Texts texts;
  OvDbObject* object = nullptr;
  if (ovdbOpenObject(object, id, Ovis::kForRead) != Ovis::eOk) return texts;
  OvResBuf* chain = object->xData(app);
  object->close();
  for (OvResBuf* node = chain; node; node = node->rbnext) {
    if (node->restype == 1000) texts.push_back(node->resval.rstring);
  }
  ovutRelRb(chain);
  return texts;
}

bool hasXData(const OvDbObjectId& id) {
  OvDbObject* object = nullptr;
  if (ovdbOpenObject(object, id, Ovis::kForRead) != Ovis::eOk) return false;
  OvResBuf* chain = object->xData();
  object->close();
  bool any = chain != nullptr;
  ovutRelRb(chain);
  return any;
}

std::string hexOf(const CString& text) {
  std::string line = hexLines({{text}});
  return line.substr(0, line.size() - 1);
}

class Outputs : public WizardTest {
protected:
  // Start page, whole drawing, every kind, every property.
  void throughToPreview() {
    driver.click(IDOK);
    driver.click(IDOK);
    driver.click(IDOK);
  }
  void chooseFile(int button, const std::filesystem::path& path, int filterIndex = 0) {
    driver.click(button);
    driver.AddFileDialogAnswer(true, widePath(path), filterIndex);
  }
  void insertTableAt(double x, double y) {
    driver.click(IDC_INSERT_TABLE);
    driver.point(x, y);
  }
  PreviewSnapshot shot;
};

TEST_F(Outputs, TheSampleDrawingSortedAndThinnedOutGoesToTableCsvAndSettingsAsPreviewed) {
  useSampleDrawing();
  auto csv = scratchFile("sample.csv");
  auto qdx = scratchFile("sample.qdx");
  throughToPreview();
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    CString title;
    page.GetWindowText(title);
    EXPECT_EQ(title, L"Data extraction - Output selection (End 5/5)");
    EXPECT_EQ(page.previewGrid.GetExtendedStyle() & 0x31u, 0x31u);
    EXPECT_TRUE(page.previewGrid.headerMenuEnabled);
    EXPECT_NE(page.insertButton.GetIcon(), nullptr);
    EXPECT_EQ(page.previewGrid.GetItemCount() + 1, static_cast<int>(page.outputRows.size()));
    EXPECT_EQ(page.previewGrid.GetColumnHeading(1), L"Object type");
  });
  // Sort by the object type, hide the block preview, drag the block name column to the end.
  driver.clickHeader(IDC_PREVIEW_GRID, 1);
  driver.clickHeader(IDC_PREVIEW_GRID, 1, true);
  driver.ChooseMenuText(L"Block preview");
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    const Texts& header = page.outputRows[0];
    auto column = [&](const wchar_t* name) {
      return static_cast<int>(std::find(header.begin(), header.end(), CString(name)) - header.begin());
    };
    int preview = column(L"Block preview");
    int blockName = column(L"Block name");
    ASSERT_LT(preview, static_cast<int>(header.size()));
    ASSERT_LT(blockName, static_cast<int>(header.size()));
    EXPECT_FALSE(page.previewGrid.includedColumns[preview]);
    EXPECT_FALSE(page.previewGrid.IsColumnShown(preview));
    int columns = page.previewGrid.GetHeaderCtrl()->GetItemCount();
    std::vector<int> order(static_cast<std::size_t>(columns));
    page.previewGrid.GetColumnOrderArray(order.data(), columns);
    order.erase(std::find(order.begin(), order.end(), blockName));
    order.push_back(blockName);
    page.previewGrid.SetColumnOrderArray(columns, order.data());
  });
  insertTableAt(100, 50);
  chooseFile(IDC_EXPORT_BROWSE, csv);
  chooseFile(IDC_SAVE_SETTINGS_BROWSE, qdx);
  driver.on<DlgAssist5>([&](DlgAssist5& page) {
    EXPECT_EQ(page.outputType, 1);
    EXPECT_EQ(itemTextOf(page, IDC_EXPORT_PATH), CString(widePath(csv)));
    EXPECT_EQ(itemTextOf(page, IDC_SAVE_SETTINGS_PATH), CString(widePath(qdx)));
    EXPECT_EQ(page.insertStatus, RTNORM);
    shot = snapshot(page);
  });
  driver.click(IDOK);
  runWizard();

  ASSERT_GT(shot.rows.size(), 20u);
  EXPECT_EQ(shot.rows[0].back(), L"Block name");
  // The table: title row, then the rows as previewed.
  ASSERT_FALSE(lastTableId.isNull());
  EXPECT_EQ(tableRows(lastTableId), shot.rows);
  EXPECT_EQ(xdataList(lastTableId, kObjectHandlesApp), shot.handles);
  EXPECT_EQ(xdataList(lastTableId, kTableHeadersApp).front(), L"Object type");
  EXPECT_EQ(xdataList(lastTableId, kGroupByApp), (Texts{L""}));
  EXPECT_EQ(xdataList(lastTableId, kObjectTypesApp).size(), 9u);
  Texts originals = xdataList(lastTableId, kOriginalNamesApp);
  EXPECT_EQ(originals, xdataList(lastTableId, kDisplayNamesApp));
  EXPECT_NE(std::find(originals.begin(), originals.end(), CString(L"Block preview")), originals.end());
  {
    OvDbTable* table = nullptr;
    ASSERT_EQ(ovdbOpenObject(table, lastTableId, Ovis::kForRead), Ovis::eOk);
    EXPECT_DOUBLE_EQ(table->position().x, 100);
    EXPECT_DOUBLE_EQ(table->position().y, 50);
    table->close();
  }
  // The CSV file, read by Python's csv module.
  EXPECT_EQ(runReader("support/read_csv.py", {csv.string(), ",", "latin-1"}), hexLines(shot.rows));
  // The settings file, read by Python's XML parser.
  std::string settings = runReader("support/read_settings.py", {qdx.string()});
  EXPECT_EQ(settings.substr(0, settings.find('\n')), "KtDataExtraction");
  EXPECT_NE(settings.find("  Property name=" + hexOf(L"Block name") + " display=" + hexOf(L"Block name")),
            std::string::npos);
  EXPECT_EQ(settings.find("GroupBy"), std::string::npos);
  EXPECT_EQ(settings.find("  Option "), std::string::npos);
  EXPECT_NE(settings.find("KtTable title=-"), std::string::npos);
  // Each output reported once, in order, and the echo back on.
  std::wstring said = transcript();
  auto csvLine = said.find(L"\nCSV export done to : " + widePath(csv));
  auto qdxLine = said.find(L"\nFinished QDX export to : " + widePath(qdx));
  EXPECT_NE(csvLine, std::wstring::npos) << CString(said.c_str());
  EXPECT_NE(qdxLine, std::wstring::npos);
  EXPECT_LT(csvLine, qdxLine);
  OvResBuf echo;
  ASSERT_EQ(ovedGetVar(L"CMDECHO", &echo), RTNORM);
  EXPECT_EQ(echo.resval.rint, 1);
}

TEST_F(Outputs, AnXlsWithTheHeaderHiddenAndTotalsStartsWithTheFirstDataRowAndEndsWithTheTotals) {
  addLine(5, L"Walls");
  addLine(7.25, L"Walls");
  addLine(2, L"Doors");
  auto xls = scratchFile("walls.xls");
  auto qdx = scratchFile("walls.qdx");
  driver.click(IDOK);
  driver.click(IDOK);
  driver.click(IDOK);
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    int lengthRow = itemShowing(page.propertyGrid, 1, L"Length");
    ASSERT_GE(lengthRow, 0);
    driver.click(IDC_DISPLAY_TOTALS);
    driver.rightClickItem(IDC_PROPERTY_GRID, lengthRow, 3);
    driver.ChooseMenuText(L"No selection");
    driver.rightClickItem(IDC_PROPERTY_GRID, lengthRow, 3);  // the same menu again, now to ask for every total
    driver.ChooseMenuText(L"Select all");
    driver.click(IDC_HIDE_HEADER);
    driver.click(IDOK);
    driver.on<DlgAssist5>([&](DlgAssist5& preview) {
      EXPECT_TRUE(preview.totalsRowAppended);
      EXPECT_FALSE(preview.showHeaderLine);
      // Headings from the first data row; the data from the second.
      EXPECT_EQ(preview.previewGrid.GetColumnHeading(1), preview.outputRows[1][1]);
      // Header and first data row are not items; the empty row is not shown.
      EXPECT_EQ(preview.previewGrid.GetItemCount() + 3, static_cast<int>(preview.outputRows.size()));
      EXPECT_EQ(preview.outputRows[preview.outputRows.size() - 2], Texts(preview.outputRows[0].size()));
      shot = snapshot(preview);
    });
    chooseFile(IDC_EXPORT_BROWSE, xls);
    chooseFile(IDC_SAVE_SETTINGS_BROWSE, qdx);
    driver.on<DlgAssist5>([](DlgAssist5& preview) { EXPECT_EQ(preview.outputType, 2); });
    driver.click(IDOK);
  });
  runWizard();

  ASSERT_GE(shot.rows.size(), 4u);
  // The last row holds the sum of the lengths, as C prints it.
  char sum[32];
  std::snprintf(sum, sizeof sum, "%g", 5 + 7.25 + 2);
  bool found = false;
  for (const CString& cell : shot.rows.back()) found = found || cell == CString(sum);
  EXPECT_TRUE(found);
  EXPECT_EQ(runReader("wizard/update_read_xls.py", {xls.string()}), hexLines(shot.rows));
  std::string settings = runReader("support/read_settings.py", {qdx.string()});
  EXPECT_NE(settings.find("  Option name=" + hexOf(L"Total Line")), std::string::npos);
  EXPECT_NE(settings.find("  Option name=" + hexOf(L"Hide Header Line")), std::string::npos);
  EXPECT_NE(transcript().find(L"\nFinished XLS exportation to : " + widePath(xls)), std::wstring::npos);
}

TEST_F(Outputs, RowsCombinedByAPropertySaveItsGroupByIndexAndKeepItGoingBack) {
  addLine(5, L"Walls");
  addLine(7, L"Walls");
  addLine(2, L"Doors");
  auto qdx = scratchFile("grouped.qdx");
  throughToPreview();
  driver.click(IDC_COMBINE_ROWS);
  driver.choose(IDC_GROUP_BY, 1);
  driver.click(IDOK);
  CString groupBy;
  driver.on<DlgAssist5>([&](DlgAssist5& page) {
    EXPECT_TRUE(page.combineRows);
    EXPECT_EQ(page.groupByIndex, 1);
    groupBy = page.engine.groupBy;
    EXPECT_FALSE(groupBy.IsEmpty());
  });
  driver.click(IDC_PREVIOUS);
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    EXPECT_EQ(page.combineCheck.GetCheck(), BST_CHECKED);
    EXPECT_EQ(page.groupByCombo.GetCurSel(), 1);
    CString entry;
    page.groupByCombo.GetLBText(1, entry);
    EXPECT_EQ(entry, groupBy);
  });
  driver.click(IDC_PREVIOUS);  // to the kinds page, and forward: combining stays on
  driver.click(IDOK);
  driver.on<DlgAssist4>([](DlgAssist4& page) {
    EXPECT_TRUE(page.combineRows);
    EXPECT_EQ(page.combineCheck.GetCheck(), BST_CHECKED);
  });
  driver.click(IDOK);
  chooseFile(IDC_SAVE_SETTINGS_BROWSE, qdx);
  driver.click(IDOK);
  runWizard();
  // Saved as chosen, so that a later run groups by the same entry again.
  std::string settings = runReader("support/read_settings.py", {qdx.string()});
  EXPECT_NE(settings.find("  Option name=" + hexOf(L"GroupBy") + " value=" + hexOf(L"1")), std::string::npos)
      << settings;
}

TEST_F(Outputs, NumericAttributeColumnsAreRightAligned) {
  addBlockReference(L"DOOR", {{L"WIDTH", L"90"}, {L"MAKER", L"Acme"}});
  addBlockReference(L"DOOR", {{L"WIDTH", L"80"}, {L"MAKER", L"Bolt"}});
  throughToPreview();
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    const Texts& header = page.outputRows[0];
    auto format = [&](const wchar_t* name) {
      int column = static_cast<int>(std::find(header.begin(), header.end(), CString(name)) - header.begin());
      LVCOLUMN record{};
      record.mask = LVCF_FMT;
      EXPECT_TRUE(page.previewGrid.GetColumn(column, &record)) << CString(name);
      return record.fmt & LVCFMT_JUSTIFYMASK;
    };
    EXPECT_EQ(format(L"WIDTH"), LVCFMT_RIGHT);
    EXPECT_EQ(format(L"MAKER"), LVCFMT_LEFT);
  });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(Outputs, ThePreviewSortedAgainAfterTheInsertionLinksTheTableInItsOwnOrder) {
  addLine(5, L"B");
  addLine(7, L"C");
  addLine(2, L"A");
  addLine(4, L"D");
  auto csv = scratchFile("resorted.csv");
  throughToPreview();
  driver.click(IDOK);
  PreviewSnapshot atInsertion;
  driver.on<DlgAssist5>([&](DlgAssist5& page) {
    const Texts& header = page.outputRows[0];
    int layer = static_cast<int>(std::find(header.begin(), header.end(), CString(L"Layer")) - header.begin());
    ASSERT_LT(layer, static_cast<int>(header.size()));
    driver.clickHeader(IDC_PREVIEW_GRID, layer);  // ascending
    insertTableAt(0, 0);
    driver.on<DlgAssist5>([&](DlgAssist5& inserted) { atInsertion = snapshot(inserted); });
    driver.clickHeader(IDC_PREVIEW_GRID, layer);  // descending
    chooseFile(IDC_EXPORT_BROWSE, csv);
    driver.on<DlgAssist5>([&](DlgAssist5& sorted) { shot = snapshot(sorted); });
    driver.click(IDOK);
  });
  runWizard();
  ASSERT_EQ(atInsertion.handles.size(), 4u);
  ASSERT_NE(atInsertion.handles, shot.handles) << "the second sort changed the order";
  EXPECT_EQ(tableRows(lastTableId), atInsertion.rows);
  EXPECT_EQ(xdataList(lastTableId, kObjectHandlesApp), atInsertion.handles);
  EXPECT_EQ(runReader("support/read_csv.py", {csv.string(), ",", "latin-1"}), hexLines(shot.rows));
}

TEST_F(Outputs, ACancelledSecondInsertionStillLinksTheTableInsertedBefore) {
  addLine(5, L"Walls");
  addLine(7, L"Doors");
  throughToPreview();
  driver.click(IDOK);
  insertTableAt(10, 10);
  driver.click(IDC_INSERT_TABLE);
  driver.pointCancelled();
  driver.on<DlgAssist5>([&](DlgAssist5& page) {
    EXPECT_NE(page.insertStatus, RTNORM);
    shot = snapshot(page);
  });
  driver.click(IDOK);  // Finish: the table is an output, so no question
  runWizard();
  EXPECT_TRUE(driver.messageBoxes.empty());
  ASSERT_FALSE(lastTableId.isNull());
  EXPECT_EQ(xdataList(lastTableId, kObjectHandlesApp), shot.handles);
  EXPECT_EQ(xdataList(lastTableId, kObjectTypesApp), (Texts{L"Line"}));
}

TEST_F(Outputs, ASecondInsertionOfNoColumnStillLinksTheTableInsertedBefore) {
  addLine(5, L"Walls");
  throughToPreview();
  driver.click(IDOK);
  insertTableAt(10, 10);
  OvDbObjectId first;
  driver.on<DlgAssist5>([&](DlgAssist5& page) {
    first = lastTableId;
    shot = snapshot(page);
    for (int c = 0; c < page.previewGrid.GetHeaderCtrl()->GetItemCount(); ++c)
      page.previewGrid.SetColumnShown(c, false);
  });
  insertTableAt(20, 20);  // every column hidden: no table can be made
  driver.click(IDOK);     // Finish
  runWizard();
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(lastTableId, first);
  EXPECT_EQ(xdataList(first, kObjectHandlesApp), shot.handles);
  EXPECT_EQ(xdataList(first, kObjectTypesApp), (Texts{L"Line"}));
}

TEST_F(Outputs, FinishWithoutAnyOutputAsksAndNoStaysOnThePage) {
  addLine(5);
  throughToPreview();
  driver.click(IDOK);
  driver.click(IDOK);  // Finish
  driver.AddMessageBoxAnswer(IDNO);
  driver.type(IDC_EXPORT_PATH, L"typed-by-hand.csv");
  driver.type(IDC_SAVE_SETTINGS_PATH, L"typed-by-hand.qdx");
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    EXPECT_EQ(itemTextOf(page, IDC_EXPORT_PATH), L"typed-by-hand.csv");
    EXPECT_TRUE(page.outputPath.IsEmpty());
    EXPECT_TRUE(page.settingsOutputPath.IsEmpty());
  });
  driver.click(IDOK);
  driver.AddMessageBoxAnswer(IDYES);
  runWizard();
  ASSERT_EQ(driver.messageBoxes.size(), 2u);
  EXPECT_EQ(driver.messageBoxes[0].text, L"No output choice : Are you sure to want quit wizard ?");
  EXPECT_EQ(driver.messageBoxes[0].type, UINT(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(driver.messageBoxes[1].text, driver.messageBoxes[0].text);
  EXPECT_FALSE(std::filesystem::exists("typed-by-hand.csv"));
  EXPECT_EQ(transcript(), L"");
}

TEST_F(Outputs, AFileThatCannotBeWrittenIsReportedAsFailed) {
  addLine(5);
  auto missing = scratchFile("no-such-folder") / "lines.csv";
  auto qdx = scratchFile("failed-export.qdx");
  throughToPreview();
  driver.click(IDOK);
  chooseFile(IDC_EXPORT_BROWSE, missing);
  chooseFile(IDC_SAVE_SETTINGS_BROWSE, qdx);
  driver.click(IDOK);
  runWizard();
  std::wstring said = transcript();
  EXPECT_EQ(said.find(L"CSV export done"), std::wstring::npos) << CString(said.c_str());
  EXPECT_NE(said.find(L"\nCSV export to : " + widePath(missing) + L" failed."), std::wstring::npos);
  EXPECT_NE(said.find(L"\nFinished QDX export to : "), std::wstring::npos);
}

TEST_F(Outputs, AnXlsThatCutsTextsSaysHowManyCellsAfterItsCompletion) {
  const std::wstring longLayer(40000, L'L');
  addLine(5, longLayer.c_str());
  auto xls = scratchFile("cut.xls");
  throughToPreview();
  driver.click(IDOK);
  chooseFile(IDC_EXPORT_BROWSE, xls);
  driver.click(IDOK);
  runWizard();
  EXPECT_NE(transcript().find(L"\nFinished XLS exportation to : " + widePath(xls) +
                              L"\n1 cell(s) were cut to the file format's limit of 32,767 characters."),
            std::wstring::npos)
      << CString(transcript().c_str());
}

TEST_F(Outputs, ACancelledInsertionMakesNoTableAndLinksNoEarlierOne) {
  addLine(5);
  // A table that an earlier run inserted.
  TextGrid rows{{L"Id", L"Length"}, {L"1", L"5"}};
  lastTableId = createOutputTable(rows, {}, {true, true}, {1}, {0, 1}, OvGePoint3d(), L"Block preview", L"Old", true);
  ASSERT_FALSE(lastTableId.isNull());
  OvDbObjectId earlier = lastTableId;
  auto qdx = scratchFile("cancelled.qdx");
  throughToPreview();
  driver.click(IDOK);
  driver.click(IDC_INSERT_TABLE);
  driver.pointCancelled();
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    EXPECT_NE(page.insertStatus, RTNORM);
    EXPECT_FALSE(page.EditorCommandActive());
  });
  chooseFile(IDC_SAVE_SETTINGS_BROWSE, qdx);
  driver.click(IDOK);
  runWizard();
  EXPECT_EQ(lastTableId, earlier);
  EXPECT_FALSE(hasXData(earlier));
  OvResBuf echo;
  ASSERT_EQ(ovedGetVar(L"CMDECHO", &echo), RTNORM);
  EXPECT_EQ(echo.resval.rint, 1);
}

TEST_F(Outputs, CancelOnThePreviewWritesNothingButKeepsAnInsertedTable) {
  addLine(5);
  lastTableId = OvDbObjectId();
  throughToPreview();
  driver.click(IDOK);
  insertTableAt(0, 0);
  driver.click(IDCANCEL);
  runWizard();
  ASSERT_FALSE(lastTableId.isNull());
  EXPECT_EQ(tableRows(lastTableId).size(), 2u);
  EXPECT_FALSE(hasXData(lastTableId));
}

// A column of lengths sorts by value (decimals count, an empty cell as 0), not as text.
TEST_F(Outputs, APreviewColumnOfNumbersSortsByValue) {
  for (double length : {8.0, 12.0, 5.0, 12.5, 3.7, 3.5}) addLine(length);
  addCircle(1);  // no length
  throughToPreview();
  driver.click(IDC_DISPLAY_TOTALS);
  driver.on<DlgAssist4>(
      [&](DlgAssist4& page) { clickCheckImage(page.propertyGrid, itemShowing(page.propertyGrid, 1, L"Length"), 3); });
  driver.click(IDOK);
  int length = -1;
  driver.on<DlgAssist5>([&](DlgAssist5& page) {
    const Texts& header = page.outputRows[0];
    length = static_cast<int>(std::find(header.begin(), header.end(), CString(L"Length")) - header.begin());
    ASSERT_LT(length, static_cast<int>(header.size()));
    ASSERT_TRUE(page.totalsRowAppended);
    driver.clickHeader(IDC_PREVIEW_GRID, length);  // ascending
    driver.on<DlgAssist5>([&](DlgAssist5& sorted) { shot = snapshot(sorted); });
    driver.click(IDCANCEL);
  });
  runWizard();
  ASSERT_EQ(shot.rows.size(), 1u + 7 + 2);  // headings, the objects, the empty row and the totals
  auto at = std::find(shot.rows[0].begin(), shot.rows[0].end(), CString(L"Length")) - shot.rows[0].begin();
  std::vector<std::string> shown;
  for (std::size_t r = 1; r <= 7; ++r) shown.push_back(WideToUtf8(shot.rows[r][at].GetString()));
  std::vector<std::string> byValue = shown;
  std::stable_sort(byValue.begin(), byValue.end(), [](const std::string& a, const std::string& b) {
    return std::strtod(a.c_str(), nullptr) < std::strtod(b.c_str(), nullptr);
  });
  EXPECT_EQ(shown, byValue);
  EXPECT_EQ(shown, (std::vector<std::string>{"", "3.5", "3.7", "5", "8", "12", "12.5"}));
}

// A table inserted on the preview page is linked on Finish also after the person went back
// to the properties page, changed the rows and came forward again: the link lists describe
// the table as it was inserted.
TEST_F(Outputs, ATableInsertedBeforeGoingBackAndForthIsLinkedOnFinish) {
  addLine(5, L"Walls");
  addLine(7, L"Doors");
  lastTableId = OvDbObjectId();
  throughToPreview();
  driver.click(IDOK);
  insertTableAt(10, 10);
  Texts headers;
  driver.on<DlgAssist5>([&](DlgAssist5& page) {
    shot = snapshot(page);
    headers.assign(page.outputRows[0].begin() + 1, page.outputRows[0].end());
  });
  driver.click(IDC_PREVIOUS);
  driver.on<DlgAssist4>(
      [](DlgAssist4& page) { clickCheckImage(page.propertyGrid, itemShowing(page.propertyGrid, 1, L"Layer"), 1); });
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    const Texts& header = page.outputRows[0];
    EXPECT_EQ(std::find(header.begin(), header.end(), CString(L"Layer")), header.end());
  });
  driver.click(IDOK);  // Finish: the table is an output, so no question
  runWizard();
  EXPECT_TRUE(driver.messageBoxes.empty());
  ASSERT_FALSE(lastTableId.isNull());
  EXPECT_EQ(tableRows(lastTableId), shot.rows);
  EXPECT_EQ(xdataList(lastTableId, kObjectHandlesApp), shot.handles);
  EXPECT_EQ(xdataList(lastTableId, kTableHeadersApp), headers);
  Texts originals = xdataList(lastTableId, kOriginalNamesApp);
  EXPECT_NE(std::find(originals.begin(), originals.end(), CString(L"Layer")), originals.end());
  EXPECT_EQ(xdataList(lastTableId, kObjectTypesApp), (Texts{L"Line"}));
}

// The command line speaks the session's language also when an export fails.
TEST_F(Outputs, AFailedExportIsReportedInTheSessionsLanguage) {
  addLine(5);
  auto csv = scratchFile("no-such-folder") / "lines.csv";
  auto xls = scratchFile("no-such-folder") / "lines.xls";
  SetUserInterfaceLanguage(0x040C);  // French
  throughToPreview();
  driver.click(IDOK);
  chooseFile(IDC_EXPORT_BROWSE, csv);
  driver.click(IDOK);
  runWizard();
  SetUserInterfaceLanguage(0x0C0A);  // Spanish
  throughToPreview();
  driver.click(IDOK);
  chooseFile(IDC_EXPORT_BROWSE, xls, 2);
  driver.click(IDOK);
  runWizard();
  std::wstring said = transcript();
  EXPECT_NE(said.find(L"\n\u00C9chec de l'export CSV vers : " + widePath(csv)), std::wstring::npos)
      << CString(said.c_str());
  EXPECT_NE(said.find(L"\nError en la exportaci\u00F3n XLS a: " + widePath(xls)), std::wstring::npos)
      << CString(said.c_str());
  EXPECT_EQ(said.find(L"failed"), std::wstring::npos);
}

}  // namespace
}  // namespace page_test
