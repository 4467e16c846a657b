// AfxMessageBox: a message box captioned with the application's name (the module's
// resource chain gives the text of an id), answered by the input driver.
#pragma once
#include "platform/win/dialogs.h"

int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = (UINT)-1);
