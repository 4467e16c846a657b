#include "extraction/module_entry.h"

// The wizard and update dialogs that these commands open are not built yet; until they
// are, the commands say so on the command line instead of doing nothing silently.
#include "platform/host/editor.h"

void CmdDataExtraction() { ovutPrintf(L"%s", L"\nDATAEXTRACTION: the wizard is not available in this build.\n"); }

void CmdDataExtractionUpdate() {
  ovutPrintf(L"%s", L"\nDATAEXTRACTIONUPDATE: the update dialog is not available in this build.\n");
}
