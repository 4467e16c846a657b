// What every wizard page does the same way: its texts from the string table, the host's
// main window as the parent of the page it opens, and the module's icons.
#pragma once
#include <initializer_list>
#include <utility>

#include "platform/mfc/mfc.h"

// Sets the window title and the texts of the controls (control id, string id).
void setPageTexts(CWnd& page, UINT titleId, std::initializer_list<std::pair<int, UINT>> texts);
// The host's main frame window, the parent of every page.
CWnd* hostMainWindow();
// An icon of the module's resources at 16 by 16 pixels (shared: never destroyed); null
// when the module lacks it.
HICON loadModuleIcon(UINT id);
