// The resources the module carries in its image: what a resource compiler would have put
// into it. The loader finds them through OvxModuleResources (OVX_RESOURCE_SYMBOL).
#pragma once
#include "platform/win/resources.h"

// Language blocks of the string table. Each language's users get their own block; every
// other interface language falls back to the English one.
constexpr LANGID kEnglishResourceLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL);  // 0x0009
constexpr LANGID kFrenchResourceLanguage = MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL);    // 0x000C
constexpr LANGID kSpanishResourceLanguage = MAKELANGID(LANG_SPANISH, SUBLANG_NEUTRAL);  // 0x000A

const ResourceBundle& moduleResources();

extern "C" const ResourceBundle* OvxModuleResources();
