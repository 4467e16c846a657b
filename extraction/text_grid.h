// The row grid of an extraction: row 0 holds the column keys, column 0 the object handle.
#pragma once
#include <vector>

#include "platform/mfc/cstring.h"

using TextGrid = std::vector<std::vector<CString>>;
