// The update command against the wizard itself. For each seed a generator makes the choices
// of a wizard run over the sample drawing (picked objects, kinds, properties, display names,
// totals, combined or grouped rows, header line, title, a preview sorted by one or two
// columns, a hidden and a moved column, a row dragged), and the table it inserts is then
//  (a) refreshed with nothing changed: no cell and no link list may change;
//  (b) refreshed after objects of the drawing changed, were erased or added: it must hold
//      what the wizard makes now with the same choices over its objects that still exist;
//  (c) given new objects: it must hold what the wizard makes over its objects and the new
//      ones, rows in the same order, its own columns first and in their order;
//  (d) made again over the objects of (b) and given a new selection of them: it must hold
//      what the wizard makes over that selection.
// The seeds run in shards, so that they run side by side; under the sanitizers each shard
// runs its first few seeds only. A failing case names its seed; DX_UPDATE_SEED=n runs that
// seed alone, DX_UPDATE_SEED=first-last those seeds one after another.
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>

#include "wizard_script.h"

#include "extraction/res_strings.h"
#include "res/resource_ids.h"
#include "wizard/export_files.h"

using namespace update_test;

namespace {

using Rng = std::mt19937;

bool chance(Rng& rng, double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

template <typename T>
const T& anyOf(Rng& rng, const std::vector<T>& items) {
  return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(rng)];
}

// Rows as a sorted list, for comparing the same rows in any order.
Cells sorted(Cells rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

// A table's rows split as the comparisons need them.
struct TableParts {
  CString title;
  std::optional<Texts> header;
  Cells body;                   // the data rows and the empty row before the totals
  std::optional<Texts> totals;  // the last row of a table with totals
};

TableParts partsOf(const Cells& cells, bool headerShown, bool totals) {
  TableParts parts;
  if (cells.empty()) return parts;
  parts.title = cells[0].empty() ? CString() : cells[0][0];
  size_t first = headerShown ? 2 : 1, end = cells.size();
  if (headerShown && cells.size() > 1) parts.header = cells[1];
  if (totals && end > first) parts.totals = cells[--end];
  for (size_t r = first; r < end; ++r) parts.body.push_back(cells[r]);
  return parts;
}

// The table's columns taken in another order: entry c of the columns names the column of
// the source table shown at c.
Cells projected(const Cells& rows, const std::vector<size_t>& columns) {
  Cells out;
  for (const Texts& row : rows) {
    Texts cells;
    for (size_t c : columns) cells.push_back(c < row.size() ? row[c] : CString(L"<none>"));
    out.push_back(cells);
  }
  return out;
}

constexpr unsigned kShards = 12;
constexpr unsigned kSeedsPerShard = 25;
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned kSeedsRun = 6;
#else
constexpr unsigned kSeedsRun = kSeedsPerShard;
#endif

// A seed as DX_UPDATE_SEED writes it: decimal digits alone, within the seed's type.
std::optional<unsigned> seedIn(std::string_view text) {
  unsigned seed = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, seed);
  if (error != std::errc() || stop != end) return std::nullopt;
  return seed;
}

// The seeds one shard of a seeded test runs: its own range, or only the seed that
// DX_UPDATE_SEED names ("3603"), or the seeds from one to another ("1-5000"), all in the first
// shard (nullopt for the others). Any other value fails the test.
struct SeedRange {
  unsigned first;
  std::uint64_t count;  // up to every seed of the type
};
std::optional<SeedRange> shardSeeds(unsigned shard, unsigned perShard, unsigned run) {
  const char* only = std::getenv("DX_UPDATE_SEED");
  if (!only) return SeedRange{1 + shard * perShard, run};
  const std::string_view text(only);
  const size_t dash = text.find('-');
  const std::optional<unsigned> first = seedIn(text.substr(0, dash));
  const std::optional<unsigned> last = dash == std::string_view::npos ? first : seedIn(text.substr(dash + 1));
  if (!first || !last || *last < *first) {
    ADD_FAILURE() << "DX_UPDATE_SEED=\"" << only
                  << "\" is neither a seed nor first-last with first <= last (decimal, up to "
                  << std::numeric_limits<unsigned>::max() << ")";
    return SeedRange{0, 0};
  }
  if (shard != 0) return std::nullopt;
  return SeedRange{*first, std::uint64_t{*last} - *first + 1};
}

std::string seedTrace(unsigned seed) {
  return "seed " + std::to_string(seed) + " (DX_UPDATE_SEED=" + std::to_string(seed) + " runs it alone)";
}

// Names the shards after the seeds they run.
auto shardNames(unsigned perShard, unsigned run) {
  return [perShard, run](const testing::TestParamInfo<unsigned>& shard) {
    unsigned first = 1 + shard.param * perShard;
    return "seeds_" + std::to_string(first) + "_to_" + std::to_string(first + run - 1);
  };
}

class UpdateAgainstWizard : public WizardScriptTest, public testing::WithParamInterface<unsigned> {
protected:
  // --- The generator ---

  WizardPlan makePlan(Rng& rng) {
    std::map<CString, Texts> kinds = objectsByKind();
    WizardPlan plan;
    if (!chance(rng, 0.25)) {
      for (const auto& [kind, handles] : kinds) {
        for (const CString& handle : handles) {
          if (chance(rng, 0.5)) plan.picks.push_back(handle);
        }
      }
      if (plan.picks.size() < 2) plan.picks = {kinds[L"Line"][0], kinds[L"Circle"][0]};
      std::shuffle(plan.picks.begin(), plan.picks.end(), rng);
    }
    Texts present;
    for (const auto& [kind, handles] : kinds) {
      bool picked = plan.picks.empty() ||
                    std::any_of(handles.begin(), handles.end(), [&](const CString& h) { return holds(plan.picks, h); });
      if (picked) present.push_back(kind);
    }
    for (const CString& kind : present) {
      if (plan.kindsLeftOut.size() + 1 < present.size() && chance(rng, 0.3)) plan.kindsLeftOut.push_back(kind);
    }
    // The properties are decided over every name the drawing can offer; the pages pass over
    // the names they do not show.
    PropertyCatalogue catalogue;
    Texts names = {catalogue.objectTypeItem.name,
                   catalogue.quantityItem.name,
                   catalogue.blockNameItem.name,
                   catalogue.blockPreviewItem.name,
                   L"NUMBER",
                   L"WIDTH",
                   L"TYPE",
                   L"FIRE",
                   L"Width",
                   L"Panels"};
    for (const auto* list :
         {&catalogue.generalItems, &catalogue.geometricItems, &catalogue.blockRefItems, &catalogue.mtextItems}) {
      for (const PropertyItem& item : *list) {
        if (!holds(names, item.name)) names.push_back(item.name);
      }
    }
    double leaveOut = std::uniform_real_distribution<double>(0.3, 0.9)(rng);
    for (const CString& name : names) {
      if (chance(rng, leaveOut)) plan.propertiesLeftOut.push_back(name);
    }
    Texts kept;
    for (const CString& name : names) {
      if (!holds(plan.propertiesLeftOut, name)) kept.push_back(name);
    }
    // Page 4 goes on only with a property checked: one that it offers stays checked, "Layer"
    // when it offers that.
    const Texts offered = offeredOnPropertiesPage(plan);
    if (std::none_of(offered.begin(), offered.end(), [&](const CString& name) { return holds(kept, name); })) {
      const CString name = holds(offered, L"Layer") ? CString(L"Layer") : anyOf(rng, offered);
      std::erase(plan.propertiesLeftOut, name);
      kept.push_back(name);
    }
    for (int i = 0; i < 2 && chance(rng, 0.5); ++i) plan.renamed[anyOf(rng, kept)].Format(L"Shown %d", i + 1);
    if (chance(rng, 0.45)) {
      for (const CString& name : {CString(L"Length"), CString(L"Quantity"), CString(L"Area"), CString(L"Radius"),
                                  CString(L"NUMBER"), CString(L"X Start"), CString(L"Linetype scale")}) {
        if (chance(rng, 0.5)) plan.totals.push_back(name);
      }
      if (plan.totals.empty()) plan.totals.push_back(L"Length");
    }
    if (chance(rng, 0.35)) plan.combineBy = anyOf(rng, Texts{L"Layer", L"Color", L"Linetype", L"Object type"});
    plan.hideHeader = chance(rng, 0.3);
    if (chance(rng, 0.5)) plan.title.Format(L"Plan %u", static_cast<unsigned>(rng() % 1000));
    auto shownName = [&](const CString& name) {
      auto renamed = plan.renamed.find(name);
      return renamed == plan.renamed.end() ? name : renamed->second;
    };
    if (chance(rng, 0.4)) {
      plan.sortBy = shownName(anyOf(rng, kept));
      plan.sortClicks = chance(rng, 0.5) ? 1 : 2;
    }
    if (chance(rng, 0.3)) plan.hiddenColumn = shownName(anyOf(rng, kept));
    if (chance(rng, 0.3)) plan.movedColumn = shownName(anyOf(rng, kept));
    plan.dragRow = chance(rng, 0.15);
    if (plan.sortClicks > 0 && chance(rng, 0.3)) plan.sortFirstBy = shownName(anyOf(rng, kept));
    return plan;
  }

  // The names page 4 offers for the plan's objects and kinds, found as page 3 finds them.
  Texts offeredOnPropertiesPage(const WizardPlan& plan) {
    const PropertyCatalogue catalogue;
    ExtractionEngine engine = plan.picks.empty() ? extractWholeDrawing() : ExtractionEngine(plan.picks, catalogue);
    Texts kinds;
    for (int kind : engine.presentObjectKinds()) {
      if (!holds(plan.kindsLeftOut, catalogue.kindName(kind))) kinds.push_back(catalogue.kindName(kind));
    }
    OfferedPropertyMap offered;
    engine.prepare(offered, kinds);
    Texts names;
    for (const PropertyItem& item : offered) names.push_back(item.name);
    return names;
  }

  // The table's objects: the picked (or all) objects of the kinds it shows, in the order
  // they were picked (the order of the wizard's rows within a kind).
  Texts tableObjects(const WizardPlan& plan) {
    const std::map<CString, CString> kinds = kindByHandle();
    Texts objects;
    auto shown = [&](const CString& handle) {
      auto kind = kinds.find(handle);
      return kind != kinds.end() && !holds(plan.kindsLeftOut, kind->second);
    };
    if (plan.picks.empty()) {
      for (const auto& [handle, kind] : kinds) {
        if (shown(handle)) objects.push_back(handle);
      }
      std::sort(objects.begin(), objects.end(), [](const CString& a, const CString& b) {
        return OvDbHandle(a.GetString()) < OvDbHandle(b.GetString());
      });
    } else {
      std::copy_if(plan.picks.begin(), plan.picks.end(), std::back_inserter(objects), shown);
    }
    return objects;
  }

  // Changes some of the objects, erases others and adds objects to the drawing; every kind
  // and block keeps an object, so that the pages offer what they offered before. Returns
  // the erased handles.
  Texts changeDrawing(Rng& rng, const Texts& objects) {
    const std::map<CString, CString> kinds = kindByHandle();
    auto groupOf = [&](const CString& handle) { return kindAndBlockOf(kinds, handle); };
    std::map<CString, int> left;  // objects left per kind, and per block name
    for (const CString& handle : objects) ++left[groupOf(handle)];
    Texts erased;
    for (const CString& handle : objects) {
      CString group = groupOf(handle);
      if (chance(rng, 0.2) && left[group] > 1) {
        --left[group];
        erase(idOf(handle));
        erased.push_back(handle);
      } else if (chance(rng, 0.25)) {
        changeObject(rng, idOf(handle));
      }
    }
    addLine(3.5, L"Walls");
    addCircle(0.15, L"Columns");
    return erased;
  }

  void changeObject(Rng& rng, const OvDbObjectId& id) {
    OvDbEntity* entity = nullptr;
    ASSERT_EQ(ovdbOpenObject(entity, id, Ovis::kForWrite), Ovis::eOk);
    if (auto* line = OvDbLine::cast(entity)) line->setEndPoint(line->startPoint() + OvGeVector3d(1.25, 0.5, 0));
    else if (auto* circle = OvDbCircle::cast(entity)) circle->setRadius(circle->radius() + 0.25);
    else entity->setLayer(chance(rng, 0.5) ? L"Changed" : L"Walls");
    entity->close();
  }

  // New objects for (c): new shapes and blocks, objects of the drawing the table lacks, one
  // it has, and blocks whose names the extraction leaves out (now and then with none of the
  // new shapes). Multiline texts and 3D solids come only when the table has their kind: over
  // a drawing with them the wizard offers no thickness (see the properties page).
  Texts newObjects(Rng& rng, const Texts& inTable) {
    const std::map<CString, CString> kinds = kindByHandle();
    std::set<CString> tableKinds;
    for (const CString& h : inTable) tableKinds.insert(kinds.at(h));
    Texts chosen;
    chosen.push_back(handleOf(addLine(6.5, L"Roof")));
    if (chance(rng, 0.5)) chosen.push_back(handleOf(addCircle(0.4, L"Columns")));
    if (chance(rng, 0.5))
      chosen.push_back(
          handleOf(addBlockReference(L"Door", {{L"NUMBER", L"104"}, {L"WIDTH", L"0.9"}, {L"FIRE", L"none"}})));
    if (chance(rng, 0.3)) chosen.push_back(handleOf(addBlockReference(L"Desk", {{L"ROOM", L"B12"}})));
    for (const auto& [h, kind] : kinds) {
      bool thin = kind == L"MText" || kind == L"3D Solid";
      if (thin && !tableKinds.count(kind)) continue;
      if (!holds(inTable, h) && chance(rng, 0.15)) chosen.push_back(h);
    }
    if (!inTable.empty() && chance(rng, 0.5)) chosen.push_back(anyOf(rng, inTable));
    if (chance(rng, 0.4)) {
      if (chance(rng, 0.3)) std::erase_if(chosen, [&](const CString& h) { return !holds(inTable, h); });
      const wchar_t* name = anyOf(rng, std::vector<const wchar_t*>{L"kt$Logo", L"ac$Frame", L"*X1"});
      chosen.push_back(handleOf(addBlockReference(name, {{L"ROOM", L"B7"}})));
    }
    std::shuffle(chosen.begin(), chosen.end(), rng);
    return chosen;
  }

  // --- Helpers over handles ---

  // An object's kind, and a block reference's block name after it.
  CString kindAndBlockOf(const std::map<CString, CString>& kinds, const CString& handle) {
    CString group = kinds.at(handle);
    OvDbBlockReference* reference = nullptr;
    if (ovdbOpenObject(reference, idOf(handle), Ovis::kForRead) == Ovis::eOk) {
      group += L"/" + blockNameOf(reference);
      reference->close();
    }
    return group;
  }

  OvDbObjectId idOf(const CString& handle) {
    OvDbObjectId id;
    EXPECT_EQ(db()->getOvDbObjectId(id, false, OvDbHandle(handle.GetString())), Ovis::eOk) << CString(handle);
    return id;
  }
  // The kind of every object an extraction reads (erased objects have none).
  std::map<CString, CString> kindByHandle() {
    std::map<CString, CString> kinds;
    for (const auto& [kind, handles] : objectsByKind()) {
      for (const CString& handle : handles) kinds[handle] = kind;
    }
    return kinds;
  }
  static CString blockNameOf(OvDbBlockReference* reference) {
    OvDbBlockTableRecord* record = nullptr;
    CString name;
    if (ovdbOpenObject(record, reference->blockTableRecord(), Ovis::kForRead) == Ovis::eOk) {
      const wchar_t* text = nullptr;
      if (record->getName(text) == Ovis::eOk) name = text;
      record->close();
    }
    return name;
  }
  std::set<CString> kindsOf(const Texts& handles) {
    const std::map<CString, CString> kinds = kindByHandle();
    std::set<CString> found;
    for (const CString& handle : handles) {
      auto kind = kinds.find(handle);
      if (kind != kinds.end()) found.insert(kind->second);
    }
    return found;
  }

  // --- One seed ---

  void runSeed(unsigned seed) {
    Rng rng(seed);
    WizardPlan plan = makePlan(rng);
    PreviewRecord preview;
    OvDbObjectId table = runPlan(plan, &preview);
    ASSERT_FALSE(table.isNull());
    const bool headerShown = !plan.hideHeader;
    const bool totals = !plan.totals.empty();

    // (a) Nothing changed: nothing may change.
    TableState made = state(table);
    refresh(table);
    EXPECT_EQ(lastMessage(), L"Table already up to date.") << "(a)";
    EXPECT_EQ(state(table), made) << "(a) a refresh of an unchanged drawing changed the table or its lists";

    // (b) The drawing changes; the table holds what the wizard makes over its objects now.
    Texts objects = tableObjects(plan);
    Texts erased = changeDrawing(rng, objects);
    refresh(table);
    Cells refreshed = shownCells(table);
    EXPECT_EQ(lastMessage(), refreshed == made.cells ? L"Table already up to date." : L"Table updated.") << "(b)";
    WizardPlan now = plan;
    if (now.picks.empty()) now.picks = objects;
    std::erase_if(now.picks, [&](const CString& h) { return holds(erased, h); });
    std::set<CString> left = kindsOf(now.picks);
    std::erase_if(now.kindsLeftOut, [&](const CString& kind) { return !left.count(kind); });
    PreviewRecord freshPreview;
    OvDbObjectId fresh = runPlan(now, &freshPreview);
    ASSERT_FALSE(fresh.isNull());
    TableParts got = partsOf(refreshed, headerShown, totals), want = partsOf(shownCells(fresh), headerShown, totals);
    EXPECT_EQ(got.title, want.title) << "(b)";
    EXPECT_EQ(got.header, want.header) << "(b)";
    EXPECT_EQ(got.totals, want.totals) << "(b) totals";
    EXPECT_EQ(sorted(got.body), sorted(want.body)) << "(b) rows";
    // One object a row and an unsorted preview: the rows are in the wizard's order too.
    bool plain = holds(plan.propertiesLeftOut, L"Quantity") && preview.groupBy.IsEmpty();
    if (plain && plan.sortClicks == 0 && !plan.dragRow) {
      EXPECT_EQ(got.body, want.body) << "(b) rows out of place";
    }
    Texts inTable;
    for (const CString& h : objects) {
      if (!holds(erased, h)) inTable.push_back(h);
    }
    replaceAgainstWizard(rng, fresh, now, freshPreview.rowDragged, inTable);
    erase(fresh);

    // (c) New objects join the table.
    Texts added = newObjects(rng, inTable);
    Cells before = shownCells(table);
    chooseAction(IDC_ADD_OBJECTS, table);
    driver.AddPickAnswer(handlesAnswer(added));
    EXPECT_EQ(runDialog(), IDOK);
    Cells after = shownCells(table);
    const std::map<CString, CString> read = kindByHandle();
    bool anyNew =
        std::any_of(added.begin(), added.end(), [&](const CString& h) { return !holds(inTable, h) && read.count(h); });
    if (!anyNew) {
      EXPECT_EQ(lastMessage(), L"Table already up to date.") << "(c)";
      EXPECT_EQ(after, before) << "(c)";
      return;
    }
    WizardPlan all;
    all.picks = inTable;
    for (const CString& h : added) {
      if (!holds(all.picks, h)) all.picks.push_back(h);
    }
    // What the person left out of what the wizard offered the first time; what the new
    // objects bring is chosen.
    for (const CString& name : plan.propertiesLeftOut) {
      if (holds(preview.offered, name)) all.propertiesLeftOut.push_back(name);
    }
    // Display names and totals are those of the table: the new columns have neither.
    for (const auto& [name, shown] : plan.renamed) {
      if (holds(preview.offered, name)) all.renamed[name] = shown;
    }
    for (const CString& name : plan.totals) {
      if (holds(preview.offered, name)) all.totals.push_back(name);
    }
    all.combineBy = preview.groupBy;
    all.title = plan.title;
    // The rows in the preview's order: sorted alike (by the columns the preview had, when no
    // row was moved by hand after), the first row under a hidden header line left where it is.
    if (!preview.rowDragged) {
      if (holds(preview.header, plan.sortFirstBy)) all.sortFirstBy = plan.sortFirstBy;
      if (holds(preview.header, plan.sortBy)) {
        all.sortBy = plan.sortBy;
        all.sortClicks = plan.sortClicks;
      }
    }
    all.hideHeader = plan.hideHeader;
    PreviewRecord wide;
    OvDbObjectId union_ = runPlan(all, &wide);
    ASSERT_FALSE(union_.isNull());
    // Rows moved by hand in the preview keep their places; with one object a row their cells
    // stay as they were too.
    const bool keptInPlace = preview.rowDragged && plain;
    compareWithUnion(after, shownCells(union_), preview, wide, headerShown, totals, keptInPlace ? &before : nullptr);
    EXPECT_EQ(link(table, kObjectTypesApp), link(union_, kObjectTypesApp)) << "(c) kinds";
    erase(union_);
  }

  // (d) The wizard's table over the objects gets a new selection of them, in another order,
  // every kind and block still among it (so that the pages offer what they offered): it must
  // hold what the wizard makes over that selection, rows in the same order (as built when
  // rows were moved by hand in the preview: their order is then not known).
  void replaceAgainstWizard(Rng& rng, const OvDbObjectId& table, WizardPlan plan, bool rowDragged, Texts objects) {
    plan.dragRow = false;
    if (rowDragged) {
      plan.sortFirstBy.Empty();
      plan.sortClicks = 0;
    }
    const std::map<CString, CString> kinds = kindByHandle();
    std::shuffle(objects.begin(), objects.end(), rng);
    std::set<CString> groups;
    plan.picks.clear();
    for (const CString& handle : objects) {
      if (groups.insert(kindAndBlockOf(kinds, handle)).second || chance(rng, 0.6)) plan.picks.push_back(handle);
    }
    chooseAction(IDC_REPLACE_OBJECTS, table);
    driver.AddPickAnswer(handlesAnswer(plan.picks));
    EXPECT_EQ(runDialog(), IDOK);
    OvDbObjectId wizard = runPlan(plan);
    ASSERT_FALSE(wizard.isNull());
    EXPECT_EQ(shownCells(table), shownCells(wizard)) << "(d) the selection replaced";
    erase(wizard);
  }

  // The table after (c) against the wizard's table over the union (header shown, every
  // column in the wizard's order): the table's own columns first, in their order, then the
  // columns the new objects brought, in the wizard's order.
  void compareWithUnion(const Cells& table, const Cells& wizard, const PreviewRecord& old, const PreviewRecord& wide,
                        bool headerShown, bool totals, const Cells* keptInPlace) {
    Texts expectedColumns;
    std::vector<size_t> columns;
    auto columnOf = [&wide](const CString& name) {
      auto at = std::find(wide.shownColumns.begin(), wide.shownColumns.end(), name);
      return static_cast<size_t>(at - wide.shownColumns.begin());
    };
    for (const CString& name : old.shownColumns) {
      // A column the wizard no longer offers over the union (see newObjects) is not compared.
      if (columnOf(name) == wide.shownColumns.size()) continue;
      expectedColumns.push_back(name);
      columns.push_back(columnOf(name));
    }
    for (const CString& name : wide.shownColumns) {
      if (!holds(old.header, name)) {
        expectedColumns.push_back(name);
        columns.push_back(columnOf(name));
      }
    }
    std::vector<size_t> tableColumns;
    const size_t width = table.empty() ? 0 : table[0].size();
    for (size_t c = 0, oldColumn = 0; c < width; ++c) {
      const bool own = c < old.shownColumns.size();
      if (own && columnOf(old.shownColumns[oldColumn++]) == wide.shownColumns.size()) continue;
      tableColumns.push_back(c);
    }
    ASSERT_EQ(tableColumns.size(), columns.size()) << "(c) columns";
    TableParts got = partsOf(table, headerShown, totals), want = partsOf(wizard, headerShown, totals);
    EXPECT_EQ(got.title, want.title) << "(c)";
    if (headerShown) {
      ASSERT_TRUE(got.header);
      EXPECT_EQ(projected({*got.header}, tableColumns), Cells{expectedColumns}) << "(c) header";
    }
    if (old.rowDragged) {
      // The rows' order is not known: the rows are the wizard's.
      EXPECT_EQ(sorted(projected(got.body, tableColumns)), sorted(projected(want.body, columns))) << "(c) rows";
    } else {
      EXPECT_EQ(projected(got.body, tableColumns), projected(want.body, columns)) << "(c) rows";
    }
    if (keptInPlace) {
      // The old rows first (the empty row of the totals after the new rows), on the old columns.
      std::vector<size_t> own;
      std::copy_if(tableColumns.begin(), tableColumns.end(), std::back_inserter(own),
                   [&old](size_t c) { return c < old.shownColumns.size(); });
      Cells kept = projected(partsOf(*keptInPlace, headerShown, totals).body, own), now = projected(got.body, own);
      if (totals && !kept.empty()) kept.pop_back();
      now.resize(std::min(now.size(), kept.size()));
      EXPECT_EQ(now, kept) << "(c) rows moved by hand";
    }
    if (totals) {
      ASSERT_TRUE(got.totals && want.totals);
      EXPECT_EQ(projected({*got.totals}, tableColumns), projected({*want.totals}, columns)) << "(c) totals";
    }
  }

  void refresh(const OvDbObjectId& table) {
    HostEditor::clearTranscript();
    chooseAction(IDC_UPDATE_TABLE, table);
    EXPECT_EQ(runDialog(), IDOK);
  }

  static StandIn::PickAnswer handlesAnswer(const Texts& handles) {
    StandIn::PickAnswer answer;
    answer.kind = StandIn::PickAnswer::Handles;
    for (const CString& h : handles) answer.handles.push_back(h.GetString());
    return answer;
  }
};

TEST_P(UpdateAgainstWizard, RefreshAndAddAgreeWithTheWizard) {
  std::optional<SeedRange> seeds = shardSeeds(GetParam(), kSeedsPerShard, kSeedsRun);
  if (!seeds) GTEST_SKIP() << "DX_UPDATE_SEED runs in the first shard";
  for (std::uint64_t n = 0; n < seeds->count && !HasFailure(); ++n) {
    const auto seed = static_cast<unsigned>(seeds->first + n);
    SCOPED_TRACE(seedTrace(seed));
    // Each seed on the sample drawing as it was.
    freshDrawing();
    useSampleDrawing();
    runSeed(seed);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UpdateAgainstWizard, testing::Range(0u, kShards),
                         shardNames(kSeedsPerShard, kSeedsRun));

// The update command on tables whose link lists or cells were damaged, as a drawing edited by
// another program may hold them. For each seed the wizard makes two equal tables after a
// generated plan (one of them may be cut down to the six lists that tables had before the
// layout list, both alike); one is then damaged at random: lists emptied, cut short, given
// extra, duplicated or swapped entries, entries replaced by texts that are not numbers,
// numbers far out of range or negative, very long texts, handles of objects that are gone or
// are not entities, and rows or columns added to or taken from the table. One action then
// runs on both tables. The damaged table must either come out as its undamaged twin does
// (which the test above holds to the wizard itself), or stay exactly as it was, cells and
// lists, without "Table updated."; an export must never say it wrote a file it did not write,
// and what it wrote is read back by Python's csv module or by xlrd. Nothing may crash.
// A table's state as a failure shows it: its cells row by row, then its lists.
std::string describe(const TableState& state) {
  std::string out = "\n";
  auto line = [&out](const Texts& texts) {
    for (const CString& text : texts) out += " |" + WideToUtf8(text.Left(40).GetString());
    out += "\n";
  };
  for (const Texts& row : state.cells) line(row);
  for (const auto& [name, list] : state.lists) {
    out += WideToUtf8(name.GetString()) + ":";
    line(list);
  }
  return out;
}

constexpr unsigned kDamageShards = 4;
constexpr unsigned kDamageSeedsPerShard = 25;
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned kDamageSeedsRun = 5;
#else
constexpr unsigned kDamageSeedsRun = kDamageSeedsPerShard;
#endif

enum class UpdateAction { Refresh, Add, Replace, ExportCsv, ExportXls };

class DamagedLinks : public UpdateAgainstWizard {
protected:
  // --- The damage ---

  // A text that no list entry should hold; the handles are found in the drawing.
  CString badText(Rng& rng, const Texts& list) {
    switch (rng() % 10) {
      case 0: return L"";
      case 1: return L"x7";
      case 2: return L"-1";
      case 3: return L"99999999999999999999";
      case 4: return L"4294967297";
      case 5: return CString(std::wstring(2000 + rng() % 3000, L'W').c_str());
      case 6: return goneHandle_;
      case 7: return handleOf(db()->modelSpaceId());  // not an entity
      case 8: return handleOf(twin_);                 // an entity that no table shows
      default: return list.empty() ? CString(L"FFFFFFFFFFFF") : anyOf(rng, list);
    }
  }

  // The value of a layout entry ("tag:value", "object:handle/row") made wrong.
  CString badLayoutEntry(Rng& rng, const CString& entry, const Texts& list) {
    int colon = entry.Find(L':');
    if (colon < 0 || chance(rng, 0.3)) return badText(rng, list);
    CString tag = entry.Left(colon + 1), value = entry.Mid(colon + 1);
    int slash = value.ReverseFind(L'/');
    if (slash > 0 && chance(rng, 0.6)) {
      return chance(rng, 0.5) ? tag + value.Left(slash + 1) + badText(rng, {})
                              : tag + badText(rng, list) + value.Mid(slash);
    }
    return tag + badText(rng, list);
  }

  void damageList(Rng& rng, const OvDbObjectId& table, const CString& app, std::string& log) {
    Texts list = link(table, app);
    const bool layout = app == kTableLayoutApp;
    auto at = [&](size_t extra) { return static_cast<size_t>(rng() % (list.size() + extra)); };
    auto bad = [&](const CString& entry) { return layout ? badLayoutEntry(rng, entry, list) : badText(rng, list); };
    // A display name is any text the person typed, and a name list changed entry for entry
    // with its partner renames columns: the name lists are damaged in their counts only.
    const bool nameList = app == kOriginalNamesApp || app == kDisplayNamesApp;
    // A table with the six lists alone pairs its rows with the entries of its handle list by
    // their places, and leaves the rows after the last entry (added by hand) alone: an entry
    // changed, added or taken out there cannot be told from objects changed or rows added.
    const bool pairedByPlace = app == kObjectHandlesApp && sixLists_;
    // There the grouping and the headers are the person's choices themselves: any entry
    // changed, added or taken out reads as another choice. So does a kind changed or taken
    // out; a kind named twice or a text that names no kind can be told.
    const bool sixListChoice = sixLists_ && (app == kGroupByApp || app == kTableHeadersApp);
    const bool sixListKinds = sixLists_ && app == kObjectTypesApp;
    // A layout list emptied makes the table one made before that list, read by the six alone.
    const bool keepLayout = layout && !sixLists_;
    // An entry that left a property out or chose one for a hidden column, changed or taken
    // away, reads as a property that the objects did not offer when the table was made: new
    // objects then bring it as a column.
    auto leftOut = [&](size_t k) {
      if (!layout) return false;
      if (list[k].Left(8) == L"leftout:") return true;
      return list[k].Left(7) == L"chosen:" && !holds(list, L"column:" + list[k].Mid(7));
    };
    // A chosen property without its column entry is a column hidden in the wizard; a list
    // without its sort entries one whose preview rows were moved by hand.
    auto shownColumn = [&](size_t k) { return layout && list[k].Left(7) == L"column:"; };
    auto sortEntry = [&](size_t k) { return layout && list[k].Left(5) == L"sort:"; };
    const unsigned damage = pairedByPlace || sixListChoice ? 0
                            : sixListKinds                 ? std::array{0u, 2u, 4u}[rng() % 3]
                                                           : static_cast<unsigned>(rng() % 6);
    switch (damage) {
      case 0:
        if (keepLayout) return;
        list.clear();
        log += "emptied ";
        break;
      case 1:
        list.resize(list.empty() ? 0 : at(0));
        if (keepLayout && list.empty()) return;
        log += "cut ";
        break;
      case 2:
        list.insert(list.begin() + static_cast<long>(at(1)), bad(list.empty() ? CString() : list[at(0)]));
        log += "extra ";
        break;
      case 3: {
        if (list.empty() || nameList) return;
        const size_t k = at(0);
        if (leftOut(k)) return;
        list[k] = bad(list[k]);
        log += "wrong ";
        break;
      }
      case 4:
        if (list.empty()) return;
        list.insert(list.begin() + static_cast<long>(at(1)), list[at(0)]);
        log += "doubled ";
        break;
      default: {
        if (list.empty()) return;
        const size_t k = at(0);
        if (leftOut(k) || shownColumn(k) || sortEntry(k)) return;
        list.erase(list.begin() + static_cast<long>(k));
        log += "dropped ";
        break;
      }
    }
    log += WideToUtf8(app.GetString());
    log += "; ";
    clearLinkXData(table, app);
    writeLinkXData(table, app, list);
  }

  void damageCells(Rng& rng, const OvDbObjectId& id, std::string& log) {
    OvDbTable* table = nullptr;
    ASSERT_EQ(ovdbOpenObject(table, id, Ovis::kForWrite), Ovis::eOk);
    const unsigned rows = table->numRows(), columns = table->numColumns();
    switch (rng() % 4) {
      case 0:
        table->insertRows(1 + static_cast<unsigned>(rng() % rows), 1.0, 1 + static_cast<unsigned>(rng() % 2));
        log += "rows added; ";
        break;
      case 1:
        if (rows > 2) table->deleteRows(1 + static_cast<unsigned>(rng() % (rows - 1)), 1);
        log += "row taken; ";
        break;
      case 2:
        table->insertColumns(static_cast<unsigned>(rng() % (columns + 1)), 2.0, 1);
        log += "column added; ";
        break;
      default:
        // Column 0 holds the title: taking it takes the title, as taking the title row would.
        if (columns > 1) table->deleteColumns(1 + static_cast<unsigned>(rng() % (columns - 1)), 1);
        log += "column taken; ";
        break;
    }
    table->generateLayout();
    table->close();
  }

  std::string damage(Rng& rng, const OvDbObjectId& table) {
    std::string log;
    Texts lists = linkListNames();
    for (unsigned n = 1 + static_cast<unsigned>(rng() % 3); n > 0; --n) {
      // Such a table also pairs its rows with its objects by their places and takes its
      // columns from its cells: rows or columns added or taken away cannot be told apart.
      if (!sixLists_ && chance(rng, 0.2)) {
        damageCells(rng, table, log);
        continue;
      }
      const CString app = anyOf(rng, lists);
      damageList(rng, table, app, log);
      // One of the name lists at most, once, so that their counts cannot come to agree again.
      if (app == kOriginalNamesApp || app == kDisplayNamesApp) {
        std::erase_if(lists, [](const CString& name) { return name == kOriginalNamesApp || name == kDisplayNamesApp; });
      }
    }
    return log;
  }

  // --- The actions, on both tables ---

  std::wstring act(UpdateAction action, const OvDbObjectId& table, const Texts& selection) {
    HostEditor::clearTranscript();
    chooseAction(action == UpdateAction::Refresh   ? IDC_UPDATE_TABLE
                 : action == UpdateAction::Add     ? IDC_ADD_OBJECTS
                 : action == UpdateAction::Replace ? IDC_REPLACE_OBJECTS
                                                   : IDC_UPDATE_EXPORT,
                 table);
    if (!selection.empty()) driver.AddPickAnswer(handlesAnswer(selection));
    EXPECT_EQ(runDialog(), IDOK);
    return transcript();
  }

  // The export of the damaged table, to a file that can be written or to one that cannot.
  // The files are named after the seed: the shards run side by side.
  void checkExport(Rng& rng, unsigned seed, UpdateAction action, const OvDbObjectId& table) {
    const bool csv = action == UpdateAction::ExportCsv;
    const bool writable = chance(rng, 0.7);
    const std::string name = "damaged " + std::to_string(seed) + (csv ? ".csv" : ".xls");
    std::filesystem::path path =
        writable ? page_test::scratchFile(name) : page_test::scratchFile("missing " + std::to_string(seed)) / name;
    if (!writable) std::filesystem::remove_all(path.parent_path());
    TableState before = state(table);
    HostEditor::clearTranscript();
    chooseAction(IDC_UPDATE_EXPORT, table);
    driver.AddFileDialogAnswer(true, widePath(path), csv ? kCsvFilterIndex : kXlsFilterIndex);
    EXPECT_EQ(runDialog(), IDOK);
    const std::wstring said = transcript();
    EXPECT_EQ(state(table), before) << "an export changed the table";
    const std::wstring done = csv ? L"\nCSV export done to : " : L"\nFinished XLS exportation to : ";
    const bool reported = said.find(done + widePath(path)) != std::wstring::npos;
    EXPECT_EQ(reported, writable) << "export said: " << CString(said.c_str());
    EXPECT_EQ(std::filesystem::exists(path), writable);
    if (!reported || !std::filesystem::exists(path)) return;
    Cells expected = cells(table);
    expected.erase(expected.begin());  // the title row is not exported
    std::string read = csv ? runReader("support/read_csv.py", {path.string(), ",", "latin-1"})
                           : runReader("wizard/update_read_xls.py", {path.string()});
    EXPECT_EQ(read, hexLines(expected)) << "the file does not hold the table's cells";
  }

  // The objects a replacing or adding action is given; to add, now and then only objects the
  // table shows.
  Texts selectionFor(Rng& rng, UpdateAction action, const Texts& inTable) {
    if (action == UpdateAction::Add && !inTable.empty() && chance(rng, 0.25)) {
      Texts shown;
      std::copy_if(inTable.begin(), inTable.end(), std::back_inserter(shown),
                   [&](const CString&) { return chance(rng, 0.4); });
      return shown.empty() ? Texts{anyOf(rng, inTable)} : shown;
    }
    Texts chosen = newObjects(rng, inTable);
    if (action == UpdateAction::Replace) {
      for (const CString& handle : inTable) {
        if (chance(rng, 0.3) && !holds(chosen, handle)) chosen.push_back(handle);
      }
    }
    return chosen;
  }

  void runDamagedSeed(unsigned seed) {
    Rng rng(seed);
    WizardPlan plan = makePlan(rng);
    twin_ = runPlan(plan);
    OvDbObjectId table = runPlan(plan);
    ASSERT_FALSE(table.isNull() || twin_.isNull());
    OvDbObjectId gone = addLine(1.5, L"Walls");
    goneHandle_ = handleOf(gone);
    erase(gone);
    sixLists_ = chance(rng, 0.3);  // tables made before the layout list
    if (sixLists_) {
      clearLinkXData(twin_, kTableLayoutApp);
      clearLinkXData(table, kTableLayoutApp);
    }
    ASSERT_EQ(state(table), state(twin_)) << "two runs of one plan made different tables";
    const auto action = static_cast<UpdateAction>(rng() % 5);
    const Rng sameDamage = rng;
    const std::string damaged = damage(rng, table);
    SCOPED_TRACE(testing::Message() << "action " << static_cast<int>(action) << (sixLists_ ? ", six lists" : "")
                                    << ", damage: " << damaged);
    if (action == UpdateAction::ExportCsv || action == UpdateAction::ExportXls) {
      checkExport(rng, seed, action, table);
      return;
    }

    const Texts objects = tableObjects(plan);
    Texts selection;
    if (action == UpdateAction::Refresh) changeDrawing(rng, objects);
    else selection = selectionFor(rng, action, objects);
    Expected first;
    first.refusal = sixLists_ && action != UpdateAction::Refresh && refreshRefuses(plan, sameDamage);
    first.upToDate =
        action == UpdateAction::Add && canTellMergedObjects(plan) &&
        std::all_of(selection.begin(), selection.end(), [&](const CString& h) { return holds(objects, h); });
    for (int round = 0; round < 2 && !HasFailure(); ++round) {
      SCOPED_TRACE(round == 0 ? "the action" : "a refresh after it");
      if (!actOnBoth(round == 0 ? action : UpdateAction::Refresh, table, round == 0 ? selection : Texts(),
                     round == 0 ? first : Expected())) {
        break;
      }
    }
  }

  // Whether a refresh refuses a table made after the plan, as old as the damaged one and
  // damaged alike: adding and replacing refuse it then too.
  bool refreshRefuses(const WizardPlan& plan, Rng rng) {
    OvDbObjectId probe = runPlan(plan);
    if (sixLists_) clearLinkXData(probe, kTableLayoutApp);
    damage(rng, probe);
    const std::wstring said = act(UpdateAction::Refresh, probe, {});
    erase(probe);
    return said.find(L"Table updated.") == std::wstring::npos &&
           said.find(L"Table already up to date.") == std::wstring::npos;
  }

  // A table with the six lists alone tells the objects of its combined or grouped rows by
  // building them again with the columns it shows: not when the count or the group-by column
  // was hidden in the preview.
  bool canTellMergedObjects(const WizardPlan& plan) {
    auto shownName = [&plan](const CString& name) {
      auto renamed = plan.renamed.find(name);
      return renamed == plan.renamed.end() ? name : renamed->second;
    };
    const CString& hidden = plan.hiddenColumn;
    return !sixLists_ || hidden.IsEmpty() || (hidden != shownName(L"Quantity") && hidden != shownName(plan.combineBy));
  }

  // What an action must do besides coming out as on the twin or leaving the table as it was.
  struct Expected {
    bool refusal = false;   // a refresh refuses the damaged lists: the table stays as it was
    bool upToDate = false;  // the selected objects are all in the table: the twin stays as it was
  };

  // Runs the action on the twin and on the damaged table; true when the damaged table came out
  // as the twin did (its lists are then checked by the next action).
  bool actOnBoth(UpdateAction action, const OvDbObjectId& table, const Texts& selection, Expected expected) {
    const TableState made = state(twin_);
    const std::wstring twinSaid = act(action, twin_, selection);
    const TableState want = state(twin_);
    if (expected.upToDate) {
      EXPECT_NE(twinSaid.find(L"Table already up to date."), std::wstring::npos) << CString(twinSaid.c_str());
      EXPECT_TRUE(want == made) << "objects already in the table were added:" << describe(want);
    }
    const TableState before = state(table);
    const std::wstring said = act(action, table, selection);
    const TableState got = state(table);
    const bool updatedSaid = said.find(L"Table updated.") != std::wstring::npos;
    if (got.cells == want.cells && !expected.refusal) {
      if (got.cells != before.cells) {
        EXPECT_TRUE(updatedSaid) << "a changed table not reported";
      }
      return true;
    }
    EXPECT_TRUE(got == before) << "the damaged table neither came out as the undamaged one nor stayed as it was:"
                               << "\nbefore:" << describe(before) << "after:" << describe(got)
                               << "the undamaged one after:" << describe(want);
    EXPECT_FALSE(updatedSaid) << "\"Table updated.\" for a table that was not updated";
    return false;
  }

  OvDbObjectId twin_;
  CString goneHandle_;
  bool sixLists_ = false;
};

TEST_P(DamagedLinks, AnActionOnADamagedTableDoesAsOnTheWholeOneOrNothing) {
  std::optional<SeedRange> seeds = shardSeeds(GetParam(), kDamageSeedsPerShard, kDamageSeedsRun);
  if (!seeds) GTEST_SKIP() << "DX_UPDATE_SEED runs in the first shard";
  for (std::uint64_t n = 0; n < seeds->count && !HasFailure(); ++n) {
    const auto seed = static_cast<unsigned>(seeds->first + n);
    SCOPED_TRACE(seedTrace(seed));
    freshDrawing();
    useSampleDrawing();
    runDamagedSeed(seed);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, DamagedLinks, testing::Range(0u, kDamageShards),
                         shardNames(kDamageSeedsPerShard, kDamageSeedsRun));

// The update command in a session of another language than the one a table was made in.
// For each seed a generated plan is run by the wizard in one language and in another; one
// action (a refresh after objects changed, objects added, the selection replaced) and then a
// refresh run on both tables in the second language. The first table must come out as the
// second, made in that language alone. The wizard orders columns and rows by their texts,
// which differ from language to language: columns are compared in the order of their
// property names, rows and the list entries that follow them in any order.
constexpr LANGID kEnglish = 0x0C09, kFrench = 0x040C, kSpanish = 0x0C0A;  // as sessions choose them
constexpr std::array<std::pair<LANGID, LANGID>, 6> kLanguagePairs = {{{kEnglish, kFrench},
                                                                      {kFrench, kEnglish},
                                                                      {kEnglish, kSpanish},
                                                                      {kSpanish, kEnglish},
                                                                      {kFrench, kSpanish},
                                                                      {kSpanish, kFrench}}};

constexpr unsigned kLanguageShards = 6;
constexpr unsigned kLanguageSeedsPerShard = 12;
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned kLanguageSeedsRun = 3;
#else
constexpr unsigned kLanguageSeedsRun = kLanguageSeedsPerShard;
#endif

// Every kind and property name of the English catalogue (the fixture's language) with the
// name at its place in the catalogue of another language.
std::map<CString, CString> catalogueNamesIn(LANGID language) {
  const PropertyCatalogue english;
  SetUserInterfaceLanguage(language);
  const PropertyCatalogue other;
  SetUserInterfaceLanguage(kEnglish);
  std::map<CString, CString> names;
  for (size_t i = 0; i < english.typeNames.size(); ++i) names.emplace(english.typeNames[i], other.typeNames[i]);
  for (auto item : {&PropertyCatalogue::objectTypeItem, &PropertyCatalogue::quantityItem,
                    &PropertyCatalogue::blockPreviewItem, &PropertyCatalogue::blockNameItem}) {
    names.emplace((english.*item).name, (other.*item).name);
  }
  for (auto list : {&PropertyCatalogue::generalItems, &PropertyCatalogue::geometricItems,
                    &PropertyCatalogue::blockRefItems, &PropertyCatalogue::mtextItems}) {
    for (size_t i = 0; i < (english.*list).size(); ++i) names.emplace((english.*list)[i].name, (other.*list)[i].name);
  }
  return names;
}

// A plan made in English, as a person using another language makes it.
WizardPlan planIn(WizardPlan plan, LANGID language) {
  const std::map<CString, CString> names = catalogueNamesIn(language);
  auto translate = [&names](CString& text) {
    auto found = names.find(text);
    if (found != names.end()) text = found->second;
  };
  for (Texts* list : {&plan.kindsLeftOut, &plan.propertiesLeftOut, &plan.propertiesKept, &plan.totals}) {
    for (CString& text : *list) translate(text);
  }
  std::map<CString, CString> renamed;
  for (const auto& [property, shown] : plan.renamed) {
    CString name = property;
    translate(name);
    renamed[name] = shown;
  }
  plan.renamed = renamed;
  for (CString* shown : {&plan.combineBy, &plan.sortFirstBy, &plan.sortBy, &plan.hiddenColumn, &plan.movedColumn})
    translate(*shown);
  return plan;
}

class UpdateAcrossLanguages : public DamagedLinks {  // for its actions and their selections
protected:
  // The table as the comparison sees it: the title, the rows with their columns in the order
  // of their property names (from the layout list), the data rows sorted; the lists of
  // handles and headers sorted, and the layout list's entries sorted, without row numbers.
  TableState languageFree(const OvDbObjectId& table) {
    TableState now = state(table);
    std::optional<TableLayout> layout = TableLayout::fromEntries(now.lists[kTableLayoutApp]);
    if (!layout) {
      ADD_FAILURE() << "a layout list that cannot be read";
      return now;
    }
    std::vector<size_t> columns(layout->columns.size());
    std::iota(columns.begin(), columns.end(), 0);
    std::sort(columns.begin(), columns.end(),
              [&layout](size_t a, size_t b) { return layout->columns[a] < layout->columns[b]; });
    TableParts parts = partsOf(now.cells, layout->headerShown, layout->totalsRow);
    Cells cells = {{parts.title}};
    if (parts.header) cells.push_back(projected({*parts.header}, columns).front());
    for (const Texts& row : sorted(projected(parts.body, columns))) cells.push_back(row);
    if (parts.totals) cells.push_back(projected({*parts.totals}, columns).front());
    now.cells = cells;
    for (Texts* list : {&now.lists[kObjectHandlesApp], &now.lists[kTableHeadersApp]})
      std::sort(list->begin(), list->end());
    for (CString& entry : now.lists[kTableLayoutApp]) {
      if (entry.Left(4) == L"gap:") entry = L"gap";
      if (entry.Left(7) == L"object:") entry = entry.Left(entry.ReverseFind(L'/'));
    }
    std::sort(now.lists[kTableLayoutApp].begin(), now.lists[kTableLayoutApp].end());
    return now;
  }

  void runLanguageSeed(unsigned seed) {
    Rng rng(seed);
    // One pair of languages a shard, so that every pair runs under the sanitizers too.
    const auto [made, updated] = kLanguagePairs[(seed - 1) / kLanguageSeedsPerShard % kLanguagePairs.size()];
    const WizardPlan plan = makePlan(rng);
    const auto action = static_cast<UpdateAction>(rng() % 3);
    const WizardPlan madePlan = planIn(plan, made), updatedPlan = planIn(plan, updated);
    SetUserInterfaceLanguage(made);
    OvDbObjectId table = runPlan(madePlan);
    SetUserInterfaceLanguage(updated);
    OvDbObjectId alone = runPlan(updatedPlan);
    SetUserInterfaceLanguage(kEnglish);
    ASSERT_FALSE(table.isNull() || alone.isNull());

    const Texts objects = tableObjects(plan);
    Texts selection;
    if (action == UpdateAction::Refresh) changeDrawing(rng, objects);
    else selection = selectionFor(rng, action, objects);
    SetUserInterfaceLanguage(updated);
    for (UpdateAction step : {action, UpdateAction::Refresh}) {
      SCOPED_TRACE(testing::Message() << "made in " << made << ", updated in " << updated << ", action "
                                      << static_cast<int>(step));
      const std::wstring aloneSaid = act(step, alone, selection);
      const TableState before = state(table);
      const std::wstring said = act(step, table, selection);
      selection.clear();
      // Objects that are all in the table already change nothing (the refresh then does).
      const std::wstring upToDate = LoadResString(IDS_TABLE_UP_TO_DATE).GetString();
      if (step != UpdateAction::Refresh && said.ends_with(upToDate)) {
        EXPECT_TRUE(aloneSaid.ends_with(upToDate)) << CString(aloneSaid.c_str());
        EXPECT_TRUE(state(table) == before) << "an action with nothing to do changed the table";
        continue;
      }
      const TableState got = languageFree(table), want = languageFree(alone);
      EXPECT_TRUE(got == want) << CString(said.c_str()) << "\nmade in another language:" << describe(got)
                               << "made in this one:" << describe(want);
    }
    SetUserInterfaceLanguage(kEnglish);
  }
};

TEST_P(UpdateAcrossLanguages, ATableMadeInAnotherLanguageComesOutAsOneMadeInThisOne) {
  std::optional<SeedRange> seeds = shardSeeds(GetParam(), kLanguageSeedsPerShard, kLanguageSeedsRun);
  if (!seeds) GTEST_SKIP() << "DX_UPDATE_SEED runs in the first shard";
  for (std::uint64_t n = 0; n < seeds->count && !HasFailure(); ++n) {
    const auto seed = static_cast<unsigned>(seeds->first + n);
    SCOPED_TRACE(seedTrace(seed));
    freshDrawing();
    useSampleDrawing();
    runLanguageSeed(seed);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UpdateAcrossLanguages, testing::Range(0u, kLanguageShards),
                         shardNames(kLanguageSeedsPerShard, kLanguageSeedsRun));

}  // namespace
