// AfxMessageBox: a message box captioned with the application's name, answered by the
// input driver.
#pragma once
#include "platform/win/dialogs.h"

int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
