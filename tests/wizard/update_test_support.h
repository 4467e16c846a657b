// Shared by the update dialog's tests: on the wizard tests' drawing, person and checks
// (page_test_support.h), a data table made by the output code and linked to its objects
// the way the wizard's Finish links it, and the update dialog run as the command runs it.
#pragma once
#include <map>
#include <vector>

#include "extraction/extraction_engine.h"
#include "extraction/link_list_names.h"
#include "extraction/output_table.h"
#include "extraction/row_merging.h"
#include "extraction/xdata_link.h"
#include "page_test_support.h"
#include "platform/host/db_table.h"
#include "tests/support/whole_drawing.h"
#include "wizard/dlg_update.h"

namespace update_test {

using page_test::hexLines;
using page_test::runReader;
using page_test::Texts;
using Cells = std::vector<Texts>;

// What the wizard chose for a table: kinds and property names, their display names (a
// property without an entry keeps its name), grouping, totals and the header line.
struct WizardChoice {
  Texts kinds;
  Texts properties;
  std::map<CString, CString> renamed;
  CString groupBy;
  Texts totals;  // property names with a total; a totals row is appended when not empty
  bool headerShown = true;
};

class UpdateTest : public page_test::WizardTest {
protected:
  OvDbObjectId addText(const wchar_t* contents) {
    auto* text = new OvDbMText;
    text->setContents(contents);
    return add(text);
  }
  void setLineLength(const OvDbObjectId& id, double length) {
    OvDbLine* line = nullptr;
    ASSERT_EQ(ovdbOpenObject(line, id, Ovis::kForWrite), Ovis::eOk);
    line->setEndPoint(OvGePoint3d(length, 0, 0));
    line->close();
  }
  void erase(const OvDbObjectId& id) {
    OvDbObject* object = nullptr;
    ASSERT_EQ(ovdbOpenObject(object, id, Ovis::kForWrite), Ovis::eOk);
    object->erase();
    object->close();
  }

  static std::map<CString, CString> displayNames(const WizardChoice& choice) {
    std::map<CString, CString> names;
    for (const CString& property : choice.properties) {
      auto renamed = choice.renamed.find(property);
      names[property] = renamed == choice.renamed.end() ? property : renamed->second;
    }
    return names;
  }

  // A table in model space built over the whole drawing as the wizard builds it, with every
  // column shown and the rows in grid order, linked by the six lists alone, as tables were
  // linked before the layout list: the tests that use it hold the update command to the way
  // it still treats such tables.
  OvDbObjectId makeWizardTable(const WizardChoice& choice) {
    int status = 0;
    ExtractionEngine engine = extractWholeDrawing(&status);
    EXPECT_EQ(status, RTNORM);
    OfferedPropertyMap offered;
    engine.prepare(offered, choice.kinds);
    TextGrid rows;
    BlockPreviewMap preview;
    engine.buildRows(rows, preview, choice.properties, /*quantityChosen=*/false, /*blockNameChosen=*/false,
                     choice.totals, choice.groupBy);
    if (!choice.totals.empty()) {
      rows.push_back(computeTotalsRow(rows, choice.totals));
      rows.insert(rows.end() - 1, Texts(rows[0].size()));
    }
    std::map<CString, CString> names = displayNames(choice);
    translateNames(rows, names);

    std::vector<int> columns;
    for (size_t c = 1; c < rows[0].size(); ++c) columns.push_back(static_cast<int>(c));
    std::vector<int> order = {choice.headerShown ? 0 : 1};
    for (size_t r = choice.headerShown ? 1 : 2; r < rows.size(); ++r) order.push_back(static_cast<int>(r));
    OvDbObjectId table = createOutputTable(rows, preview, std::vector<bool>(rows[0].size(), true), columns, order,
                                           OvGePoint3d(), L"Block preview", L"Extraction", choice.headerShown);
    EXPECT_FALSE(table.isNull());
    writeLinkXDataHandles(table, kObjectHandlesApp, collectRowIds(rows, !choice.totals.empty()), order,
                          choice.headerShown);
    writeLinkXDataFromMap(table, kOriginalNamesApp, names, /*keys=*/true);
    writeLinkXDataFromMap(table, kDisplayNamesApp, names, /*keys=*/false);
    writeLinkXData(table, kObjectTypesApp, engine.chosenTypeNames);
    writeLinkXData(table, kGroupByApp, {choice.groupBy});
    writeLinkXData(table, kTableHeadersApp, Texts(rows[0].begin() + 1, rows[0].end()));
    HostEditor::clearTranscript();
    return table;
  }

  // Every cell's text; with blocks shown, a cell that shows a block reads "<block H>" (H the
  // block's handle).
  Cells cells(const OvDbObjectId& id, bool showBlocks = false) {
    Cells out;
    OvDbTable* table = nullptr;
    EXPECT_EQ(ovdbOpenObject(table, id, Ovis::kForRead), Ovis::eOk);
    if (!table) return out;
    for (unsigned r = 0; r < table->numRows(); ++r) {
      out.emplace_back();
      readTableRow(out.back(), table, r, table->numColumns());
      for (unsigned c = 0; showBlocks && c < table->numColumns(); ++c) {
        OvDbObjectId block = table->blockTableRecordId(r, c);
        if (!block.isNull()) out.back()[c] = L"<block " + handleOf(block) + L">";
      }
    }
    table->close();
    return out;
  }

  // A list read back, leaving the transcript as it was.
  Texts link(const OvDbObjectId& table, const wchar_t* appName) {
    std::wstring before = transcript();
    Texts list = readLinkXData(table, appName);
    HostEditor::transcript() = before;
    return list;
  }

  // The person picks these objects.
  void pick(const std::vector<OvDbObjectId>& ids) {
    StandIn::PickAnswer answer;
    answer.kind = StandIn::PickAnswer::Handles;
    for (const auto& id : ids) answer.handles.push_back(handleOf(id).GetString());
    driver.AddPickAnswer(answer);
  }
  // An action button, then the pick of the table.
  void chooseAction(int button, const OvDbObjectId& table) {
    driver.click(button);
    pick({table});
  }

  // The dialog as the command runs it: over the host's main window, modally.
  INT_PTR runDialog() {
    DlgUpdateA1 dialog(CWnd::FromHandle(vusw_ovisMainWnd()));
    return dialog.DoModal();
  }
};

}  // namespace update_test
