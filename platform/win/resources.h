// Module images and their resources: string tables per language, dialog templates as
// control lists, bitmaps and icons. A module's bundle is what a resource compiler would
// have put into its image.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/win/win32_types.h"

struct DialogControlTemplate {
  std::wstring className;  // "Button", "Edit", "Static", "SysListView32", "ComboBox", ...
  UINT id = 0;
  std::wstring text;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct DialogTemplate {
  std::wstring caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::wstring fontName;
  int fontSize = 8;
  std::vector<DialogControlTemplate> controls;
};

struct BitmapResource {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row
};

struct IconResource {
  int width = 32, height = 32;
  std::vector<std::uint32_t> pixels;
};

struct ResourceBundle {
  std::map<LANGID, std::map<UINT, std::wstring>> strings;
  std::map<LANGID, std::map<UINT, DialogTemplate>> dialogs;
  std::map<LANGID, std::map<UINT, BitmapResource>> bitmaps;
  std::map<LANGID, std::map<UINT, IconResource>> icons;
};

struct ModuleInstance {
  std::wstring path;
  void* image = nullptr;  // the dynamic loader's handle, null for a module linked in
  const ResourceBundle* resources = nullptr;
};

// The symbol through which a loadable module hands its resources to the loader.
#define OVX_RESOURCE_SYMBOL "OvxModuleResources"
using ResourceBundleGetter = const ResourceBundle* (*)();

// A module instance for code linked into the program (the program itself, tests).
HINSTANCE RegisterModuleInstance(const wchar_t* name, const ResourceBundle* resources, void* image = nullptr);
void UnregisterModuleInstance(HINSTANCE instance);
HMODULE GetModuleHandleW(LPCWSTR name);  // null: the program's own instance

// The user-interface language the operating system would pick resources by.
LANGID GetUserDefaultUILanguage();
void SetUserInterfaceLanguage(LANGID language);
// "fr-FR" -> 0x040C and so on; 0 when the name is unknown.
LANGID LanguageIdFromName(const std::wstring& name);

// Look-ups without a named language: the exact UI language, its primary language's
// neutral block, English, then the first block present.
bool LoadStringResource(HINSTANCE instance, UINT id, std::wstring& text);
// The text of the id in the block of that language alone, as a look-up that names its
// language finds it.
bool LoadStringResource(HINSTANCE instance, UINT id, LANGID language, std::wstring& text);
const DialogTemplate* FindDialogResource(HINSTANCE instance, UINT id);
const BitmapResource* FindBitmapResource(HINSTANCE instance, UINT id);
const IconResource* FindIconResource(HINSTANCE instance, UINT id);

// Picks the block of a per-language map by the fallback chain above.
template <typename T>
const T* FindLocalizedResource(const std::map<LANGID, std::map<UINT, T>>& blocks, UINT id) {
  LANGID ui = GetUserDefaultUILanguage();
  const LANGID chain[] = {ui, static_cast<LANGID>(PRIMARYLANGID(ui)), LANG_ENGLISH,
                          static_cast<LANGID>(MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT))};
  for (LANGID lang : chain) {
    auto block = blocks.find(lang);
    if (block != blocks.end()) {
      auto it = block->second.find(id);
      if (it != block->second.end()) return &it->second;
    }
  }
  for (const auto& [lang, block] : blocks) {
    auto it = block.find(id);
    if (it != block.end()) return &it->second;
  }
  return nullptr;
}
