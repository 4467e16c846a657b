// The host's dialog bases: handing the editor to the user between BeginEditorCommand and
// CompleteEditorCommand or CancelEditorCommand, and the interactive requests that are legal
// only there (point input and picks, answered by the driver).
#include <stdexcept>

#include "platform/host/db_curves.h"
#include "platform/host/db_database.h"
#include "platform/host/db_table.h"
#include "platform/host/editor.h"
#include "platform/host/editor_input.h"
#include "platform/host/selection.h"
#include "tests/support/dialog_fixture.h"

namespace dialogtest {
namespace {

class EditorTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    HostEditor::clearTranscript();
    HostEditor::setEcho(false);
    db = std::make_unique<OvDbDatabase>();
    ovdbHostApplicationServices()->setWorkingDatabase(db.get());
    line = Add(new OvDbLine(OvGePoint3d(0, 0, 0), OvGePoint3d(1, 1, 0)));
    table = Add(new OvDbTable);
    circle = Add(new OvDbCircle(OvGePoint3d(5, 5, 0), 2));
  }
  void TearDown() override {
    ovdbHostApplicationServices()->setWorkingDatabase(nullptr);
    db.reset();
    HostEditor::setEcho(true);
    DialogTest::TearDown();
  }
  OvDbObjectId Add(OvDbEntity* entity) {
    OvDbObjectId id;
    EXPECT_EQ(db->addToModelSpace(id, entity), Ovis::eOk);
    entity->close();
    return id;
  }
  static std::wstring Hex(const OvDbObjectId& id) {
    wchar_t text[17];
    id.handle().getIntoAsciiBuffer(text);
    return text;
  }
  StandIn::PickAnswer Handles(std::vector<std::wstring> handles) {
    StandIn::PickAnswer answer;
    answer.kind = StandIn::PickAnswer::Handles;
    answer.handles = std::move(handles);
    return answer;
  }
  // Runs the test dialog, calling `inside` from its Nested button; the dialog then ends.
  void RunWith(std::function<void(TestDialog&)> inside) {
    TestDialog dialog(&mainWindow);
    dialog.exchange = false;
    dialog.onNested = [&](TestDialog& d) {
      inside(d);
      d.EndDialog(IDOK);
    };
    Click(kNested);
    dialog.DoModal();
  }
  // The objects of a selection set, freeing it.
  std::vector<OvDbObjectId> Members(ov_name set) {
    std::vector<OvDbObjectId> ids;
    std::int32_t length = 0;
    ovedSSLength(set, &length);
    for (std::int32_t i = 0; i < length; ++i) {
      ov_name entity{0, 0};
      OvDbObjectId id;
      ovedSSName(set, i, entity);
      ovdbGetObjectId(id, entity);
      ids.push_back(id);
    }
    ovedSSFree(set);
    return ids;
  }

  std::unique_ptr<OvDbDatabase> db;
  OvDbObjectId line, table, circle;
};

TEST_F(EditorTest, TheDialogStepsAsideForTheEditorAndComesBack) {
  bool hiddenInside = false, ownerEnabledInside = false, visibleAfter = false, ownerDisabledAfter = false;
  int idInside = 0;
  RunWith([&](TestDialog& d) {
    d.BeginEditorCommand();
    hiddenInside = !d.IsWindowVisible();
    ownerEnabledInside = mainWindow.IsWindowEnabled() != FALSE;
    idInside = HostEditorInput::activeDialogId();
    EXPECT_TRUE(d.EditorCommandActive());
    d.CompleteEditorCommand();
    visibleAfter = d.IsWindowVisible() != FALSE;
    ownerDisabledAfter = !mainWindow.IsWindowEnabled();
  });
  EXPECT_TRUE(hiddenInside);
  EXPECT_TRUE(ownerEnabledInside) << "the user works in the main window meanwhile";
  EXPECT_EQ(idInside, static_cast<int>(kMainDialog));
  EXPECT_TRUE(visibleAfter);
  EXPECT_TRUE(ownerDisabledAfter) << "the modal dialog owns the main window again";
  EXPECT_FALSE(HostEditorInput::inDialogCommand());
}

TEST_F(EditorTest, BracketsMustBalance) {
  RunWith([&](TestDialog& d) {
    EXPECT_THROW(d.CompleteEditorCommand(), std::logic_error);
    EXPECT_THROW(d.CancelEditorCommand(), std::logic_error);
    d.BeginEditorCommand();
    EXPECT_THROW(d.BeginEditorCommand(), std::logic_error);
    d.CancelEditorCommand();
    EXPECT_TRUE(d.IsWindowVisible());
  });
  // A dialog destroyed inside its bracket closes it and is counted.
  {
    TestDialog dialog(&mainWindow);
    dialog.exchange = false;
    dialog.onNested = [](TestDialog& d) { d.BeginEditorCommand(); };
    Click(kNested);
    Click(IDOK);  // the dialog is still hidden: a person cannot click its button
    EXPECT_THROW(dialog.DoModal(), StandIn::InputScriptError);
  }
  EXPECT_EQ(HostEditorInput::unbalancedBrackets(), 1);
  EXPECT_FALSE(HostEditorInput::inDialogCommand());
  HostEditorInput::resetBrackets();
}

TEST_F(EditorTest, PointInputIsAnsweredOnlyInsideTheBracket) {
  ov_point point{0, 0, 0};
  EXPECT_THROW(ovedGetPoint(nullptr, L"\nPoint :", point), std::logic_error);
  StandIn::PointAnswer given;
  given.given = true;
  given.point[0] = 10;
  given.point[1] = 20.5;
  driver.AddPointAnswer(given);
  driver.AddPointAnswer(StandIn::PointAnswer());  // Escape
  int first = 0, second = 0;
  RunWith([&](TestDialog& d) {
    d.BeginEditorCommand();
    first = ovedGetPoint(nullptr, L"\nPlease input table insertion point :", point);
    second = ovedGetPoint(nullptr, L"\nAgain :", point);
    d.CancelEditorCommand();
  });
  EXPECT_EQ(first, RTNORM);
  EXPECT_EQ(second, RTCAN);
  EXPECT_EQ(point[0], 10);
  EXPECT_EQ(point[1], 20.5);
  EXPECT_EQ(HostEditor::transcript(), L"\nPlease input table insertion point :\nAgain :");
}

TEST_F(EditorTest, PicksResolveHandlesAndKeepWhatTheFilterAdmits) {
  OvResBuf* tablesOnly = ovutBuildList(RTDXF0, L"ACAD_TABLE", RTNONE);
  ASSERT_NE(tablesOnly, nullptr);
  driver.AddPickAnswer(Handles({Hex(table)}));
  driver.AddPickAnswer(Handles({Hex(line)}));
  driver.AddPickAnswer(Handles({Hex(circle), Hex(line), Hex(circle)}));
  StandIn::PickAnswer all;
  all.kind = StandIn::PickAnswer::All;
  driver.AddPickAnswer(all);
  driver.AddPickAnswer(StandIn::PickAnswer());  // Escape
  StandIn::PickAnswer nothing;
  nothing.kind = StandIn::PickAnswer::Nothing;
  driver.AddPickAnswer(nothing);
  std::vector<int> statuses;
  std::vector<std::vector<OvDbObjectId>> picked;
  RunWith([&](TestDialog& d) {
    d.BeginEditorCommand();
    for (const OvResBuf* filter : {(const OvResBuf*)tablesOnly, (const OvResBuf*)tablesOnly, (const OvResBuf*)nullptr,
                                   (const OvResBuf*)tablesOnly, (const OvResBuf*)nullptr, (const OvResBuf*)nullptr}) {
      ov_name set{0, 0};
      int status =
          ovedSSGet(filter == tablesOnly && statuses.size() < 2 ? L":S" : nullptr, nullptr, nullptr, filter, set);
      statuses.push_back(status);
      picked.push_back(status == RTNORM ? Members(set) : std::vector<OvDbObjectId>());
    }
    d.CompleteEditorCommand();
  });
  ovutRelRb(tablesOnly);
  EXPECT_EQ(statuses, (std::vector<int>{RTNORM, RTERROR, RTNORM, RTNORM, RTCAN, RTERROR}));
  EXPECT_EQ(picked[0], std::vector<OvDbObjectId>{table});
  EXPECT_EQ(picked[2], (std::vector<OvDbObjectId>{circle, line})) << "picked order, once each";
  EXPECT_EQ(picked[3], std::vector<OvDbObjectId>{table}) << "all objects, through the filter";
}

TEST_F(EditorTest, PicksOutsideTheBracketOrOfUnknownObjectsFailLoudly) {
  ov_name set{0, 0};
  EXPECT_THROW(ovedSSGet(nullptr, nullptr, nullptr, nullptr, set), std::logic_error);
  driver.AddPickAnswer(Handles({L"FFFF"}));
  driver.AddPickAnswer(Handles({Hex(line), Hex(circle)}));
  std::vector<std::string> errors;
  RunWith([&](TestDialog& d) {
    d.BeginEditorCommand();
    for (const wchar_t* mode : {(const wchar_t*)nullptr, L":S"}) {
      try {
        ovedSSGet(mode, nullptr, nullptr, nullptr, set);
      } catch (const StandIn::InputScriptError& error) {
        errors.push_back(error.what());
      }
    }
    d.CancelEditorCommand();
  });
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find("no object with handle FFFF"), std::string::npos) << errors[0];
  EXPECT_NE(errors[0].find("dialog 500"), std::string::npos) << errors[0];
  EXPECT_NE(errors[1].find("takes one object"), std::string::npos) << errors[1];
}

TEST_F(EditorTest, FiltersNameTypesIgnoringCaseAndUnknownFilterItemsAreRefused) {
  EXPECT_EQ(HostSelection::typeNameOf(table), L"ACAD_TABLE");
  EXPECT_EQ(HostSelection::typeNameOf(line), L"LINE");
  OvResBuf* curves = ovutBuildList(RTDXF0, L"line, Circle", RTNONE);
  ov_name set{0, 0};
  ASSERT_EQ(ovedSSGet(L"A", nullptr, nullptr, curves, set), RTNORM);
  EXPECT_EQ(Members(set), (std::vector<OvDbObjectId>{line, circle}));
  ovutRelRb(curves);
  OvResBuf* layer = ovutBuildList(8, L"0", 0);
  EXPECT_EQ(ovedSSGet(L"A", nullptr, nullptr, layer, set), RTERROR);
  ovutRelRb(layer);
}

}  // namespace
}  // namespace dialogtest
