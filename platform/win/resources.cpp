#include "platform/win/resources.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <vector>

namespace {

LANGID g_uiLanguage = MAKELANGID(LANG_ENGLISH, 0x01);

std::vector<std::unique_ptr<ModuleInstance>>& instances() {
  static std::vector<std::unique_ptr<ModuleInstance>> list;
  return list;
}

HINSTANCE programInstance() {
  static HINSTANCE program = RegisterModuleInstance(L"", nullptr);
  return program;
}

}  // namespace

HINSTANCE RegisterModuleInstance(const wchar_t* name, const ResourceBundle* resources, void* image) {
  auto module = std::make_unique<ModuleInstance>();
  module->path = name ? name : L"";
  module->resources = resources;
  module->image = image;
  instances().push_back(std::move(module));
  return instances().back().get();
}

void UnregisterModuleInstance(HINSTANCE instance) {
  auto& list = instances();
  list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& m) { return m.get() == instance; }), list.end());
}

HMODULE GetModuleHandleW(LPCWSTR name) {
  if (!name) return programInstance();
  for (const auto& m : instances()) {
    const std::wstring& path = m->path;
    std::wstring wanted(name);
    if (path == wanted ||
        (path.size() > wanted.size() && path.compare(path.size() - wanted.size(), wanted.size(), wanted) == 0 &&
         path[path.size() - wanted.size() - 1] == L'/'))
      return m.get();
  }
  return nullptr;
}

LANGID GetUserDefaultUILanguage() { return g_uiLanguage; }
void SetUserInterfaceLanguage(LANGID language) { g_uiLanguage = language; }

LANGID LanguageIdFromName(const std::wstring& name) {
  static const std::pair<const wchar_t*, LANGID> kNames[] = {
      {L"en-US", 0x0409}, {L"en-GB", 0x0809}, {L"en-AU", 0x0C09}, {L"en", 0x0009}, {L"fr-FR", 0x040C},
      {L"fr-CA", 0x0C0C}, {L"fr-BE", 0x080C}, {L"fr-CH", 0x100C}, {L"fr", 0x000C}, {L"es-ES", 0x0C0A},
      {L"es-MX", 0x080A}, {L"es", 0x000A},    {L"de-DE", 0x0407}, {L"de", 0x0007}, {L"it-IT", 0x0410},
      {L"pt-BR", 0x0416}, {L"ja-JP", 0x0411}};
  std::wstring n = name;
  std::replace(n.begin(), n.end(), L'_', L'-');
  size_t codeset = std::min(n.find(L'.'), n.find(L'@'));  // "fr_FR.UTF-8", "fr_FR@euro"
  if (codeset != std::wstring::npos) n.resize(codeset);
  auto lookUp = [&](const std::wstring& wanted) -> LANGID {
    for (const auto& [text, id] : kNames) {
      std::wstring t(text);
      if (t.size() == wanted.size() && std::equal(t.begin(), t.end(), wanted.begin(), [](wchar_t a, wchar_t b) {
            return std::towlower(a) == std::towlower(b);
          }))
        return id;
    }
    return 0;
  };
  // A region not listed still names its language: "es-CO" is Spanish.
  if (LANGID id = lookUp(n)) return id;
  size_t dash = n.find(L'-');
  return dash == std::wstring::npos ? 0 : lookUp(n.substr(0, dash));
}

bool LoadStringResource(HINSTANCE instance, UINT id, std::wstring& text) {
  if (!instance || !instance->resources) return false;
  const std::wstring* found = FindLocalizedResource(instance->resources->strings, id);
  if (!found) return false;
  text = *found;
  return true;
}

bool LoadStringResource(HINSTANCE instance, UINT id, LANGID language, std::wstring& text) {
  if (!instance || !instance->resources) return false;
  auto block = instance->resources->strings.find(language);
  if (block == instance->resources->strings.end()) return false;
  auto found = block->second.find(id);
  if (found == block->second.end()) return false;
  text = found->second;
  return true;
}

const DialogTemplate* FindDialogResource(HINSTANCE instance, UINT id) {
  return instance && instance->resources ? FindLocalizedResource(instance->resources->dialogs, id) : nullptr;
}

const BitmapResource* FindBitmapResource(HINSTANCE instance, UINT id) {
  return instance && instance->resources ? FindLocalizedResource(instance->resources->bitmaps, id) : nullptr;
}

const IconResource* FindIconResource(HINSTANCE instance, UINT id) {
  return instance && instance->resources ? FindLocalizedResource(instance->resources->icons, id) : nullptr;
}
