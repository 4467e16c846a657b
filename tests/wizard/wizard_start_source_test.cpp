// The start page and the source page, run as the host runs the command and driven the way
// a person drives them.
#include <fstream>

#include "page_test_support.h"

namespace page_test {
namespace {

using StartPage = WizardTest;
using SourcePage = WizardTest;

// A settings file as a person's earlier run saved it, written by hand.
std::filesystem::path writeSettings(const std::string& name, const std::string& options, const char* title = "Doors") {
  auto path = scratchFile(name);
  std::ofstream out(path);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
      << "<KtDataExtraction>\n"
      << "  <State>\n"
      << "    <Property name=\"Layer\" display=\"Level\" checked=\"1\" />\n"
      << "    <Property name=\"Length\" display=\"Len\" checked=\"1\" />\n"
      << "  </State>\n"
      << "  <ExOptions>" << options << "</ExOptions>\n"
      << "  <KtTable title=\"" << title << "\" />\n"
      << "</KtDataExtraction>\n";
  return path;
}

TEST_F(StartPage, OpensForANewExtractionAndNextWithoutOneEndsTheWizard) {
  driver.on<DlgAssist1>([](DlgAssist1& page) {
    EXPECT_TRUE(page.firstEntry);
    EXPECT_EQ(page.newExtractionCheck.GetCheck(), BST_CHECKED);
    EXPECT_EQ(itemTextOf(page, kSettingsPathEdit), L"");
    CString title;
    page.GetWindowText(title);
    EXPECT_EQ(title, L"Data extraction v0.8.37 - Starting (1/5)");
    EXPECT_EQ(itemTextOf(page, kNewCheck), L"Create a new data extraction");
    EXPECT_EQ(itemTextOf(page, IDOK), L"Next");
    EXPECT_EQ(page.groupByIndex, -1);
    EXPECT_TRUE(page.createNew && page.showHeaderLine && !page.displayTotals && !page.combineRows);
  });
  driver.click(kNewCheck);  // unchecked now
  driver.on<DlgAssist1>([](DlgAssist1& page) { EXPECT_FALSE(page.createNew); });
  driver.click(IDOK);
  runWizard();
  EXPECT_EQ(driver.asked, 2) << "no page after the start page";
  EXPECT_EQ(transcript(), L"");
}

TEST_F(StartPage, ALoadedSettingsFilePrefillsThePagesThatFollow) {
  auto path = writeSettings("doors.qdx",
                            "<Option name=\"Total Line\" value=\"checked\" />"
                            "<Option name=\"Hide Header Line\" value=\"checked\" />"
                            "<Option name=\"GroupBy\" value=\"2\" />");
  driver.click(kBrowse);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.on<DlgAssist1>([&](DlgAssist1& page) {
    EXPECT_EQ(page.newExtractionCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(page.createNew);
    EXPECT_EQ(itemTextOf(page, kSettingsPathEdit), CString(widePath(path)));
  });
  driver.click(IDOK);
  driver.on<DlgAssist2>([&](DlgAssist2& page) {
    EXPECT_EQ(page.propertyNames, (Texts{L"Layer", L"Length"}));
    EXPECT_EQ(page.settingsPath, CString(widePath(path)));
    EXPECT_EQ(page.tableTitle, L"Doors");
    EXPECT_EQ(page.displayNames, (std::map<CString, CString>{{L"Layer", L"Level"}, {L"Length", L"Len"}}));
    EXPECT_TRUE(page.displayTotals);
    EXPECT_FALSE(page.showHeaderLine);
    EXPECT_TRUE(page.combineRows);
    EXPECT_EQ(page.groupByIndex, 2);
    EXPECT_FALSE(page.createNew);
  });
  driver.click(IDCANCEL);
  runWizard();
  ASSERT_EQ(driver.fileDialogs.size(), 1u);
  const auto& asked = driver.fileDialogs[0];
  EXPECT_TRUE(asked.open);
  EXPECT_EQ(asked.initialName, L"*.qdx");
  EXPECT_EQ(asked.flags & (OFN_FILEMUSTEXIST | OFN_HIDEREADONLY), DWORD(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
  ASSERT_EQ(asked.filters.size(), 1u);
  EXPECT_EQ(asked.filters[0].second, L"*.qdx");
  EXPECT_EQ(transcript(), L"");
}

TEST_F(StartPage, CheckingNewAgainDropsTheNamesAndPathButKeepsTitleNamesAndFlags) {
  auto path = writeSettings("plain.qdx", "");
  driver.click(kBrowse);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.click(kNewCheck);
  driver.click(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2& page) {
    EXPECT_TRUE(page.propertyNames.empty());
    EXPECT_TRUE(page.settingsPath.IsEmpty());
    EXPECT_TRUE(page.createNew);
    EXPECT_EQ(page.tableTitle, L"Doors");
    EXPECT_EQ(page.displayNames.size(), 2u);
    // No group-by option: combining stays as it was; no "Total Line": totals off.
    EXPECT_FALSE(page.combineRows);
    EXPECT_FALSE(page.displayTotals);
    EXPECT_TRUE(page.showHeaderLine);
  });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(StartPage, ASecondFileReplacesTheDisplayNamesOfTheFirst) {
  auto first = writeSettings("first.qdx", "");
  auto second = scratchFile("second.qdx");
  std::ofstream(second) << "<?xml version=\"1.0\" ?><KtDataExtraction><State>"
                           "<Property name=\"Layer\" display=\"Storey\" checked=\"1\" /></State>"
                           "<ExOptions /><KtTable title=\"Second\" /></KtDataExtraction>";
  driver.click(kBrowse);
  driver.AddFileDialogAnswer(true, widePath(first));
  driver.click(kBrowse);
  driver.AddFileDialogAnswer(true, widePath(second));
  driver.click(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2& page) {
    EXPECT_EQ(page.propertyNames, (Texts{L"Layer"}));
    EXPECT_EQ(page.displayNames, (std::map<CString, CString>{{L"Layer", L"Storey"}}));
    EXPECT_EQ(page.tableTitle, L"Second");
  });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(StartPage, ARejectedFileIsReportedAndNextStillGoesOn) {
  auto path = scratchFile("broken.qdx");
  std::ofstream(path) << "<KtDataExtraction><State></State></KtDataExtraction>";
  driver.click(kBrowse);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.click(IDOK);
  driver.on<DlgAssist2>([&](DlgAssist2& page) { EXPECT_EQ(page.settingsPath, CString(widePath(path))); });
  driver.click(IDCANCEL);
  runWizard();
  EXPECT_EQ(transcript(), L"\nIncorrect Qdx data format, please export again.");
}

TEST_F(StartPage, CancellingTheFileDialogLeavesTheBoxUnchecked) {
  driver.click(kBrowse);
  driver.AddFileDialogAnswer(false, L"");
  driver.on<DlgAssist1>([](DlgAssist1& page) {
    EXPECT_EQ(page.newExtractionCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(page.settingsPath.IsEmpty());
  });
  driver.click(IDOK);  // neither new nor loaded: the wizard ends
  runWizard();
  EXPECT_EQ(driver.asked, 2);
}

TEST_F(SourcePage, ShowsTheDrawingAndStaysOpenOnAnEmptyDrawing) {
  driver.click(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2& page) {
    EXPECT_EQ(page.currentDrawingRadio.GetCheck(), BST_CHECKED);
    ASSERT_EQ(page.drawingList.GetItemCount(), 1);
    EXPECT_EQ(page.drawingList.GetItemText(0, 0), L"C:\\plans\\floor.dwg");
    EXPECT_EQ(page.drawingImages.GetImageCount(), 1);
    CString title;
    page.GetWindowText(title);
    EXPECT_EQ(title, L"Data extraction - Define data source (2/5)");
  });
  driver.click(IDOK);  // nothing to extract
  driver.on<DlgAssist2>([](DlgAssist2&) {});
  driver.click(IDCANCEL);
  runWizard();
  EXPECT_EQ(transcript(), L"");
  EXPECT_TRUE(driver.messageBoxes.empty());
}

TEST_F(SourcePage, ACancelledOrEmptyPickStaysAndASuccessfulOneOpensTheKindsAtOnce) {
  OvDbObjectId line = addLine(5);
  addCircle(2);
  driver.click(IDOK);
  driver.click(kBrowse);  // the pick, cancelled
  driver.pickCancelled();
  driver.click(kBrowse);  // a pick that selects nothing
  driver.AddPickAnswer(StandIn::PickAnswer{StandIn::PickAnswer::Nothing, {}});
  driver.on<DlgAssist2>([](DlgAssist2& page) { EXPECT_FALSE(page.EditorCommandActive()); });
  driver.click(kBrowse);  // the line only
  driver.AddPickAnswer(StandIn::PickAnswer{StandIn::PickAnswer::Handles, {handleOf(line).GetString()}});
  driver.on<DlgAssist3>([](DlgAssist3& page) {
    EXPECT_TRUE(page.enteredFromSource);
    EXPECT_EQ(page.presentKinds, (PresentTypeMap{kKindLine}));
    EXPECT_EQ(page.engine.lines.size(), 1u);
    EXPECT_EQ(HostSelection::liveSets(), 0) << "the selection is freed once extracted";
  });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(SourcePage, PreviousGoesBackWithTheStateAndKeepsTheGroupByIndex) {
  addLine(5);
  driver.click(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2& page) {
    page.groupByIndex = 3;  // as a later page would have set it
    page.tableTitle = L"Walls";
  });
  driver.click(kBrowse);
  driver.pickCancelled();
  driver.click(kPrevious);
  driver.on<DlgAssist1>([](DlgAssist1& page) {
    EXPECT_FALSE(page.firstEntry);
    EXPECT_EQ(page.groupByIndex, 3);
    EXPECT_EQ(page.tableTitle, L"Walls");
    EXPECT_EQ(page.newExtractionCheck.GetCheck(), BST_CHECKED);
  });
  driver.click(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2& page) { EXPECT_EQ(page.groupByIndex, 3); });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(SourcePage, NextWithoutTheDrawingChosenWarns) {
  addLine(5);
  driver.click(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2& page) { page.currentDrawingRadio.SetCheck(BST_UNCHECKED); });
  driver.click(IDOK);
  driver.AddMessageBoxAnswer(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2&) {});
  driver.click(IDCANCEL);
  runWizard();
  ASSERT_EQ(driver.messageBoxes.size(), 1u);
  EXPECT_EQ(driver.messageBoxes[0].text, L"Please select data source or objects first.");
  EXPECT_EQ(driver.messageBoxes[0].caption, L"Warning Data source");
  EXPECT_EQ(driver.messageBoxes[0].type, UINT(MB_OK));
}

}  // namespace
}  // namespace page_test
