// The object kinds page and the properties page, with the hand-over between them and on
// to the preview.
#include <fstream>

#include "page_test_support.h"

namespace page_test {
namespace {

using KindsPage = WizardTest;
using PropertiesPage = WizardTest;

Texts kindsShown(DlgAssist3& page) { return columnTexts(page.kindsList, 1); }

TEST_F(KindsPage, TheFilterShowsBlocksLastAndHidesThemWhenUnchecked) {
  addLine(5);
  addBlockReference(L"DOOR");
  addCircle(1);
  driver.click(IDOK);
  driver.click(IDOK);  // the whole drawing
  driver.on<DlgAssist3>([](DlgAssist3& page) {
    EXPECT_EQ(columnTexts(page.filterList, 0), (Texts{L"Non-Block", L"Block"}));
    EXPECT_TRUE(page.filterList.GetCheck(0) && page.filterList.GetCheck(1));
    EXPECT_EQ(kindsShown(page), (Texts{L"Line", L"Circle", L"Block"}));
    EXPECT_EQ(getCheckedItemTexts(&page.kindsList), (Texts{L"Line", L"Circle", L"Block"}));
    EXPECT_EQ(page.objectRows,
              (TextGrid{{L"Chk", L"Block name"}, {L"1", L"Block"}, {L"1", L"Line"}, {L"1", L"Circle"}}));
    EXPECT_EQ(page.kindsList.GetColumnHeading(1), L"Block name");
  });
  driver.checkItem(IDC_KINDS_LIST, L"Circle", false);
  driver.checkItem(IDC_FILTER_LIST, L"Block", false);
  driver.on<DlgAssist3>([](DlgAssist3& page) {
    EXPECT_EQ(kindsShown(page), (Texts{L"Line", L"Circle"}));
    EXPECT_EQ(page.objectRows[1][0], L"1") << "the hidden block keeps its check cell";
    EXPECT_EQ(page.objectRows[3][0], L"0");
    EXPECT_EQ(page.objectFilterRows, (TextGrid{{L"0", L"Block"}, {L"1", L"Non-Block"}}));
  });
  driver.click(IDOK);
  driver.on<DlgAssist4>([](DlgAssist4& page) {
    EXPECT_EQ(page.engine.chosenTypeNames, (Texts{L"Line"}));
    EXPECT_FALSE(page.combineRows);
  });
  driver.click(IDC_PREVIOUS);
  driver.on<DlgAssist3>([](DlgAssist3& page) {
    EXPECT_FALSE(page.enteredFromSource);
    EXPECT_EQ(kindsShown(page), (Texts{L"Line", L"Circle"}));
    EXPECT_FALSE(page.propertyRows.empty());
  });
  driver.checkItem(IDC_KINDS_LIST, L"Circle", true);
  driver.on<DlgAssist3>(
      [](DlgAssist3& page) { EXPECT_FALSE(page.propertyRows.empty()) << "a kind's check keeps them"; });
  driver.checkItem(IDC_FILTER_LIST, L"Block", true);
  driver.on<DlgAssist3>([](DlgAssist3& page) {
    EXPECT_EQ(kindsShown(page), (Texts{L"Block", L"Line", L"Circle"}));
    EXPECT_TRUE(page.kindsList.GetCheck(0));
    // Page 4 follows the kinds when it opens; its rows keep the person's choices till then.
    EXPECT_FALSE(page.propertyRows.empty());
  });
  driver.click(IDCANCEL);
  runWizard();
}

// Next with nothing to extract says so and stays, rather than going on to an empty file
// reported as written or a table that is silently not made.
TEST_F(KindsPage, NextWithNoKindOrNoPropertyCheckedSaysSoAndStays) {
  addLine(5);
  addCircle(2);
  driver.click(IDOK);
  driver.click(IDOK);
  driver.on<DlgAssist3>([](DlgAssist3& page) {
    EXPECT_EQ(columnTexts(page.filterList, 0), (Texts{L"Non-Block"}));
    EXPECT_EQ(page.objectFilterRows, (TextGrid{{L"1", L"Non-Block"}}));
  });
  driver.checkItem(IDC_KINDS_LIST, L"Line", false);
  driver.checkItem(IDC_KINDS_LIST, L"Circle", false);
  driver.click(IDOK);
  driver.AddMessageBoxAnswer(IDOK);
  driver.on<DlgAssist3>([](DlgAssist3& page) { EXPECT_TRUE(getCheckedItemTexts(&page.kindsList).empty()); });
  driver.checkItem(IDC_KINDS_LIST, L"Circle", true);
  driver.click(IDOK);
  driver.on<DlgAssist4>([](DlgAssist4& page) { EXPECT_EQ(page.engine.chosenTypeNames, (Texts{L"Circle"})); });
  driver.rightClickItem(IDC_PROPERTY_GRID, 0, 1);
  driver.ChooseMenuText(L"No selection");
  driver.click(IDOK);
  driver.AddMessageBoxAnswer(IDOK);
  driver.on<DlgAssist4>([](DlgAssist4& page) { EXPECT_GT(page.propertyGrid.GetItemCount(), 0); });
  driver.click(IDCANCEL);
  runWizard();
  ASSERT_EQ(driver.messageBoxes.size(), 2u);
  EXPECT_EQ(driver.messageBoxes[0].text, L"Please check at least one object type.");
  EXPECT_EQ(driver.messageBoxes[0].caption, L"Data extraction - Objects selection (3/5)");
  EXPECT_EQ(driver.messageBoxes[1].text, L"Please check at least one property.");
  EXPECT_EQ(driver.messageBoxes[1].caption, L"Data extraction - Properties selection (4/5)");
  EXPECT_EQ(driver.messageBoxes[1].type, UINT(MB_OK | MB_ICONWARNING));
}

// A second run of the source page (here: the whole drawing after a pick of some objects)
// gives the kinds page and the properties page its kinds and properties; what the person
// chose for the ones offered before stays chosen.
TEST_F(KindsPage, PagesFollowTheLastExtractionAndKeepTheChoicesStillOffered) {
  OvDbObjectId first = addLine(5, L"Walls");
  addLine(7, L"Walls");
  OvDbObjectId circle = addCircle(2, L"Walls");
  addBlockReference(L"DOOR");
  StandIn::PickAnswer some;
  some.kind = StandIn::PickAnswer::Handles;
  some.handles = {std::wstring(handleOf(first).GetString()), std::wstring(handleOf(circle).GetString())};
  driver.click(IDOK);
  driver.click(IDC_SELECT_OBJECTS);
  driver.AddPickAnswer(some);
  driver.on<DlgAssist3>([](DlgAssist3& page) { EXPECT_EQ(kindsShown(page), (Texts{L"Line", L"Circle"})); });
  driver.checkItem(IDC_KINDS_LIST, L"Circle", false);
  driver.click(IDOK);
  // Steps queued inside a look follow the steps queued before it: the rest of the walk is
  // queued once the grid shows where its rows are.
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    int lengthRow = itemShowing(page.propertyGrid, 1, L"Length");
    ASSERT_GE(lengthRow, 0);
    driver.clickItem(IDC_PROPERTY_GRID, lengthRow, 2);
    driver.clickItem(IDC_PROPERTY_GRID, lengthRow, 2);
    driver.type(0, L"Run");
    driver.key(VK_RETURN);
    clickCheckImage(page.propertyGrid, itemShowing(page.propertyGrid, 1, L"Layer"), 1);
    driver.click(IDC_PREVIOUS);
    driver.click(IDC_PREVIOUS);
    driver.click(IDOK);  // page 2: now the whole drawing
    driver.on<DlgAssist3>([](DlgAssist3& kinds) {
      EXPECT_EQ(kindsShown(kinds), (Texts{L"Line", L"Circle", L"Block"}));
      EXPECT_EQ(getCheckedItemTexts(&kinds.kindsList), (Texts{L"Line", L"Block"}));
      EXPECT_EQ(columnTexts(kinds.filterList, 0), (Texts{L"Non-Block", L"Block"}));
    });
    driver.click(IDOK);
    driver.on<DlgAssist4>([](DlgAssist4& properties) {
      GridListCtrl& grid = properties.propertyGrid;
      EXPECT_EQ(properties.engine.chosenTypeNames, (Texts{L"Line", L"Block"}));
      int length = itemShowing(grid, 1, L"Length");
      int layer = itemShowing(grid, 1, L"Layer");
      int blockName = itemShowing(grid, 1, L"Block name");
      ASSERT_GE(length, 0);
      ASSERT_GE(layer, 0);
      ASSERT_GE(blockName, 0) << "a property offered now for the first time";
      EXPECT_EQ(grid.GetItemText(length, 2), L"Run");
      EXPECT_EQ(grid.GetCellImageIndex(layer, 1), 0);
      EXPECT_EQ(grid.GetCellImageIndex(blockName, 1), 1);
      EXPECT_EQ(itemShowing(grid, 1, L"Radius"), -1);
    });
    driver.click(IDOK);
    driver.on<DlgAssist5>([](DlgAssist5& preview) {
      const Texts& header = preview.outputRows[0];
      EXPECT_NE(std::find(header.begin(), header.end(), CString(L"Run")), header.end());
      EXPECT_EQ(std::find(header.begin(), header.end(), CString(L"Layer")), header.end());
      EXPECT_EQ(preview.outputRows.size(), 4u) << "the header, the two lines and the block";
    });
    driver.click(IDCANCEL);
  });
  runWizard();
}

// A kind unticked on the kinds page takes its properties off the properties page; ticked
// again, they come back as the person left them: checks, display names and totals.
TEST_F(KindsPage, AKindUntickedAndTickedAgainKeepsTheChoicesOfItsProperties) {
  useSampleDrawing();
  StandIn::PickAnswer lineAndDoor;
  lineAndDoor.kind = StandIn::PickAnswer::Handles;
  lineAndDoor.handles = {L"10", L"18"};
  driver.click(IDOK);
  driver.click(IDC_SELECT_OBJECTS);
  driver.AddPickAnswer(lineAndDoor);
  driver.click(IDOK);
  driver.rightClickItem(IDC_PROPERTY_GRID, 0, 1);
  driver.ChooseMenuText(L"No selection");
  for (const wchar_t* property : {L"Object type", L"Length", L"NUMBER"})
    driver.onRow(ModalAction::CheckCell, IDC_PROPERTY_GRID, property, 1, /*check=*/true);
  driver.click(IDC_DISPLAY_TOTALS);
  driver.onRow(ModalAction::CheckCell, IDC_PROPERTY_GRID, L"Length", 3, /*check=*/true);
  driver.onRow(ModalAction::CheckCell, IDC_PROPERTY_GRID, L"NUMBER", 3, /*check=*/false);
  // Rename "NUMBER" in place: click the cell to focus it, click again to edit, type, Enter.
  driver.onRow(ModalAction::ClickItem, IDC_PROPERTY_GRID, L"NUMBER", 2);
  driver.onRow(ModalAction::ClickItem, IDC_PROPERTY_GRID, L"NUMBER", 2);
  driver.type(0, L"No.");
  driver.key(VK_RETURN);
  driver.click(IDC_PREVIOUS);
  driver.checkItem(IDC_KINDS_LIST, L"Block", false);
  driver.click(IDOK);
  driver.click(IDC_PREVIOUS);
  driver.checkItem(IDC_KINDS_LIST, L"Block", true);
  driver.click(IDOK);
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& preview) {
    ASSERT_TRUE(preview.totalsRowAppended);
    EXPECT_EQ(preview.outputRows[0], (Texts{L"Id", L"Object type", L"Length", L"No."}));
    EXPECT_EQ(preview.outputRows.back(), (Texts{L"", L"", L"12", L""})) << "the length's total alone";
  });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(PropertiesPage, FirstOpeningChecksEveryPropertyAndHidesTotals) {
  addLine(5, L"Walls");
  addLine(7, L"Walls");
  driver.click(IDOK);
  driver.click(IDOK);
  driver.click(IDOK);
  driver.on<DlgAssist4>([](DlgAssist4& page) {
    CString title;
    page.GetWindowText(title);
    EXPECT_EQ(title, L"Data extraction - Properties selection (4/5)");
    ASSERT_EQ(page.propertyRows.size(), page.offeredProperties.size() + 1);
    EXPECT_EQ(page.propertyRows[0], (Texts{L"Chk", L"Categ", L"Property", L"Display name", L"Total"}));
    int shown = page.propertyGrid.GetItemCount();
    EXPECT_EQ(shown, static_cast<int>(page.offeredProperties.size()));
    for (int i = 0; i < shown; ++i) {
      EXPECT_EQ(page.propertyGrid.GetCellImageIndex(i, 1), 1);
      EXPECT_EQ(page.propertyGrid.GetItemText(i, 1), page.propertyGrid.GetItemText(i, 2));
    }
    // The grid shows the categories in filter order.
    EXPECT_EQ(columnTexts(page.filterList, 0), (Texts{L"General", L"Geometry"}));
    CString firstGeneral;
    for (std::size_t r = page.propertyRows.size(); r-- > 1;) {
      if (page.propertyRows[r][1] == L"1") firstGeneral = page.propertyRows[r][2];
    }
    EXPECT_EQ(page.propertyGrid.GetItemText(0, 1), firstGeneral);
    EXPECT_FALSE(page.propertyGrid.IsColumnShown(3));
    EXPECT_EQ(page.totalsCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(page.combineCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(page.hideHeaderCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(page.groupByCombo.GetCurSel(), 0);
    EXPECT_EQ(page.groupByCombo.GetCount(), static_cast<int>(page.offeredProperties.size()));
    EXPECT_EQ(page.propertyGrid.GetSortColumn(), -1);
  });
  // Unchecking "General" takes its properties out of the grid and out of the extraction.
  driver.checkItem(IDC_FILTER_LIST, L"General", false);
  driver.on<DlgAssist4>([](DlgAssist4& page) {
    for (int i = 0; i < page.propertyGrid.GetItemCount(); ++i) EXPECT_NE(page.propertyGrid.GetItemText(i, 1), L"Layer");
    EXPECT_EQ(page.propertyRows[1][0], L"1");
  });
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    ASSERT_FALSE(page.outputRows.empty());
    for (const CString& column : page.outputRows[0]) EXPECT_NE(column, L"Layer");
    EXPECT_NE(std::find(page.outputRows[0].begin(), page.outputRows[0].end(), CString(L"Length")),
              page.outputRows[0].end());
    EXPECT_EQ(page.outputRows.size(), 3u);
    EXPECT_FALSE(page.totalsRowAppended);
  });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(PropertiesPage, EditedDisplayNamesTotalsAndTitleReachThePreviewAndSurviveGoingBack) {
  addLine(5, L"Walls");
  addLine(7, L"Walls");
  driver.click(IDOK);
  driver.click(IDOK);
  driver.click(IDOK);
  int lengthRow = -1;
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    lengthRow = itemShowing(page.propertyGrid, 1, L"Length");
    ASSERT_GE(lengthRow, 0);
  });
  // Rename "Length" in place: click the cell to focus it, click again to edit, type, Enter.
  driver.look([&](CWnd*, int) {
    driver.clickItem(IDC_PROPERTY_GRID, lengthRow, 2);
    driver.clickItem(IDC_PROPERTY_GRID, lengthRow, 2);
    driver.type(0, L"Run");
    driver.key(VK_RETURN);
    // The category hidden by the filter and shown again keeps the name.
    driver.checkItem(IDC_FILTER_LIST, L"Geometry", false);
    driver.checkItem(IDC_FILTER_LIST, L"Geometry", true);
    driver.on<DlgAssist4>([&](DlgAssist4& page) {
      lengthRow = itemShowing(page.propertyGrid, 1, L"Length");
      ASSERT_GE(lengthRow, 0);
      EXPECT_EQ(page.propertyGrid.GetItemText(lengthRow, 2), L"Run");
    });
    // Previous to the kinds page and forward again.
    driver.click(IDC_PREVIOUS);
    driver.on<DlgAssist3>([](DlgAssist3& page) { EXPECT_EQ(page.displayNames[L"Length"], L"Run"); });
    driver.click(IDOK);
    driver.on<DlgAssist4>([&](DlgAssist4& page) {
      lengthRow = itemShowing(page.propertyGrid, 1, L"Length");  // the grid is in filter order again
      ASSERT_GE(lengthRow, 0);
      EXPECT_EQ(page.propertyGrid.GetItemText(lengthRow, 2), L"Run");
      EXPECT_TRUE(page.propertyNames.empty());
    });
    driver.click(IDC_DISPLAY_TOTALS);
    driver.on<DlgAssist4>([](DlgAssist4& page) {
      EXPECT_TRUE(page.propertyGrid.IsColumnShown(3));
      EXPECT_TRUE(page.displayTotals);
    });
    // Ask for the length total from the cell menu of the "Total" column.
    driver.rightClickItem(IDC_PROPERTY_GRID, lengthRow, 3);
    driver.ChooseMenuText(L"Select all");
    driver.type(IDC_TITLE_EDIT, L"Walls");
    driver.click(IDC_HIDE_HEADER);
    driver.click(IDOK);
    driver.on<DlgAssist5>([](DlgAssist5& page) {
      EXPECT_EQ(page.tableTitle, L"Walls");
      EXPECT_FALSE(page.showHeaderLine);
      EXPECT_TRUE(page.displayTotals);
      EXPECT_TRUE(page.totalsRowAppended);
      ASSERT_GE(page.outputRows.size(), 5u);
      auto& header = page.outputRows[0];
      auto run = std::find(header.begin(), header.end(), CString(L"Run"));
      ASSERT_NE(run, header.end()) << "the edited display name heads the column";
      std::size_t column = static_cast<std::size_t>(run - header.begin());
      // Header, two lines, the empty row the page put in, and the totals row.
      EXPECT_EQ(page.outputRows.size(), 5u);
      EXPECT_EQ(page.outputRows[3], Texts(header.size()));
      // The renamed column keeps its total, as C prints the sum.
      char sum[32];
      std::snprintf(sum, sizeof sum, "%g", 5.0 + 7.0);
      EXPECT_EQ(page.outputRows[4][column], CString(sum));
      EXPECT_EQ(page.previewGrid.GetItemCount(), 2) << "header hidden: headings from the first line";
    });
    driver.click(IDCANCEL);
  });
  runWizard();
}

TEST_F(PropertiesPage, NamesRestoredFromASettingsFileAreTheOnlyOnesChecked) {
  addLine(5, L"Walls");
  auto path = scratchFile("lines.qdx");
  std::ofstream(path) << "<?xml version=\"1.0\" ?><KtDataExtraction><State>"
                         "<Property name=\"Length\" display=\"Span\" checked=\"1\" /></State>"
                         "<ExOptions /><KtTable title=\"T\" /></KtDataExtraction>";
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.click(IDOK);
  driver.click(IDOK);
  driver.click(IDOK);
  driver.on<DlgAssist4>([](DlgAssist4& page) {
    for (int i = 0; i < page.propertyGrid.GetItemCount(); ++i) {
      bool length = page.propertyGrid.GetItemText(i, 1) == L"Length";
      EXPECT_EQ(page.propertyGrid.GetCellImageIndex(i, 1), length ? 1 : 0) << i;
      if (length) {
        EXPECT_EQ(page.propertyGrid.GetItemText(i, 2), L"Span");
      }
    }
    EXPECT_EQ(itemTextOf(page, IDC_TITLE_EDIT), L"T");
  });
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    EXPECT_EQ(page.outputRows[0], (Texts{L"Id", L"Span"}));
    EXPECT_EQ(page.displayNames, (std::map<CString, CString>{{L"Length", L"Span"}}));
  });
  // Back from the preview: the restored names are gone, the checks stay.
  driver.click(IDC_PREVIOUS);
  driver.on<DlgAssist4>([](DlgAssist4& page) {
    EXPECT_TRUE(page.propertyNames.empty());
    int checked = 0;
    for (int i = 0; i < page.propertyGrid.GetItemCount(); ++i) checked += page.propertyGrid.GetCellImageIndex(i, 1);
    EXPECT_EQ(checked, 1);
  });
  driver.click(IDCANCEL);
  runWizard();
}

// The title typed on the page, the group-by entry, the totals asked for and the properties
// left out are all there again after Previous and Next, from the kinds page and from the
// preview page.
TEST_F(PropertiesPage, TheTitleAndTheOtherChoicesSurviveGoingBackAndForth) {
  addLine(5, L"Walls");
  addLine(7, L"Doors");
  driver.click(IDOK);
  driver.click(IDOK);
  driver.click(IDOK);
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    int length = itemShowing(page.propertyGrid, 1, L"Length");
    int layer = itemShowing(page.propertyGrid, 1, L"Layer");
    CString entry;
    page.groupByCombo.GetLBText(2, entry);
    driver.type(IDC_TITLE_EDIT, L"Walls and doors");
    driver.choose(IDC_GROUP_BY, 2);
    driver.click(IDC_DISPLAY_TOTALS);
    driver.on<DlgAssist4>([=](DlgAssist4& shown) {
      clickCheckImage(shown.propertyGrid, length, 3);
      clickCheckImage(shown.propertyGrid, layer, 1);
    });
    auto choicesKept = [=](DlgAssist4& again) {
      GridListCtrl& grid = again.propertyGrid;
      EXPECT_EQ(itemTextOf(again, IDC_TITLE_EDIT), L"Walls and doors");
      CString chosen;
      again.groupByCombo.GetLBText(again.groupByCombo.GetCurSel(), chosen);
      EXPECT_EQ(chosen, entry);
      EXPECT_EQ(again.combineCheck.GetCheck(), BST_UNCHECKED);
      EXPECT_EQ(again.totalsCheck.GetCheck(), BST_CHECKED);
      EXPECT_TRUE(grid.IsColumnShown(3));
      EXPECT_EQ(grid.GetCellImageIndex(itemShowing(grid, 1, L"Length"), 3), 1);
      EXPECT_EQ(grid.GetCellImageIndex(itemShowing(grid, 1, L"Layer"), 1), 0);
      EXPECT_EQ(grid.GetCellImageIndex(itemShowing(grid, 1, L"Length"), 1), 1);
    };
    driver.click(IDC_PREVIOUS);
    driver.click(IDOK);  // the kinds page: Next
    driver.on<DlgAssist4>(choicesKept);
    driver.click(IDOK);
    driver.on<DlgAssist5>([](DlgAssist5& preview) {
      EXPECT_EQ(preview.tableTitle, L"Walls and doors");
      EXPECT_TRUE(preview.totalsRowAppended);
    });
    driver.click(IDC_PREVIOUS);
    driver.on<DlgAssist4>(choicesKept);
    driver.click(IDCANCEL);
  });
  runWizard();
}

}  // namespace
}  // namespace page_test
