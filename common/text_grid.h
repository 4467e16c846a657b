// The row grid of an extraction: row 0 holds the column keys, column 0 the object handle;
// and whether a list of texts holds a text.
#pragma once
#include <algorithm>
#include <vector>

#include "platform/mfc/cstring.h"

using TextGrid = std::vector<std::vector<CString>>;

inline bool holds(const std::vector<CString>& list, const CString& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}
