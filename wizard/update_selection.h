// The objects a user selects for the update command's add and replace actions: read into an
// engine and kept to those the extraction reads, with their kinds; and the appending of their
// handles to a table's list.
#pragma once
#include <cstdint>
#include <set>
#include <vector>

#include "extraction/extraction_engine.h"
#include "platform/mfc/cstring.h"

class SelectionSet;

// The kinds and handles of the objects of a user's selection that a table can show, in
// selection order; other objects (tables, ...) are left out.
struct SelectedObjects {
  std::set<CString> kinds;
  std::vector<CString> handles;
};

// Reads the objects of the user's selection into an engine; selected gets those it read, with
// their kinds.
ExtractionEngine extractSelection(const SelectionSet& set, std::int32_t length, const PropertyCatalogue& catalogue,
                                  SelectedObjects& selected);
// Appends the handles that the list does not hold yet, each once, in their order.
void appendUnlisted(std::vector<CString>& list, const std::vector<CString>& handles);
