// The resources the module carries in its image: what a resource compiler would have put
// into it. The loader finds them through OvxModuleResources (OVX_RESOURCE_SYMBOL).
#pragma once
#include <algorithm>
#include <iterator>
#include <span>

#include "platform/win/resources.h"
#include "res/string_tables.h"

// Language blocks of the string table. Each language's users get their own block; every
// other interface language falls back to the English one.
constexpr LANGID kEnglishResourceLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL);  // 0x0009
constexpr LANGID kFrenchResourceLanguage = MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL);    // 0x000C
constexpr LANGID kSpanishResourceLanguage = MAKELANGID(LANG_SPANISH, SUBLANG_NEUTRAL);  // 0x000A

// The interface languages of the module, each with its block of the string table: the
// bundle carries these blocks, and the names a table stored are read in any of them.
struct InterfaceLanguage {
  LANGID language;
  std::span<const StringTableEntry> (*strings)();
};
inline constexpr InterfaceLanguage kInterfaceLanguages[] = {
    {kEnglishResourceLanguage, englishStringTable},
    {kFrenchResourceLanguage, frenchStringTable},
    {kSpanishResourceLanguage, spanishStringTable},
};
// A block is found by the primary language of the user's (fr-FR and fr-CA both find French).
static_assert(std::all_of(std::begin(kInterfaceLanguages), std::end(kInterfaceLanguages),
                          [](const InterfaceLanguage& l) { return PRIMARYLANGID(l.language) == l.language; }),
              "each block is its primary language's");
static_assert(std::any_of(std::begin(kInterfaceLanguages), std::end(kInterfaceLanguages),
                          [](const InterfaceLanguage& l) { return l.language == kEnglishResourceLanguage; }),
              "the English block, that other languages fall back to");

const ResourceBundle& moduleResources();

extern "C" const ResourceBundle* OvxModuleResources();
