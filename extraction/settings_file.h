// The settings file (.qdx): the choices of an extraction saved as XML, from which a later
// extraction starts.
#pragma once
#include <map>
#include <vector>

#include "platform/mfc/cstring.h"

// Writes the display-name map (one "Property" per entry, ascending property name), the
// option names, the group-by index with the group-by property's name (written unless the
// index is -1; the name beside it when there is one) and the table title. Texts are
// written as UTF-8, as the declaration says. True when the file was saved.
bool saveSettingsXml(CString path, const std::map<CString, CString>& displayNames, CString title,
                     const std::vector<CString>& options, int groupByIndex, CString groupByName);

// Reads a settings file: appends the property names and options, inserts the display names
// (the first of a repeated name stands), sets the title, the group-by index (-1 when none,
// and for a value that is not a whole number, which names no property) and the group-by
// property's name ("" when the file names none or the index is -1). A file that is valid
// UTF-8 is read as UTF-8, character references included; any other is read in the ANSI
// code page. False when the file cannot be read or parsed, is larger or nested deeper than
// a settings file can be, or lacks the root, its "State" element or a first "Property"
// element.
bool loadSettingsXml(CString path, std::vector<CString>& propertyNames, CString& title,
                     std::map<CString, CString>& displayNames, std::vector<CString>& options, int& groupByIndex,
                     CString& groupByName);
