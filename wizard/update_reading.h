// What both update paths read of a picked table and how they say what came of it: the kind
// list and the property and display names of its link lists, in the session's language, its
// header row, the refusal of a list that is damaged, and the outcome messages.
#pragma once
#include <map>
#include <vector>

#include "platform/host/db_object.h"
#include "platform/mfc/cstring.h"

class OvDbTable;
class StoredNames;

// Prints the string-table text on the command line.
void printMessage(UINT id);
// "Table updated." when the table changed, else "Table already up to date.".
void printChanged(bool changed);

// Says that the table is left as it is because its list of the application is damaged; false.
// A list that the table lacks has been named by its reader already.
bool refuseDamaged(OvDbObjectId tableId, const wchar_t* appName);
// A list that must hold entries holds some; false, with the reason said, when it is empty.
bool holdsEntries(OvDbObjectId tableId, const std::vector<CString>& list, const wchar_t* appName);

// The texts of the table's row 1 (the header row, unless it is hidden).
std::vector<CString> headerRow(OvDbTable* table);

// The table's object kinds in the session's language, each once: a list changed elsewhere may
// name a kind twice, whose objects would then make their rows twice. False, with the reason
// said, when the list names a kind that no language knows, or none.
bool readKinds(OvDbObjectId tableId, const StoredNames& stored, std::vector<CString>& kinds);

// The table's property names and their display names, pair by pair.
struct NameLists {
  std::vector<CString> propertyNames;
  std::vector<CString> displayNames;
  bool consistent() const { return propertyNames.size() == displayNames.size(); }
  // consistent(), or false with the reason said.
  bool paired(OvDbObjectId tableId) const;
  std::map<CString, CString> displayNameMap() const;
  // Each header text walked against the display names in order: each display name equal to
  // the current text turns it into the property name of the same entry.
  std::vector<CString> translated(std::vector<CString> headers) const;
  // The lists in the session's language: the property names read as stored names, and the
  // display names that only repeat their property's stored name (columns not renamed) with them.
  NameLists inSessionLanguage(const StoredNames& stored) const;
};

NameLists readNameLists(OvDbObjectId tableId);
// Stored property names in the session's language.
std::vector<CString> inSessionLanguage(std::vector<CString> names, const StoredNames& stored);
