// A text dump of a drawing's tables, so that a user can see what was written: for every
// table of model space its position, style, size, column widths, merged ranges, non-empty
// cells and xdata.
#pragma once
#include <ostream>

class OvDbDatabase;

void dumpDrawingTables(OvDbDatabase* database, std::wostream& out);
