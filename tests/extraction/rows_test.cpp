// Row building, combining, grouping and totals, on drawings and grids of the tests' own.
#include <gtest/gtest.h>

#include <random>

#include "extraction/row_merging.h"
#include "res/resource_ids.h"
#include "tests/support/engine_test_support.h"

using namespace engine_test;

namespace {

class RowsTest : public DrawingTest {
protected:
  TextGrid build(ExtractionEngine& engine, const std::vector<CString>& kinds, const std::vector<CString>& chosen,
                 const std::vector<CString>& totals = {}, const CString& groupBy = CString()) {
    OfferedPropertyMap offered;
    engine.prepare(offered, kinds);
    PropertyCatalogue& c = engine.catalogue;
    bool quantity = std::find(chosen.begin(), chosen.end(), c.quantityItem.name) != chosen.end();
    bool blockName = std::find(chosen.begin(), chosen.end(), c.blockNameItem.name) != chosen.end();
    TextGrid grid;
    preview_.clear();
    engine.buildRows(grid, preview_, chosen, quantity, blockName, totals, groupBy);
    return grid;
  }
  BlockPreviewMap preview_;
};

TextGrid grid(std::initializer_list<std::vector<CString>> rows) { return TextGrid(rows); }

}  // namespace

TEST_F(RowsTest, ColumnsAndRowsByKindInTheChosenOrder) {
  OvDbObjectId l1 = add(new OvDbLine({0, 0, 0}, {3, 4, 0}));
  OvDbObjectId a1 = add(new OvDbArc({0, 0, 0}, 2, 0, kPi));
  OvDbObjectId l2 = add(new OvDbLine({0, 0, 0}, {0, 2, 0}));
  ExtractionEngine engine = extractAll();
  TextGrid rows = build(engine, {L"Arc", L"Line"}, {L"Layer", L"Length", L"Object type"});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (std::vector<CString>{L"Id", L"Object type", L"Layer", L"Length"}));
  EXPECT_EQ(rows[1], (std::vector<CString>{handleOf(a1), L"Arc", L"0", printfG(roundedTo(2 * kPi, 1e-4))}));
  EXPECT_EQ(rows[2], (std::vector<CString>{handleOf(l1), L"Line", L"0", L"5"}));
  EXPECT_EQ(rows[3], (std::vector<CString>{handleOf(l2), L"Line", L"0", L"2"}));
  EXPECT_EQ(engine.rows, rows);
  EXPECT_EQ(engine.chosenProperties, (std::vector<CString>{L"Layer", L"Length", L"Object type"}));

  // A property no chosen object has is an empty column; an unknown kind adds no rows.
  rows = build(engine, {L"Line", L"Bogus"}, {L"Radius"});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1][1], L"");
  // Quantity asked for without being among the chosen names still gets its column.
  OfferedPropertyMap offered;
  engine.prepare(offered, {L"Line"});
  TextGrid q;
  BlockPreviewMap preview;
  engine.buildRows(q, preview, {L"Angle"}, /*quantityChosen=*/true, /*blockNameChosen=*/false, {}, CString());
  EXPECT_EQ(q[0], (std::vector<CString>{L"Id", L"Quantity", L"Angle"}));
  translateNames(q, {});
  EXPECT_EQ(q[0][1], L"Quantity");
  translateNames(q, {{L"Angle", L"Winkel"}, {L"Nope", L"x"}});
  EXPECT_EQ(q[0], (std::vector<CString>{L"Id", L"Quantity", L"Winkel"}));
}

TEST_F(RowsTest, BlockRows) {
  OvDbObjectId door = addBlock(L"Door");
  OvDbObjectId d1 = addReference(door, {{L"NUMBER", L"1"}, {L"Id", L"X"}, {L"NUMBER", L"2"}}, {1, 2, 0});
  auto* line = new OvDbLine({0, 0, 0}, {1, 0, 0});
  line->setLayer(L"Walls");
  OvDbObjectId l1 = add(line);
  ExtractionEngine engine = extractAll();
  TextGrid rows = build(engine, {L"Block", L"Line"}, {L"Block preview", L"Layer", L"NUMBER", L"X position", L"Id"});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<CString>{L"Id", L"Block preview", L"Layer", L"NUMBER", L"X position", L"Id"}));
  // The handle stays in column 0; the attribute named "Id" fills the chosen "Id" column.
  EXPECT_EQ(rows[1], (std::vector<CString>{handleOf(d1), L"", L"", L"2", L"1", L"X"}));
  EXPECT_EQ(rows[2], (std::vector<CString>{handleOf(l1), L"", L"Walls", L"", L"", handleOf(l1)}));
  ASSERT_EQ(preview_.size(), 1u);
  EXPECT_EQ(preview_.at(handleOf(d1)), door);
  EXPECT_EQ(engine.previewMap, preview_);
}

// A dynamic property named "Id" fills a chosen "Id" column, never column 0, which holds the
// handle.
TEST_F(RowsTest, DynamicPropertyNamedIdLeavesTheHandle) {
  OvDbObjectId dynamic = addBlock(L"Sliding");
  OvDbObjectId shape = addBlock(L"*U");
  OvDbBlockTableRecord* record = nullptr;
  ASSERT_EQ(ovdbOpenObject(record, dynamic, Ovis::kForWrite), Ovis::eOk);
  record->addDynamicProperty(L"Id", OvDbEvalVariant(L"D-7"));
  record->close();
  ASSERT_EQ(ovdbOpenObject(record, shape, Ovis::kForWrite), Ovis::eOk);
  record->setDynamicBlockDefinition(dynamic);
  record->close();
  OvDbObjectId reference = addReference(shape);
  ExtractionEngine engine = extractAll();
  TextGrid rows = build(engine, {L"Block"}, {L"Block name", L"Id"});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<CString>{L"Id", L"Block name", L"Id"}));
  EXPECT_EQ(rows[1], (std::vector<CString>{handleOf(reference), L"Sliding", L"D-7"}));
}

TEST_F(RowsTest, CombiningKeepsTheSmallestHandleAndCounts) {
  std::vector<OvDbObjectId> ids;
  for (int i = 0; i < 3; ++i) ids.push_back(add(new OvDbLine({0, 0, 0}, {2, 0, 0})));
  ids.push_back(add(new OvDbLine({0, 0, 0}, {5, 0, 0})));
  ids.push_back(add(new OvDbCircle({0, 0, 0}, 1)));
  ExtractionEngine engine = extractAll();
  TextGrid rows = build(engine, {L"Line", L"Circle"}, {L"Quantity", L"Layer", L"Length"});
  ASSERT_EQ(rows.size(), 4u);
  // Every set keeps its smallest handle text; rows come in handle-text order.
  std::vector<std::pair<CString, CString>> expected = {
      {std::min({handleOf(ids[0]), handleOf(ids[1]), handleOf(ids[2])}), L"3"},
      {handleOf(ids[3]), L"1"},
      {handleOf(ids[4]), L"1"}};
  std::sort(expected.begin(), expected.end());
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[i + 1][0], expected[i].first);
    EXPECT_EQ(rows[i + 1][1], expected[i].second);
  }
  std::vector<CString> totals = computeTotalsRow(rows, {L"Quantity"});
  EXPECT_EQ(totals, (std::vector<CString>{L"", L"5", L"", L""}));
  // Rows of different kinds that show the same values are one row.
  rows = build(engine, {L"Circle", L"Line"}, {L"Quantity", L"Layer"});
  ASSERT_EQ(rows.size(), 2u);
  CString smallest = handleOf(ids[0]);
  for (const auto& id : ids) smallest = std::min(smallest, handleOf(id));
  EXPECT_EQ(rows[1], (std::vector<CString>{smallest, L"5", L"0"}));
  // With the kind shown they stay apart.
  rows = build(engine, {L"Circle", L"Line"}, {L"Quantity", L"Layer", L"Object type"});
  EXPECT_EQ(rows.size(), 3u);
}

TEST_F(RowsTest, BlocksCombineOnlyWithTheBlockNameAndNoGroup) {
  OvDbObjectId door = addBlock(L"Door");
  OvDbObjectId a = addReference(door), b = addReference(door);
  ExtractionEngine engine = extractAll();
  TextGrid rows = build(engine, {L"Block"}, {L"Quantity", L"Block name", L"Block preview"});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][1], L"2");
  CString kept = std::min(handleOf(a), handleOf(b));
  EXPECT_EQ(rows[1][0], kept);
  EXPECT_EQ(preview_, (BlockPreviewMap{{kept, door}}));
  rows = build(engine, {L"Block"}, {L"Quantity", L"Block preview"});
  EXPECT_EQ(rows.size(), 3u);  // no block name: nothing merged
  EXPECT_EQ(preview_.size(), 2u);
  rows = build(engine, {L"Block"}, {L"Quantity", L"Block name"}, {}, L"Block name");
  EXPECT_EQ(rows.size(), 3u);  // a group-by property: nothing merged either
  // Grouped by a property that is no column: the rows stay as built and show their blocks.
  rows = build(engine, {L"Block"}, {L"Block preview"}, {}, L"Layer");
  EXPECT_EQ(rows.size(), 3u);
  EXPECT_EQ(preview_, (BlockPreviewMap{{handleOf(a), door}, {handleOf(b), door}}));
  EXPECT_EQ(engine.previewMap, preview_);
  EXPECT_EQ(engine.rowMerge, RowMerge::None);  // nor does the table link claim a grouping
}

TEST_F(RowsTest, GroupingByLayerWithSums) {
  auto line = [&](const wchar_t* layer, double length) {
    auto* l = new OvDbLine({0, 0, 0}, {length, 0, 0});
    l->setLayer(layer);
    return add(l);
  };
  line(L"A", 2);
  OvDbObjectId lastA = line(L"A", 3.5);
  OvDbObjectId only0 = line(L"0", 1);
  OvDbObjectId lowerA = line(L"a", 4);
  ExtractionEngine engine = extractAll();
  TextGrid rows = build(engine, {L"Line"}, {L"Object type", L"Length", L"Layer"}, {L"Length"}, L"Layer");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (std::vector<CString>{L"Id", L"Layer", L"Object type", L"Length"}));
  EXPECT_EQ(rows[1], (std::vector<CString>{handleOf(only0), L"0", L"", L"1"}));
  EXPECT_EQ(rows[2], (std::vector<CString>{handleOf(lastA), L"A", L"", L"5.5"}));
  EXPECT_EQ(rows[3], (std::vector<CString>{handleOf(lowerA), L"a", L"", L"4"}));
  // Without totals every group keeps its row, empty but for the handle and the value.
  rows = build(engine, {L"Line"}, {L"Length", L"Layer"}, {}, L"Layer");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2], (std::vector<CString>{handleOf(lastA), L"A", L""}));
  // A group-by name that is no column leaves the rows as built.
  rows = build(engine, {L"Line"}, {L"Length"}, {}, L"Layer");
  EXPECT_EQ(rows.size(), 5u);
}

TEST(RowMerging, CombiningEqualRowsOfDifferentKindsAndHandleOrder) {
  attachPluginResources();
  SetUserInterfaceLanguage(0x0C09);
  PropertyCatalogue catalogue;
  TextGrid rows = grid({{L"Id", L"Object type", L"Quantity", L"Layer"},
                        {L"2", L"Line", L"1", L"0"},
                        {L"A", L"Circle", L"1", L"0"},
                        {L"1F", L"Line", L"1", L"0"},
                        {L"10", L"Circle", L"1", L"0"},
                        {L"3", L"Line", L"1", L"1"}});
  std::vector<CString> kept{L"pre"};
  combineIdenticalRows(rows, kept, catalogue);
  EXPECT_EQ(rows, grid({{L"Id", L"Object type", L"Quantity", L"Layer"},
                        {L"10", L"Circle", L"2", L"0"},
                        {L"1F", L"Line", L"2", L"0"},
                        {L"3", L"Line", L"1", L"1"}}));
  EXPECT_EQ(kept, (std::vector<CString>{L"pre", L"10", L"1F", L"3"}));
  TextGrid header = grid({{L"Id", L"Quantity"}});
  combineIdenticalRows(header, kept, catalogue);
  EXPECT_EQ(header, grid({{L"Id", L"Quantity"}}));
}

// Combining and grouping give what the plain walks over the rows give: sort whole rows and
// keep a row unless an earlier kept one equals it from column 1, counting its equals; for
// each distinct value ascending, sum the totals over its rows and show its last handle.
// Grids of random rows with few distinct values and handles of varying length.
TEST(RowMerging, MergingMatchesThePlainWalks) {
  attachPluginResources();
  SetUserInterfaceLanguage(0x0C09);
  PropertyCatalogue catalogue;
  std::mt19937 random(20261207);
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const wchar_t* layers[] = {L"0", L"A", L"a", L"B", L""};
  const wchar_t* lengths[] = {L"1", L"2.5", L"10", L"x"};
  for (int round = 0; round < 40; ++round) {
    TextGrid rows = grid({{L"Id", L"Object type", L"Quantity", L"Layer", L"Length"}});
    int n = pick(30);
    for (int i = 0; i < n; ++i) {
      CString handle;
      handle.Format(L"%X", static_cast<unsigned>(1 + pick(round % 2 ? 40 : 4000)) * 7u + static_cast<unsigned>(i));
      rows.push_back({handle, pick(2) ? L"Line" : L"Arc", L"1", layers[pick(5)], lengths[pick(4)]});
    }

    TextGrid sorted(rows.begin() + 1, rows.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                          [](const CString& x, const CString& y) { return x.Compare(y) < 0; });
    });
    TextGrid walked = {rows[0]};
    std::vector<CString> walkedIds;
    for (const auto& row : sorted) {
      bool seen = false;
      for (std::size_t k = 1; k < walked.size(); ++k) seen = seen || rowsEqualFrom(walked[k], row, 1);
      if (seen) continue;
      walked.push_back(row);
      walkedIds.push_back(row[0]);
    }
    for (std::size_t k = 1; k < walked.size(); ++k) {
      int equal = 0;
      for (const auto& row : sorted) equal += rowsEqualFrom(walked[k], row, 1) ? 1 : 0;
      walked[k][2].Format(L"%d", equal);
    }
    TextGrid combined = rows;
    std::vector<CString> combinedIds;
    combineIdenticalRows(combined, combinedIds, catalogue);
    EXPECT_EQ(combined, walked) << "round " << round;
    EXPECT_EQ(combinedIds, walkedIds) << "round " << round;

    std::vector<CString> values;
    for (const auto& row : rows) {
      if (std::find(values.begin(), values.end(), row[3]) == values.end()) values.push_back(row[3]);
    }
    std::sort(values.begin(), values.end(), [](const CString& x, const CString& y) { return x.Compare(y) < 0; });
    TextGrid expected = {{L"Id", L"Layer", L"Object type", L"Quantity", L"Length"}};
    std::vector<CString> expectedIds;
    for (const CString& value : values) {
      double sum = 0;
      CString last;
      for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i][3] != value) continue;
        sum += std::wcstod(rows[i][4].GetString(), nullptr);
        last = rows[i][0];
      }
      if (last.IsEmpty()) continue;
      expectedIds.push_back(last);
      expected.push_back({last, value, L"", L"", printfG(sum)});
    }
    TextGrid grouped = rows;
    std::vector<CString> groupedIds;
    groupRowsByProperty(grouped, L"Layer", {L"Length"}, groupedIds);
    EXPECT_EQ(grouped, expected) << "round " << round;
    EXPECT_EQ(groupedIds, expectedIds) << "round " << round;
  }
}

TEST(RowMerging, GroupValuesAreCaseSensitiveAndOrdinal) {
  TextGrid rows = grid(
      {{L"Id", L"Len", L"Layer"}, {L"1", L"1", L"b"}, {L"2", L"2", L"B"}, {L"3", L"4", L"b"}, {L"4", L"8", L"Layer"}});
  std::vector<CString> kept;
  groupRowsByProperty(rows, L"Layer", {L"Len"}, kept);
  EXPECT_EQ(rows, grid({{L"Id", L"Layer", L"Len"}, {L"2", L"B", L"2"}, {L"4", L"Layer", L"8"}, {L"3", L"b", L"5"}}));
  EXPECT_EQ(kept, (std::vector<CString>{L"2", L"4", L"3"}));
  TextGrid header = grid({{L"Id", L"Layer"}});
  groupRowsByProperty(header, L"Layer", {L"Quantity"}, kept);
  EXPECT_EQ(header, grid({{L"Id", L"Layer"}}));
}

TEST(RowMerging, TotalsAreSummedOnceAndWrittenAtTheEnd) {
  TextGrid rows = grid({{L"Id", L"Length", L"Note"}, {L"1", L"1000000", L"12 mm"}});
  for (int i = 0; i < 10; ++i) rows.push_back({L"x", L"0.6", L"abc"});
  EXPECT_EQ(computeTotalsRow(rows, {L"Length", L"Length", L"Note"}),
            (std::vector<CString>{L"", printfG(1000006), printfG(12)}));
  EXPECT_TRUE(computeTotalsRow(rows, {}).empty());
  EXPECT_TRUE(computeTotalsRow(TextGrid(), {L"Length"}).empty());
  EXPECT_EQ(computeTotalsRow(grid({{L"Id", L"Length"}}), {L"Length"}), (std::vector<CString>{L"", L""}));
  EXPECT_EQ(computeTotalsRow(grid({{L"Id", L"T"}, {L"1", L"abc"}}), {L"T"}), (std::vector<CString>{L"", L"0"}));
  EXPECT_EQ(computeTotalsRow(grid({{L"Id", L"T"}, {L"1", L"999999"}, {L"2", L"1"}}), {L"T"})[1], L"1e+06");
}

TEST(RowMerging, SmallHelpers) {
  EXPECT_TRUE(rowsEqualFrom({L"1", L"a"}, {L"2", L"a"}, 1));
  EXPECT_FALSE(rowsEqualFrom({L"1", L"a"}, {L"2", L"a"}, 0));
  EXPECT_FALSE(rowsEqualFrom({L"1", L"a"}, {L"1", L"a", L""}, 1));
  EXPECT_FALSE(rowsEqualFrom({L"1", L"a"}, {L"1", L"A"}, 1));
  TextGrid rows = grid({{L"a", L"b", L"c", L"d"}, {L"1", L"2", L"3", L"4"}});
  moveColumn(rows, 3, 1);
  EXPECT_EQ(rows, grid({{L"a", L"d", L"b", L"c"}, {L"1", L"4", L"2", L"3"}}));
  moveColumn(rows, 9, 0);  // out of range: unchanged
  EXPECT_EQ(rows[0][1], L"d");
  BlockPreviewMap source{{L"1", OvDbObjectId(1, 10)}, {L"2", OvDbObjectId(1, 11)}}, out;
  filterPreviewMap(out, source, {});
  EXPECT_TRUE(out.empty());
  filterPreviewMap(out, source, {L"2", L"7"});
  EXPECT_EQ(out, (BlockPreviewMap{{L"2", OvDbObjectId(1, 11)}}));
}

TEST_F(RowsTest, PrecisionIsTakenWhenTheEngineIsBuilt) {
  add(new OvDbCircle({0, 0, 0}, 1.23456));
  setPrecision(1);
  ExtractionEngine engine = extractAll();
  setPrecision(4);
  ExtractionEngine copy = engine;
  EXPECT_EQ(copy.step, 0.1);
  TextGrid rows = build(copy, {L"Circle"}, {L"Radius"});
  EXPECT_EQ(rows[1][1], L"1.2");
}

TEST_F(RowsTest, UnopenableAndForeignObjectsAreSkipped) {
  OvDbObjectId line = add(new OvDbLine({0, 0, 0}, {1, 0, 0}));
  OvDbObjectId busy = add(new OvDbCircle({0, 0, 0}, 1));
  add(new OvDb2dPolyline);
  ov_name set{0, 0};
  ASSERT_EQ(ovedSSGet(L"A", nullptr, nullptr, nullptr, set), RTNORM);
  OvDbEntity* writer = nullptr;
  ASSERT_EQ(ovdbOpenOvDbEntity(writer, busy, Ovis::kForWrite), Ovis::eOk);
  OvDbEntity* gone = nullptr;
  ASSERT_EQ(ovdbOpenOvDbEntity(gone, line, Ovis::kForWrite), Ovis::eOk);
  gone->erase();
  gone->close();
  // Asking for more entries than the set holds skips the missing ones.
  ExtractionEngine engine(set, 10, PropertyCatalogue());
  writer->close();
  ovedSSFree(set);
  EXPECT_TRUE(engine.presentObjectKinds().empty());
}

TEST_F(RowsTest, TheUserInterfaceLanguageNamesKindsAndColumns) {
  add(new OvDbLine({0, 0, 0}, {0, 3, 0}));
  SetUserInterfaceLanguage(0x040C);
  ExtractionEngine engine = extractAll();
  const CString line = LoadResString(IDS_KIND_LINE), length = LoadResString(IDS_LINE_LENGTH),
                color = LoadResString(IDS_PROP_COLOR);
  const CString byLayer = LoadResString(IDS_BY_LAYER);
  SetUserInterfaceLanguage(0x0C09);
  EXPECT_NE(line, L"Line");
  EXPECT_NE(byLayer, L"ByLayer");
  TextGrid rows = build(engine, {line}, {color, length, L"Color"});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<CString>{L"Id", color, length, L"Color"}));
  EXPECT_EQ(rows[1][1], byLayer);
  EXPECT_EQ(rows[1][2], L"3");
  EXPECT_EQ(rows[1][3], L"");                                    // an English name is no French column key
  EXPECT_TRUE(build(engine, {L"Line"}, {length}).size() == 1u);  // nor an English kind name
}
