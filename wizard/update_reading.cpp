#include "wizard/update_reading.h"

#include <optional>

#include "common/text_grid.h"
#include "extraction/link_list_names.h"
#include "extraction/output_table.h"
#include "extraction/res_strings.h"
#include "extraction/stored_names.h"
#include "extraction/xdata_link.h"
#include "platform/host/db_table.h"
#include "platform/host/editor.h"
#include "res/resource_ids.h"

namespace {

using Texts = std::vector<CString>;

// A header text of the table walked against the display names in order: each display name
// equal to the current text turns it into the property name of the same entry.
CString translateHeader(CString text, const Texts& propertyNames, const Texts& displayNames) {
  for (size_t j = 0; j < displayNames.size() && j < propertyNames.size(); ++j) {
    if (displayNames[j] == text) text = propertyNames[j];
  }
  return text;
}

}  // namespace

void printMessage(UINT id) { ovutPrintf(L"%s", LoadResString(id).GetString()); }
void printChanged(bool changed) { printMessage(changed ? IDS_TABLE_UPDATED : IDS_TABLE_UP_TO_DATE); }

bool refuseDamaged(OvDbObjectId tableId, const wchar_t* appName) {
  if (hasLinkXData(tableId, appName)) reportDamagedLinkList(appName);
  return false;
}

bool holdsEntries(OvDbObjectId tableId, const std::vector<CString>& list, const wchar_t* appName) {
  return !list.empty() || refuseDamaged(tableId, appName);
}

Texts headerRow(OvDbTable* table) {
  Texts row;
  readTableRow(row, table, 1, table->numColumns());
  return row;
}

bool readKinds(OvDbObjectId tableId, const StoredNames& stored, Texts& kinds) {
  kinds.clear();
  for (const CString& name : readLinkXData(tableId, kObjectTypesApp)) {
    std::optional<CString> kind = stored.kindName(name);
    if (!kind) {
      ovutPrintf(L"%s", LoadResFormat(IDS_UNKNOWN_KIND, name).GetString());
      return false;
    }
    if (!holds(kinds, *kind)) kinds.push_back(*kind);
  }
  return holdsEntries(tableId, kinds, kObjectTypesApp);
}

bool NameLists::paired(OvDbObjectId tableId) const {
  return consistent() ||
         refuseDamaged(tableId, hasLinkXData(tableId, kOriginalNamesApp) ? kDisplayNamesApp : kOriginalNamesApp);
}

std::map<CString, CString> NameLists::displayNameMap() const {
  std::map<CString, CString> map;
  for (size_t i = 0; i < propertyNames.size() && i < displayNames.size(); ++i)
    map.emplace(propertyNames[i], displayNames[i]);
  return map;
}

Texts NameLists::translated(Texts headers) const {
  for (CString& text : headers) text = translateHeader(text, propertyNames, displayNames);
  return headers;
}

NameLists NameLists::inSessionLanguage(const StoredNames& stored) const {
  NameLists names = *this;
  for (size_t i = 0; i < propertyNames.size(); ++i) {
    names.propertyNames[i] = stored.propertyName(propertyNames[i]);
    if (i < displayNames.size() && displayNames[i] == propertyNames[i]) names.displayNames[i] = names.propertyNames[i];
  }
  return names;
}

NameLists readNameLists(OvDbObjectId tableId) {
  NameLists names;
  names.propertyNames = readLinkXData(tableId, kOriginalNamesApp);
  names.displayNames = readLinkXData(tableId, kDisplayNamesApp);
  return names;
}

Texts inSessionLanguage(Texts names, const StoredNames& stored) {
  for (CString& name : names) name = stored.propertyName(name);
  return names;
}
