// An update that runs out of memory changes its table whole or not at all: adding objects to
// a table and replacing its selection, with each allocation of the command refused in turn,
// the command stops and says so, leaves nothing open, and the table's cells and link lists
// are either those before the update or those the update makes, never a mixture of the two.
// Every fourth allocation is refused, every one with DX_ALLOCATION_STRIDE=1 (a longer run).
// The line that says an export was done names its file, and an output file is replaced whole
// or not at all with nothing left beside it, whichever allocation is refused.
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "common/file_replacement.h"
#include "extraction/module/module_entry.h"
#include "platform/host/editor.h"
#include "tests/support/allocation_hook.h"
#include "tests/support/test_output.h"
#include "tests/support/wide_path.h"
#include "wizard/export_files.h"
#include "wizard_script.h"

using namespace update_test;

namespace {

// Refuses the n-th allocation asked while it is set (counted from 1; none for 0) and counts
// them all.
class NthAllocationRefused : public AllocationHook {
public:
  explicit NthAllocationRefused(long refused) : refused_(refused) {}
  void* allocate(std::size_t) override {
    if (++asked_ == refused_) throw std::bad_alloc();
    return nullptr;
  }
  long asked() const { return asked_; }

private:
  long refused_;
  long asked_ = 0;
};

const wchar_t kStopped[] = L"The command was stopped: memory ran out or an internal error occurred.";

long allocationStride() {
  const char* stride = std::getenv("DX_ALLOCATION_STRIDE");
  return stride && std::atol(stride) > 0 ? std::atol(stride) : 4;
}

class UpdateOutOfMemoryTest : public WizardScriptTest {
protected:
  void SetUp() override {
    WizardScriptTest::SetUp();
    few = {addLine(10, L"Walls"), addLine(2, L"Doors")};
    all = few;
    all.push_back(addLine(5, L"Walls"));
    all.push_back(addCircle(1.5, L"Columns"));
  }

  // Runs the update command as a person does: the action on the table with the objects picked,
  // one allocation refused; how many allocations the command asked for.
  long update(int action, const OvDbObjectId& table, const std::vector<OvDbObjectId>& objects, long refused) {
    page_test::PageDriver person;
    StandIn::ScopedInputDriver personActs(person);
    person.click(action);
    for (const std::vector<OvDbObjectId>& picked : {std::vector<OvDbObjectId>{table}, objects}) {
      StandIn::PickAnswer answer;
      answer.kind = StandIn::PickAnswer::Handles;
      for (const OvDbObjectId& id : picked) answer.handles.push_back(handleOf(id).GetString());
      person.AddPickAnswer(answer);
    }
    HostEditor::clearTranscript();
    NthAllocationRefused hook(refused);
    {
      ScopedAllocationHook outOfMemory(hook);
      EXPECT_NO_THROW(CmdDataExtractionUpdate());
    }
    return hook.asked();
  }

  // Adds the other objects to the table and takes them out again by replacing its selection,
  // with every allocation refused in turn.
  void refuseEachAllocation(const OvDbObjectId& table) {
    // The table as the two actions make it, and how many allocations they take. The first
    // round may widen the table for good: an older table keeps the columns new objects bring.
    update(IDC_REPLACE_OBJECTS, table, few, 0);
    update(IDC_ADD_OBJECTS, table, all, 0);
    update(IDC_REPLACE_OBJECTS, table, few, 0);
    const TableState withFew = state(table);
    long allocations = update(IDC_ADD_OBJECTS, table, all, 0);
    const TableState withAll = state(table);
    allocations = std::max(allocations, update(IDC_REPLACE_OBJECTS, table, few, 0));
    ASSERT_EQ(state(table), withFew);
    ASSERT_NE(withFew, withAll);
    ASSERT_GT(allocations, 100);

    const int opens = HostDatabase::openObjects(), chains = HostEditor::liveChains();
    const int buffers = HostEditor::liveBuffers(), windows = StandIn::LiveWindowCount();
    int stopped = 0;
    for (long n = 1; n <= allocations; n += allocationStride()) {
      const TableState before = state(table);
      const bool adding = before == withFew;
      ASSERT_TRUE(adding || before == withAll) << "before allocation " << n << " was refused";
      update(adding ? IDC_ADD_OBJECTS : IDC_REPLACE_OBJECTS, table, adding ? all : few, n);
      const TableState after = state(table);
      const TableState& made = adding ? withAll : withFew;
      if (transcript().find(kStopped) != std::wstring::npos) {
        ++stopped;
        EXPECT_TRUE(after == before || after == made) << "allocation " << n << " refused";
      } else {
        EXPECT_EQ(after, made) << "allocation " << n << " refused";
      }
      ASSERT_EQ(HostDatabase::openObjects(), opens) << n;
      ASSERT_EQ(HostEditor::liveChains(), chains) << n;
      ASSERT_EQ(HostEditor::liveBuffers(), buffers) << n;
      ASSERT_EQ(StandIn::LiveWindowCount(), windows) << n;
      ASSERT_FALSE(HostEditorInput::inDialogCommand()) << n;
      ASSERT_EQ(HostEditorInput::unbalancedBrackets(), 0) << n;
    }
    EXPECT_GT(stopped, allocations / allocationStride() / 2);
  }

  std::vector<OvDbObjectId> few, all;
};

TEST_F(UpdateOutOfMemoryTest, ATableOfTheWizardChangesWholeOrNotAtAll) {
  WizardPlan plan;
  plan.title = L"Plan";
  refuseEachAllocation(runPlan(plan));
}

TEST_F(UpdateOutOfMemoryTest, AnOlderTableChangesWholeOrNotAtAll) {
  WizardChoice choice;
  choice.kinds = {L"Line", L"Circle"};
  choice.properties = {L"Layer", L"Length", L"Radius"};
  refuseEachAllocation(makeWizardTable(choice));
}

// Each allocation refused in turn while the success lines of both exports are printed: a
// line is printed whole, with its path, or memory running out stops it (and the command says
// so); never a line without its path.
TEST_F(UpdateOutOfMemoryTest, TheLineThatSaysAnExportWasDoneNamesItsFile) {
  const CString path(L"C:\\out\\plan.csv");
  int refused = 0;
  for (bool csv : {true, false}) {
    const std::wstring done = csv ? L"\nCSV export done to : " : L"\nFinished XLS exportation to : ";
    for (long n = 1;; ++n) {
      HostEditor::clearTranscript();
      NthAllocationRefused hook(n);
      try {
        ScopedAllocationHook outOfMemory(hook);
        if (csv) printCsvExportResult(true, path);
        else printXlsExportResult(true, path, 0);
      } catch (const std::bad_alloc&) {
        ++refused;
      }
      const std::wstring said = HostEditor::transcript();
      EXPECT_TRUE(said.empty() || said == done + path.GetString()) << n << ": " << CString(said.c_str());
      if (hook.asked() < n) break;
    }
  }
  EXPECT_GT(refused, 0);
}

// Each allocation refused in turn while an output file is replaced: the file holds the earlier
// bytes or the new ones, and nothing else stays in its folder (no new file half made).
TEST(OutputFileOutOfMemory, IsReplacedWholeOrNotAtAllAndLeavesNothingBeside) {
  const std::filesystem::path folder = testOutputFolder("replaced_out_of_memory");
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path target = folder / "plan.csv";
  const auto read = [&] {
    std::ifstream in(target, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::wstring wideTarget = widePath(target);
  const std::string earlier = "earlier\n", made = "made\n";
  int refused = 0;
  for (long n = 1;; ++n) {
    std::ofstream(target, std::ios::binary) << earlier;
    NthAllocationRefused hook(n);
    bool written = false;
    try {
      ScopedAllocationHook outOfMemory(hook);
      written = writeWholeFile(wideTarget, made);
    } catch (const std::bad_alloc&) {
      ++refused;
    }
    EXPECT_EQ(read(), written ? made : earlier) << n;
    std::vector<std::string> beside;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path() != target) beside.push_back(entry.path().filename().string());
    EXPECT_TRUE(beside.empty()) << n << ": " << ::testing::PrintToString(beside);
    if (hook.asked() < n) break;
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
