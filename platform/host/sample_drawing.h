// The sample drawing: a small floor plan with walls, doors and windows, columns, survey
// points, labels and the other kinds of object an extraction reads. The host program opens
// it when no other drawing is given.
#pragma once
#include "platform/host/db_database.h"

// A new database holding the sample drawing (the caller owns it).
OvDbDatabase* buildSampleDrawing();
// Adds the sample drawing's blocks and entities to a new database.
void fillSampleDrawing(OvDbDatabase& database);
