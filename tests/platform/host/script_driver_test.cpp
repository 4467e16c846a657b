// The host program's script: commands and answers in one file, answers taken strictly in
// order by the request they fit, and loud failures that name the line and the request.
#include <sstream>

#include "platform/host/script_input.h"
#include "tests/support/dialog_fixture.h"

namespace dialogtest {
namespace {

using HostScript::AnswerLine;
using HostScript::ParseAnswerLine;
using StandIn::ModalAction;

ModalAction ActionOf(const std::string& line) { return HostScript::ModalActionFromLine(ParseAnswerLine(line, 1)); }

std::string FailureOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const StandIn::InputScriptError& error) {
    return error.what();
  }
  return "";
}

TEST(ScriptLines, QuotedArgumentsKeepTheirBlanksAndEscapes) {
  AnswerLine line = ParseAnswerLine(R"( check 1023 "Non-Block \"x\" \\ y" )", 4);
  EXPECT_EQ(line.verb, "check");
  EXPECT_EQ(line.args, (std::vector<std::string>{"1023", R"(Non-Block "x" \ y)"}));
  EXPECT_EQ(line.quoted, (std::vector<bool>{false, true}));
  EXPECT_EQ(line.line, 4);
  EXPECT_EQ(ParseAnswerLine("file  C:/out dir/a.csv ", 1).rest, "C:/out dir/a.csv");
  AnswerLine commented = ParseAnswerLine(R"(check 1023 "a ; b" ; the filter;s entry)", 1);
  EXPECT_EQ(commented.args, (std::vector<std::string>{"1023", "a ; b"}));
  EXPECT_EQ(ParseAnswerLine("file out/a;b.csv  ; the output", 1).rest, "out/a;b.csv");
  EXPECT_NE(FailureOf([] { ParseAnswerLine(R"(check 1 "open)", 9, "job.scr"); }).find("job.scr:9"), std::string::npos);
  EXPECT_THROW(ParseAnswerLine("   ", 1), StandIn::InputScriptError);
}

TEST(ScriptLines, EachDialogVerbBecomesItsAction) {
  ModalAction click = ActionOf("click 1002");
  EXPECT_EQ(click.kind, ModalAction::ClickButton);
  EXPECT_EQ(click.controlId, 1002);
  ModalAction key = ActionOf("key Tab shift");
  EXPECT_EQ(key.kind, ModalAction::PressKey);
  EXPECT_EQ(key.key, static_cast<UINT>(VK_TAB));
  EXPECT_EQ(key.modifiers, static_cast<UINT>(MK_SHIFT));
  EXPECT_EQ(ActionOf("key c ctrl").key, static_cast<UINT>('C'));
  ModalAction type = ActionOf("type 1056 Doors and  windows");
  EXPECT_EQ(type.text, L"Doors and  windows");
  EXPECT_EQ(ActionOf(R"(type 1056 "  padded ")").text, L"  padded ");
  EXPECT_EQ(ActionOf("type 1056").text, L"");
  ModalAction check = ActionOf(R"(uncheck 1023 "Block")");
  EXPECT_EQ(check.kind, ModalAction::CheckItem);
  EXPECT_FALSE(check.check);
  EXPECT_EQ(check.item, -1);
  EXPECT_EQ(check.text, L"Block");
  ModalAction cell = ActionOf("cell 1025 3 2 ctrl");
  EXPECT_EQ(cell.kind, ModalAction::ClickItem);
  EXPECT_EQ(cell.item, 3);
  EXPECT_EQ(cell.subItem, 2);
  EXPECT_EQ(cell.modifiers, static_cast<UINT>(MK_CONTROL));
  EXPECT_EQ(ActionOf("dblclick 1025 0 2").kind, ModalAction::DoubleClickItem);
  EXPECT_EQ(ActionOf("rclick 1025 0 1").kind, ModalAction::RightClickItem);
  EXPECT_EQ(ActionOf("rheader 1022 2").kind, ModalAction::RightClickHeader);
  ModalAction header = ActionOf("header 1022 2");
  EXPECT_EQ(header.kind, ModalAction::ClickHeader);
  EXPECT_EQ(header.subItem, 2);
  ModalAction drag = ActionOf("drag 1022 4 0");
  EXPECT_EQ(drag.kind, ModalAction::DragItem);
  EXPECT_EQ(drag.item, 4);
  EXPECT_EQ(drag.targetItem, 0);
  ModalAction choose = ActionOf(R"(choose 1034 "Layer")");
  EXPECT_EQ(choose.kind, ModalAction::ChooseEntry);
  EXPECT_EQ(choose.text, L"Layer");
  EXPECT_EQ(ActionOf("close").kind, ModalAction::Close);
}

TEST(ScriptLines, MalformedDialogAnswersAreRefusedWithTheirLine) {
  for (const char* bad :
       {"click", "click ok", "click 1 2", "key", "key hyper", "check 1023", "check 1023 -1", "cell 1025 1",
        "header 1022", "drag 1022 1", "choose 1034", "close now", "cell 1025 0 1 alt", "wave 1"}) {
    std::string failure = FailureOf([&] { ActionOf(bad); });
    EXPECT_NE(failure.find("script:1: "), std::string::npos) << bad << ": " << failure;
  }
}

class ScriptDriverTest : public DialogTest {
protected:
  void Load(const std::string& text) {
    script.str(text);
    script.clear();
    scriptDriver = std::make_unique<HostScript::ScriptInputDriver>(script, "job.scr");
  }
  std::istringstream script;
  std::unique_ptr<HostScript::ScriptInputDriver> scriptDriver;
};

TEST_F(ScriptDriverTest, CommandsAndTheirAnswersAlternate) {
  Load(
      "; a job\n\nDATAEXTRACTION\n> click 1004\n  > click 1\nDATAEXTRACTIONUPDATE\n> answer yes\n> file-filter 2 out/a "
      "b.xls\n"
      "> pick handles 1f 2A\n> point 1.5, -2\n> menu \"Select all\"\n> cancel\n");
  std::string command;
  ASSERT_TRUE(scriptDriver->NextCommand(command));
  EXPECT_EQ(command, "DATAEXTRACTION");
  EXPECT_EQ(scriptDriver->NextModalAction(nullptr, 102).controlId, 1004);
  EXPECT_EQ(scriptDriver->NextModalAction(nullptr, 102).controlId, 1);
  ASSERT_TRUE(scriptDriver->NextCommand(command));
  EXPECT_EQ(command, "DATAEXTRACTIONUPDATE");
  EXPECT_EQ(scriptDriver->AnswerMessageBox(L"Quit?", L"Wizard", MB_YESNO), IDYES);
  StandIn::FileDialogAnswer file = scriptDriver->AnswerFileDialog(StandIn::FileDialogRequest());
  EXPECT_TRUE(file.accepted);
  EXPECT_EQ(file.path, L"out/a b.xls");
  EXPECT_EQ(file.filterIndex, 2);
  StandIn::PickAnswer pick = scriptDriver->AnswerPick(StandIn::PickRequest());
  EXPECT_EQ(pick.kind, StandIn::PickAnswer::Handles);
  EXPECT_EQ(pick.handles, (std::vector<std::wstring>{L"1f", L"2A"}));
  StandIn::PointAnswer point = scriptDriver->AnswerPoint(StandIn::PointRequest());
  EXPECT_TRUE(point.given);
  EXPECT_EQ(point.point[0], 1.5);
  EXPECT_EQ(point.point[1], -2);
  EXPECT_EQ(point.point[2], 0);
  StandIn::MenuSnapshot menu;
  StandIn::MenuItemSnapshot item;
  item.id = 1;
  item.text = L"Select all";
  menu.items.push_back(item);
  EXPECT_EQ(scriptDriver->ChooseMenuCommand(menu), 1u);
  EXPECT_FALSE(scriptDriver->AnswerFileDialog(StandIn::FileDialogRequest()).accepted);
  EXPECT_FALSE(scriptDriver->NextCommand(command));
  scriptDriver->Finish();
}

TEST_F(ScriptDriverTest, ARequestWithoutItsAnswerNamesTheDialogAndTheLine) {
  Load("DATAEXTRACTION\n> click 1\nNEXTCOMMAND\n");
  std::string command;
  scriptDriver->NextCommand(command);
  scriptDriver->NextModalAction(nullptr, 102);
  std::string failure = FailureOf([&] { scriptDriver->NextModalAction(nullptr, 103); });
  EXPECT_NE(failure.find("job.scr:3"), std::string::npos) << failure;
  EXPECT_NE(failure.find("dialog 103"), std::string::npos) << failure;
  EXPECT_NE(failure.find("NEXTCOMMAND"), std::string::npos) << failure;
  scriptDriver->NextCommand(command);
  failure = FailureOf([&] { scriptDriver->AnswerPoint(StandIn::PointRequest()); });
  EXPECT_NE(failure.find("script has ended"), std::string::npos) << failure;
}

TEST_F(ScriptDriverTest, AnAnswerOfAnotherKindIsNotTakenForTheRequest) {
  Load("CMD\n> point 1,2\n");
  std::string command;
  scriptDriver->NextCommand(command);
  std::string failure = FailureOf([&] { scriptDriver->NextModalAction(nullptr, 135); });
  EXPECT_NE(failure.find("dialog 135"), std::string::npos) << failure;
  EXPECT_NE(failure.find("> point 1,2"), std::string::npos) << failure;
  EXPECT_EQ(scriptDriver->AnswerPoint(StandIn::PointRequest()).point[1], 2)
      << "the answer is still there for its request";
}

TEST_F(ScriptDriverTest, LeftoverAnswersFailAtTheNextCommandOrAtTheEnd) {
  Load("> click 1\nCMD\n");
  std::string command;
  EXPECT_NE(FailureOf([&] { scriptDriver->NextCommand(command); }).find("job.scr:1"), std::string::npos);
  Load("CMD\n> answer ok\n");
  scriptDriver->NextCommand(command);
  EXPECT_NE(FailureOf([&] { scriptDriver->Finish(); }).find("no request took"), std::string::npos);
}

TEST_F(ScriptDriverTest, MalformedAnswersToOtherRequestsAreRefused) {
  Load(
      "C\n> answer maybe\n> point 1\n> point a,b\n> point 1,2,-1e400\n> pick some\n> pick handles XYZ\n> file\n> "
      "file-filter x a.csv\n> menu\n");
  std::string command;
  scriptDriver->NextCommand(command);
  EXPECT_THROW(scriptDriver->AnswerMessageBox(L"", L"", MB_OK), StandIn::InputScriptError);
  EXPECT_THROW(scriptDriver->AnswerPoint(StandIn::PointRequest()), StandIn::InputScriptError);
  EXPECT_THROW(scriptDriver->AnswerPoint(StandIn::PointRequest()), StandIn::InputScriptError);
  EXPECT_THROW(scriptDriver->AnswerPoint(StandIn::PointRequest()), StandIn::InputScriptError) << "beyond a double";
  EXPECT_THROW(scriptDriver->AnswerPick(StandIn::PickRequest()), StandIn::InputScriptError);
  EXPECT_THROW(scriptDriver->AnswerPick(StandIn::PickRequest()), StandIn::InputScriptError);
  EXPECT_THROW(scriptDriver->AnswerFileDialog(StandIn::FileDialogRequest()), StandIn::InputScriptError);
  EXPECT_THROW(scriptDriver->AnswerFileDialog(StandIn::FileDialogRequest()), StandIn::InputScriptError);
  StandIn::MenuSnapshot menu;
  EXPECT_THROW(scriptDriver->ChooseMenuCommand(menu), StandIn::InputScriptError);
}

TEST_F(ScriptDriverTest, AScriptDrivesARealDialogThroughItsControls) {
  Load("RUN\n> check 1040 \"Arc\"\n> choose 1020 \"beta\"\n> type 1030 from the script\n> click 1004\n> key enter\n");
  std::string command;
  scriptDriver->NextCommand(command);
  StandIn::ScopedInputDriver scoped(*scriptDriver);
  TestDialog dialog(&mainWindow);
  dialog.check = 0;
  dialog.onInit = [](TestDialog& d) {
    d.list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    d.list.InsertColumn(0, L"Kind", LVCFMT_LEFT, 80);
    d.list.InsertItem(0, L"Line");
    d.list.InsertItem(1, L"Arc");
    for (const wchar_t* text : {L"gamma", L"alpha", L"beta"})
      d.SendDlgItemMessage(kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.comboIndex, 1);
  EXPECT_EQ(dialog.name, L"from the scr") << "the edit takes 12 characters";
  EXPECT_EQ(dialog.check, 1);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"init", "item 1 check 1", "click 1,0", "combo dropdown",
                                                     "combo selchange", "combo selendok", "combo closeup", "check 1"}));
  scriptDriver->Finish();
}

}  // namespace
}  // namespace dialogtest
