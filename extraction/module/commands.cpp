#include "extraction/module/module_entry.h"

// Each command runs its first dialog modally over the host's main window and returns when
// the dialog (and every page it opened) has ended. Nothing leaves a command: an exception
// would end the host and the user's unsaved drawing with it. Memory that runs out, or any
// other failure of the command's own work, ends the command with a line on the command line;
// its dialogs, opened objects, selection sets and files are closed as the failure unwinds
// them, and what it left half made in the drawing is taken out.
#include <exception>

#include "extraction/res_strings.h"
#include "platform/host/doc_manager.h"
#include "platform/host/editor.h"
#include "platform/win/input_driver.h"
#include "res/resource_ids.h"
#include "wizard/dlg_assist1.h"
#include "wizard/dlg_update.h"
#include "wizard/inserted_tables.h"

namespace {

// Says on the command line that the command was stopped; a report that cannot be made
// itself is dropped, so that it stays within the command too.
void reportStoppedCommand() noexcept {
  try {
    ovutPrintf(L"%s", LoadResString(IDS_COMMAND_STOPPED).GetString());
  } catch (const std::exception&) {
  }
}

// Runs the command's first dialog; false, once reported, when the command failed.
template <class Dialog>
bool runFirstDialog() {
  try {
    Dialog dialog(CWnd::FromHandle(vusw_ovisMainWnd()));
    dialog.DoModal();
    return true;
  } catch (const StandIn::InputScriptError&) {
    throw;  // the host program's script stops the host, not the command (host/SCRIPTS.md)
  } catch (const std::exception&) {
    reportStoppedCommand();
    return false;
  }
}

}  // namespace

void CmdDataExtraction() {
  InsertedTables inserted;
  if (!runFirstDialog<DlgAssist1>()) inserted.eraseUnlinked();
}

void CmdDataExtractionUpdate() { runFirstDialog<DlgUpdateA1>(); }
