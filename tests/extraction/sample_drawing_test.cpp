// The sample floor plan extracted with every kind and every offered property. Expected
// values come from the plan's geometry, worked out here independently of the database.
#include <gtest/gtest.h>

#include <map>

#include "extraction/row_merging.h"
#include "platform/host/sample_drawing.h"
#include "tests/support/engine_test_support.h"

using namespace engine_test;

namespace {

const std::vector<CString> kAllKinds{L"Block", L"Line",     L"Polyline", L"Arc",  L"Circle",
                                     L"Solid", L"3D Solid", L"Point",    L"MText"};

class SampleDrawingTest : public DrawingTest {
protected:
  void SetUp() override {
    DrawingTest::SetUp();
    db_.reset(buildSampleDrawing());
    ovdbHostApplicationServices()->setWorkingDatabase(db_.get());
    engine_ = extractAll();
    engine_.prepare(offered_, kAllKinds);
    for (const auto& item : offered_) chosen_.push_back(item.name);
    engine_.buildRows(rows_, preview_, chosen_, /*quantityChosen=*/false, /*blockNameChosen=*/true, {}, CString());
  }

  // The cell of a row by column key.
  CString cell(const std::vector<CString>& row, const wchar_t* key) const {
    int j = columnOf(rows_, key);
    EXPECT_GE(j, 0) << CString(key);
    return j < 0 ? CString(L"<no column>") : row[static_cast<std::size_t>(j)];
  }
  // The rows whose cells under the keys hold the texts.
  std::vector<const std::vector<CString>*> rowsWhere(
      std::initializer_list<std::pair<const wchar_t*, CString>> match) const {
    std::vector<const std::vector<CString>*> found;
    for (std::size_t i = 1; i < rows_.size(); ++i) {
      bool all = true;
      for (const auto& [key, value] : match) all = all && cell(rows_[i], key) == value;
      if (all) found.push_back(&rows_[i]);
    }
    return found;
  }
  const std::vector<CString>& onlyRow(std::initializer_list<std::pair<const wchar_t*, CString>> match) const {
    auto found = rowsWhere(match);
    EXPECT_EQ(found.size(), 1u);
    static const std::vector<CString> none;
    return found.empty() ? none : *found.front();
  }
  static CString num(double value) { return printfG(roundedTo(value, 1e-4)); }

  ExtractionEngine engine_;
  OfferedPropertyMap offered_;
  std::vector<CString> chosen_;
  TextGrid rows_;
  BlockPreviewMap preview_;
};

}  // namespace

TEST_F(SampleDrawingTest, EveryKindIsPresentAndOffersItsProperties) {
  EXPECT_EQ(engine_.presentObjectKinds(), (PresentTypeMap{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(engine_.categories, (std::set<int>{1, 2, 3, 4, 5, 6}));
  // The multiline texts, chosen last, take "Thickness" away again.
  std::set<CString> names(chosen_.begin(), chosen_.end());
  EXPECT_EQ(names.count(L"Thickness"), 0u);
  for (const wchar_t* name : {L"NUMBER", L"WIDTH", L"FIRE", L"TYPE", L"Width", L"Panels", L"Track", L"Finish",
                              L"Block name", L"Block preview", L"X Scale", L"Global width", L"Total angle",
                              L"Circumference", L"Line spacing style", L"Z end", L"Hyperlink"})
    EXPECT_EQ(names.count(name), 1u) << CString(name);
  EXPECT_EQ(names.count(L"Origin"), 0u);
  EXPECT_EQ(offered_.find(PropertyItem(L"Width", 0, false))->category, kCategoryDynamicBlock);
  EXPECT_EQ(offered_.find(PropertyItem(L"FIRE", 0, false))->category, kCategoryAttribute);
  EXPECT_FALSE(offered_.find(PropertyItem(L"FIRE", 0, false))->total);
  EXPECT_EQ(chosen_.size(), offered_.size());
}

TEST_F(SampleDrawingTest, ColumnsRowsAndHandles) {
  ASSERT_GE(rows_.size(), 2u);
  const auto& header = rows_[0];
  ASSERT_GE(header.size(), 4u);
  EXPECT_EQ(header[0], L"Id");
  EXPECT_EQ(header[1], L"Object type");
  EXPECT_EQ(header[2], L"Block name");
  EXPECT_EQ(header[3], L"Block preview");
  EXPECT_EQ(header.size(), offered_.size());  // "Id" added; "Quantity" is not a column here
  // 6 block references (the logo is excluded), 5 wall lines, 2 polylines (the heavyweight
  // boundary is not one), 2 door swings, 4 columns, a landing, a chimney, 3 survey points
  // and 2 labels, in the order of the chosen kinds.
  const std::pair<const wchar_t*, int> counts[] = {{L"Block", 6},    {L"Line", 5},   {L"Polyline", 2},
                                                   {L"Arc", 2},      {L"Circle", 4}, {L"Solid", 1},
                                                   {L"3D Solid", 1}, {L"Point", 3},  {L"MText", 2}};
  std::size_t row = 1;
  for (const auto& [kind, n] : counts) {
    for (int i = 0; i < n; ++i, ++row) {
      ASSERT_LT(row, rows_.size());
      EXPECT_EQ(rows_[row][1], kind) << row;
    }
  }
  EXPECT_EQ(row, rows_.size());
  // Every row is as wide as the header; every handle names the object of its row.
  std::set<CString> handles;
  for (std::size_t i = 1; i < rows_.size(); ++i) {
    EXPECT_EQ(rows_[i].size(), header.size());
    handles.insert(rows_[i][0]);
    OvDbObjectId id;
    ASSERT_EQ(db_->getOvDbObjectId(id, false, OvDbHandle(rows_[i][0])), Ovis::eOk);
    EXPECT_EQ(handleOf(id), rows_[i][0]);
  }
  EXPECT_EQ(handles.size(), rows_.size() - 1);
}

TEST_F(SampleDrawingTest, WallsAsLines) {
  const double lengths[] = {12, 8, 12, 8};
  const double angles[] = {0, 90, 180, 270};
  auto walls = rowsWhere({{L"Object type", L"Line"}, {L"Line thickness", L"50"}});
  ASSERT_EQ(walls.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(cell(*walls[i], L"Length"), num(lengths[i]));
    EXPECT_EQ(cell(*walls[i], L"Angle"), num(angles[i]));
    EXPECT_EQ(cell(*walls[i], L"Layer"), L"Walls");
    EXPECT_EQ(cell(*walls[i], L"Color"), L"ByLayer");
    EXPECT_EQ(cell(*walls[i], L"Linetype"), L"Continuous");
    EXPECT_EQ(cell(*walls[i], L"Block name"), L"");
  }
  EXPECT_EQ(cell(*walls[2], L"X Delta"), L"-12");
  const auto& inner = onlyRow({{L"Object type", L"Line"}, {L"X Start", L"6"}});
  EXPECT_EQ(cell(inner, L"Y end"), L"5");
  EXPECT_EQ(cell(inner, L"Length"), L"5");
  EXPECT_EQ(cell(inner, L"Color"), L"8");
  EXPECT_EQ(cell(inner, L"Line thickness"), L"25");
  EXPECT_EQ(cell(inner, L"Plot style"), L"ByLayer");
  EXPECT_EQ(cell(inner, L"Linetype"), L"ByLayer");
  EXPECT_EQ(cell(inner, L"Linetype scale"), L"1");
}

TEST_F(SampleDrawingTest, PolylinesWithArcs) {
  // The bay: a 1 by 2 rectangle with a half circle of radius 1 on its outer side.
  const auto& bay = onlyRow({{L"Object type", L"Polyline"}, {L"Closed", L"Yes"}});
  EXPECT_EQ(cell(bay, L"Area"), num(2 + kPi / 2));
  EXPECT_EQ(cell(bay, L"Length"), num(1 + kPi + 1 + 2));
  EXPECT_EQ(cell(bay, L"Global width"), L"0.05");
  EXPECT_EQ(cell(bay, L"Linetype generation"), L"Enabled");
  EXPECT_EQ(cell(bay, L"Color"), L"5");
  EXPECT_EQ(cell(bay, L"Linetype scale"), L"2");
  EXPECT_EQ(cell(bay, L"Plot style"), L"Normal");
  // The counter: 3 straight, a quarter circle of radius 1, 1 straight; its area closed by
  // the chord back to the start (shoelace 3.5) plus the quarter circle's segment.
  const auto& counter = onlyRow({{L"Object type", L"Polyline"}, {L"Closed", L"No"}});
  EXPECT_EQ(cell(counter, L"Length"), num(3 + kPi / 2 + 1));
  EXPECT_EQ(cell(counter, L"Area"), num(3.5 + (kPi / 2 - 1) / 2));
  EXPECT_EQ(cell(counter, L"Global width"), L"0");
  EXPECT_EQ(cell(counter, L"Linetype generation"), L"Disabled");
  EXPECT_EQ(cell(counter, L"Linetype"), L"ByBlock");
  EXPECT_EQ(cell(counter, L"Line thickness"), L"ByBlock");
  EXPECT_EQ(cell(counter, L"Plot style"), L"ByBlock");
  EXPECT_EQ(cell(counter, L"Linetype scale"), L"1.26");
  EXPECT_EQ(cell(counter, L"Color"), L"3");
}

TEST_F(SampleDrawingTest, DoorSwingsAndColumns) {
  const auto& swing = onlyRow({{L"Object type", L"Arc"}, {L"Radius", L"0.9"}});
  EXPECT_EQ(cell(swing, L"Start angle"), L"180");
  EXPECT_EQ(cell(swing, L"End angle"), L"270");
  EXPECT_EQ(cell(swing, L"Total angle"), L"90");
  EXPECT_EQ(cell(swing, L"Length"), num(0.9 * kPi / 2));
  EXPECT_EQ(cell(swing, L"Area"), num(0.81 * (kPi / 2 - 1) / 2));
  EXPECT_EQ(cell(swing, L"X center"), L"2");
  EXPECT_EQ(cell(swing, L"Linetype"), L"DASHED");
  EXPECT_EQ(cell(swing, L"Linetype scale"), L"0.5");
  EXPECT_EQ(cell(swing, L"Line thickness"), L"18");
  auto columns = rowsWhere({{L"Object type", L"Circle"}});
  ASSERT_EQ(columns.size(), 4u);
  for (const auto* c : columns) {
    EXPECT_EQ(cell(*c, L"Radius"), L"0.15");
    EXPECT_EQ(cell(*c, L"Diameter"), L"0.3");
    EXPECT_EQ(cell(*c, L"Circumference"), num(2 * kPi * 0.15));
    EXPECT_EQ(cell(*c, L"Area"), num(kPi * 0.15 * 0.15));
    EXPECT_EQ(cell(*c, L"Color"), L"1");
    EXPECT_EQ(cell(*c, L"Layer"), L"Columns");
  }
  EXPECT_EQ(cell(*columns[3], L"X Center"), L"9");
  EXPECT_EQ(cell(*columns[3], L"Y Center"), L"6.5");
}

TEST_F(SampleDrawingTest, PointsSolidsAndLabels) {
  auto points = rowsWhere({{L"Object type", L"Point"}});
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(cell(*points[1], L"Z position"), num(0.012));
  EXPECT_EQ(cell(*points[2], L"Z position"), num(0.0245));
  EXPECT_EQ(cell(*points[2], L"Color"), L"2");
  const auto& landing = onlyRow({{L"Object type", L"Solid"}});
  EXPECT_EQ(cell(landing, L"Color"), L"ByBlock");
  EXPECT_EQ(cell(landing, L"Line thickness"), L"13");
  const auto& chimney = onlyRow({{L"Object type", L"3D Solid"}});
  EXPECT_EQ(cell(chimney, L"Line thickness"), L"211");
  EXPECT_EQ(cell(chimney, L"X position"), L"");
  const auto& kitchen = onlyRow({{L"Object type", L"MText"}, {L"Direction", L"Vertical"}});
  EXPECT_EQ(cell(kitchen, L"Contents"), L"{\\fArial|b1;Kitchen}\\PSouth side");
  EXPECT_EQ(cell(kitchen, L"Rotation"), num(kPi / 2));
  EXPECT_EQ(cell(kitchen, L"Justify"), L"Top left");
  EXPECT_EQ(cell(kitchen, L"Background mask"), L"Yes");
  EXPECT_EQ(cell(kitchen, L"Line spacing style"), L"Exactly");
  EXPECT_EQ(cell(kitchen, L"Line spacing factor"), L"1.5");
  EXPECT_EQ(cell(kitchen, L"Hyperlink"), L"https://plans.example/kitchen");
  EXPECT_EQ(cell(kitchen, L"Style"), L"");
  const auto& living = onlyRow({{L"Object type", L"MText"}, {L"Justify", L"Middle center"}});
  EXPECT_EQ(cell(living, L"Defined width"), L"3");
  EXPECT_EQ(cell(living, L"Text height"), L"0.35");
  EXPECT_EQ(cell(living, L"Direction"), L"Horizontal");
  EXPECT_EQ(cell(living, L"Hyperlink"), L"");
}

TEST_F(SampleDrawingTest, DoorsAndWindowsWithAttributes) {
  const auto& first = onlyRow({{L"Block name", L"Door"}, {L"NUMBER", L"101"}});
  EXPECT_EQ(cell(first, L"WIDTH"), L"0.9");
  EXPECT_EQ(cell(first, L"FIRE"), L"EI30 min");
  EXPECT_EQ(cell(first, L"Rotation"), L"180");
  EXPECT_EQ(cell(first, L"Layer"), L"");  // block references have no common properties
  EXPECT_EQ(cell(first, L"Block preview"), L"");
  const auto& sliding = onlyRow({{L"Block name", L"SlidingDoor"}});
  EXPECT_EQ(cell(sliding, L"NUMBER"), L"103");
  EXPECT_EQ(cell(sliding, L"Width"), L"1.6");
  EXPECT_EQ(cell(sliding, L"Panels"), L"3");
  EXPECT_EQ(cell(sliding, L"Track"), L"3");
  EXPECT_EQ(cell(sliding, L"Finish"), L"Oak");
  const auto& turned = onlyRow({{L"Block name", L"Window"}, {L"TYPE", L"W2"}});
  EXPECT_EQ(cell(turned, L"WIDTH"), L"1.8");
  EXPECT_EQ(cell(turned, L"Rotation"), L"90");
  EXPECT_EQ(cell(turned, L"X Scale"), L"1.5");
  EXPECT_EQ(rowsWhere({{L"Block name", L"Window"}, {L"TYPE", L"W1"}}).size(), 2u);
  // Each block row's preview shows the definition the reference uses.
  ASSERT_EQ(preview_.size(), 6u);
  OvDbBlockTable* table = nullptr;
  ASSERT_EQ(db_->getBlockTable(table, Ovis::kForRead), Ovis::eOk);
  OvDbObjectId shape, window;
  table->getAt(L"*U1", shape);
  table->getAt(L"Window", window);
  table->close();
  EXPECT_EQ(preview_.at(sliding[0]), shape);
  EXPECT_EQ(preview_.at(turned[0]), window);
}

TEST_F(SampleDrawingTest, CombinedAndGrouped) {
  TextGrid combined;
  BlockPreviewMap preview;
  engine_.buildRows(combined, preview, {L"Object type", L"Quantity", L"Block name", L"Block preview", L"TYPE"},
                    /*quantityChosen=*/true, /*blockNameChosen=*/true, {}, CString());
  ASSERT_EQ(combined[0],
            (std::vector<CString>{L"Id", L"Object type", L"Quantity", L"Block name", L"Block preview", L"TYPE"}));
  // Doors 2, the sliding door, windows W1 2 and W2 1, and one row for each other kind.
  std::map<std::vector<CString>, CString> counts;
  for (std::size_t i = 1; i < combined.size(); ++i)
    counts[{combined[i][1], combined[i][3], combined[i][5]}] = combined[i][2];
  EXPECT_EQ(counts.at({L"Block", L"Door", L""}), L"2");
  EXPECT_EQ(counts.at({L"Block", L"SlidingDoor", L""}), L"1");
  EXPECT_EQ(counts.at({L"Block", L"Window", L"W1"}), L"2");
  EXPECT_EQ(counts.at({L"Block", L"Window", L"W2"}), L"1");
  EXPECT_EQ(counts.at({L"Circle", L"", L""}), L"4");
  EXPECT_EQ(counts.at({L"Line", L"", L""}), L"5");
  EXPECT_EQ(counts.at({L"Point", L"", L""}), L"3");
  EXPECT_EQ(counts.size(), 12u);  // four block rows and one row for each other kind
  EXPECT_EQ(computeTotalsRow(combined, {L"Quantity"})[2], L"26");
  for (std::size_t i = 2; i < combined.size(); ++i) EXPECT_LT(combined[i - 1][0].Compare(combined[i][0]), 0);
  EXPECT_EQ(preview.size(), 4u);  // the kept block rows
  for (const auto& [handle, block] : preview) EXPECT_NE(rowOf(combined, handle), nullptr);

  OfferedPropertyMap offered;
  engine_.prepare(offered, {L"Line", L"Arc"});
  TextGrid grouped;
  preview.clear();
  engine_.buildRows(grouped, preview, {L"Length", L"Layer"}, /*quantityChosen=*/false, /*blockNameChosen=*/false,
                    {L"Length"}, L"Layer");
  ASSERT_EQ(grouped.size(), 3u);
  EXPECT_EQ(grouped[1][1], L"Doors");
  EXPECT_EQ(grouped[1][2], printfG(roundedTo(0.9 * kPi / 2, 1e-4) + roundedTo(0.8 * kPi / 2, 1e-4)));
  EXPECT_EQ(grouped[2][1], L"Walls");
  EXPECT_EQ(grouped[2][2], L"45");
  EXPECT_TRUE(preview.empty());
}
