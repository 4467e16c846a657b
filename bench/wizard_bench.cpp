// The two commands as a person runs them on generated drawings of growing size: the wizard
// through to the preview (every kind, every property), the preview sorted by a header click
// both ways, back to the properties page and on again, the table inserted and linked, and
// then DATAEXTRACTIONUPDATE refreshing that table and adding objects to it, with its layout
// list and with the six lists alone. Each stage's seconds are a counter, so
// that their growth with the drawing's size shows side by side.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "bench/mixed_drawing.h"
#include "extraction/link_list_names.h"
#include "extraction/module/module_entry.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_table.h"
#include "platform/host/doc_manager.h"
#include "platform/host/editor.h"
#include "platform/mfc/mfc.h"
#include "platform/win/input_driver.h"
#include "res/resource_ids.h"
#include "tests/support/plugin_resources.h"
#include "wizard/last_table.h"

namespace {

using Clock = std::chrono::steady_clock;
using StandIn::ModalAction;

// A person who takes scripted actions and notes when each page asks for the next one:
// the time between two asks is what the earlier action cost.
class TimedPerson : public StandIn::ScriptedInputDriver {
public:
  void act(const char* stage, ModalAction action) {
    stages_.push_back(stage);
    AddModalAction(action);
  }
  void click(const char* stage, int id) {
    ModalAction action;
    action.kind = ModalAction::ClickButton;
    action.controlId = id;
    act(stage, action);
  }
  void clickHeader(const char* stage, int listId, int column) {
    ModalAction action;
    action.kind = ModalAction::ClickHeader;
    action.controlId = listId;
    action.subItem = column;
    act(stage, action);
  }
  ModalAction NextModalAction(HWND dialog, int dialogId) override {
    note();
    ModalAction action = ScriptedInputDriver::NextModalAction(dialog, dialogId);
    running_ = next_ < stages_.size() ? stages_[next_++] : nullptr;
    return action;
  }
  // Closes the stage running now (the last one ends with its command).
  void note() {
    Clock::time_point now = Clock::now();
    if (running_) seconds[running_] += std::chrono::duration<double>(now - since_).count();
    running_ = nullptr;
    since_ = now;
  }
  void start(const char* stage) {
    note();
    running_ = stage;
  }

  std::map<std::string, double> seconds;

private:
  std::vector<const char*> stages_;
  std::size_t next_ = 0;
  const char* running_ = nullptr;
  Clock::time_point since_ = Clock::now();
};

void BM_WizardAndUpdate(benchmark::State& state) {
  attachPluginResources();
  SetUserInterfaceLanguage(0x0C09);
  HostEditor::resetVariables();
  HostEditor::setEcho(false);
  const int objects = static_cast<int>(state.range(0));
  std::map<std::string, double> total;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<OvDbDatabase> db = bench::generateDrawing(objects, objects);  // every row differs
    ovdbHostApplicationServices()->setWorkingDatabase(db.get());
    ovDocManagerPtr()->curDocument()->setDatabase(db.get());
    HostEditor::clearTranscript();
    state.ResumeTiming();

    TimedPerson person;
    StandIn::ScopedInputDriver scope(person);
    person.click("start_page", IDOK);
    person.click("kinds_page", IDOK);  // the whole drawing extracted, the kinds listed
    person.click("properties_page", IDOK);
    person.click("preview_page", IDOK);  // the rows built, the preview filled
    person.clickHeader("sort_ascending", IDC_PREVIEW_GRID, 1);
    person.clickHeader("sort_descending", IDC_PREVIEW_GRID, 1);
    person.click("previous", IDC_PREVIOUS);
    person.click("next_again", IDOK);
    person.click("insert_table", IDC_INSERT_TABLE);
    StandIn::PointAnswer point;
    point.given = true;
    person.AddPointAnswer(point);
    person.click("finish_link", IDOK);
    person.start("command_start");
    CmdDataExtraction();
    person.note();

    if (OvDbTable* table = nullptr; ovdbOpenObject(table, lastTableId, Ovis::kForRead) == Ovis::eOk) {
      state.counters["table_rows"] = table->numRows();
      table->close();
    }
    // The update command on that table: its refresh, and all the drawing's objects added
    // (none new); then the same on the table as tables were linked before the layout list.
    wchar_t handle[17];
    lastTableId.handle().getIntoAsciiBuffer(handle, 17);
    auto update = [&](const char* stage, int button, bool addsObjects) {
      StandIn::PickAnswer pick;
      pick.kind = StandIn::PickAnswer::Handles;
      pick.handles.push_back(handle);
      person.AddPickAnswer(pick);
      if (addsObjects) person.AddPickAnswer(StandIn::PickAnswer{StandIn::PickAnswer::All, {}});
      person.click(stage, button);
      person.start("update_start");
      CmdDataExtractionUpdate();
      person.note();
    };
    update("update_refresh", IDC_UPDATE_TABLE, false);
    update("update_add_all", IDC_ADD_OBJECTS, true);
    clearLinkXData(lastTableId, kTableLayoutApp);
    update("six_lists_refresh", IDC_UPDATE_TABLE, false);
    update("six_lists_add_all", IDC_ADD_OBJECTS, true);
    for (const auto& [stage, seconds] : person.seconds) total[stage] += seconds;

    state.PauseTiming();
    ovDocManagerPtr()->curDocument()->setDatabase(nullptr);
    ovdbHostApplicationServices()->setWorkingDatabase(nullptr);
    db.reset();
    state.ResumeTiming();
  }
  for (const auto& [stage, seconds] : total) state.counters[stage] = seconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WizardAndUpdate)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
