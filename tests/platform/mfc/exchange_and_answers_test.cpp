// Data exchange between members and controls, and the answers a person gives to message
// boxes and file dialogs.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/dialog_fixture.h"
#include "tests/support/test_output.h"
#include "tests/support/wide_path.h"

namespace dialogtest {
namespace {

using StandIn::ModalAction;

ModalAction Type(int id, const wchar_t* text) {
  ModalAction action;
  action.kind = ModalAction::TypeText;
  action.controlId = id;
  action.text = text;
  return action;
}

TEST_F(DialogTest, MembersShowInTheControlsAndComeBackOnOk) {
  TestDialog dialog(&mainWindow);
  dialog.check = 1;
  dialog.radio = 2;
  dialog.name = L"door";
  dialog.count = -12;
  std::wstring nameShown, countShown;
  int checkShown = -1, radioShown = -1;
  dialog.onInit = [&](TestDialog& d) {
    CString text;
    d.GetDlgItemText(kName, text);
    nameShown = text.str();
    d.GetDlgItemText(kCount, text);
    countShown = text.str();
    checkShown = static_cast<int>(d.IsDlgButtonChecked(kCheck));
    radioShown = d.GetCheckedRadioButton(kRadioA, kRadioC);
  };
  Click(kCheck);
  Click(kRadioA);
  Action(Type(kName, L"window"));
  Action(Type(kCount, L" 42 "));
  Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(nameShown, L"door");
  EXPECT_EQ(countShown, L"-12");
  EXPECT_EQ(checkShown, 1);
  EXPECT_EQ(radioShown, kRadioC);
  EXPECT_EQ(dialog.check, 0);
  EXPECT_EQ(dialog.radio, 0);
  EXPECT_EQ(dialog.name, L"window");
  EXPECT_EQ(dialog.count, 42);
}

TEST_F(DialogTest, CancelKeepsTheMembersAsTheyWere) {
  TestDialog dialog(&mainWindow);
  Action(Type(kName, L"changed"));
  Click(IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.name, L"first");
}

TEST_F(DialogTest, AFieldThatDoesNotConvertIsReportedFocusedAndKeepsTheDialogOpen) {
  TestDialog dialog(&mainWindow);
  CString typedName;
  dialog.onNested = [&](TestDialog& d) {
    d.GetDlgItemText(kName, typedName);
    d.SetDlgItemText(kName, L"a name longer than twelve");  // past the edit's limit, by code
  };
  Action(Type(kCount, L"12a"));
  Click(IDOK);  // refused: the box is answered, the dialog stays with the field focused and selected
  driver.AddMessageBoxAnswer(IDOK);
  Action(Type(0, L"150"));  // typed over the selection of the focused field
  Click(IDOK);              // out of range
  driver.AddMessageBoxAnswer(IDOK);
  Action(Type(0, L"15"));
  Action(Type(kName, L"a name far too long"));  // the edit takes 12 characters
  Click(kNested);
  Click(IDOK);  // too long
  driver.AddMessageBoxAnswer(IDOK);
  Action(Type(kName, L"short"));
  Click(IDOK);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(typedName, L"a name far t");
  EXPECT_EQ(dialog.count, 15);
  EXPECT_EQ(dialog.name, L"short");
  const auto& boxes = StandIn::ShownMessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, L"Please enter an integer.");
  EXPECT_EQ(boxes[1].text, L"Enter an integer between 0 and 99.");
  EXPECT_EQ(boxes[2].text, L"Enter no more than 12 characters.");
}

TEST_F(DialogTest, MessageBoxesTakeOnlyTheButtonsTheyShow) {
  driver.AddMessageBoxAnswer(IDNO);
  EXPECT_EQ(AfxMessageBox(L"Quit?", MB_YESNO | MB_ICONQUESTION), IDNO);
  driver.AddMessageBoxAnswer(IDOK);
  EXPECT_EQ(mainWindow.MessageBox(L"Please select data source or objects first.", L"Warning Data source", MB_OK), IDOK);
  driver.AddMessageBoxAnswer(IDYES);
  try {
    AfxMessageBox(L"No data table selected", MB_ICONINFORMATION);
    ADD_FAILURE() << "an OK box took Yes";
  } catch (const StandIn::InputScriptError& error) {
    EXPECT_NE(std::string(error.what()).find("offers ok, not yes"), std::string::npos) << error.what();
  }
  const auto& boxes = StandIn::ShownMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(boxes[1].caption, L"Warning Data source");
  EXPECT_EQ(StandIn::MessageBoxButtons(MB_YESNOCANCEL), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
}

TEST_F(DialogTest, AMessageBoxWithoutAnAnswerNamesItsCaptionAndText) {
  try {
    ::MessageBoxW(nullptr, L"Are you sure?", L"Wizard", MB_YESNO);
    ADD_FAILURE() << "no failure";
  } catch (const StandIn::InputScriptError& error) {
    std::string what = error.what();
    EXPECT_NE(what.find("Wizard"), std::string::npos) << what;
    EXPECT_NE(what.find("Are you sure?"), std::string::npos) << what;
  }
}

TEST_F(DialogTest, TheSaveDialogTakesTheFilterFromTheExtensionOrTheAnswer) {
  const wchar_t* filter = L"Csv file (*.csv)|*.csv| Xls file (*.xls)|*.xls||";
  CFileDialog save(/*openFileDialog=*/FALSE, L"", L"*.csv", OFN_HIDEREADONLY, filter, nullptr, 0, /*vistaStyle=*/TRUE);
  ASSERT_EQ(save.Filters().size(), 2u);
  EXPECT_EQ(save.Filters()[1].first, L" Xls file (*.xls)");
  driver.AddFileDialogAnswer(true, L"/tmp/out/Doors.XLS");
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_EQ(save.GetOFN().nFilterIndex, 2u);
  EXPECT_EQ(save.GetPathName(), L"/tmp/out/Doors.XLS");
  EXPECT_EQ(save.GetFileName(), L"Doors.XLS");
  EXPECT_EQ(save.GetFileExt(), L"XLS");
  EXPECT_EQ(save.GetFileTitle(), L"Doors");

  CFileDialog again(FALSE, L"", L"*.csv", OFN_HIDEREADONLY, filter);
  driver.AddFileDialogAnswer(true, L"C:\\out\\table.txt", 0);
  ASSERT_EQ(again.DoModal(), IDOK);
  EXPECT_EQ(again.m_ofn.nFilterIndex, 1u) << "no pattern matches: the filter it opened with";
  EXPECT_EQ(again.GetFileName(), L"table.txt");

  CFileDialog chosen(FALSE, nullptr, nullptr, OFN_HIDEREADONLY, filter);
  driver.AddFileDialogAnswer(true, L"out.csv", 2);
  ASSERT_EQ(chosen.DoModal(), IDOK);
  EXPECT_EQ(chosen.m_ofn.nFilterIndex, 2u);

  CFileDialog cancelled(FALSE, nullptr, nullptr, OFN_HIDEREADONLY, filter);
  driver.AddFileDialogAnswer(false, L"");
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(cancelled.GetPathName(), L"");

  CFileDialog wrongFilter(FALSE, nullptr, nullptr, OFN_HIDEREADONLY, filter);
  driver.AddFileDialogAnswer(true, L"out.csv", 3);
  EXPECT_THROW(wrongFilter.DoModal(), StandIn::InputScriptError);
}

TEST_F(DialogTest, TheOpenDialogAddsTheDefaultExtensionAndWantsAnExistingFile) {
  std::filesystem::path existing = testOutputFolder() / "dialog_open_test.qdx";
  std::ofstream(existing) << "<x/>";
  CFileDialog open(TRUE, L"qdx", L"*.qdx", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"Qdx file (*.qdx)|*.qdx||");
  std::wstring base = widePath(testOutputFolder());
  driver.AddFileDialogAnswer(true, base + L"/dialog_open_test");
  ASSERT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(open.GetPathName(), CString(base + L"/dialog_open_test.qdx"));
  CFileDialog missing(TRUE, L"", L"*.qdx", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"Qdx file (*.qdx)|*.qdx||");
  driver.AddFileDialogAnswer(true, base + L"/no_such_file.qdx");
  EXPECT_THROW(missing.DoModal(), StandIn::InputScriptError);
  std::filesystem::remove(existing);
}

}  // namespace
}  // namespace dialogtest
