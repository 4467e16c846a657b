// The row grid that extraction builds and every output reads: row 0 holds the column
// headers, every row is as wide as row 0.
#pragma once
#include <vector>

#include "platform/mfc/cstring.h"

using TextGrid = std::vector<std::vector<CString>>;
