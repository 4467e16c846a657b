#include "extraction/module/module_entry.h"

// Each command runs its first dialog modally over the host's main window and returns when
// the dialog (and every page it opened) has ended.
#include "platform/host/doc_manager.h"
#include "wizard/dlg_assist1.h"
#include "wizard/dlg_update.h"

void CmdDataExtraction() {
  DlgAssist1 dialog(CWnd::FromHandle(vusw_ovisMainWnd()));
  dialog.DoModal();
}

void CmdDataExtractionUpdate() {
  DlgUpdateA1 dialog(CWnd::FromHandle(vusw_ovisMainWnd()));
  dialog.DoModal();
}
