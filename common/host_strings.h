// Texts the host hands out: its language, and the release of the buffers it allocates.
#pragma once
#include "platform/mfc/cstring.h"

// Frees a text that the host allocated.
void releaseHostString(wchar_t*& text);
// A copy of a text that the host allocated; the text is freed, also when the copy runs out of
// memory.
CString takeHostString(wchar_t* text);

// VERLAN ("fr-FR", "en-US", ...), read from the host and its buffer given back at once;
// empty when the variable cannot be read.
CString hostLanguage();
