// The column layout kept in a settings store: stored on every change, restored on attach.
#include "grid_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "gridctrl/view_settings.h"
#include "memory_profiles.h"
#include "tests/support/test_output.h"
#include "tests/support/wide_path.h"

namespace gridtest {
namespace {

class GridLayout : public GridTest {
protected:
  void SetUp() override {
    GridTest::SetUp();
    MakeGrid();
  }
  void MakeGrid() {
    if (grid && grid->GetSafeHwnd()) grid->DestroyWindow();
    CreateGrid();
    const wchar_t* headings[] = {L"A", L"B", L"C", L"D"};
    for (int c = 0; c < 4; ++c) grid->InsertColumn(c, headings[c], LVCFMT_LEFT, 50 + 10 * c, c);
  }
  std::vector<int> ShownOrder() {
    std::vector<int> shown;
    for (int col : OrderArray())
      if (grid->IsColumnShown(col)) shown.push_back(col);
    return shown;
  }
};

using Order = std::vector<int>;

TEST_F(GridLayout, AttachingAStoreKeepsTheDefaultsAndAnEmptyStoreChangesNothing) {
  MemoryProfiles store(L"Grid");
  grid->AttachColumnStore(&store, false);
  EXPECT_TRUE(store.HasDefaultConfig());
  EXPECT_EQ(store.GetDefaultConfig().GetIntSetting(L"ColumnCount", 0), 4);
  EXPECT_EQ(store.GetDefaultConfig().GetIntSetting(L"ColumnWidth_3", 0), 80);
  EXPECT_EQ(ShownOrder(), (Order{0, 1, 2, 3}));
  // Restoring an empty section writes nothing back while it runs.
  EXPECT_EQ(store.sections.count(L"Grid"), 0u);
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridLayout, ChangesAreStoredAndANewGridRestoresThem) {
  MemoryProfiles store(L"Grid");
  grid->AttachColumnStore(&store, false);
  grid->SetColumnShown(1, false);
  int order[] = {1, 3, 0, 2};
  grid->SetColumnOrderArray(4, order);
  grid->SetColumnWidth(0, 111);
  auto& section = store.sections[L"Grid"];
  EXPECT_EQ(section[L"ColumnCount"], L"3");
  EXPECT_EQ(section[L"ColumnData_0"], L"3");
  EXPECT_EQ(section[L"ColumnData_1"], L"0");
  EXPECT_EQ(section[L"ColumnWidth_1"], L"111");
  grid->AttachColumnStore(nullptr, false);

  MakeGrid();
  grid->AttachColumnStore(&store, false);
  EXPECT_EQ(ShownOrder(), (Order{3, 0, 2}));
  EXPECT_FALSE(grid->IsColumnShown(1));
  EXPECT_EQ(grid->GetColumnWidth(1), 0);
  EXPECT_EQ(grid->GetColumnWidth(0), 111);
  EXPECT_EQ(OrderArray().front(), 1) << "hidden columns gather at the front";
  // The restored hidden column can be shown again at its old width.
  EXPECT_TRUE(grid->SetColumnShown(1, true));
  EXPECT_EQ(grid->GetColumnWidth(1), 60);
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridLayout, AWidthAPersonDragsIsStoredAtOnceWithinItsLimits) {
  MemoryProfiles store(L"Grid");
  grid->AttachColumnStore(&store, false);
  grid->GetColumnTraitAt(1)->GetColumnState().maxWidth = 90;
  grid->SetFocus();
  // Column 1's divider is at 50 + 60; drag it 20 pixels right, then far right.
  HWND header = grid->GetHeaderCtrl()->GetSafeHwnd();
  StandIn::DragFrom(header, CPoint(110, 10), CPoint(130, 10));
  StandIn::LeftButtonUp(header, CPoint(130, 10));
  EXPECT_EQ(grid->GetColumnWidth(1), 80);
  EXPECT_EQ(store.sections[L"Grid"][L"ColumnWidth_1"], L"80");
  StandIn::DragFrom(header, CPoint(130, 10), CPoint(300, 10));
  StandIn::LeftButtonUp(header, CPoint(300, 10));
  EXPECT_EQ(grid->GetColumnWidth(1), 90);
  EXPECT_EQ(store.sections[L"Grid"][L"ColumnWidth_1"], L"90");
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridLayout, StoredValuesAreUntrusted) {
  auto* store = new MemoryProfiles(L"Grid");
  auto& section = store->sections[L"Grid"];
  section[L"ColumnCount"] = L"2147483647";
  section[L"ColumnData_2147483646"] = L"2";
  section[L"ColumnData_0"] = L"9";  // no such subitem
  section[L"ColumnData_1"] = L"3";
  section[L"ColumnWidth_1"] = L"-5";
  grid->GetColumnTraitAt(2)->GetColumnState().fixedShown = true;
  grid->AttachColumnStore(store, true);
  EXPECT_TRUE(grid->IsColumnShown(2)) << "fixed-shown columns stay";
  EXPECT_TRUE(grid->IsColumnShown(3));
  EXPECT_EQ(grid->GetColumnWidth(3), 80) << "a bad width keeps the present one";
  EXPECT_FALSE(grid->IsColumnShown(1));
  // The same store attached again is kept, not deleted and used.
  grid->AttachColumnStore(store, true);
  EXPECT_EQ(grid->GetColumnStore(), store);
}

TEST_F(GridLayout, ALayoutOfMoreColumnsThanTheGridHasSkipsOnlyTheMissingOnes) {
  // Stored by a grid that had a column (subitem 9) this one no longer has.
  MemoryProfiles store(L"Grid");
  auto& section = store.sections[L"Grid"];
  const wchar_t* subItems[] = {L"3", L"0", L"9", L"1", L"2"};
  const wchar_t* widths[] = {L"41", L"42", L"43", L"44", L"45"};
  section[L"ColumnCount"] = L"5";
  for (int j = 0; j < 5; ++j) {
    CString data;
    data.Format(L"ColumnData_%d", j);
    CString width;
    width.Format(L"ColumnWidth_%d", j);
    section[data] = subItems[j];
    section[width] = widths[j];
  }
  grid->AttachColumnStore(&store, false);
  EXPECT_EQ(ShownOrder(), (Order{3, 0, 1, 2}));
  EXPECT_EQ(grid->GetColumnWidth(3), 41);
  EXPECT_EQ(grid->GetColumnWidth(0), 42);
  EXPECT_EQ(grid->GetColumnWidth(1), 44);
  EXPECT_EQ(grid->GetColumnWidth(2), 45);
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridLayout, AMissingWidthKeepsThePresentOne) {
  // A section without registered defaults, so a missing value is really missing.
  CViewSettingsSectionDefault::CViewSettingsSectionLocal store(L"Grid");
  store.SetSetting(L"ColumnCount", L"2");
  store.SetSetting(L"ColumnData_0", L"2");
  store.SetSetting(L"ColumnData_1", L"1");
  store.SetSetting(L"ColumnWidth_1", L"33");
  grid->AttachColumnStore(&store, false);
  EXPECT_EQ(ShownOrder(), (Order{2, 1}));
  EXPECT_EQ(grid->GetColumnWidth(2), 70);
  EXPECT_EQ(grid->GetColumnWidth(1), 33);
  // Widths no header item takes keep the present one too: the width message would read them
  // as automatic sizing (65535 is -1, 65534 is -2) or by their low 16 bits.
  for (const wchar_t* width : {L"65535", L"65534", L"70000", L"32768", L"2147483647", L"-1"}) {
    std::wstring text(width);
    grid->SetColumnWidth(1, 33);
    store.SetSetting(L"ColumnWidth_1", width);
    grid->RestoreColumnLayout(store);
    EXPECT_EQ(grid->GetColumnWidth(1), 33) << "stored width " << std::string(text.begin(), text.end());
  }
  store.SetSetting(L"ColumnWidth_1", L"32767");
  grid->RestoreColumnLayout(store);
  EXPECT_EQ(grid->GetColumnWidth(1), 32767) << "the widest width a header item takes";
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridLayout, RestoringHidesAndShowsColumnsWhateverTheirWidthRules) {
  ColumnState& fixedWidth = grid->GetColumnTraitAt(1)->GetColumnState();
  fixedWidth.resizable = false;
  fixedWidth.minWidth = 40;
  MemoryProfiles store(L"Grid");
  auto& section = store.sections[L"Grid"];
  section[L"ColumnCount"] = L"1";
  section[L"ColumnData_0"] = L"0";
  grid->AttachColumnStore(&store, false);
  EXPECT_FALSE(grid->IsColumnShown(1));
  EXPECT_EQ(grid->GetColumnWidth(1), 0);

  section[L"ColumnCount"] = L"2";
  section[L"ColumnData_1"] = L"1";
  section[L"ColumnWidth_1"] = L"99";  // not applied: the column keeps its own width
  grid->RestoreColumnLayout(store);
  EXPECT_TRUE(grid->IsColumnShown(1));
  EXPECT_EQ(grid->GetColumnWidth(1), 60);
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridLayout, ResetAndProfilesComeFromTheHeaderMenu) {
  MemoryProfiles store(L"Grid");
  grid->AttachColumnStore(&store, false);
  grid->SetColumnShown(2, false);
  driver.ChooseMenuText(L"Reset columns");
  RightClickHeader(0);
  EXPECT_TRUE(grid->IsColumnShown(2));
  EXPECT_EQ(grid->GetColumnWidth(2), 70);

  store.AddProfile(L"Narrow");
  store.AddProfile(L"Wide");
  driver.ChooseMenuText(L"Wide");
  RightClickHeader(0);
  const auto& menu = StandIn::TrackedMenus().back();
  const StandIn::MenuItemSnapshot* profiles = menu.FindByText(L"Column Profiles");
  ASSERT_NE(profiles, nullptr);
  ASSERT_EQ(profiles->submenu.size(), 2u);
  EXPECT_EQ(profiles->submenu[1].id, 4u + 5u + 1u);
  EXPECT_EQ(store.GetActiveProfile(), L"Wide");
  grid->SetColumnShown(3, false);
  EXPECT_EQ(store.sections[L"Grid__Wide"][L"ColumnCount"], L"3");
  grid->AttachColumnStore(nullptr, false);
}

TEST_F(GridLayout, WithoutAStoreTheMenuHasOnlyTheColumns) {
  driver.ChooseMenuId(0);
  RightClickHeader(1);
  const auto& menu = StandIn::TrackedMenus().back();
  ASSERT_EQ(menu.items.size(), 4u);
  for (const auto& item : menu.items) EXPECT_FALSE(item.flags & (MF_SEPARATOR | MF_POPUP));
}

class GridLayoutInProfile : public GridLayout {
protected:
  void SetUp() override {
    GridLayout::SetUp();
    iniPath = testOutputFolder() / "grid_layout.ini";
    std::filesystem::remove(iniPath);
    app = std::make_unique<CWinApp>(L"GridTests");
    app->SetProfileFile(CString(widePath(iniPath)));
  }
  void TearDown() override {
    GridLayout::TearDown();
    app.reset();
  }
  std::string IniText() {
    std::ifstream in(iniPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::filesystem::path iniPath;
  std::unique_ptr<CWinApp> app;
};

TEST_F(GridLayoutInProfile, TheApplicationProfileKeepsTheLayoutBetweenGrids) {
  grid->AttachColumnStore(new CViewSettingsSectionWinApp(L"Preview"), true);
  grid->SetColumnShown(0, false);
  grid->SetColumnWidth(3, 99);
  std::string ini = IniText();
  EXPECT_NE(ini.find("[Preview]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ColumnCount=3"), std::string::npos) << ini;
  EXPECT_NE(ini.find("ColumnWidth_2=99"), std::string::npos) << ini;

  MakeGrid();
  grid->AttachColumnStore(new CViewSettingsSectionWinApp(L"Preview"), true);
  EXPECT_EQ(ShownOrder(), (Order{1, 2, 3}));
  EXPECT_EQ(grid->GetColumnWidth(3), 99);
}

}  // namespace
}  // namespace gridtest
