// The update command on a table with its layout list: the table made again exactly as the
// wizard makes it, over its own objects, over them and new objects, or over new objects
// alone, then written where it differs. Each action refuses, saying why, a table whose lists
// are missing, damaged or disagree, and says what came of it.
#pragma once
#include <vector>

#include "extraction/extraction_engine.h"
#include "platform/host/db_object.h"
#include "wizard/update_selection.h"

// Makes the table again over its own objects; layoutEntries is its layout list as stored.
void refreshLinkedTable(OvDbObjectId tableId, const std::vector<CString>& layoutEntries,
                        const PropertyCatalogue& catalogue);
// Makes the table again with the selected objects that it does not show yet; newObjects
// holds them read.
void addToLinkedTable(OvDbObjectId tableId, const std::vector<CString>& layoutEntries,
                      const PropertyCatalogue& catalogue, ExtractionEngine& newObjects,
                      const SelectedObjects& selected);
// Makes the table again over the selected objects alone.
void replaceInLinkedTable(OvDbObjectId tableId, const std::vector<CString>& layoutEntries,
                          const PropertyCatalogue& catalogue, const SelectedObjects& selected);
