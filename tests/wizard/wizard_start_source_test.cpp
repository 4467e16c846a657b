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

// A settings file as another XML tool writes it (Python's xml.etree, US-ASCII): every
// character beyond ASCII is a character reference. `arguments` as write_settings.py takes them.
std::filesystem::path writeWithEtree(const std::string& name, const std::vector<std::string>& arguments) {
  auto path = scratchFile(name);
  std::vector<std::string> words = {path.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  EXPECT_EQ(runReader("wizard/write_settings.py", words), "");
  return path;
}

// The settings file loaded on the start page, then Next up to the properties page.
void loadThenGoToProperties(PageDriver& driver, const std::filesystem::path& path) {
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.click(IDOK);
  driver.click(IDOK);
  driver.click(IDOK);
}

std::string hexOf(const CString& text) {
  std::string line = hexLines({{text}});
  return line.substr(0, line.size() - 1);
}

TEST_F(StartPage, OpensForANewExtractionAndNextWithoutOneEndsTheWizard) {
  driver.on<DlgAssist1>([](DlgAssist1& page) {
    EXPECT_TRUE(page.firstEntry);
    EXPECT_EQ(page.newExtractionCheck.GetCheck(), BST_CHECKED);
    EXPECT_EQ(itemTextOf(page, IDC_SETTINGS_PATH), L"");
    CString title;
    page.GetWindowText(title);
    EXPECT_EQ(title, L"Data extraction v0.8.37 - Starting (1/5)");
    EXPECT_EQ(itemTextOf(page, IDC_NEW_EXTRACTION), L"Create a new data extraction");
    EXPECT_EQ(itemTextOf(page, IDOK), L"Next");
    EXPECT_EQ(page.groupByIndex, -1);
    EXPECT_TRUE(page.createNew && page.showHeaderLine && !page.displayTotals && !page.combineRows);
  });
  driver.click(IDC_NEW_EXTRACTION);  // unchecked now
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
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.on<DlgAssist1>([&](DlgAssist1& page) {
    EXPECT_EQ(page.newExtractionCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(page.createNew);
    EXPECT_EQ(itemTextOf(page, IDC_SETTINGS_PATH), CString(widePath(path)));
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
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.click(IDC_NEW_EXTRACTION);
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

TEST_F(StartPage, ASecondFileReplacesTheDisplayNamesAndHeaderLineOfTheFirst) {
  auto first = writeSettings("first.qdx", "<Option name=\"Hide Header Line\" value=\"checked\" />");
  auto second = scratchFile("second.qdx");
  std::ofstream(second) << "<?xml version=\"1.0\" ?><KtDataExtraction><State>"
                           "<Property name=\"Layer\" display=\"Storey\" checked=\"1\" /></State>"
                           "<ExOptions /><KtTable title=\"Second\" /></KtDataExtraction>";
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(first));
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(second));
  driver.click(IDOK);
  driver.on<DlgAssist2>([](DlgAssist2& page) {
    EXPECT_EQ(page.propertyNames, (Texts{L"Layer"}));
    EXPECT_EQ(page.displayNames, (std::map<CString, CString>{{L"Layer", L"Storey"}}));
    EXPECT_EQ(page.tableTitle, L"Second");
    EXPECT_TRUE(page.showHeaderLine) << "the second file shows the header line";
  });
  driver.click(IDCANCEL);
  runWizard();
}

// A file loaded after going back from the properties page chooses the properties again:
// the checks made on that page before do not outlast the load.
TEST_F(StartPage, AFileLoadedAfterGoingBackChoosesItsProperties) {
  addLine(5, L"Walls");
  auto path = writeSettings("back-then-load.qdx", "");
  driver.click(IDOK);  // page 1: a new extraction
  driver.click(IDOK);  // page 2: the whole drawing
  driver.click(IDOK);  // page 3: every kind
  driver.on<DlgAssist4>([](DlgAssist4& page) { EXPECT_GT(page.propertyGrid.GetItemCount(), 2); });
  driver.click(IDC_PREVIOUS);
  driver.click(IDC_PREVIOUS);
  driver.click(IDC_PREVIOUS);
  loadThenGoToProperties(driver, path);
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) { EXPECT_EQ(page.outputRows[0], (Texts{L"Id", L"Level", L"Len"})); });
  driver.click(IDCANCEL);
  runWizard();
}

TEST_F(StartPage, ARejectedFileIsReportedAndNextStillGoesOn) {
  auto path = scratchFile("broken.qdx");
  std::ofstream(path) << "<KtDataExtraction><State></State></KtDataExtraction>";
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(path));
  driver.click(IDOK);
  driver.on<DlgAssist2>([&](DlgAssist2& page) { EXPECT_EQ(page.settingsPath, CString(widePath(path))); });
  driver.click(IDCANCEL);
  runWizard();
  EXPECT_EQ(transcript(), L"\nIncorrect Qdx data format, please export again.");
}

TEST_F(StartPage, CancellingTheFileDialogLeavesTheBoxUnchecked) {
  driver.click(IDC_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(false, L"");
  driver.on<DlgAssist1>([](DlgAssist1& page) {
    EXPECT_EQ(page.newExtractionCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(page.settingsPath.IsEmpty());
  });
  driver.click(IDOK);  // neither new nor loaded: the wizard ends
  runWizard();
  EXPECT_EQ(driver.asked, 2);
}

// Character references name characters: they reach the pages, the outputs and the next
// settings file as those characters, whatever code page the system has.
TEST_F(StartPage, CharacterReferencesOfAnotherToolsFileLoadAsTheirCharacters) {
  addLine(5, L"Walls");
  const CString title = L"\u00C9tage \u20AC \u03A9", length = L"Longueur \u00E9",
                layer = L"\u042D\u0442\u0430\u0436 \u20AC";
  auto in = writeWithEtree("etree.qdx", {WideToUtf8(title.str()), "", "Length=" + WideToUtf8(length.str()),
                                         "Layer=" + WideToUtf8(layer.str())});
  auto out = scratchFile("etree-saved.qdx");
  loadThenGoToProperties(driver, in);
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    EXPECT_EQ(itemTextOf(page, IDC_TITLE_EDIT), title);
    EXPECT_EQ(page.propertyGrid.GetItemText(itemShowing(page.propertyGrid, 1, L"Length"), 2), length);
    EXPECT_EQ(page.propertyGrid.GetItemText(itemShowing(page.propertyGrid, 1, L"Layer"), 2), layer);
  });
  driver.click(IDOK);
  driver.on<DlgAssist5>([&](DlgAssist5& page) { EXPECT_EQ(page.outputRows[0], (Texts{L"Id", layer, length})); });
  driver.click(IDC_SAVE_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(out));
  driver.click(IDOK);
  runWizard();
  std::string saved = runReader("support/read_settings.py", {out.string()});
  EXPECT_NE(saved.find("Property name=" + hexOf(L"Length") + " display=" + hexOf(length)), std::string::npos) << saved;
  EXPECT_NE(saved.find("Property name=" + hexOf(L"Layer") + " display=" + hexOf(layer)), std::string::npos) << saved;
  EXPECT_NE(saved.find("KtTable title=" + hexOf(title)), std::string::npos) << saved;
}

// The group-by entry follows its property's name, not its place in the list of another
// extraction; a property that is not offered means no grouping, the rest loaded.
TEST_F(StartPage, TheGroupByPropertyIsFoundByItsName) {
  addLine(5, L"Walls");
  addLine(7, L"Doors");
  addLine(2, L"Walls");
  auto byName = writeWithEtree("by-name.qdx", {"Lines", "0:Layer", "Layer=Level", "Length=Run"});
  auto notOffered = writeWithEtree("not-offered.qdx", {"Circles", "0:Radius", "Layer=Level"});
  auto saved = scratchFile("by-name-saved.qdx");
  loadThenGoToProperties(driver, byName);
  int layerEntry = -1;
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    layerEntry = page.groupByCombo.GetCurSel();
    CString chosen, first;
    page.groupByCombo.GetLBText(layerEntry, chosen);
    page.groupByCombo.GetLBText(0, first);
    EXPECT_EQ(chosen, L"Layer");
    EXPECT_NE(first, L"Layer") << "the index in the file names another entry";
    EXPECT_EQ(page.combineCheck.GetCheck(), BST_CHECKED);
  });
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    EXPECT_EQ(page.engine.groupBy, L"Layer");
    EXPECT_EQ(page.outputRows.size(), 3u) << "one row per layer";
  });
  driver.click(IDC_SAVE_SETTINGS_BROWSE);
  driver.AddFileDialogAnswer(true, widePath(saved));
  driver.click(IDOK);
  runWizard();
  std::string text = runReader("support/read_settings.py", {saved.string()});
  char index[16];
  std::snprintf(index, sizeof index, "%d", layerEntry);
  EXPECT_NE(text.find("Option name=" + hexOf(L"GroupBy") + " value=" + hexOf(CString(index)) +
                      " property=" + hexOf(L"Layer")),
            std::string::npos)
      << text;

  loadThenGoToProperties(driver, notOffered);
  driver.on<DlgAssist4>([](DlgAssist4& page) {
    EXPECT_EQ(page.combineCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(itemTextOf(page, IDC_TITLE_EDIT), L"Circles");
    EXPECT_EQ(page.propertyGrid.GetItemText(itemShowing(page.propertyGrid, 1, L"Layer"), 2), L"Level");
  });
  driver.click(IDOK);
  driver.on<DlgAssist5>([](DlgAssist5& page) {
    EXPECT_TRUE(page.engine.groupBy.IsEmpty());
    EXPECT_EQ(page.outputRows.size(), 4u);
  });
  driver.click(IDCANCEL);
  runWizard();
}

// A "GroupBy" value without a property's name groups by the group-by list's entry it
// names only when it is a whole number naming an entry that is one of the file's
// properties; any other value means no grouping.
TEST_F(StartPage, AGroupByValueNamingNoneOfTheFilesPropertiesMeansNoGrouping) {
  addLine(5, L"Walls");
  addLine(7, L"Doors");
  addLine(2, L"Walls");
  int layerEntry = -1, otherEntry = -1;
  loadThenGoToProperties(driver, writeSettings("groupby-entries.qdx", ""));
  driver.on<DlgAssist4>([&](DlgAssist4& page) {
    ASSERT_LT(page.groupByCombo.GetCount(), 64);
    layerEntry = page.groupByCombo.FindStringExact(-1, L"Layer");
    for (int entry = 0; entry < page.groupByCombo.GetCount() && otherEntry < 0; ++entry) {
      CString text;
      page.groupByCombo.GetLBText(entry, text);
      if (text != L"Layer" && text != L"Length") otherEntry = entry;
    }
  });
  driver.click(IDCANCEL);
  runWizard();
  ASSERT_GE(layerEntry, 0);
  ASSERT_GE(otherEntry, 0);

  const std::pair<std::string, bool> values[] = {
      {std::to_string(layerEntry), true}, {"yes", false},  {"", false},    {"64", false},   {"2147483647", false},
      {"99999999999", false},             {"1x", false},   {"+1", false},  {" 1", false},   {"1.0", false},
      {"-1", false},                      {"-7", false},   {std::to_string(otherEntry), false}};
  for (const auto& [value, grouped] : values) {
    SCOPED_TRACE("GroupBy \"" + value + "\"");
    loadThenGoToProperties(driver, writeSettings("groupby.qdx", "<Option name=\"GroupBy\" value=\"" + value + "\" />"));
    driver.on<DlgAssist4>([&](DlgAssist4& page) {
      EXPECT_EQ(page.combineCheck.GetCheck(), grouped ? BST_CHECKED : BST_UNCHECKED);
    });
    driver.click(IDOK);
    driver.on<DlgAssist5>([&](DlgAssist5& page) {
      EXPECT_EQ(page.engine.groupBy, grouped ? L"Layer" : L"");
      EXPECT_EQ(page.outputRows.size(), grouped ? 3u : 4u) << "one row per layer, or per line";
    });
    driver.click(IDCANCEL);
    runWizard();
  }
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
  driver.click(IDC_SELECT_OBJECTS);  // the pick, cancelled
  driver.pickCancelled();
  driver.click(IDC_SELECT_OBJECTS);  // a pick that selects nothing
  driver.AddPickAnswer(StandIn::PickAnswer{StandIn::PickAnswer::Nothing, {}});
  driver.on<DlgAssist2>([](DlgAssist2& page) { EXPECT_FALSE(page.EditorCommandActive()); });
  driver.click(IDC_SELECT_OBJECTS);  // the line only
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
  driver.click(IDC_SELECT_OBJECTS);
  driver.pickCancelled();
  driver.click(IDC_PREVIOUS);
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
