// The wizard run by a person from a written plan, as the update tests need it: which
// objects to pick, which kinds and properties to leave out, display names, totals, rows
// combined by a property, the header line, the title, and on the preview a sort, a hidden
// column and a moved column; then a table inserted and Finish. The table, its cells and its
// link lists are read back for comparison.
#pragma once
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "extraction/link_list_names.h"
#include "extraction/table_layout.h"
#include "platform/host/db_table.h"
#include "update_test_support.h"
#include "wizard/last_table.h"

namespace update_test {

// The person's choices. Names that a page does not offer are passed over, so that one plan
// can be run again over other objects.
struct WizardPlan {
  Texts picks;                         // handles picked on page 2; empty: the whole drawing
  Texts kindsLeftOut;                  // kinds unchecked on page 3
  Texts propertiesLeftOut;             // properties unchecked on page 4
  Texts propertiesKept;                // when not empty: every other property is unchecked
  std::map<CString, CString> renamed;  // display names typed on page 4
  Texts totals;                        // properties with a total; the totals box is ticked when any
  CString combineBy;                   // "Combine rows by" ticked with this property, when not empty
  bool hideHeader = false;
  CString title;
  // The preview, by display name: a column sorted by one click on its heading, then a column
  // sorted by one or two clicks, a column hidden from the header menu, a column dragged to the
  // end; then the second row dragged above the first (when there are two besides the totals row).
  CString sortFirstBy;
  CString sortBy;
  int sortClicks = 0;
  CString hiddenColumn;
  CString movedColumn;
  bool dragRow = false;
  bool insertTable = true;
};

// What the preview showed when the table was inserted.
struct PreviewRecord {
  Texts header;        // the output grid's header row (display names, "Id" first)
  Texts shownColumns;  // the display names of the table's columns, in table order
  Texts offered;       // the properties page 4 offered
  CString groupBy;     // the property rows were combined by (empty when the box was not ticked)
  bool rowDragged = false;
};

// The table as the tests compare it: every cell (row 0 the title) and every link list.
struct TableState {
  Cells cells;
  std::map<CString, Texts> lists;
  bool operator==(const TableState&) const = default;
};

inline const Texts& linkListNames() {
  static const Texts names = {kObjectHandlesApp, kOriginalNamesApp, kDisplayNamesApp, kObjectTypesApp,
                              kGroupByApp,       kTableHeadersApp,  kTableLayoutApp};
  return names;
}

class WizardScriptTest : public UpdateTest {
protected:
  // Queues the person's steps of a whole wizard run that follows the plan; the preview's
  // columns as inserted are recorded.
  void queueWizard(const WizardPlan& plan, PreviewRecord* record = nullptr) {
    driver.click(IDOK);
    if (plan.picks.empty()) {
      driver.click(IDOK);
    } else {
      driver.click(IDC_SELECT_OBJECTS);
      StandIn::PickAnswer answer;
      answer.kind = StandIn::PickAnswer::Handles;
      for (const CString& handle : plan.picks) answer.handles.push_back(handle.GetString());
      driver.AddPickAnswer(answer);
    }
    driver.on<DlgAssist3>([this, plan](DlgAssist3& page) {
      for (const CString& kind : plan.kindsLeftOut) {
        if (page_test::itemShowing(page.kindsList, 1, kind) >= 0)
          page.kindsList.SetCheck(page_test::itemShowing(page.kindsList, 1, kind), FALSE);
      }
    });
    driver.click(IDOK);
    driver.on<DlgAssist4>([plan](DlgAssist4& page) { applyProperties(page, plan); });
    if (!plan.totals.empty()) driver.click(IDC_DISPLAY_TOTALS);
    if (plan.hideHeader) driver.click(IDC_HIDE_HEADER);
    if (!plan.title.IsEmpty()) driver.type(IDC_TITLE_EDIT, plan.title);
    driver.click(IDOK);
    driver.on<DlgAssist5>([this, plan, record](DlgAssist5& page) { queuePreview(page, plan, record); });
  }

  // Runs the wizard after the plan; the inserted table, or null.
  OvDbObjectId runPlan(const WizardPlan& plan, PreviewRecord* record = nullptr) {
    lastTableId = OvDbObjectId();
    queueWizard(plan, record);
    runWizard();
    HostEditor::clearTranscript();
    return lastTableId;
  }

  Cells shownCells(const OvDbObjectId& table) { return cells(table, true); }

  TableState state(const OvDbObjectId& table) {
    TableState now;
    now.cells = shownCells(table);
    for (const CString& name : linkListNames()) now.lists[name] = link(table, name);
    return now;
  }

  // The message the last action ended with ("Table updated." and the like).
  std::wstring lastMessage() const {
    std::wstring text = transcript();
    size_t at = text.rfind(L'\n');
    return at == std::wstring::npos ? text : text.substr(at + 1);
  }

  // The handles of the drawing's objects that an extraction reads, by kind name.
  std::map<CString, Texts> objectsByKind() {
    ExtractionEngine engine = extractWholeDrawing();
    std::map<CString, Texts> kinds;
    const Texts& names = engine.catalogue.typeNames;
    auto collect = [&](const auto& records, int kind) {
      for (const auto& record : records) kinds[names[kind - 1]].push_back(record.handle);
    };
    collect(engine.blockRefs, kKindBlock);
    collect(engine.lines, kKindLine);
    collect(engine.polylines, kKindPolyline);
    collect(engine.arcs, kKindArc);
    collect(engine.circles, kKindCircle);
    collect(engine.solids, kKindSolid);
    collect(engine.solids3d, kKindSolid3d);
    collect(engine.points, kKindPoint);
    collect(engine.mtexts, kKindMText);
    return kinds;
  }

private:
  static void applyProperties(DlgAssist4& page, const WizardPlan& plan) {
    GridListCtrl& grid = page.propertyGrid;
    for (int item = 0; item < grid.GetItemCount(); ++item) {
      CString name = grid.GetItemText(item, 1);
      auto listed = [&name](const Texts& names) { return std::find(names.begin(), names.end(), name) != names.end(); };
      if (listed(plan.propertiesLeftOut) || (!plan.propertiesKept.empty() && !listed(plan.propertiesKept)))
        grid.SetCellImageIndex(item, 1, 0);
      auto renamed = plan.renamed.find(name);
      if (renamed != plan.renamed.end()) grid.SetItemText(item, 2, renamed->second);
      bool total = std::find(plan.totals.begin(), plan.totals.end(), name) != plan.totals.end();
      grid.SetCellImageIndex(item, 3, total ? 1 : 0);
    }
    // "Combine rows by" and its entry, when the page offers the property.
    int entry = plan.combineBy.IsEmpty() ? -1 : page.groupByCombo.FindStringExact(-1, plan.combineBy);
    if (entry >= 0) {
      page.combineCheck.SetCheck(BST_CHECKED);
      page.groupByCombo.SetCurSel(entry);
    }
  }

  // The preview's steps, queued once its columns are known: sort, hide, move, drag a row,
  // insert, Finish.
  void queuePreview(DlgAssist5& page, const WizardPlan& plan, PreviewRecord* record) {
    const Texts header = page.outputRows.empty() ? Texts() : page.outputRows[0];
    auto column = [&header](const CString& name) {
      auto at = std::find(header.begin() + (header.empty() ? 0 : 1), header.end(), name);
      return at == header.end() || name.IsEmpty() ? -1 : static_cast<int>(at - header.begin());
    };
    if (column(plan.sortFirstBy) > 0) driver.clickHeader(IDC_PREVIEW_GRID, column(plan.sortFirstBy));
    int sorted = column(plan.sortBy);
    for (int i = 0; sorted > 0 && i < plan.sortClicks; ++i) driver.clickHeader(IDC_PREVIEW_GRID, sorted);
    int hidden = column(plan.hiddenColumn);
    if (hidden > 0 && header.size() > 2) {
      driver.clickHeader(IDC_PREVIEW_GRID, hidden, true);
      driver.ChooseMenuId(4 + static_cast<UINT>(hidden));  // the column chooser's items count from 4
    }
    int moved = column(plan.movedColumn);
    if (moved > 0) {
      driver.on<DlgAssist5>([moved](DlgAssist5& preview) {
        int count = preview.previewGrid.GetHeaderCtrl()->GetItemCount();
        std::vector<int> order(static_cast<size_t>(count));
        preview.previewGrid.GetColumnOrderArray(order.data(), count);
        std::erase(order, moved);
        order.push_back(moved);
        preview.previewGrid.SetColumnOrderArray(count, order.data());
      });
    }
    const int rows = page.previewGrid.GetItemCount() - (page.totalsRowAppended ? 1 : 0);
    const bool dragged = plan.dragRow && rows >= 2;
    if (dragged) driver.dragItem(IDC_PREVIEW_GRID, 1, 0);
    if (record) record->rowDragged = dragged;
    if (plan.insertTable) {
      driver.on<DlgAssist5>([record](DlgAssist5& preview) {
        if (!record) return;
        record->header = preview.outputRows.empty() ? Texts() : preview.outputRows[0];
        record->offered.clear();
        for (const PropertyItem& item : preview.offeredProperties) record->offered.push_back(item.name);
        record->groupBy = preview.engine.groupBy;
        record->shownColumns.clear();
        for (int k : getColumnOrder(&preview.previewGrid))
          record->shownColumns.push_back(record->header[static_cast<size_t>(k)]);
      });
      driver.click(IDC_INSERT_TABLE);
      driver.point(30, 0);
    }
    driver.click(IDOK);
  }
};

}  // namespace update_test
