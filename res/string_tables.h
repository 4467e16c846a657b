// The module's string table, one block of texts per language. Every block holds the same
// ids, kFirstStringId to kLastStringId, each once.
#pragma once
#include <span>

#include "platform/win/win32_types.h"

struct StringTableEntry {
  UINT id;
  const wchar_t* text;
};

constexpr UINT kFirstStringId = 134;
constexpr UINT kLastStringId = 306;

std::span<const StringTableEntry> englishStringTable();
std::span<const StringTableEntry> frenchStringTable();
std::span<const StringTableEntry> spanishStringTable();
