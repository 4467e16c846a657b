// The update command on a table linked to its objects by the six link lists alone (made
// before the layout list): refreshed row by row from the whole drawing, or rewritten from the
// whole drawing with new objects added, or from new objects alone. Each action refuses, saying
// why, a table whose lists a refresh could not work from, and says what came of it.
#pragma once
#include "extraction/extraction_engine.h"
#include "platform/host/db_object.h"
#include "wizard/update_selection.h"

// Refreshes the table row by row from the whole drawing.
void refreshSixListTable(OvDbObjectId tableId, const PropertyCatalogue& catalogue);
// Rewrites the table from the whole drawing with the selected objects added; newObjects holds
// them read.
void addToSixListTable(OvDbObjectId tableId, const PropertyCatalogue& catalogue, ExtractionEngine& newObjects,
                       const SelectedObjects& selected);
// Rewrites the table from the selected objects alone, read into the engine.
void replaceInSixListTable(OvDbObjectId tableId, const PropertyCatalogue& catalogue, ExtractionEngine& engine,
                           const SelectedObjects& selected);
