// Room in a vector for more items, made before a change of the drawing that must then not
// fail: memory that runs out is met while nothing has changed yet. Grows as push_back grows.
#pragma once
#include <algorithm>
#include <cstddef>

template <class Vector>
void makeRoom(Vector& items, std::size_t extra = 1) {
  if (items.capacity() - items.size() < extra) items.reserve(std::max(items.size() + extra, 2 * items.capacity()));
}
