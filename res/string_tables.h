// The module's string table, one block of texts per language. Every block holds the same
// ids, kFirstStringId to kLastStringId, each once.
#pragma once
#include <span>

#include "platform/win/win32_types.h"
#include "res/resource_ids.h"

struct StringTableEntry {
  UINT id;
  const wchar_t* text;
};

constexpr UINT kFirstStringId = IDS_START_TITLE;
constexpr UINT kLastStringId = IDS_TABLE_NOT_PUT_BACK;

std::span<const StringTableEntry> englishStringTable();
std::span<const StringTableEntry> frenchStringTable();
std::span<const StringTableEntry> spanishStringTable();
