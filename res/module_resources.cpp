#include "res/module_resources.h"

#include "res/dialogs.h"

namespace {

void addStringBlock(ResourceBundle& bundle, LANGID language, std::span<const StringTableEntry> table) {
  auto& block = bundle.strings[language];
  for (const StringTableEntry& entry : table) block.emplace(entry.id, entry.text);
}

ResourceBundle buildModuleResources() {
  ResourceBundle bundle;
  for (const InterfaceLanguage& language : kInterfaceLanguages)
    addStringBlock(bundle, language.language, language.strings());

  // Dialog templates, bitmaps and icons: each added here into bundle.dialogs,
  // bundle.bitmaps and bundle.icons by a function of its own resource file.
  addDialogResources(bundle);

  return bundle;
}

}  // namespace

const ResourceBundle& moduleResources() {
  static const ResourceBundle bundle = buildModuleResources();
  return bundle;
}

extern "C" const ResourceBundle* OvxModuleResources() { return &moduleResources(); }
