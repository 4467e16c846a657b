// Sorting the preview: a totals row stays last whichever way the rows are sorted, and
// without one every row takes part in the sort.
#include "page_test_support.h"

namespace page_test {
namespace {

class PreviewSort : public WizardTest {
protected:
  // Three lines on two layers; the preview sorted by the layer, ascending then descending.
  // Each sort gives the layer and the length of every preview row, in on-screen order.
  std::vector<std::vector<std::pair<CString, CString>>> sortByLayer(bool totals) {
    addLine(5, L"Walls");
    addLine(7.25, L"Walls");
    addLine(2, L"Doors");
    driver.click(IDOK);
    driver.click(IDOK);
    driver.click(IDOK);
    std::vector<std::vector<std::pair<CString, CString>>> sorts;
    int layer = -1;
    int length = -1;
    auto sortPreview = [&] {
      driver.on<DlgAssist5>([&](DlgAssist5& page) {
        const Texts& header = page.outputRows[0];
        for (int c = 0; c < static_cast<int>(header.size()); ++c) {
          if (header[c] == L"Layer") layer = c;
          if (header[c] == L"Length") length = c;
        }
        ASSERT_GE(layer, 0);
        ASSERT_GE(length, 0);
        EXPECT_EQ(page.totalsRowAppended, totals);
        for (int click = 0; click < 2; ++click) {
          driver.clickHeader(IDC_PREVIEW_GRID, layer);
          driver.on<DlgAssist5>([&](DlgAssist5& sorted) {
            std::vector<std::pair<CString, CString>> rows;
            for (int row = 0; row < sorted.previewGrid.GetItemCount(); ++row)
              rows.emplace_back(sorted.previewGrid.GetItemText(row, layer),
                                sorted.previewGrid.GetItemText(row, length));
            sorts.push_back(rows);
          });
        }
        driver.click(IDCANCEL);
      });
    };
    if (!totals) {
      driver.click(IDOK);
      sortPreview();
    } else {
      driver.on<DlgAssist4>([&](DlgAssist4& page) {
        askForTotals(driver, page, L"Length");
        sortPreview();
      });
    }
    runWizard();
    return sorts;
  }
  static std::vector<CString> layers(const std::vector<std::pair<CString, CString>>& rows) {
    std::vector<CString> texts;
    for (const auto& row : rows) texts.push_back(row.first);
    return texts;
  }
};

TEST_F(PreviewSort, WithoutATotalsRowEveryRowSorts) {
  auto sorts = sortByLayer(false);
  ASSERT_EQ(sorts.size(), 2u);
  EXPECT_EQ(layers(sorts[0]), (std::vector<CString>{L"Doors", L"Walls", L"Walls"}));
  EXPECT_EQ(layers(sorts[1]), (std::vector<CString>{L"Walls", L"Walls", L"Doors"}));
}

TEST_F(PreviewSort, TheTotalsRowStaysLastBothWays) {
  auto sorts = sortByLayer(true);
  ASSERT_EQ(sorts.size(), 2u);
  char sum[32];
  std::snprintf(sum, sizeof sum, "%g", 5 + 7.25 + 2);
  for (const auto& rows : sorts) {
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows.back().second, CString(sum)) << "the totals row is last";
  }
  EXPECT_EQ(layers(sorts[0]).front(), L"Doors");
  EXPECT_EQ(layers(sorts[1])[2], L"Doors");
}

}  // namespace
}  // namespace page_test
