// Shared by the wizard page tests: a person scripted step by step (with looks at the page
// that asks for the next action), a drawing that is the working database, independent
// readers of the written files, and the checks that a run of the wizard leaves no window,
// editor bracket, open object, selection set, result-buffer chain or host buffer behind.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "extraction/module/module_entry.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_database.h"
#include "platform/host/db_mtext.h"
#include "platform/host/doc_manager.h"
#include "platform/host/editor.h"
#include "platform/host/editor_input.h"
#include "platform/host/sample_drawing.h"
#include "platform/host/selection.h"
#include "platform/mfc/mfc.h"
#include "platform/win/codepage.h"
#include "platform/win/input_driver.h"
#include "platform/win/resource_images.h"
#include "platform/win/user_input.h"
#include "res/resource_ids.h"
#include "tests/support/plugin_resources.h"
#include "tests/support/run_command.h"
#include "tests/support/test_output.h"
#include "tests/support/wide_path.h"
#include "wizard/dlg_assist1.h"
#include "wizard/dlg_assist2.h"
#include "wizard/dlg_assist3.h"
#include "wizard/dlg_assist4.h"
#include "wizard/dlg_assist5.h"
#include "wizard/list_helpers.h"

namespace page_test {

using Texts = std::vector<CString>;
using StandIn::ModalAction;

// The person: modal actions in order, with looks at the page in between. A look runs when
// the next page asks for an action, on that page.
class PageDriver : public StandIn::ScriptedInputDriver {
public:
  using Look = std::function<void(CWnd* page, int dialogId)>;

  void act(const ModalAction& action) { steps_.push_back(action); }
  void look(Look look) { steps_.push_back(std::move(look)); }
  // A look at a page of a given class; a different page showing is a failure.
  template <typename Page>
  void on(std::function<void(Page&)> look) {
    steps_.push_back(Look([look](CWnd* page, int dialogId) {
      auto* typed = dynamic_cast<Page*>(page);
      if (!typed) {
        ADD_FAILURE() << "another page is showing: template " << dialogId;
        return;
      }
      look(*typed);
    }));
  }
  void click(int id) {
    ModalAction action;
    action.kind = ModalAction::ClickButton;
    action.controlId = id;
    act(action);
  }
  void checkItem(int listId, const wchar_t* text, bool check) {
    ModalAction action;
    action.kind = ModalAction::CheckItem;
    action.controlId = listId;
    action.text = text;
    action.check = check;
    act(action);
  }
  // An action on a cell of the list's row that shows the text (a click, or a click on its
  // check image when it is not as check says).
  void onRow(ModalAction::Kind kind, int listId, const wchar_t* rowText, int subItem, bool check = false) {
    ModalAction action;
    action.kind = kind;
    action.controlId = listId;
    action.text = rowText;
    action.subItem = subItem;
    action.check = check;
    act(action);
  }
  void clickItem(int listId, int item, int subItem) {
    ModalAction action;
    action.kind = ModalAction::ClickItem;
    action.controlId = listId;
    action.item = item;
    action.subItem = subItem;
    act(action);
  }
  // A right click on a list cell (its context menu) or on a column heading.
  void rightClickItem(int listId, int item, int subItem) {
    ModalAction action;
    action.kind = ModalAction::RightClickItem;
    action.controlId = listId;
    action.item = item;
    action.subItem = subItem;
    act(action);
  }
  void clickHeader(int listId, int column, bool right = false) {
    ModalAction action;
    action.kind = right ? ModalAction::RightClickHeader : ModalAction::ClickHeader;
    action.controlId = listId;
    action.subItem = column;
    act(action);
  }
  // A row dragged by the mouse and dropped on another row.
  void dragItem(int listId, int item, int targetItem) {
    ModalAction action;
    action.kind = ModalAction::DragItem;
    action.controlId = listId;
    action.item = item;
    action.targetItem = targetItem;
    act(action);
  }
  void type(int id, const wchar_t* text) {
    ModalAction action;
    action.kind = ModalAction::TypeText;
    action.controlId = id;
    action.text = text;
    act(action);
  }
  void key(UINT virtualKey) {
    ModalAction action;
    action.kind = ModalAction::PressKey;
    action.key = virtualKey;
    act(action);
  }
  void choose(int comboId, int entry) {
    ModalAction action;
    action.kind = ModalAction::ChooseEntry;
    action.controlId = comboId;
    action.item = entry;
    act(action);
  }
  void pickAll() {
    StandIn::PickAnswer answer;
    answer.kind = StandIn::PickAnswer::All;
    AddPickAnswer(answer);
  }
  void pickCancelled() { AddPickAnswer(StandIn::PickAnswer{}); }
  void point(double x, double y, double z = 0) {
    StandIn::PointAnswer answer;
    answer.given = true;
    answer.point[0] = x;
    answer.point[1] = y;
    answer.point[2] = z;
    AddPointAnswer(answer);
  }
  void pointCancelled() { AddPointAnswer(StandIn::PointAnswer{}); }

  StandIn::ModalAction NextModalAction(HWND dialog, int dialogId) override {
    ++asked;
    while (!steps_.empty() && std::holds_alternative<Look>(steps_.front())) {
      Look look = std::get<Look>(steps_.front());
      steps_.pop_front();
      look(CWnd::FromHandlePermanent(dialog), dialogId);
    }
    if (steps_.empty()) return ScriptedInputDriver::NextModalAction(dialog, dialogId);
    ModalAction action = std::get<ModalAction>(steps_.front());
    steps_.pop_front();
    return action;
  }
  int AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override {
    messageBoxes.push_back({text, caption, type, 0});
    return ScriptedInputDriver::AnswerMessageBox(text, caption, type);
  }
  StandIn::FileDialogAnswer AnswerFileDialog(const StandIn::FileDialogRequest& request) override {
    fileDialogs.push_back(request);
    return ScriptedInputDriver::AnswerFileDialog(request);
  }
  int unused() const { return static_cast<int>(steps_.size()) + PendingAnswers(); }

  int asked = 0;
  std::vector<StandIn::MessageBoxRecord> messageBoxes;
  std::vector<StandIn::FileDialogRequest> fileDialogs;

private:
  std::deque<std::variant<ModalAction, Look>> steps_;
};

inline std::filesystem::path scratchFile(const std::string& name) {
  std::filesystem::path dir = testOutputFolder("wizard-pages");
  std::filesystem::remove(dir / name);
  return dir / name;
}

// Runs an independent reader (a Python script of the test folders) with the arguments and
// gives its output.
inline std::string runReader(const std::string& script, const std::vector<std::string>& arguments) {
  return runCommand(pythonScript(script, arguments)).output;
}

// Rows of texts as the readers print them: a line per row, each cell as the hexadecimal of
// its UTF-8 bytes ("-" when empty), separated by blanks.
inline std::string hexLines(const std::vector<Texts>& rows) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (const Texts& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      std::string hex;
      for (unsigned char b : WideToUtf8(row[c].GetString())) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
      }
      out += (c ? " " : "") + (hex.empty() ? std::string("-") : hex);
    }
    out += "\n";
  }
  return out;
}

class WizardTest : public ::testing::Test {
protected:
  void SetUp() override {
    attachPluginResources();
    SetUserInterfaceLanguage(0x0C09);
    HostEditor::resetVariables();
    HostEditor::clearTranscript();
    HostEditor::setEcho(false);
    HostEditorInput::resetBrackets();
    StandIn::ClearShownMessageBoxes();
    database_ = std::make_unique<OvDbDatabase>();
    ovdbHostApplicationServices()->setWorkingDatabase(database_.get());
    ovDocManagerPtr()->curDocument()->setDatabase(database_.get());
    ovDocManagerPtr()->curDocument()->setFileName(L"C:\\plans\\floor.dwg");
    scope_ = std::make_unique<StandIn::ScopedInputDriver>(driver);
    windows_ = StandIn::LiveWindowCount();
    hadToolTipWindow_ = AfxGetToolTipWindow() != nullptr;
    objects_ = StandIn::LiveWndObjectCount();
    icons_ = StandIn::LiveIconCount();
    opens_ = HostDatabase::openObjects();
    sets_ = HostSelection::liveSets();
    chains_ = HostEditor::liveChains();
    buffers_ = HostEditor::liveBuffers();
  }

  void TearDown() override {
    // The framework's one tooltip window, once made, lives as long as the thread.
    int frameworkTip = !hadToolTipWindow_ && AfxGetToolTipWindow() ? 1 : 0;
    EXPECT_EQ(StandIn::LiveWindowCount() - frameworkTip, windows_) << "windows left";
    EXPECT_EQ(StandIn::LiveWndObjectCount(), objects_) << "window objects or editors left";
    EXPECT_EQ(StandIn::LiveIconCount(), icons_) << "icons left";
    EXPECT_EQ(HostEditorInput::unbalancedBrackets(), 0) << "an editor bracket left open";
    EXPECT_FALSE(HostEditorInput::inDialogCommand()) << "the editor still handed over";
    EXPECT_EQ(HostDatabase::openObjects(), opens_) << "objects left open";
    EXPECT_EQ(HostSelection::liveSets(), sets_) << "selection sets left live";
    EXPECT_EQ(HostEditor::liveChains(), chains_) << "result-buffer chains left live";
    EXPECT_EQ(HostEditor::liveBuffers(), buffers_) << "host buffers left live";
    EXPECT_EQ(driver.unused(), 0) << "scripted steps not used";
    scope_.reset();
    ovDocManagerPtr()->curDocument()->setDatabase(nullptr);
    ovdbHostApplicationServices()->setWorkingDatabase(nullptr);
    database_.reset();
    HostEditor::resetVariables();
  }

  // The command as the host runs it.
  void runWizard() { CmdDataExtraction(); }

  OvDbDatabase* db() { return database_.get(); }
  // Starts again on a new, empty drawing (the working database of the document).
  void freshDrawing() {
    auto next = std::make_unique<OvDbDatabase>();
    ovdbHostApplicationServices()->setWorkingDatabase(next.get());
    ovDocManagerPtr()->curDocument()->setDatabase(next.get());
    database_ = std::move(next);
  }
  void useSampleDrawing() { fillSampleDrawing(*database_); }
  std::wstring transcript() const { return HostEditor::transcript(); }

  OvDbObjectId add(OvDbEntity* entity, const wchar_t* layer = L"0") {
    entity->setLayer(layer);
    OvDbObjectId id;
    EXPECT_EQ(db()->addToModelSpace(id, entity), Ovis::eOk);
    entity->close();
    return id;
  }
  OvDbObjectId addLine(double length, const wchar_t* layer = L"0") {
    return add(new OvDbLine(OvGePoint3d(0, 0, 0), OvGePoint3d(length, 0, 0)), layer);
  }
  OvDbObjectId addCircle(double radius, const wchar_t* layer = L"0") {
    return add(new OvDbCircle(OvGePoint3d(0, 0, 0), radius), layer);
  }
  // A block definition of one line, and a reference to it in model space with attributes
  // (tag, text).
  OvDbObjectId addBlockReference(const wchar_t* name,
                                 std::vector<std::pair<const wchar_t*, const wchar_t*>> attributes = {}) {
    OvDbBlockTable* table = nullptr;
    EXPECT_EQ(db()->getBlockTable(table, Ovis::kForWrite), Ovis::eOk);
    OvDbObjectId block;
    if (table->getAt(name, block) != Ovis::eOk) {
      auto* record = new OvDbBlockTableRecord;
      record->setName(name);
      EXPECT_EQ(table->add(block, record), Ovis::eOk);
      auto* line = new OvDbLine({0, 0, 0}, {1, 0, 0});
      OvDbObjectId lineId;
      EXPECT_EQ(record->appendOvDbEntity(lineId, line), Ovis::eOk);
      line->close();
      record->close();
    }
    table->close();
    auto* reference = new OvDbBlockReference(OvGePoint3d(2, 3, 0), block);
    OvDbObjectId id;
    EXPECT_EQ(db()->addToModelSpace(id, reference), Ovis::eOk);
    for (const auto& [tag, text] : attributes) {
      auto* attribute = new OvDbAttribute(tag, text);
      OvDbObjectId attributeId;
      EXPECT_EQ(reference->appendAttribute(attributeId, attribute), Ovis::eOk);
      attribute->close();
    }
    reference->close();
    return id;
  }

  static CString handleOf(const OvDbObjectId& id) {
    wchar_t text[17];
    id.handle().getIntoAsciiBuffer(text, 17);
    return CString(text);
  }

  PageDriver driver;

private:
  std::unique_ptr<OvDbDatabase> database_;
  std::unique_ptr<StandIn::ScopedInputDriver> scope_;
  bool hadToolTipWindow_ = false;
  int windows_ = 0, objects_ = 0, icons_ = 0, opens_ = 0, sets_ = 0, chains_ = 0, buffers_ = 0;
};

inline CString itemTextOf(CWnd& page, int id) {
  CString text;
  if (CWnd* item = page.GetDlgItem(id)) item->GetWindowText(text);
  return text;
}

// The index of the first item whose column shows the text, or -1.
inline int itemShowing(CListCtrl& list, int column, const wchar_t* text) {
  for (int i = 0; i < list.GetItemCount(); ++i) {
    if (list.GetItemText(i, column) == text) return i;
  }
  return -1;
}

// On the properties page: ask for a totals row, with a total of every property (from the
// menu of the row's total cell), and go on to the preview.
inline void askForTotals(PageDriver& driver, DlgAssist4& page, const wchar_t* property) {
  int row = itemShowing(page.propertyGrid, 1, property);
  EXPECT_GE(row, 0) << "the properties page offers no " << CString(property);
  driver.click(IDC_DISPLAY_TOTALS);
  driver.rightClickItem(IDC_PROPERTY_GRID, row, 3);
  driver.ChooseMenuText(L"Select all");
  driver.click(IDOK);
}

inline Texts columnTexts(CListCtrl& list, int column) {
  Texts texts;
  for (int i = 0; i < list.GetItemCount(); ++i) texts.push_back(list.GetItemText(i, column));
  return texts;
}

// A click on the check image of a grid cell, as a person checks or unchecks it.
inline void clickCheckImage(GridListCtrl& grid, int row, int column) {
  CRect icon;
  ASSERT_TRUE(grid.GetCellArea(row, column, LVIR_ICON, icon));
  StandIn::LeftClick(grid.GetSafeHwnd(), icon.CenterPoint());
}

}  // namespace page_test
