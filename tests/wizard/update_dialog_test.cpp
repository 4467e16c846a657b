// The update dialog: its texts, "Finish" before a pick, "Cancel", and the pick of a table
// that is cancelled or that meets an object which is not a table.
#include "update_test_support.h"

#include "extraction/link_list_names.h"
#include "res/resource_ids.h"

using namespace update_test;

namespace {

class UpdateDialogTest : public UpdateTest {
protected:
  // A drawing with a linked table of two lines.
  void SetUp() override {
    UpdateTest::SetUp();
    lineA = addLine(10, L"Walls");
    lineB = addLine(2, L"Doors");
    WizardChoice choice;
    choice.kinds = {L"Line"};
    choice.properties = {L"Layer", L"Length"};
    table = makeWizardTable(choice);
    before = cells(table);
  }

  OvDbObjectId lineA, lineB, table;
  Cells before;
};

TEST_F(UpdateDialogTest, ShowsItsTextsFromTheStringTable) {
  driver.look([](CWnd* dialog, int dialogId) {
    EXPECT_EQ(dialogId, IDD_UPDATE_DIALOG);
    CString caption;
    dialog->GetWindowText(caption);
    EXPECT_EQ(caption, L"Updating exportation");
    EXPECT_EQ(page_test::itemTextOf(*dialog, IDC_UPDATE_CHOICE_GROUP), L"Update choice");
    EXPECT_EQ(page_test::itemTextOf(*dialog, IDC_UPDATE_TABLE_LABEL), L"Select table and update");
    EXPECT_EQ(page_test::itemTextOf(*dialog, IDC_ADD_OBJECTS_LABEL), L"Add new objects to current table");
    EXPECT_EQ(page_test::itemTextOf(*dialog, IDC_REPLACE_OBJECTS_LABEL), L"Replace the objects selection of a table");
    EXPECT_EQ(page_test::itemTextOf(*dialog, IDC_UPDATE_EXPORT_LABEL), L"Update exportation");
    EXPECT_EQ(page_test::itemTextOf(*dialog, IDOK), L"Finish");
    EXPECT_EQ(page_test::itemTextOf(*dialog, IDCANCEL), L"Cancel");
  });
  driver.click(IDCANCEL);
  EXPECT_EQ(runDialog(), IDCANCEL);
  // Cancel ends the dialog with no pick and no message.
  EXPECT_TRUE(driver.messageBoxes.empty());
  EXPECT_EQ(transcript(), L"");
}

TEST_F(UpdateDialogTest, FinishBeforeAnyPickSaysSoAndKeepsTheDialog) {
  driver.click(IDOK);
  driver.AddMessageBoxAnswer(IDOK);
  driver.click(IDOK);
  driver.AddMessageBoxAnswer(IDOK);
  driver.click(IDCANCEL);
  EXPECT_EQ(runDialog(), IDCANCEL);
  ASSERT_EQ(driver.messageBoxes.size(), 2u);
  EXPECT_EQ(driver.messageBoxes[0].text, L"No data table selected");
  EXPECT_EQ(driver.messageBoxes[0].type, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(transcript(), L"");
  EXPECT_EQ(cells(table), before);
}

TEST_F(UpdateDialogTest, EscapeDuringThePickRunsNoAction) {
  for (int button : {IDC_UPDATE_TABLE, IDC_ADD_OBJECTS, IDC_REPLACE_OBJECTS, IDC_UPDATE_EXPORT}) {
    HostEditor::clearTranscript();
    driver.click(button);
    driver.pickCancelled();
    EXPECT_EQ(runDialog(), IDOK) << button;
    // Only the prompt: no action ran, nothing else was asked.
    EXPECT_EQ(transcript(), L"Please select the data table") << button;
    EXPECT_TRUE(driver.messageBoxes.empty());
  }
  EXPECT_EQ(cells(table), before);
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{handleOf(lineA), handleOf(lineB)}));
}

// The table was picked, but the selection of new objects is cancelled or ends empty: the
// editor is given back and the table and its lists stay.
TEST_F(UpdateDialogTest, NoNewSelectionChangesNothing) {
  for (int button : {IDC_ADD_OBJECTS, IDC_REPLACE_OBJECTS}) {
    for (auto kind : {StandIn::PickAnswer::Cancel, StandIn::PickAnswer::Nothing}) {
      HostEditor::clearTranscript();
      chooseAction(button, table);
      StandIn::PickAnswer answer;
      answer.kind = kind;
      driver.AddPickAnswer(answer);
      EXPECT_EQ(runDialog(), IDOK);
      EXPECT_EQ(transcript(),
                std::wstring(L"Please select the data table") +
                    (button == IDC_ADD_OBJECTS ? L"\nPlease select new objects" : L"\nYour new selection"));
    }
  }
  EXPECT_EQ(cells(table), before);
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{handleOf(lineA), handleOf(lineB)}));
  EXPECT_EQ(link(table, kObjectTypesApp), Texts{L"Line"});
}

TEST_F(UpdateDialogTest, APickedLineIsNoTable) {
  driver.click(IDC_UPDATE_TABLE);
  pick({lineA});
  EXPECT_EQ(runDialog(), IDOK);
  EXPECT_EQ(transcript(), L"Please select the data table");
  EXPECT_EQ(cells(table), before);
}

// A table that the wizard did not link: each list the refresh reads is named as missing,
// and the table stays as it was.
TEST_F(UpdateDialogTest, ATableWithoutLinkListsIsLeftAlone) {
  TextGrid rows = {{L"Id", L"Layer"}, {handleOf(lineA), L"Walls"}};
  OvDbObjectId bare =
      createOutputTable(rows, {}, {true, true}, {1}, {0, 1}, OvGePoint3d(), L"Block preview", L"Bare", true);
  Cells bareBefore = cells(bare);
  HostEditor::clearTranscript();
  chooseAction(IDC_UPDATE_TABLE, bare);
  EXPECT_EQ(runDialog(), IDOK);
  std::wstring expected = L"Please select the data table";
  for (const wchar_t* list :
       {kObjectHandlesApp, kObjectTypesApp, kOriginalNamesApp, kDisplayNamesApp, kGroupByApp, kTableHeadersApp}) {
    expected += L"\nNone identified '" + std::wstring(list) + L"' xData attached to this object.";
  }
  EXPECT_EQ(transcript(), expected);
  EXPECT_EQ(cells(bare), bareBefore);
}

}  // namespace
