// The update command on tables the wizard made from the sample drawing, one case for each
// way a table used to come out wrong while "Table updated." was printed, and a failure
// that must leave the table as it was. The sample's walls: lines 10 and 12 are 12 long, 11
// and 13 are 8 long, the inner wall 14 is 5 long, all on the layer "Walls".
#include "wizard_script.h"

#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <functional>

#include "extraction/link_list_names.h"
#include "platform/host/db_table.h"
#include "res/resource_ids.h"

using namespace update_test;

namespace {

// While it lives, the process may map only a little more memory than it has mapped now, so
// that an allocation of gigabytes fails at once instead of exhausting the machine.
class AddressSpaceCap {
public:
  explicit AddressSpaceCap(rlim_t headroom) {
    getrlimit(RLIMIT_AS, &saved_);
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    rlimit capped = saved_;
    capped.rlim_cur = std::min<rlim_t>(saved_.rlim_max, pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + headroom);
    setrlimit(RLIMIT_AS, &capped);
  }
  ~AddressSpaceCap() { setrlimit(RLIMIT_AS, &saved_); }
  AddressSpaceCap(const AddressSpaceCap&) = delete;
  AddressSpaceCap& operator=(const AddressSpaceCap&) = delete;

private:
  rlimit saved_{};
};

const wchar_t kUpdated[] = L"Table updated.";
const wchar_t kUpToDate[] = L"Table already up to date.";

class UpdateCases : public WizardScriptTest {
protected:
  void SetUp() override {
    WizardScriptTest::SetUp();
    useSampleDrawing();
  }

  // The wizard over the walls (every line of the drawing) with these properties.
  WizardPlan walls(Texts kept) {
    WizardPlan plan;
    plan.picks = objectsByKind()[L"Line"];
    plan.propertiesKept = std::move(kept);
    return plan;
  }

  OvDbObjectId lineId(const wchar_t* handle) {
    OvDbObjectId id;
    EXPECT_EQ(db()->getOvDbObjectId(id, false, OvDbHandle(handle)), Ovis::eOk);
    return id;
  }

  // The line keeps its start and direction and gets this length.
  void setLength(const wchar_t* handle, double length) {
    OvDbLine* line = nullptr;
    ASSERT_EQ(ovdbOpenObject(line, lineId(handle), Ovis::kForWrite), Ovis::eOk);
    OvGeVector3d along = line->endPoint() - line->startPoint();
    line->setEndPoint(line->startPoint() + along * (length / along.length()));
    line->close();
  }

  void runAction(int button, const OvDbObjectId& table, const std::vector<OvDbObjectId>& selection = {}) {
    HostEditor::clearTranscript();
    chooseAction(button, table);
    if (!selection.empty()) pick(selection);
    EXPECT_EQ(runDialog(), IDOK);
  }
  void refresh(const OvDbObjectId& table) { runAction(IDC_UPDATE_TABLE, table); }

  // Refreshing with nothing changed changes nothing and says so.
  void expectRefreshChangesNothing(const OvDbObjectId& table) {
    TableState before = state(table);
    refresh(table);
    EXPECT_EQ(lastMessage(), kUpToDate);
    EXPECT_EQ(state(table), before);
  }

  // The table's merged ranges as rows first and last, then columns first and last.
  std::vector<std::array<unsigned, 4>> merges(const OvDbObjectId& id) {
    std::vector<std::array<unsigned, 4>> out;
    OvDbTable* table = nullptr;
    EXPECT_EQ(ovdbOpenObject(table, id, Ovis::kForRead), Ovis::eOk);
    if (!table) return out;
    for (const OvDbTable::CellRange& r : table->mergedRanges())
      out.push_back({r.minRow, r.maxRow, r.minColumn, r.maxColumn});
    table->close();
    return out;
  }

  // The table changed by hand, open for write.
  void editTable(const OvDbObjectId& id, const std::function<void(OvDbTable*)>& edit) {
    OvDbTable* table = nullptr;
    ASSERT_EQ(ovdbOpenObject(table, id, Ovis::kForWrite), Ovis::eOk);
    edit(table);
    table->close();
  }

  std::vector<OvDbObjectId> ids(const Texts& handles) {
    std::vector<OvDbObjectId> out;
    for (const CString& handle : handles) out.push_back(lineId(handle));
    return out;
  }
};

TEST_F(UpdateCases, ARefreshLeavesOutObjectsThatWereNeverInTheTable) {
  WizardPlan plan = walls({L"Object type", L"Quantity", L"Layer", L"Length"});
  for (Texts picks : {Texts{L"10", L"11"}, Texts{L"12", L"13"}}) {
    plan.picks = picks;
    OvDbObjectId table = runPlan(plan);
    ASSERT_EQ(cells(table), (Cells{{L"", L"", L"", L""},
                                   {L"Object type", L"Quantity", L"Layer", L"Length"},
                                   {L"Line", L"1", L"Walls", L"12"},
                                   {L"Line", L"1", L"Walls", L"8"}}));
    expectRefreshChangesNothing(table);
    EXPECT_EQ(link(table, kObjectHandlesApp), picks);
  }
}

TEST_F(UpdateCases, RowsCombinedWithTheirCountAreNotTakenForGroupedRows) {
  WizardPlan plan = walls({L"Quantity", L"Layer", L"Length"});
  plan.combineBy = L"Layer";
  OvDbObjectId table = runPlan(plan);
  const Cells made = {{L"", L"", L""},
                      {L"Quantity", L"Layer", L"Length"},
                      {L"2", L"Walls", L"12"},
                      {L"2", L"Walls", L"8"},
                      {L"1", L"Walls", L"5"}};
  ASSERT_EQ(cells(table), made);
  EXPECT_EQ(link(table, kGroupByApp), Texts{L""});
  expectRefreshChangesNothing(table);

  setLength(L"13", 5);  // now like the inner wall
  refresh(table);
  EXPECT_EQ(lastMessage(), kUpdated);
  EXPECT_EQ(cells(table), (Cells{{L"", L"", L""},
                                 {L"Quantity", L"Layer", L"Length"},
                                 {L"2", L"Walls", L"12"},
                                 {L"1", L"Walls", L"8"},
                                 {L"2", L"Walls", L"5"}}));
}

TEST_F(UpdateCases, AColumnHiddenOrMovedInThePreviewKeepsEveryRowInItsPlace) {
  WizardPlan plan = walls({L"Object type", L"Layer", L"Length", L"Angle"});
  plan.hiddenColumn = L"Layer";
  plan.movedColumn = L"Object type";
  OvDbObjectId table = runPlan(plan);
  Cells made = cells(table);
  ASSERT_EQ(made[1], (Texts{L"Angle", L"Length", L"Object type"}));
  ASSERT_EQ(made[2], (Texts{L"0", L"12", L"Line"}));
  expectRefreshChangesNothing(table);

  setLength(L"10", 7);
  refresh(table);
  EXPECT_EQ(lastMessage(), kUpdated);
  made[2][1] = L"7";
  EXPECT_EQ(cells(table), made);
}

TEST_F(UpdateCases, AddingOrReplacingKeepsAHiddenHeaderLineHidden) {
  WizardPlan plan = walls({L"Object type", L"Length"});
  plan.picks = {L"10", L"11"};
  plan.hideHeader = true;
  OvDbObjectId table = runPlan(plan);
  ASSERT_EQ(cells(table), (Cells{{L"", L""}, {L"Line", L"12"}, {L"Line", L"8"}}));
  OvDbObjectId circle = lineId(objectsByKind()[L"Circle"][0]);

  runAction(IDC_ADD_OBJECTS, table, {lineId(L"14"), circle});
  EXPECT_EQ(lastMessage(), kUpdated);
  // The circle brings its own properties as columns after the table's own.
  Cells added = cells(table);
  ASSERT_EQ(added.size(), 5u);
  EXPECT_EQ(Texts(added[1].begin(), added[1].begin() + 2), (Texts{L"Line", L"12"}));
  EXPECT_EQ(Texts(added[3].begin(), added[3].begin() + 2), (Texts{L"Line", L"5"}));
  EXPECT_EQ(Texts(added[4].begin(), added[4].begin() + 2), (Texts{L"Circle", L""}));
  expectRefreshChangesNothing(table);

  runAction(IDC_REPLACE_OBJECTS, table, {lineId(L"13"), lineId(L"12")});
  EXPECT_EQ(lastMessage(), kUpdated);
  Cells replaced = cells(table);
  ASSERT_EQ(replaced.size(), 3u);
  EXPECT_EQ(Texts(replaced[1].begin(), replaced[1].begin() + 2), (Texts{L"Line", L"8"}));
  EXPECT_EQ(Texts(replaced[2].begin(), replaced[2].begin() + 2), (Texts{L"Line", L"12"}));
  expectRefreshChangesNothing(table);
}

TEST_F(UpdateCases, ARenamedColumnKeepsItsTotalAndNoOtherColumnGetsOne) {
  WizardPlan plan = walls({L"Layer", L"Length", L"Angle"});
  plan.renamed = {{L"Length", L"Run"}};
  plan.totals = {L"Length"};
  OvDbObjectId table = runPlan(plan);
  const Texts sums = {L"", L"", L"45"};
  ASSERT_EQ(cells(table).back(), sums);
  expectRefreshChangesNothing(table);

  setLength(L"14", 6);
  refresh(table);
  EXPECT_EQ(lastMessage(), kUpdated);
  EXPECT_EQ(cells(table).back(), (Texts{L"", L"", L"46"}));

  OvDbObjectId roof = addLine(2.5, L"Roof");
  runAction(IDC_ADD_OBJECTS, table, {roof});
  EXPECT_EQ(cells(table).back(), (Texts{L"", L"", L"48.5"}));
  runAction(IDC_REPLACE_OBJECTS, table, {roof, lineId(L"10")});
  Cells replaced = cells(table);
  EXPECT_EQ(replaced[1], (Texts{L"Layer", L"Angle", L"Run"}));
  EXPECT_EQ(replaced.back(), (Texts{L"", L"", L"14.5"}));
}

TEST_F(UpdateCases, TotalsOfCombinedRowsCountEveryObject) {
  WizardPlan plan = walls({L"Quantity", L"Length"});
  plan.totals = {L"Quantity", L"Length"};
  OvDbObjectId table = runPlan(plan);
  Cells made = cells(table);
  ASSERT_EQ(made.size(), 7u);
  EXPECT_EQ(made[2], (Texts{L"2", L"12"}));
  EXPECT_EQ(made.back(), (Texts{L"5", L"45"})) << "2 x 12 + 2 x 8 + 5";
  expectRefreshChangesNothing(table);

  erase(lineId(L"11"));
  refresh(table);
  EXPECT_EQ(cells(table).back(), (Texts{L"4", L"37"}));
}

TEST_F(UpdateCases, ACombinedRowLosesOnlyItsErasedObject) {
  WizardPlan plan = walls({L"Quantity", L"Layer", L"Length"});
  OvDbObjectId table = runPlan(plan);
  Cells made = cells(table);
  ASSERT_EQ(made[2], (Texts{L"2", L"Walls", L"12"}));  // lines 10 and 12, shown under 10
  erase(lineId(L"10"));
  refresh(table);
  EXPECT_EQ(lastMessage(), kUpdated);
  made[2][0] = L"1";
  EXPECT_EQ(cells(table), made) << "the row keeps its place and loses one object";
  expectRefreshChangesNothing(table);
  erase(lineId(L"12"));
  refresh(table);
  made.erase(made.begin() + 2);
  EXPECT_EQ(cells(table), made);
}

TEST_F(UpdateCases, MultilineTextsReplaceTheSelectionLikeOtherObjects) {
  WizardPlan plan = walls({L"Object type", L"Layer"});
  plan.picks = {L"10"};
  OvDbObjectId table = runPlan(plan);
  Texts texts = objectsByKind()[L"MText"];
  ASSERT_EQ(texts.size(), 2u);
  runAction(IDC_REPLACE_OBJECTS, table, ids(texts));
  EXPECT_EQ(lastMessage(), kUpdated);
  EXPECT_EQ(cells(table),
            (Cells{{L"", L""}, {L"Object type", L"Layer"}, {L"MText", L"Annotation"}, {L"MText", L"Annotation"}}));
  EXPECT_EQ(link(table, kObjectTypesApp), Texts{L"MText"});
  expectRefreshChangesNothing(table);

  // A selection of nothing a table shows (the site boundary, a heavyweight polyline).
  TableState before = state(table);
  runAction(IDC_REPLACE_OBJECTS, table, {lineId(L"17")});
  EXPECT_EQ(lastMessage(), kUpToDate);
  EXPECT_EQ(state(table), before);
}

TEST_F(UpdateCases, RowsWithEmptyFirstCellsAreNotTakenForTotals) {
  // No wall has a hyperlink: every data row is empty.
  WizardPlan plan = walls({L"Hyperlink"});
  OvDbObjectId table = runPlan(plan);
  Cells made = cells(table);
  ASSERT_EQ(made, (Cells{{L""}, {L"Hyperlink"}, {L""}, {L""}, {L""}, {L""}, {L""}}));
  expectRefreshChangesNothing(table);
  erase(lineId(L"14"));
  erase(lineId(L"11"));
  refresh(table);
  EXPECT_EQ(lastMessage(), kUpdated);
  made.resize(5);
  EXPECT_EQ(cells(table), made) << "the rows of the erased walls leave";
  EXPECT_EQ(link(table, kObjectHandlesApp), (Texts{L"10", L"12", L"13"}));
}

TEST_F(UpdateCases, AddingObjectsKeepsTheColumnsAndLeavesOutWhatTheUserLeftOut) {
  WizardPlan plan = walls({L"Layer", L"Length", L"Angle"});
  plan.renamed = {{L"Angle", L"Slope"}};
  plan.movedColumn = L"Layer";
  OvDbObjectId table = runPlan(plan);
  ASSERT_EQ(cells(table)[1], (Texts{L"Slope", L"Length", L"Layer"}));
  OvDbObjectId roof = addLine(2.5, L"Roof");
  OvDbObjectId column = lineId(objectsByKind()[L"Circle"][0]);
  runAction(IDC_ADD_OBJECTS, table, {roof, column});
  EXPECT_EQ(lastMessage(), kUpdated);
  Cells added = cells(table);
  // The table's columns first, as they were; then the circle's own properties (only the
  // line's columns the user left out, such as "X Start", stay out), in the wizard's order.
  ASSERT_GT(added[1].size(), 3u);
  EXPECT_EQ(Texts(added[1].begin(), added[1].begin() + 3), (Texts{L"Slope", L"Length", L"Layer"}));
  Texts brought(added[1].begin() + 3, added[1].end());
  PropertyCatalogue catalogue;
  Texts circleOwn;
  for (const PropertyItem& item : catalogue.circleItems) circleOwn.push_back(item.name);
  for (const CString& name : brought)
    EXPECT_TRUE(std::find(circleOwn.begin(), circleOwn.end(), name) != circleOwn.end()) << CString(name);
  EXPECT_TRUE(std::find(brought.begin(), brought.end(), CString(L"Radius")) != brought.end());
  // Old rows in their places, the new ones after them.
  ASSERT_EQ(added.size(), 9u);
  EXPECT_EQ(Texts(added[7].begin(), added[7].begin() + 3), (Texts{L"0", L"2.5", L"Roof"}));
  EXPECT_EQ(Texts(added[8].begin(), added[8].begin() + 3), (Texts{L"", L"", L"Columns"}));
  expectRefreshChangesNothing(table);
}

TEST_F(UpdateCases, AFailedWriteLeavesTheTableAndItsListsAsTheyWere) {
  WizardPlan plan = walls({L"Layer", L"Length"});
  plan.totals = {L"Length"};
  OvDbObjectId table = runPlan(plan);
  OvDbObjectId older = runPlan(plan);
  clearLinkXData(older, kTableLayoutApp);  // linked by the six lists alone
  TableState before = state(table);
  setLength(L"12", 1);
  erase(lineId(L"13"));
  OvDbTable::failOperation(OvDbTable::Operation::kSetTextString, 3);
  refresh(table);
  OvDbTable::clearFailures();
  EXPECT_EQ(transcript().find(kUpdated), std::wstring::npos);
  EXPECT_NE(transcript().find(L"Error adding content into a table cell"), std::wstring::npos);
  EXPECT_EQ(state(table), before);

  // Tables made after the change, which a refresh leaves as they are, the merge of their
  // titles undone by hand: one linked by its layout (its header list, cleared, is written
  // again), one by the six lists.
  plan.picks = objectsByKind()[L"Line"];
  const OvDbObjectId current = runPlan(plan);
  const OvDbObjectId currentOlder = runPlan(plan);
  clearLinkXData(current, kTableHeadersApp);
  clearLinkXData(currentOlder, kTableLayoutApp);
  for (const OvDbObjectId& unmerged : {current, currentOlder})
    editTable(unmerged, [](OvDbTable* t) { t->mergeCells(0, 0, 0, 0); });

  // Link lists that cannot be written, as a host refuses xdata beyond its size limit: the
  // table is put back, refreshed or rewritten, linked by its layout or by the six lists; a
  // table the update did not change is left exactly as it is, merges included.
  for (const auto& [linked, action] :
       {std::pair{table, IDC_UPDATE_TABLE}, std::pair{older, IDC_UPDATE_TABLE}, std::pair{older, IDC_REPLACE_OBJECTS},
        std::pair{current, IDC_UPDATE_TABLE}, std::pair{currentOlder, IDC_UPDATE_TABLE}}) {
    SCOPED_TRACE(testing::Message() << (linked == table || linked == current ? "layout list" : "six lists")
                                    << (linked == current || linked == currentOlder ? ", unchanged" : "") << ", action "
                                    << action);
    const TableState unchanged = state(linked);
    const auto merged = merges(linked);
    OvDbObject::refuseXData(true);
    runAction(action, linked, action == IDC_REPLACE_OBJECTS ? ids({L"10", L"11"}) : std::vector<OvDbObjectId>());
    OvDbObject::refuseXData(false);
    EXPECT_EQ(lastMessage(), L"The table's xData cannot be written: the table is left as it is.");
    EXPECT_EQ(transcript().find(L"\nTable "), std::wstring::npos);
    EXPECT_EQ(state(linked), unchanged);
    EXPECT_EQ(merges(linked), merged);
  }
  // A cell write refused in a table linked by the six lists, at each write of a refresh, a
  // replace and an add in turn: the update stops at the error, which is said last, and the
  // table is put back with its lists. The first run with no write refused does the work.
  for (const auto& [action, picks] :
       {std::pair{IDC_UPDATE_TABLE, Texts{}}, std::pair{IDC_REPLACE_OBJECTS, Texts{L"10", L"11"}},
        std::pair{IDC_ADD_OBJECTS, Texts{L"12"}}}) {
    for (int skip = 0;; ++skip) {
      SCOPED_TRACE(testing::Message() << "action " << action << ", write " << skip << " refused");
      const TableState unchanged = state(older);
      OvDbTable::failOperation(OvDbTable::Operation::kSetTextString, skip);
      runAction(action, older, ids(picks));
      OvDbTable::clearFailures();
      if (transcript().find(L"Error adding content into a table cell") == std::wstring::npos) {
        EXPECT_GT(skip, 0);
        EXPECT_EQ(lastMessage(), kUpdated);
        break;
      }
      EXPECT_TRUE(transcript().ends_with(L"Error adding content into a table cell")) << transcript();
      EXPECT_EQ(transcript().find(L"\nTable "), std::wstring::npos);
      EXPECT_EQ(state(older), unchanged);
    }
  }
  EXPECT_EQ(link(older, kObjectHandlesApp), (Texts{L"10", L"11", L"12"}));
  // Nor does a changed table that cannot be put back go unsaid; of a table the refresh did
  // not change (the one just updated) nothing of the kind is said.
  for (bool changed : {false, true}) {
    SCOPED_TRACE(changed ? "changed" : "unchanged");
    if (changed) setLength(L"12", 2);
    OvDbObject::refuseXData(true);
    OvDbTable::failOperation(OvDbTable::Operation::kRecomputeTableBlock);
    refresh(older);
    OvDbObject::refuseXData(false);
    OvDbTable::clearFailures();
    EXPECT_EQ(lastMessage(), changed ? L"The table could not be put back as it was."
                                     : L"The table's xData cannot be written: the table is left as it is.");
  }

  // The next refresh, without the failure, does the work.
  refresh(table);
  EXPECT_EQ(lastMessage(), kUpdated);
  EXPECT_EQ(cells(table).back(), (Texts{L"", L"27"})) << "12 + 8 + 2 + 5";
}

TEST_F(UpdateCases, ALayoutListThatCannotBeReadLeavesTheTableAlone) {
  OvDbObjectId table = runPlan(walls({L"Layer", L"Length"}));
  const Texts made = link(table, kTableLayoutApp);
  ASSERT_FALSE(made.empty());
  setLength(L"10", 3);
  // An object without a row, and rows far beyond any the list can describe (the drawing
  // came from elsewhere): read under a cap of memory, none may reserve room for them.
  for (const wchar_t* wrong : {L"object:10", L"object:10/999999999", L"gap:999999999", L"object:3F/99999999"}) {
    SCOPED_TRACE(testing::Message() << CString(wrong));
    Texts layout = made;
    layout.push_back(wrong);
    clearLinkXData(table, kTableLayoutApp);
    writeLinkXData(table, kTableLayoutApp, layout);
    TableState before = state(table);
    {
      AddressSpaceCap cap(rlim_t{1} << 30);
      EXPECT_NO_THROW(refresh(table));
    }
    EXPECT_EQ(transcript().find(L"\nTable "), std::wstring::npos);
    EXPECT_EQ(state(table), before);
  }
}

// Every table the update command leaves as it is says why: lists damaged elsewhere, a kind
// that no language of the module names, a table it cannot write. Each case runs with the
// actions it stops (refresh, add and replace, with a new line): the table and its lists stay
// as they were, and the reason is printed.
TEST_F(UpdateCases, EveryTableTheUpdateLeavesAsItIsSaysWhy) {
  auto list = [this](const wchar_t* app, Texts entries) {
    return [this, app, entries](const OvDbObjectId& table) {
      clearLinkXData(table, app);
      writeLinkXData(table, app, entries);
    };
  };
  auto extra = [this](const wchar_t* app, const wchar_t* entry) {
    return [this, app, entry](const OvDbObjectId& table) { writeLinkXData(table, app, {entry}); };
  };
  const std::vector<int> all = {IDC_UPDATE_TABLE, IDC_ADD_OBJECTS, IDC_REPLACE_OBJECTS};
  struct Refusal {
    const char* what;
    bool sixLists;  // a table linked as before the layout list
    std::function<void(const OvDbObjectId&)> damage;
    const wchar_t* reason;
    std::vector<int> actions;
  };
  const std::vector<Refusal> refusals = {
      {"a kind no language knows", false, list(kObjectTypesApp, {L"Line", L"Lines"}),
       L"\nUnknown object type 'Lines' in the table's xData: the table is left as it is.", all},
      {"the same, older table",
       true,
       list(kObjectTypesApp, {L"Lines"}),
       L"\nUnknown object type 'Lines' in the table's xData: the table is left as it is.",
       {IDC_UPDATE_TABLE, IDC_ADD_OBJECTS}},
      {"no kind", false, list(kObjectTypesApp, {}),
       L"\nThe table's 'obj_types' xData is damaged: the table is left as it is.", all},
      {"its objects' kind taken out",
       false,
       list(kObjectTypesApp, {L"Polyline"}),
       L"\nThe table's 'obj_types' xData is damaged: the table is left as it is.",
       {IDC_UPDATE_TABLE}},
      {"a display name without its property", false, extra(kDisplayNamesApp, L"One too many"),
       L"\nThe table's 'display_names' xData is damaged: the table is left as it is.", all},
      {"a layout entry not understood", false, extra(kTableLayoutApp, L"column:Nonsense"),
       L"\nThe table's 'table_layout' xData is damaged: the table is left as it is.", all},
      {"one property chosen twice, in two languages", false, extra(kTableLayoutApp, L"chosen:Longueur"),
       L"\nThe table's 'table_layout' xData is damaged: the table is left as it is.", all},
      {"a handle without its row", false, extra(kObjectHandlesApp, L"FFFF"),
       L"\nThe table's 'obj_handles' xData is damaged: the table is left as it is.", all},
      {"no group-by entry, older table",
       true,
       list(kGroupByApp, {}),
       L"\nThe table's 'groupby_pr' xData is damaged: the table is left as it is.",
       {IDC_UPDATE_TABLE}},
      {"a header without its column, older table",
       true,
       extra(kTableHeadersApp, L"Extra"),
       L"\nThe table's 'tb_headers' xData is damaged: the table is left as it is.",
       {IDC_ADD_OBJECTS, IDC_REPLACE_OBJECTS}},
  };
  setLength(L"10", 3);
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.what);
    OvDbObjectId table = runPlan(walls({L"Layer", L"Length"}));
    const OvDbObjectId roof = addLine(3, L"Roof");
    if (refusal.sixLists) clearLinkXData(table, kTableLayoutApp);
    refusal.damage(table);
    for (int action : refusal.actions) {
      SCOPED_TRACE(testing::Message() << "action " << action);
      TableState before = state(table);
      runAction(action, table, action == IDC_UPDATE_TABLE ? std::vector<OvDbObjectId>() : std::vector{roof});
      EXPECT_NE(transcript().find(refusal.reason), std::wstring::npos) << CString(transcript().c_str());
      EXPECT_EQ(transcript().find(L"\nTable "), std::wstring::npos) << CString(transcript().c_str());
      EXPECT_EQ(state(table), before);
    }
    erase(table);
  }
}

// A table open elsewhere cannot be written: each action says so.
TEST_F(UpdateCases, ATableOpenElsewhereIsLeftAsItIsAndSaysWhy) {
  setLength(L"10", 3);
  for (bool sixLists : {false, true}) {
    OvDbObjectId table = runPlan(walls({L"Layer", L"Length"}));
    const OvDbObjectId roof = addLine(3, L"Roof");
    if (sixLists) clearLinkXData(table, kTableLayoutApp);
    TableState before = state(table);
    for (int action : {IDC_UPDATE_TABLE, IDC_ADD_OBJECTS, IDC_REPLACE_OBJECTS}) {
      SCOPED_TRACE(testing::Message() << (sixLists ? "older table, " : "") << "action " << action);
      OvDbObject* reader = nullptr;
      ASSERT_EQ(ovdbOpenObject(reader, table, Ovis::kForRead), Ovis::eOk);
      runAction(action, table, action == IDC_UPDATE_TABLE ? std::vector<OvDbObjectId>() : std::vector{roof});
      reader->close();
      EXPECT_EQ(lastMessage(), L"The table cannot be opened for writing: it is left as it is.");
      EXPECT_EQ(state(table), before);
    }
  }
}

// Tables made in one language and updated in another: an older table's rows, refreshed as
// one made in the session's language is; a grouped older table, whose rows are paired by
// their group's texts, is left as it is and says why.
TEST_F(UpdateCases, AnOlderTableMadeInAnotherLanguageIsRefreshedOrSaysWhyNot) {
  const LANGID french = 0x040C;
  auto olderTable = [this](LANGID language, Texts kept, const wchar_t* combineBy) {
    WizardPlan plan = walls(std::move(kept));
    plan.combineBy = combineBy;
    SetUserInterfaceLanguage(language);
    OvDbObjectId table = runPlan(plan);
    SetUserInterfaceLanguage(0x0C09);
    clearLinkXData(table, kTableLayoutApp);
    return table;
  };
  OvDbObjectId made = olderTable(french, {L"Type d'objet", L"Calque", L"Longueur"}, L"");
  OvDbObjectId twin = olderTable(0x0C09, {L"Object type", L"Layer", L"Length"}, L"");
  OvDbObjectId grouped = olderTable(french, {L"Calque", L"Longueur"}, L"Calque");
  setLength(L"10", 3);
  refresh(twin);
  refresh(made);
  EXPECT_EQ(lastMessage(), kUpdated);
  Cells got = cells(made), want = cells(twin);
  EXPECT_EQ(Cells(got.begin() + 2, got.end()), Cells(want.begin() + 2, want.end()));
  EXPECT_EQ(link(made, kObjectHandlesApp), link(twin, kObjectHandlesApp));

  TableState before = state(grouped);
  refresh(grouped);
  EXPECT_EQ(lastMessage(),
            L"The rows of this older table are grouped by texts of the language it was made in: "
            L"update it in that language.");
  EXPECT_EQ(state(grouped), before);
}

}  // namespace
