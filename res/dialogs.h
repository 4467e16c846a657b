// The module's dialog templates, the wizard's banner bitmap and its two icons.
#pragma once
#include "platform/win/resources.h"

// The one language block the templates, bitmap and icons are kept under; look-ups for
// any other interface language fall back to it.
constexpr LANGID kDialogResourceLanguage = 0x040C;

void addDialogResources(ResourceBundle& bundle);
